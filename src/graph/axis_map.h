#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "graph/drawing_state.h"
#include "graph/model.h"

namespace kurvex {

/// Rounds half to even into int32; out of range (or NaN) throws "Invalid floating point
/// operation".
int32_t RoundToInt32(long double value);

/// origin + sign * offset, saturated to int32 (positions typed by a user can be anything).
int32_t AddPixels(int32_t origin, int32_t offset, int sign);

/// Whether the axis maps the logarithm of its values: asked for, and both ends above zero.
inline bool LogarithmicScale(const TMyAxis& axis) {
  return axis.Logarithmic && axis.Minimum > 0 && axis.Maximum > 0;
}

/// One axis's value <-> pixel mapping with the axis read once, for loops over many points.
/// On a logarithmic axis a value not above zero has no pixel: the mapping throws, as for values
/// beyond the pixel range.
class AxisMap {
 public:
  /// The axis as the model sets it now, from the origin of a drawing.
  static AxisMap X(const GraphModel& model, const DrawingState& state);
  static AxisMap Y(const GraphModel& model, const DrawingState& state);

  int32_t ToPixel(long double value) const;
  /// The same for the data fields' doubles, inline: drawing maps millions of them.
  int32_t ToPixel(double value) const {
    int32_t pixel;
    if (logarithmic_) return ToPixel(static_cast<long double>(value));
    return Quick(value, pixel) ? pixel : ToPixel(static_cast<long double>(value));
  }
  long double ToValue(int32_t pixel) const;
  bool Logarithmic() const { return logarithmic_; }

 private:
  AxisMap(int32_t origin, const TMyAxis& axis, int sign);
  // The logarithms take the values' place; a linear axis maps them unchanged.
  int32_t Linear(long double value) const;

  // In double precision and without a division the result rounds as the extended formula does
  // whenever it lies further from a half than the error bound of these few operations; false
  // otherwise, and for everything that may fail, which the extended formula then decides.
  bool Quick(double value, int32_t& pixel) const {
    if (scale_ == 0) return false;
    const double offset = (value - minimumD_) * scale_;
    if (!(offset > -0x1p30 && offset < 0x1p30)) return false;
    const double bound =
        ((std::abs(value) + std::abs(minimumD_)) * std::abs(scale_) + std::abs(offset)) * 0x1p-49;
    const auto truncated = static_cast<int64_t>(offset);
    const int64_t below = offset < static_cast<double>(truncated) ? truncated - 1 : truncated;
    const double fraction = offset - static_cast<double>(below);
    if (!(std::abs(fraction - 0.5) > bound)) return false;
    const int64_t sum = origin_ + sign_ * (fraction > 0.5 ? below + 1 : below);
    pixel = static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
    return true;
  }

  int32_t origin_;
  long double minimum_;
  long double span_;
  int32_t length_;
  int sign_;  // +1: pixels grow with the value (x); -1: they shrink (y)
  bool logarithmic_;
  double minimumD_ = 0;
  double scale_ = 0;  // length / span, 0 when that is not a finite number
};

}  // namespace kurvex
