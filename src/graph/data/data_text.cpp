#include "graph/data/data_text.h"

#include "graph/data/data_cleanup.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/number_text.h"
#include "common/text_utils.h"
#include "common/utf8.h"

namespace kurvex {

namespace {

constexpr std::string_view kCrLf = "\r\n";

constexpr std::size_t kBlock = 16;

#if defined(__SSE2__)
__m128i Load(const char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
__m128i Is(__m128i v, char c) {
  return _mm_cmpeq_epi8(v, _mm_set1_epi8(c));
}
__m128i Or(__m128i a, __m128i b) {
  return _mm_or_si128(a, b);
}
__m128i Put(__m128i v, __m128i where, char c) {
  return Or(_mm_and_si128(where, _mm_set1_epi8(c)), _mm_andnot_si128(where, v));
}

// Sixteen byte counters at once, emptied into wide sums before any can overflow.
std::size_t CountLineFeeds(const char* data, std::size_t size) {
  const __m128i zero = _mm_setzero_si128();
  __m128i sums = zero;
  std::size_t i = 0;
  while (i + kBlock <= size) {
    __m128i counters = zero;
    for (int round = 0; round < 255 && i + kBlock <= size; ++round, i += kBlock) {
      counters = _mm_sub_epi8(counters, Is(Load(data + i), '\n'));
    }
    sums = _mm_add_epi64(sums, _mm_sad_epu8(counters, zero));
  }
  auto count = static_cast<std::size_t>(_mm_cvtsi128_si64(sums)) +
               static_cast<std::size_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
  for (; i < size; ++i) count += data[i] == '\n';
  return count;
}
#endif

// Offsets of the lines of a buffer whose lines end with '\n' (the last may lack it). The extra
// last entry is one past the end of the last line's break, real or not. A CR before a '\n'
// belongs to the break; keeping it spares moving every byte of a CR LF file.
std::vector<std::size_t> IndexLines(const std::string& buffer) {
  std::vector<std::size_t> starts;
  if (buffer.empty()) return starts;
  starts.push_back(0);
  const char* data = buffer.data();
  const std::size_t size = buffer.size();
  std::size_t i = 0;
#if defined(__SSE2__)
  const auto breaksAt = [data](std::size_t at) {
    return static_cast<unsigned>(_mm_movemask_epi8(Is(Load(data + at), '\n')));
  };
  // Counting first costs a quick pass but no regrowth of a vector of a million offsets.
  starts.reserve(CountLineFeeds(data, size) + 2);
  for (; i + kBlock <= size; i += kBlock) {
    for (unsigned breaks = breaksAt(i); breaks != 0; breaks &= breaks - 1) {
      starts.push_back(i + static_cast<std::size_t>(std::countr_zero(breaks)) + 1);
    }
  }
#endif
  for (; i < size; ++i) {
    if (data[i] == '\n') starts.push_back(i + 1);
  }
  if (buffer.back() != '\n') starts.push_back(size + 1);
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

}  // namespace

bool IsNumberLine(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first != std::string_view::npos &&
         std::string_view("0123456789.,+-").find(line[first]) != std::string_view::npos;
}

// Decided once for the whole data: a point anywhere means commas separate columns; otherwise
// another separator means commas are decimal commas. Blanks that start a line do not count,
// because the preparation removes them first.
void CommaRuleScan::Add(std::string_view data) {
  const auto contains = [data](char c) { return data.find(c) != std::string_view::npos; };
  comma_ = comma_ || contains(',');
  point_ = point_ || contains('.');
  // One search per character: find_first_of would test every byte against the set.
  separator_ = separator_ || contains(';') || contains('|') || contains('\t');
  // A blank inside a line: one whose run of blanks follows something else than a line break.
  // `data` starts a line, or continues one whose start lineStart_ remembers.
  for (std::size_t at = data.find(' '); !blankInside_ && at != std::string_view::npos;) {
    std::size_t runStart = at;
    while (runStart > 0 && data[runStart - 1] == ' ') --runStart;
    const bool afterBreak =
        runStart == 0 ? lineStart_ : data[runStart - 1] == '\r' || data[runStart - 1] == '\n';
    if (!afterBreak) blankInside_ = true;
    at = data.find_first_not_of(' ', at);
    if (at != std::string_view::npos) at = data.find(' ', at);
  }
  if (!data.empty()) {
    const std::size_t last = data.find_last_not_of(' ');
    lineStart_ =
        last == std::string_view::npos ? lineStart_ : data[last] == '\r' || data[last] == '\n';
  }
}

CommaRule CommaRuleScan::Rule() const {
  if (!comma_) return CommaRule::kKeep;
  if (point_) return CommaRule::kToBlank;
  if (separator_ || blankInside_) return CommaRule::kToPoint;
  return CommaRule::kKeep;
}

namespace {

CommaRule DecideCommaRule(std::string_view data) {
  CommaRuleScan scan;
  scan.Add(data);
  return scan.Rule();
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

#if defined(__SSE2__)
__m128i Separators(__m128i v, CommaRule rule) {
  const __m128i s = Or(Or(Is(v, ';'), Is(v, '|')), Is(v, '\t'));
  return rule == CommaRule::kToBlank ? Or(s, Is(v, ',')) : s;
}

// Most blocks of a large file need at most a byte-for-byte change: no blank to drop, because
// none follows a blank, a separator or a line end. Such a block is cleaned sixteen bytes at
// once and written to `out`, which lies at or before `in`; others return false and go byte
// by byte. Reads in[-1] to in[16]; in[-1] is already cleaned output when out == in, the input
// otherwise, and either form serves the test.
bool CleanBlock(const char* in, char* out, CommaRule rule) {
  const __m128i v = Load(in);
  const __m128i prev = Load(in - 1);
  const __m128i toBlank = Separators(v, rule);
  const __m128i afterFieldEnd =
      Or(Or(Separators(prev, rule), Is(prev, ' ')), Or(Is(prev, '\n'), Is(prev, '\r')));
  if (_mm_movemask_epi8(_mm_and_si128(Or(toBlank, Is(v, ' ')), afterFieldEnd)) != 0) return false;
  const __m128i toPoint = rule == CommaRule::kToPoint ? Is(v, ',') : _mm_setzero_si128();
  const __m128i loneCr = _mm_andnot_si128(Is(Load(in + 1), '\n'), Is(v, '\r'));
  if (out == in && _mm_movemask_epi8(Or(Or(toBlank, toPoint), loneCr)) == 0) return true;
  const __m128i cleaned = Put(Put(Put(v, toBlank, ' '), toPoint, '.'), loneCr, '\n');
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), cleaned);
  return true;
}
#endif

}  // namespace

// Rewrites buffer[from, end) into buffer[0, ...) in one pass: a lone CR becomes '\n' (CR LF
// stays), leading blanks go, separators become blanks and runs of blanks shrink to one. The
// output never outgrows the input, so writing behind the reader is safe.
void CleanUpInPlace(std::string& buffer, std::size_t from, CommaRule rule) {
  const ByteTable table = MakeTable(rule);
  char* data = buffer.data();
  const std::size_t size = buffer.size();
  std::size_t w = 0;
  // The last byte written decides what a blank does: dropped at a line start (an original
  // blank only) and after a blank.
  char last = '\n';
  const auto put = [&](char c) {
    data[w++] = c;
    last = c;
  };
  std::size_t r = from;
  while (r < size) {
#if defined(__SSE2__)
    if (r > 0 && r + kBlock + 1 <= size && CleanBlock(data + r, data + w, rule)) {
      r += kBlock;
      w += kBlock;
      last = data[w - 1];
      continue;
    }
#endif
    for (const std::size_t end = std::min(size, r + kBlock); r < end; ++r) {
      const auto c = static_cast<unsigned char>(data[r]);
      switch (table.cls[c]) {
        case kKeep:
          put(table.out[c]);
          break;
        case kBlank:
          if (last != ' ' && last != '\n') put(' ');
          break;
        case kSeparator:
          if (last != ' ') put(' ');
          break;
        case kCr:
          put(r + 1 < size && data[r + 1] == '\n' ? '\r' : '\n');
          break;
        case kLf:
          put('\n');
          break;
      }
    }
  }
  buffer.resize(w);
}

namespace {

// Lone CRs become line feeds; a CR LF pair stays and Line() leaves its CR out.
void NormalizeLineEnds(std::string& text) {
  for (std::size_t cr = text.find('\r'); cr != std::string::npos; cr = text.find('\r', cr + 1)) {
    if (cr + 1 == text.size() || text[cr + 1] != '\n') text[cr] = '\n';
  }
}

}  // namespace

void DropFinalEmptyLine(std::string& buffer) {
  std::string_view text(buffer);
  if (!text.ends_with('\n')) return;
  text.remove_suffix(text.ends_with("\r\n") ? 2 : 1);
  if (text.empty() || text.back() == '\n') buffer.resize(text.size());
}

namespace {

// An editor's habit of ending a file with empty lines is not an empty data line: the text
// ends after the line break of its last line that holds more than blanks and tabs.
void DropTrailingBlankLines(std::string& text, std::size_t dataStart) {
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  if (last == std::string::npos || last < dataStart) return;
  const std::size_t end = text.find_first_of(kCrLf, last);
  if (end == std::string::npos) return;
  const bool pair = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
  text.resize(end + (pair ? 2 : 1));
}

// The head lines of `head` (each with its line break, the last one's optional) joined by CR LF.
std::string JoinHeadLines(std::string_view head, std::size_t joinedSize) {
  std::string joined;
  joined.reserve(joinedSize);
  for (std::size_t pos = 0; pos < head.size();) {
    const LineSpan line = LineAt(head, pos);
    if (pos > 0) joined += kCrLf;
    joined.append(head, pos, line.end - pos);
    pos = line.next;
  }
  return joined;
}

// The same join inside the buffer that holds the head in [0, headEnd), from the last line to
// the first: a line never moves towards the front, so nothing is overwritten before it is
// copied. Grows the buffer only when line feeds alone became CR LF.
void JoinHeadLinesInPlace(std::string& buffer, std::size_t headEnd, std::size_t joinedSize) {
  buffer.resize(std::max(headEnd, joinedSize));
  char* data = buffer.data();
  // The last head line ends before its line break, if it has one.
  std::size_t end = headEnd;
  if (end > 0 && data[end - 1] == '\n') --end;
  if (end > 0 && data[end - 1] == '\r' && end < headEnd) --end;
  if (end == headEnd && end > 0 && data[end - 1] == '\r') --end;
  std::size_t write = joinedSize;
  while (true) {
    std::size_t begin = end;
    while (begin > 0 && data[begin - 1] != '\n' && data[begin - 1] != '\r') --begin;
    write -= end - begin;
    std::memmove(data + write, data + begin, end - begin);
    if (begin == 0) break;
    // The break before this line: CR LF, LF or CR.
    end = begin - 1;
    if (data[end] == '\n' && end > 0 && data[end - 1] == '\r') --end;
    write -= 2;
    data[write] = '\r';
    data[write + 1] = '\n';
  }
  buffer.resize(joinedSize);
}

}  // namespace

DataText::DataText(std::string text) {
  NormalizeLineEnds(text);
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
  std::size_t end = starts_[index + 1] - 1;
  if (end > begin && buffer_[end - 1] == '\r') --end;
  return std::string_view(buffer_).substr(begin, end - begin);
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
  // Only head lines at the very top count; the first number line ends the scan for good.
  std::size_t pos = 0;
  std::size_t headChars = 0;
  while (pos < text.size()) {
    const LineSpan line = LineAt(text, pos);
    if (IsNumberLine(text.substr(pos, line.end - pos))) break;
    headChars += line.end - pos;
    pos = line.next;
    ++result.HeadLineCount;
  }
  DropTrailingBlankLines(fileText, pos);
  const std::string_view whole(fileText);
  const std::size_t headLines = result.HeadLineCount;
  const std::size_t joinedSize = headChars + (headLines > 0 ? 2 * (headLines - 1) : 0);
  std::string data;
  if (pos <= whole.size() - pos) {
    result.TextInDataFile = JoinHeadLines(whole.substr(0, pos), joinedSize);
    data = std::move(fileText);
  } else {
    // A file that is mostly head: its buffer becomes the head text, so a file of gigabytes
    // without data is never held twice.
    data.assign(whole.substr(pos));
    JoinHeadLinesInPlace(fileText, pos, joinedSize);
    result.TextInDataFile = std::move(fileText);
    pos = 0;
  }
  const std::string_view rest = std::string_view(data).substr(pos);
  const CommaRule rule = DecideCommaRule(rest);
  const bool lastLineEnded = !rest.empty() && (rest.back() == '\n' || rest.back() == '\r');
  CleanUpInPlace(data, pos, rule);
  // The cleaned lines form one text again, whose final empty line (after a final line break)
  // is no line: a data file's trailing blank line does not reach the drawing.
  if (lastLineEnded) DropFinalEmptyLine(data);
  result.Data = DataText::FromNormalized(std::move(data));
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
      const double tanPsi =
          0.93185 * (1 - t) + 0.39542 * t + 0.9 * std::sin(kPi * t) + 0.35 * std::sin(3 * kPi * t);
      const double cosDelta = -0.16795 * (1 - t) - 0.03970 * t - 0.45 * std::sin(2 * kPi * t) +
                              0.3 * std::sin(5 * kPi * t);
      std::snprintf(line, sizeof line, "%.5f %.5f %.5f\n", 300.0 + i, tanPsi, cosDelta);
      text += line;
    }
    return text;
  }();
  return sample;
}

std::string_view NextField(std::string_view& rest) {
  return SplitAt(" ", rest);
}

double ConvertField(std::string_view field) {
  return ParseDataField(field);
}

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

}  // namespace kurvex
