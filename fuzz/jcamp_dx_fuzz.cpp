// Any bytes as a JCAMP-DX file: the decoder must not crash, must keep its points, curves, lines
// and error in step, must keep only values the axes can take, and must stay within its memory
// bound per input byte. The same bytes also give a row of ordinates that is written out in one
// of the table forms and must come back exactly.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "graph/data/jcamp_dx.h"

namespace {

std::size_t LineCount(std::string_view text) {
  std::size_t lines = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++lines;
    }
  }
  return lines;
}

bool Drawable(double v) {
  return std::isnan(v) || std::abs(v) <= kurvex::kJcampDrawableLimit;
}

void CheckDecoded(std::string_view text) {
  const kurvex::JcampDxData d = kurvex::ReadJcampDx(text);
  Check(d.X.size() == d.Y.size());
  Check(d.MoreY.size() < 10);
  // Memory per input byte: every curve holds at most 16 points a byte of input, and its
  // vector at most twice what it holds or what the file's declared count reserved.
  const std::size_t points = 16 * text.size() + 16;
  Check(d.Y.size() <= points);
  Check(d.X.capacity() <= 2 * points && d.Y.capacity() <= 2 * points);
  for (const auto& y : d.MoreY) {
    Check(y.size() == d.Y.size());
    Check(y.capacity() <= 2 * points);
    for (const double v : y) Check(Drawable(v));
  }
  for (std::size_t i = 0; i < d.Y.size(); ++i) Check(Drawable(d.X[i]) && Drawable(d.Y[i]));
  Check(d.HeadText.size() <= 2 * text.size());
  const std::size_t lines = LineCount(text);
  Check(d.Lines.capacity() <= 2 * lines + 2);
  for (std::size_t i = 0; i < d.Lines.size(); ++i) {
    Check(d.Lines[i].Line >= 1 && d.Lines[i].Line <= lines);
    Check(d.Lines[i].FirstPoint < d.Y.size());
    if (i > 0) Check(d.Lines[i].Line > d.Lines[i - 1].Line);
    if (i > 0) Check(d.Lines[i].FirstPoint > d.Lines[i - 1].FirstPoint);
  }
  if (d.Error) {
    Check(d.Error->Line >= 1 && d.Error->Line <= lines);
    Check(d.Error->Message.rfind("JCAMP-DX ", 0) == 0);
    // Nothing of the failing line or after it is kept.
    Check(d.Lines.empty() || d.Lines.back().Line < d.Error->Line);
  }
  Check(d.DrawnBlock <= d.BlockCount);
  Check(d.DrawnPages <= d.PageCount &&
        d.MoreY.size() + 1 <= std::max<std::size_t>(1, d.DrawnPages));
  if (d.BlockCount == 0) Check(d.Error && d.Y.empty() && d.HeadText.empty());
  if (text.rfind("##TITLE=", 0) == 0) Check(kurvex::LooksLikeJcampDx(text));
}

// The compressed forms' first characters: digit 0..9, positive and negative.
std::string Leading(long value, const char* positive, const char* negative) {
  const std::string digits = std::to_string(value < 0 ? -value : value);
  return (value < 0 ? negative : positive)[digits[0] - '0'] + digits.substr(1);
}
std::string Sqz(long v) {
  return Leading(v, "@ABCDEFGHI", "@abcdefghi");
}
std::string Dif(long v) {
  return Leading(v, "%JKLMNOPQR", "%jklmnopqr");
}
std::string Dup(std::size_t n) {
  return Leading(static_cast<long>(n), " STUVWXYZs", "");
}

enum Form { kAffn, kPac, kSqz, kSqzDup, kDif, kDifDup, kFormCount };

// Tokens with runs of equal ones written once with a repeat count.
std::string Runs(const std::vector<std::string>& tokens, bool dup) {
  std::string out;
  for (std::size_t i = 0; i < tokens.size();) {
    std::size_t run = 1;
    while (dup && i + run < tokens.size() && tokens[i + run] == tokens[i]) ++run;
    out += tokens[i];
    if (run > 1) out += Dup(run);
    i += run;
  }
  return out;
}

// The table lines of `ys` with x = index, `perLine` values a line.
std::string WriteTable(const std::vector<long>& ys, Form form, std::size_t perLine) {
  std::string table;
  const bool dif = form == kDif || form == kDifDup;
  for (std::size_t i = 0; i < ys.size();) {
    const std::size_t end = std::min(ys.size(), i + perLine);
    std::vector<std::string> tokens;
    for (std::size_t j = i; j < end; ++j) {
      const long y = ys[j];
      if (form == kAffn) tokens.push_back(" " + std::to_string(y));
      if (form == kPac) tokens.push_back((y < 0 ? "" : "+") + std::to_string(y));
      if (form == kSqz || form == kSqzDup || (dif && j == i)) tokens.push_back(Sqz(y));
      if (dif && j > i) tokens.push_back(Dif(y - ys[j - 1]));
    }
    table += std::to_string(i) + Runs(tokens, form == kSqzDup || form == kDifDup) + "\n";
    // A line in DIF form ends with a check value: the next line starts on its last point.
    if (dif && end - i > 1) {
      if (end == ys.size()) {
        table += std::to_string(end - 1) + Sqz(ys[end - 1]) + "\n";
        break;
      }
      i = end - 1;
    } else {
      i = end;
    }
  }
  return table;
}

void CheckRoundTrip(const uint8_t* bytes, std::size_t size) {
  if (size < 4) return;
  const Form form = static_cast<Form>(bytes[0] % kFormCount);
  const std::size_t perLine = 2 + bytes[1] % 15;
  const long scale = 1 + bytes[2] % 4 * 333;
  std::vector<long> ys;
  long y = 0;
  for (std::size_t i = 3; i < size; ++i) {
    // Small steps make runs for DUP, large ones many digits.
    const long step = static_cast<long>(static_cast<int8_t>(bytes[i]));
    y = (bytes[i] & 0x10) ? step * scale * 1000 : y + step / 32;
    ys.push_back(y);
  }
  const std::string text =
      "##TITLE=round trip\n##FIRSTX=0\n##LASTX=" + std::to_string(ys.size() - 1) +
      "\n##NPOINTS=" + std::to_string(ys.size()) + "\n##XYDATA=(X++(Y..Y))\n" +
      WriteTable(ys, form, perLine) + "##END=\n";
  const kurvex::JcampDxData d = kurvex::ReadJcampDx(text);
  Check(!d.Error);
  Check(d.Y.size() == ys.size());
  for (std::size_t i = 0; i < ys.size(); ++i) {
    Check(d.Y[i] == static_cast<double>(ys[i]));
    Check(d.X[i] == static_cast<double>(i));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
  CheckDecoded(std::string_view(reinterpret_cast<const char*>(bytes), size));
  CheckRoundTrip(bytes, size);
  return 0;
}
