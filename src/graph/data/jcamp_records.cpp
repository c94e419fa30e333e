#include "graph/data/jcamp_records.h"

#include <cmath>

#include "common/text_utils.h"
#include "graph/data/jcamp_asdf.h"

namespace kurvex::jcamp {
namespace {

constexpr char kTooLarge[] = "JCAMP-DX table is larger than its file";
constexpr char kPastCount[] = "JCAMP-DX table holds more points than ##NPOINTS= gives";
constexpr char kNoAbscissa[] = "JCAMP-DX table needs ##FIRSTX=, ##LASTX= and ##NPOINTS=";
constexpr char kSpacing[] = "JCAMP-DX abscissa spacing out of range";
// No table, however it is compressed, is decoded past this many points (a gigabyte of them).
constexpr std::size_t kPointCap = std::size_t{1} << 26;

// A number and nothing else, as a numeric record's value or a list's entry must be.
std::optional<double> WholeNumber(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  std::size_t end = 0;
  std::optional<double> value = LeadingAffnNumber(trimmed, &end);
  if (!value || end != trimmed.size() || !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::string Printable(std::string_view text, std::size_t limit) {
  std::string shown;
  for (const char c : text.substr(0, limit)) shown += c >= 0x20 && c < 0x7f ? c : '?';
  if (text.size() > limit) shown += "...";
  return shown;
}

}  // namespace

bool IsLabelLine(std::string_view line) {
  std::size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  return line.substr(start, 2) == "##";
}

std::pair<std::string, std::string_view> ParseForm(std::string_view value) {
  std::size_t pos = 0;
  while (pos < value.size() && IsBlank(value[pos])) ++pos;
  std::string form;
  int depth = 0;
  for (; pos < value.size(); ++pos) {
    const char c = value[pos];
    if (depth == 0 && c != '(') break;
    if (IsBlank(c)) continue;
    depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    form += Upper(c);
    if (depth == 0) {
      ++pos;
      break;
    }
  }
  return {form, value.substr(pos)};
}

std::string ListEntry(std::string_view list, std::size_t index) {
  for (std::size_t i = 0;; ++i) {
    const std::size_t comma = std::min(list.find(','), list.size());
    if (i == index) return std::string(TrimBlanks(list.substr(0, comma)));
    if (comma == list.size()) return {};
    list.remove_prefix(comma + 1);
  }
}

void Decoding::Fail(std::size_t line, std::string message) {
  if (!out_.Error) out_.Error = JcampDxError{line, std::move(message)};
}

void Decoding::Unsupported(const Table& table) {
  const std::string shown = Printable(TrimBlanks(table.Value), 40);
  Fail(table.Line, "JCAMP-DX table form '" + shown + "' is not supported");
}

std::optional<double> Decoding::Number(const Records& records, std::string_view name) {
  const Record* r = records.Find(name);
  if (!r) return std::nullopt;
  std::optional<double> value = WholeNumber(r->Value);
  if (!value) Fail(r->Line, "JCAMP-DX " + std::string(name) + " is not a number");
  return value;
}

std::optional<double> Decoding::ListNumber(const Records& records, std::string_view name,
                                           std::size_t index) {
  const Record* r = records.Find(name);
  if (!r) return std::nullopt;
  const std::string entry = ListEntry(r->Value, index);
  if (entry.empty()) return std::nullopt;
  std::optional<double> value = WholeNumber(entry);
  if (!value) Fail(r->Line, "JCAMP-DX " + std::string(name) + " is not a number");
  return value;
}

JcampPointLimit Decoding::Limit(std::optional<double> count) const {
  // Sixteen points a byte leaves room for any honest use of DUP and stops a few bytes of
  // repeat counts from asking for gigabytes.
  const std::size_t fileLimit = std::min(16 * text_.size() + 16, kPointCap);
  if (count && *count >= 1 && *count <= static_cast<double>(kPointCap)) {
    const auto declared = static_cast<std::size_t>(*count);
    // Some writers count a point less or more than they write.
    const std::size_t slack = std::max<std::size_t>(16, declared / 64);
    if (declared + slack < fileLimit) return {declared + slack, kPastCount};
  }
  return {fileLimit, kTooLarge};
}

bool Decoding::StartEquidistant(JcampTable& decoder, std::size_t labelLine,
                                std::optional<double> first, std::optional<double> last,
                                std::optional<double> count, std::optional<double> delta,
                                double xFactor, double yFactor) {
  if (Failed()) return false;
  const bool wholeCount = count && *count >= 1 && *count == std::floor(*count);
  std::optional<double> spacing;
  if (first && wholeCount && *count >= 2 && last) {
    spacing = (*last - *first) / (*count - 1);
  } else if (first && delta) {
    spacing = delta;
  } else if (first && wholeCount && *count == 1) {
    spacing = 0.0;
  }
  if (!spacing) {
    Fail(labelLine, kNoAbscissa);
    return false;
  }
  if (!std::isfinite(*spacing)) {
    Fail(labelLine, kSpacing);
    return false;
  }
  const bool countable = wholeCount && *count <= static_cast<double>(kPointCap);
  decoder.StartEquidistant(*first, *spacing, countable ? static_cast<std::size_t>(*count) : 0,
                           xFactor, yFactor);
  return true;
}

void Decoding::DecodeLines(const Table& table, std::string_view onLabelLine, JcampTable& decoder) {
  if (Failed()) return;
  if (auto error = decoder.Decode(onLabelLine, table.Line)) return Fail(table.Line, *error);
  LineReader reader(text_, table.Offset, table.Line);
  for (reader.Next(); !reader.AtEnd() && !IsLabelLine(reader.Line()); reader.Next()) {
    if (auto error = decoder.Decode(reader.Line(), reader.Number())) {
      return Fail(reader.Number(), *error);
    }
  }
}

}  // namespace kurvex::jcamp
