#include "graph/data/data_block.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/number_text.h"
#include "common/text_utils.h"
#include "graph/data/numeric_columns.h"

namespace kurvex {

namespace {

constexpr std::array<char, 5> kSeparators = {';', '\t', '|', ',', ' '};

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// The fields of a line under one separator; blanks split on runs and never give empty fields.
std::vector<std::string_view> SplitLine(std::string_view line, char separator) {
  std::vector<std::string_view> fields;
  line = Trimmed(line);
  if (line.empty()) return fields;
  if (separator == ' ') {
    std::size_t pos = 0;
    while (pos < line.size()) {
      const std::size_t end = std::min(line.find_first_of(" \t", pos), line.size());
      fields.push_back(line.substr(pos, end - pos));
      pos = line.find_first_not_of(" \t", end);
      if (pos == std::string_view::npos) break;
    }
    return fields;
  }
  for (std::size_t pos = 0;;) {
    const std::size_t end = line.find(separator, pos);
    fields.push_back(Trimmed(line.substr(pos, end == std::string_view::npos ? end : end - pos)));
    if (end == std::string_view::npos) break;
    pos = end + 1;
  }
  return fields;
}

// A field as a number: with a decimal comma, "1,5" reads 1.5.
bool IsNumber(std::string_view field, bool decimalComma) {
  double value = 0;
  if (!decimalComma || field.find(',') == std::string_view::npos) {
    return TryParseDataField(field, value);
  }
  std::string copy(field);
  for (char& c : copy) {
    if (c == ',') c = '.';
  }
  return TryParseDataField(copy, value);
}

// How a line reads under one separator: its field count, or 0 when it is no data line. At
// least one field must be a number: a line of dashes is a rule, not a row of gaps.
std::size_t DataFields(std::string_view line, char separator, bool decimalComma) {
  const std::vector<std::string_view> fields = SplitLine(line, separator);
  bool number = false;
  for (const std::string_view field : fields) {
    if (IsNumber(field, decimalComma)) {
      number = true;
    } else if (!IsMissingValue(field)) {
      return 0;
    }
  }
  return number ? fields.size() : 0;
}

// Lines ended by LF, CR LF or a lone CR.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    const bool crlf = end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n';
    pos = end + (crlf ? 2 : 1);
  }
  return lines;
}

}  // namespace

DataBlockSpan FindDataBlock(std::string_view text) {
  const std::vector<std::string_view> lines = Lines(text);
  DataBlockSpan best;
  for (const char separator : kSeparators) {
    // A comma that separates columns is no decimal comma; with any other separator both
    // readings are tried, and the run decides.
    for (const bool decimalComma : {false, true}) {
      if (decimalComma && separator == ',') continue;
      std::size_t runStart = 0, runLength = 0, runFields = 0;
      for (std::size_t i = 0; i <= lines.size(); ++i) {
        const std::size_t fields =
            i < lines.size() ? DataFields(lines[i], separator, decimalComma) : 0;
        if (fields != 0 && fields == runFields) {
          ++runLength;
          continue;
        }
        if (runLength > best.Lines) {
          best = {runStart, runLength, runFields, separator, decimalComma};
        }
        runStart = i;
        runLength = fields != 0 ? 1 : 0;
        runFields = fields;
      }
    }
  }
  return best;
}

PreparedData PrepareDataBlock(std::string_view text, const DataBlockSpan& block) {
  const std::vector<std::string_view> lines = Lines(text);
  PreparedData prepared;
  for (std::size_t i = 0; i < block.First && i < lines.size(); ++i) {
    if (i > 0) prepared.TextInDataFile += "\r\n";
    prepared.TextInDataFile += lines[i];
  }
  prepared.HeadLineCount = block.First;
  std::string data;
  for (std::size_t i = block.First; i < block.First + block.Lines && i < lines.size(); ++i) {
    bool first = true;
    for (const std::string_view field : SplitLine(lines[i], block.Separator)) {
      if (!first) data += ' ';
      first = false;
      if (IsMissingValue(field)) {
        data += "nan";
        continue;
      }
      for (const char c : field) data += block.DecimalComma && c == ',' ? '.' : c;
    }
    data += '\n';
  }
  prepared.Data = DataText(std::move(data));
  return prepared;
}

}  // namespace kurvex
