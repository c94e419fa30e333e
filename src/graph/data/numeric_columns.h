#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graph/data/data_text.h"

namespace kurvex {

/// A field of the data that does not convert: where the drawing stops.
struct BadField {
  std::size_t Line = 0;      // data line, from 0
  int Field = 0;             // 0 the x field, k the y field of curve k
  std::string Text;          // the field as it stands ("" for a field the line lacks)
  std::string Message;       // a reader's own reason, shown instead of the conversion's
  std::size_t FileLine = 0;  // with Message: the line of the file it names
};

/// Whether a field that marks a missing value ("NaN", "nan", "---", "-" or empty) is a gap in
/// its curve or, as in plain data files, a field that does not convert.
enum class MissingValues { kAreErrors, kAreGaps };

/// Whether a field is one of the texts instrument files write for a missing value.
bool IsMissingValue(std::string_view field);

/// The numbers of a data text, converted once when it is loaded so that every redraw reads
/// numbers: the x field and the y fields of the first line's curve count (at most ten) of every
/// line, up to the first field that does not convert. Fields beyond them are never read.
class NumericColumns {
 public:
  /// A value that stands for no number (a gap in a curve); never the value of a field.
  static constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

  NumericColumns() = default;
  explicit NumericColumns(const DataText& data, MissingValues missing = MissingValues::kAreErrors);
  /// Converts further lines as if they followed those converted so far: a file read in
  /// pieces. `expectedLines`, when known, spares the columns their regrowth.
  void Append(const DataText& data, MissingValues missing, std::size_t expectedLines = 0);

  /// One curve given as points (a reader that decodes its own format); NaN is a gap.
  NumericColumns(std::vector<double> x, std::vector<double> y);
  /// Curves on the same x, each as long as `x` (at most ten).
  NumericColumns(std::vector<double> x, std::vector<std::vector<double>> ys);

  /// Ends the data after the points it holds with a reader's error naming a line of the file:
  /// the drawing stops there with `message`.
  void StopWith(std::string message, std::size_t fileLine);

  /// Lines of the data text (also those after a bad field, which hold no numbers).
  std::size_t LineCount() const { return lines_; }
  /// Lines whose numbers were converted: every line, or up to and with the bad field's line.
  std::size_t ConvertedLines() const { return x_.size(); }
  /// The y fields of the first line, at most ten: the curves drawn.
  int CurveCount() const { return curves_; }
  /// Field `field` (0 = x) of data line `line`; only for fields before the bad one.
  double Value(int field, std::size_t line) const {
    return field == 0 ? x_[line] : y_[static_cast<std::size_t>(field - 1)][line];
  }
  /// The numbers of field `field` (0 = x), ConvertedLines() of them.
  const double* Column(int field) const {
    return field == 0 ? x_.data() : y_[static_cast<std::size_t>(field - 1)].data();
  }
  /// The numbers of curve `curve` (1..CurveCount()) to change in place: a copy processed for
  /// drawing.
  double* MutableCurve(int curve) { return y_[static_cast<std::size_t>(curve - 1)].data(); }
  /// Lines whose numbers are all converted: up to the bad field's line.
  std::size_t WholeLines() const { return bad_ ? std::min(bad_->Line, x_.size()) : x_.size(); }
  /// The first field that does not convert, if any.
  const std::optional<BadField>& FirstBad() const { return bad_; }
  /// Throws the conversion's own error for the bad field, naming its line (DataLineError).
  [[noreturn]] void ThrowBad() const;

 private:
  std::size_t lines_ = 0;
  int curves_ = 0;
  std::vector<double> x_;
  std::vector<std::vector<double>> y_;
  std::optional<BadField> bad_;
};

}  // namespace kurvex
