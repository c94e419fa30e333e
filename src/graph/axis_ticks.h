#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graph/model.h"

namespace kurvex {

/// The text at a tick: a number, or a power of ten whose exponent is drawn smaller and raised
/// after the base ("10" and "-5", "2×10" and "6").
struct TickLabel {
  std::string Base;
  std::string Exponent;  // empty for a plain number

  bool operator==(const TickLabel&) const = default;
};

/// Why an axis asked to be logarithmic draws linear ("Axis X is logarithmic, but ..."); empty
/// when it does not. `name` is "X" or "Y".
std::string LogarithmicWarning(const TMyAxis& axis, const char* name);
/// The warnings of both axes, "; " between them.
std::string LogarithmicWarnings(const GraphModel& model);

/// The ticks of one axis, from the one at From (the origin) towards To, whichever is larger.
/// A linear axis has TickCount + 1 evenly spaced ticks (none for a count below one), labelled
/// with the axis's decimals. A logarithmic axis has its powers of ten and, over fewer than three
/// decades, also 2 and 5 times them, labelled as plain numbers from 0.001 to 10000 and as powers
/// of ten outside; fewer than two of them in the range, and it takes the linear ticks.
class AxisTicks {
 public:
  explicit AxisTicks(const TMyAxis& axis);

  /// Whether the ticks are the evenly spaced values of TickCount, indexed 0..TickCount (their
  /// labels then sit on the evenly spaced rows of a linear y axis).
  bool Even() const { return values_.empty(); }
  /// The last index; the first is 0. Below 0 when there are no ticks.
  int64_t Last() const;
  long double Value(int64_t i) const;
  TickLabel Label(int64_t i) const;

 private:
  long double minimum_;
  long double span_;
  int count_;
  int decDigits_;
  std::vector<long double> values_;  // the logarithmic axis's ticks
  std::vector<TickLabel> labels_;
};

}  // namespace kurvex
