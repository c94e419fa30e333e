#pragma once

#include <cstdint>

#include "graph/model.h"

namespace kurvex {

/// Rounds half to even into int32; out of range (or NaN) throws "Invalid floating point
/// operation".
int32_t RoundToInt32(long double value);

/// origin + sign * offset, saturated to int32 (positions typed by a user can be anything).
int32_t AddPixels(int32_t origin, int32_t offset, int sign);

/// One axis's value <-> pixel mapping with the axis read once, for loops over many points.
class AxisMap {
 public:
  static AxisMap X(const GraphModel& model);
  static AxisMap Y(const GraphModel& model);

  int32_t ToPixel(long double value) const;
  long double ToValue(int32_t pixel) const;

 private:
  AxisMap(int32_t origin, long double minimum, long double maximum, int32_t length, int sign);
  int32_t origin_;
  long double minimum_;
  long double span_;
  int32_t length_;
  int sign_;          // +1: pixels grow with the value (x); -1: they shrink (y)
  double scale_ = 0;  // length / span, 0 when that is not a finite number
};

}  // namespace kurvex
