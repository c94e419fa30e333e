#include "graph/data/numeric_columns.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string_view>

#include "common/number_text.h"
#include "graph/data/data_error.h"

namespace kurvex {

namespace {

constexpr int kMaxCurves = 10;

// The y fields of a line, counted as the drawing counts them: at most ten.
int CountFields(std::string_view line) {
  NextField(line);  // x
  int count = 0;
  while (!line.empty() && count < kMaxCurves) {
    NextField(line);
    ++count;
  }
  return count;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A plain decimal of at most 15 digits without exponent ("1.46900", "-0.20692", "300"), as
// spectra are written: its digits as an integer and the power of ten to divide by are exact
// doubles, so their quotient is the correctly rounded value from_chars gives, at a fraction of
// its cost. Returns where the number ends, or nullptr for anything else.
const char* ShortDecimal(const char* p, const char* end, double& value) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const bool negative = *p == '-';
  if (negative) ++p;
  std::uint64_t digits = 0;
  int count = 0;
  int decimals = -1;  // none before a point
  for (; p != end; ++p) {
    if (IsDigit(*p)) {
      if (++count > 15) return nullptr;
      digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
      if (decimals >= 0) ++decimals;
    } else if (*p == '.' && decimals < 0) {
      decimals = 0;
    } else {
      break;
    }
  }
  if (count == 0 || (p != end && *p != ' ')) return nullptr;
  const double magnitude = static_cast<double>(digits) / kPowers[decimals > 0 ? decimals : 0];
  value = negative ? -magnitude : magnitude;
  return p;
}

// The next field of a prepared line (fields one blank apart) converted where it plainly is a
// number: digits with an optional minus, point and exponent, ending at a blank or the line's
// end. Anything else (a plus sign, a huge exponent, text) returns false with `rest` untouched,
// for the field parser to decide: the two must agree on every field.
bool QuickField(std::string_view& rest, double& value) {
  const char* p = rest.data();
  const char* end = p + rest.size();
  if (p == end) return false;
  const char* digits = *p == '-' ? p + 1 : p;
  if (digits == end || !(IsDigit(*digits) || *digits == '.')) return false;
  if (const char* stop = ShortDecimal(p, end, value)) {
    rest.remove_prefix(static_cast<std::size_t>(stop - p) + (stop != end ? 1 : 0));
    return true;
  }
  const auto [stop, error] = std::from_chars(p, end, value);
  if (error != std::errc() || (stop != end && *stop != ' ')) return false;
  rest.remove_prefix(static_cast<std::size_t>(stop - p) + (stop != end ? 1 : 0));
  return true;
}

}  // namespace

bool IsMissingValue(std::string_view field) {
  return field.empty() || field == "NaN" || field == "nan" || field == "---" || field == "-";
}

NumericColumns::NumericColumns(std::vector<double> x, std::vector<double> y)
    : lines_(x.size()), curves_(1), x_(std::move(x)) {
  y_.push_back(std::move(y));
}

NumericColumns::NumericColumns(std::vector<double> x, std::vector<std::vector<double>> ys)
    : lines_(x.size()),
      curves_(static_cast<int>(std::min<std::size_t>(ys.size(), kMaxCurves))),
      x_(std::move(x)),
      y_(std::move(ys)) {
  y_.resize(static_cast<std::size_t>(curves_));
}

void NumericColumns::StopWith(std::string message, std::size_t fileLine) {
  bad_ = BadField{lines_, 0, {}, std::move(message), fileLine};
  ++lines_;
  x_.push_back(kGap);
  for (auto& y : y_) y.push_back(kGap);
}

NumericColumns::NumericColumns(const DataText& data, MissingValues missing) {
  Append(data, missing, data.LineCount());
}

void NumericColumns::Append(const DataText& data, MissingValues missing,
                            std::size_t expectedLines) {
  const bool gaps = missing == MissingValues::kAreGaps;
  const std::size_t count = data.LineCount();
  if (count == 0) return;
  if (lines_ == 0) {
    curves_ = CountFields(data.Line(0));
    y_.resize(static_cast<std::size_t>(curves_));
    x_.reserve(expectedLines);
    for (auto& y : y_) y.reserve(expectedLines);
  }
  const int fields = curves_ + 1;
  std::vector<double>* column[kMaxCurves + 1];
  column[0] = &x_;
  for (int k = 0; k < curves_; ++k) column[k + 1] = &y_[static_cast<std::size_t>(k)];
  for (std::size_t i = 0; i < count; ++i, ++lines_) {
    if (bad_) continue;  // the drawing never reads past the bad field: lines are only counted
    std::string_view rest = data.Line(i);
    for (int f = 0; f < fields; ++f) {
      double value = 0;
      if (QuickField(rest, value)) {
        column[f]->push_back(value);
        continue;
      }
      const std::string_view field = NextField(rest);
      if (TryParseDataField(field, value)) {
        column[f]->push_back(value);
        continue;
      }
      if (gaps && IsMissingValue(field)) {
        column[f]->push_back(kGap);
        continue;
      }
      // What the line holds up to here stays, so the drawing can go as far as the field.
      bad_ = BadField{lines_, f, std::string(field), {}, 0};
      for (int g = f; g < fields; ++g) column[g]->push_back(kGap);
      break;
    }
  }
}

void NumericColumns::ThrowBad() const {
  if (!bad_->Message.empty()) throw DataLineError(bad_->Message, bad_->FileLine);
  AtDataLine(bad_->Line, [this] { return ParseDataField(bad_->Text); });
  throw DataLineError("'" + bad_->Text + "' is not a valid floating point value", bad_->Line + 1);
}

}  // namespace kurvex
