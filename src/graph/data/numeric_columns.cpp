#include "graph/data/numeric_columns.h"

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

}  // namespace

bool IsMissingValue(std::string_view field) {
  return field.empty() || field == "NaN" || field == "nan" || field == "---" || field == "-";
}

NumericColumns::NumericColumns(std::vector<double> x, std::vector<double> y)
    : lines_(x.size()), curves_(1), x_(std::move(x)) {
  y_.push_back(std::move(y));
}

void NumericColumns::StopWith(std::string message, std::size_t fileLine) {
  bad_ = BadField{lines_, 0, {}, std::move(message), fileLine};
  ++lines_;
  x_.push_back(kGap);
  for (auto& y : y_) y.push_back(kGap);
}

NumericColumns::NumericColumns(const DataText& data, MissingValues missing)
    : lines_(data.LineCount()) {
  const bool gaps = missing == MissingValues::kAreGaps;
  if (lines_ == 0) return;
  curves_ = CountFields(data.Line(0));
  const int fields = curves_ + 1;
  x_.resize(lines_);
  y_.assign(static_cast<std::size_t>(curves_), std::vector<double>(lines_));
  double* column[kMaxCurves + 1];
  column[0] = x_.data();
  for (int k = 0; k < curves_; ++k) column[k + 1] = y_[static_cast<std::size_t>(k)].data();
  for (std::size_t r = 0; r < lines_; ++r) {
    std::string_view rest = data.Line(r);
    for (int f = 0; f < fields; ++f) {
      const std::string_view field = NextField(rest);
      if (!TryParseDataField(field, column[f][r])) {
        if (gaps && IsMissingValue(field)) {
          column[f][r] = kGap;
          continue;
        }
        // What the line holds up to here stays, so the drawing can go as far as the field.
        bad_ = BadField{r, f, std::string(field), {}, 0};
        for (int g = f; g < fields; ++g) column[g][r] = kGap;
        x_.resize(r + 1);
        for (auto& y : y_) y.resize(r + 1);
        return;
      }
    }
  }
}

void NumericColumns::ThrowBad() const {
  if (!bad_->Message.empty()) throw DataLineError(bad_->Message, bad_->FileLine);
  AtDataLine(bad_->Line, [this] { return ParseDataField(bad_->Text); });
  throw DataLineError("'" + bad_->Text + "' is not a valid floating point value", bad_->Line + 1);
}

}  // namespace kurvex
