#include "graph/mapping.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/error.h"
#include "common/number_text.h"
#include "graph/axis_map.h"

namespace kurvex {

namespace {

constexpr const char* kDivisionByZero = "Floating point division by zero";
constexpr const char* kInvalidOperation = "Invalid floating point operation";

// Division as the floating point unit reports it: 0/0 is invalid, x/0 a division by zero.
long double Divide(long double dividend, long double divisor) {
  if (divisor == 0) throw Error(dividend == 0 ? kInvalidOperation : kDivisionByZero);
  return dividend / divisor;
}

}  // namespace

int32_t RoundToInt32(long double value) {
  // Also rejects NaN. Values up to half a unit beyond the int32 range can still round into it.
  if (!(value >= -2147483648.5L && value <= 2147483647.5L)) throw Error(kInvalidOperation);
  // Adding 1.5 * 2^63 leaves no fraction bits in the 64-bit significand, so the addition itself
  // rounds to an integer, half to even; far faster than nearbyintl, which saves the FPU state.
  constexpr long double kShift = 0x1.8p63L;
  const long double shifted = value + kShift;
  const long double rounded = shifted - kShift;
  if (rounded < -2147483648.0L || rounded > 2147483647.0L) throw Error(kInvalidOperation);
  return static_cast<int32_t>(rounded);
}

int32_t AddPixels(int32_t origin, int32_t offset, int sign) {
  const int64_t sum = static_cast<int64_t>(origin) + sign * static_cast<int64_t>(offset);
  if (sum > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (sum < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(sum);
}

AxisMap::AxisMap(int32_t origin, const TMyAxis& axis, int sign)
    : origin_(origin), length_(axis.Length), sign_(sign), logarithmic_(LogarithmicScale(axis)) {
  long double minimum = axis.Minimum;
  long double maximum = axis.Maximum;
  if (logarithmic_) {
    minimum = std::log10(minimum);
    maximum = std::log10(maximum);
  }
  minimum_ = minimum;
  span_ = maximum - minimum;
  const long double scale = span_ != 0 ? length_ / span_ : 0;
  scale_ = std::isfinite(static_cast<double>(scale)) ? static_cast<double>(scale) : 0;
  minimumD_ = static_cast<double>(minimum_);
}

AxisMap AxisMap::X(const GraphModel& m, const DrawingState& s) {
  return AxisMap(s.OriginX, m.AxisX, +1);
}

AxisMap AxisMap::Y(const GraphModel& m, const DrawingState& s) {
  return AxisMap(s.OriginY, m.AxisY, -1);
}

int32_t AxisMap::ToPixel(long double value) const {
  // The logarithm of zero is minus infinity, of a negative value NaN: both fail the rounding.
  return Linear(logarithmic_ ? std::log10(value) : value);
}

int32_t AxisMap::Linear(long double value) const {
  int32_t pixel;
  if (Quick(static_cast<double>(value), pixel)) return pixel;
  const long double offset = Divide((value - minimum_) * length_, span_);
  return AddPixels(origin_, RoundToInt32(offset), sign_);
}

long double AxisMap::ToValue(int32_t pixel) const {
  const long double distance = sign_ * (static_cast<long double>(pixel) - origin_);
  const long double value = minimum_ + span_ * Divide(distance, length_);
  return logarithmic_ ? std::pow(10.0L, value) : value;
}

int32_t ValueToPixelX(const GraphModel& model, const DrawingState& state, long double x) {
  return AxisMap::X(model, state).ToPixel(x);
}
int32_t ValueToPixelY(const GraphModel& model, const DrawingState& state, long double y) {
  return AxisMap::Y(model, state).ToPixel(y);
}
long double PixelToValueX(const GraphModel& model, const DrawingState& state, int32_t px) {
  return AxisMap::X(model, state).ToValue(px);
}
long double PixelToValueY(const GraphModel& model, const DrawingState& state, int32_t py) {
  return AxisMap::Y(model, state).ToValue(py);
}

std::string InitialCursorText() {
  return std::string(kCursorPositionPrefix) + "   X=?;   Y=?;";
}

std::string ClearCursorText(const std::string& prefix) {
  return prefix + "   X=?;   Y=?";
}

namespace {

// A logarithmic axis spans decades, where the axis's decimals would round most values to zero:
// the readout keeps three significant digits.
std::string ReadoutText(const TMyAxis& axis, long double value) {
  int digits = axis.TickLabels.DecDigits;
  if (LogarithmicScale(axis) && value > 0) {
    digits = std::max(digits, 2 - static_cast<int>(std::floor(std::log10(value))));
  }
  return FormatAxisValue(value, digits);
}

}  // namespace

std::string CursorReadout(const GraphModel& model, const DrawingState& state,
                          const std::string& prefix, int x, int y) {
  const int64_t ox = state.OriginX;
  const int64_t oy = state.OriginY;
  const bool inside =
      ox <= x && x <= ox + model.AxisX.Length && oy - model.AxisY.Length <= y && y <= oy;
  if (!inside) return ClearCursorText(prefix);
  return prefix + "   X=" + ReadoutText(model.AxisX, PixelToValueX(model, state, x)) +
         ";   Y=" + ReadoutText(model.AxisY, PixelToValueY(model, state, y));
}

}  // namespace kurvex
