#include "graph/data_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "common/number_text.h"
#include "common/text_utils.h"
#include "common/utf8.h"

namespace kurvex {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// Offsets of the lines of a buffer whose lines end with '\n' (the last may lack it). The extra
// last entry is one past the end of the last line's break, real or not.
std::vector<std::size_t> IndexLines(const std::string& buffer) {
  std::vector<std::size_t> starts;
  if (buffer.empty()) return starts;
  starts.push_back(0);
  const char* begin = buffer.data();
  const char* end = begin + buffer.size();
  for (const char* p = begin; p < end;) {
    const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    if (hit == nullptr) break;
    p = static_cast<const char*>(hit) + 1;
    starts.push_back(static_cast<std::size_t>(p - begin));
  }
  if (buffer.back() != '\n') starts.push_back(buffer.size() + 1);
  return starts;
}

// The end of the line starting at `pos` and the start of the next one (CR LF, LF or CR).
struct LineSpan {
  std::size_t end;
  std::size_t next;
};

LineSpan LineAt(std::string_view text, std::size_t pos) {
  const std::size_t end = text.find_first_of(kCrLf, pos);
  if (end == std::string_view::npos) return {text.size(), text.size()};
  const bool pair = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
  return {end, end + (pair ? 2 : 1)};
}

// A line whose first character after its blanks (not tabs) can start a number.
bool IsNumberLine(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first != std::string_view::npos &&
         std::string_view("0123456789.,+-").find(line[first]) != std::string_view::npos;
}

enum class CommaRule { kKeep, kToBlank, kToPoint };

// Decided once for the whole data: a point anywhere means commas separate columns; otherwise
// another separator means commas are decimal commas. Blanks that start a line do not count,
// because the preparation removes them first.
CommaRule DecideCommaRule(std::string_view data) {
  if (data.find(',') == std::string_view::npos) return CommaRule::kKeep;
  if (data.find('.') != std::string_view::npos) return CommaRule::kToBlank;
  if (data.find_first_of(";|\t") != std::string_view::npos) return CommaRule::kToPoint;
  bool lineStart = true;
  for (const char c : data) {
    if (c == '\r' || c == '\n') {
      lineStart = true;
    } else if (c != ' ') {
      lineStart = false;
    } else if (!lineStart) {
      return CommaRule::kToPoint;
    }
  }
  return CommaRule::kKeep;
}

enum ByteClass : unsigned char { kKeep, kBlank, kSeparator, kCr, kLf };

struct ByteTable {
  std::array<unsigned char, 256> cls{};
  std::array<char, 256> out{};
};

ByteTable MakeTable(CommaRule rule) {
  ByteTable t;
  for (int c = 0; c < 256; ++c) {
    t.cls[c] = kKeep;
    t.out[c] = static_cast<char>(c);
  }
  t.cls[' '] = kBlank;
  for (const unsigned char c : {';', '|', '\t'}) t.cls[c] = kSeparator;
  if (rule == CommaRule::kToBlank) t.cls[','] = kSeparator;
  if (rule == CommaRule::kToPoint) t.out[','] = '.';
  t.cls['\r'] = kCr;
  t.cls['\n'] = kLf;
  return t;
}

// Rewrites buffer[from, end) into buffer[0, ...) in one pass: line ends become '\n', leading
// blanks go, separators become blanks and runs of blanks shrink to one. The output never
// outgrows the input, so writing behind the reader is safe.
void CleanUpInPlace(std::string& buffer, std::size_t from, CommaRule rule) {
  const ByteTable table = MakeTable(rule);
  // What a blank does next: dropped at a line start (an original blank only) and after a blank.
  enum State { kInLine, kAfterBlank, kLineStart };
  State state = kLineStart;
  char* data = buffer.data();
  const std::size_t size = buffer.size();
  std::size_t w = 0;
  for (std::size_t r = from; r < size; ++r) {
    const auto c = static_cast<unsigned char>(data[r]);
    switch (table.cls[c]) {
      case kKeep:
        data[w++] = table.out[c];
        state = kInLine;
        break;
      case kBlank:
        if (state == kInLine) data[w++] = ' ';
        if (state != kLineStart) state = kAfterBlank;
        break;
      case kSeparator:
        if (state != kAfterBlank) data[w++] = ' ';
        state = kAfterBlank;
        break;
      case kCr:
        if (r + 1 < size && data[r + 1] == '\n') ++r;
        [[fallthrough]];
      case kLf:
        data[w++] = '\n';
        state = kLineStart;
        break;
    }
  }
  buffer.resize(w);
}

}  // namespace

DataText::DataText(std::string text) {
  if (text.find('\r') != std::string::npos) {
    std::size_t w = 0;
    for (std::size_t r = 0; r < text.size(); ++r) {
      if (text[r] == '\r') {
        if (r + 1 < text.size() && text[r + 1] == '\n') ++r;
        text[w++] = '\n';
      } else {
        text[w++] = text[r];
      }
    }
    text.resize(w);
  }
  *this = FromNormalized(std::move(text));
}

DataText DataText::FromNormalized(std::string buffer) {
  DataText data;
  data.starts_ = IndexLines(buffer);
  data.buffer_ = std::move(buffer);
  return data;
}

std::string_view DataText::Line(std::size_t index) const {
  if (index >= LineCount()) return {};
  const std::size_t begin = starts_[index];
  return std::string_view(buffer_).substr(begin, starts_[index + 1] - 1 - begin);
}

std::string DataText::Joined(std::string_view separator) const {
  std::string out;
  const std::size_t count = LineCount();
  if (count == 0) return out;
  out.reserve(buffer_.size() + count * separator.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) out += separator;
    out += Line(i);
  }
  return out;
}

PreparedData PrepareDataText(std::string fileText) {
  PreparedData result;
  const std::string_view text(fileText);
  std::size_t pos = 0;
  // Only head lines at the very top count; the first number line ends the scan for good.
  while (pos < text.size()) {
    const LineSpan line = LineAt(text, pos);
    const std::string_view content = text.substr(pos, line.end - pos);
    if (IsNumberLine(content)) break;
    if (pos > 0) result.TextInDataFile += kCrLf;
    result.TextInDataFile += content;
    pos = line.next;
  }
  const CommaRule rule = DecideCommaRule(text.substr(pos));
  CleanUpInPlace(fileText, pos, rule);
  result.Data = DataText::FromNormalized(std::move(fileText));
  return result;
}

const std::string& BuiltInSampleText() {
  static const std::string sample = [] {
    // Two smooth spectra pinned to the same end values as the sample the program always
    // showed: a straight blend between the ends plus waves that vanish at both ends.
    constexpr double kPi = std::numbers::pi;
    std::string text;
    text.reserve(701 * 28);
    char line[96];
    for (int i = 0; i <= 700; ++i) {
      const double t = i / 700.0;
      const double tanPsi = 0.93185 * (1 - t) + 0.39542 * t + 0.9 * std::sin(kPi * t) +
                            0.35 * std::sin(3 * kPi * t);
      const double cosDelta = -0.16795 * (1 - t) - 0.03970 * t - 0.55 * std::sin(2 * kPi * t) +
                              0.3 * std::sin(5 * kPi * t);
      std::snprintf(line, sizeof line, "%.5f %.5f %.5f\n", 300.0 + i, tanPsi, cosDelta);
      text += line;
    }
    return text;
  }();
  return sample;
}

std::string_view NextField(std::string_view& rest) { return SplitAt(" ", rest); }

double ConvertField(std::string_view field) { return ParseDataField(field); }

int CountCurves(const DataText& data) {
  std::string_view rest = data.Line(0);
  ConvertField(NextField(rest));
  int count = 0;
  while (!rest.empty() && count < 10) {
    ++count;
    ConvertField(NextField(rest));
  }
  return count;
}

namespace {

// Breaks one line as a word-wrapping edit field does: at blanks where possible, inside a word
// only when the word alone is too wide, never fewer than one character per line. The blanks
// at a break vanish. Prefixes are measured from the piece start only, so a huge line costs
// time in proportion to its length, not its square.
void WrapLine(std::string_view line, int width,
              const std::function<int(std::string_view)>& textWidth,
              std::vector<std::string>& out) {
  if (line.empty()) {
    out.emplace_back();
    return;
  }
  std::size_t start = 0;
  while (start < line.size()) {
    std::size_t fitted = start;  // end of the longest whole-word prefix that fits
    std::size_t end = start;
    bool whole = false;
    while (true) {
      // Next word end: past any blanks, then past the word.
      end = line.find_first_not_of(' ', end);
      if (end == std::string_view::npos) end = line.size();
      end = std::min(line.find(' ', end), line.size());
      if (textWidth(line.substr(start, end - start)) > width) break;
      fitted = end;
      if (end == line.size()) {
        whole = true;
        break;
      }
    }
    if (fitted == start) {
      // The first word alone is too wide: cut it at characters.
      std::size_t pos = start;
      NextCodePoint(line, pos);
      fitted = std::max(pos, start + 1);
      while (fitted < line.size()) {
        pos = fitted;
        NextCodePoint(line, pos);
        if (pos <= fitted || textWidth(line.substr(start, pos - start)) > width) break;
        fitted = pos;
      }
    }
    out.emplace_back(line.substr(start, fitted - start));
    if (whole) return;
    start = line.find_first_not_of(' ', fitted);
    if (start == std::string_view::npos) return;
  }
}

}  // namespace

std::vector<std::string> ExpandGraphText(const std::string& graphText,
                                         const std::string& dataFileName,
                                         const std::string& textInDataFile, int wrapWidth,
                                         const std::function<int(std::string_view)>& textWidth) {
  const std::string expanded =
      ReplaceAll(ReplaceAll(graphText, "{DataFile}", dataFileName), "{TextInDataFile}",
                 textInDataFile);
  std::vector<std::string> lines;
  std::string_view rest(expanded);
  while (!rest.empty()) WrapLine(SplitAt(kCrLf, rest), wrapWidth, textWidth, lines);
  return lines;
}

int TextBlockWrapWidth(int imageWidth) { return imageWidth > 9 ? imageWidth - 8 : 1; }

}  // namespace kurvex
