#include "graph/data/column_names.h"

#include "common/number_text.h"
#include "graph/data/data_text.h"

namespace kurvex {

namespace {

std::string_view WithoutBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

// A field without its blanks and the quotes spreadsheet exports put around names.
std::string_view Trimmed(std::string_view s) {
  s = WithoutBlanks(s);
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  return s;
}

std::vector<std::string> Split(std::string_view line, char separator) {
  std::vector<std::string> fields;
  if (separator == ' ') {
    std::size_t pos = line.find_first_not_of(" \t");
    while (pos != std::string_view::npos) {
      const std::size_t end = line.find_first_of(" \t", pos);
      fields.emplace_back(
          Trimmed(line.substr(pos, end == std::string_view::npos ? end : end - pos)));
      pos = end == std::string_view::npos ? end : line.find_first_not_of(" \t", end);
    }
    return fields;
  }
  for (std::size_t pos = 0;;) {
    const std::size_t end = line.find(separator, pos);
    fields.emplace_back(Trimmed(line.substr(pos, end == std::string_view::npos ? end : end - pos)));
    if (end == std::string_view::npos) return fields;
    pos = end + 1;
  }
}

bool AllNumbers(const std::vector<std::string>& fields) {
  for (const std::string& field : fields) {
    double value = 0;
    if (!TryParseDataField(field, value)) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> SplitNames(std::string_view line, std::size_t columns,
                                    bool trailingSeparator, char* used) {
  line = WithoutBlanks(line);
  if (columns == 0 || line.empty()) return {};
  for (const char separator : {';', '\t', '|', ',', ' '}) {
    if (separator != ' ' && line.find(separator) == std::string_view::npos) continue;
    std::vector<std::string> fields = Split(line, separator);
    if (trailingSeparator && separator != ' ' && fields.size() == columns + 1 &&
        fields.back().empty()) {
      fields.pop_back();
    }
    if (fields.size() == columns && !AllNumbers(fields)) {
      if (used != nullptr) *used = separator;
      return fields;
    }
  }
  return {};
}

std::vector<std::string> ColumnNames(std::string_view headText, std::size_t columns) {
  if (columns == 0 || headText.empty()) return {};
  std::size_t start = headText.rfind('\n');
  start = start == std::string_view::npos ? 0 : start + 1;
  return SplitNames(headText.substr(start), columns, false);
}

std::size_t FieldCount(std::string_view line) {
  std::size_t count = 0;
  while (!line.empty()) {
    NextField(line);
    ++count;
  }
  return count;
}

}  // namespace kurvex
