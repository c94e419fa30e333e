#include "graph/zoom.h"

#include <algorithm>
#include <cmath>

#include "graph/axis_map.h"

namespace kurvex {

namespace {

// Axis limits are 48-bit reals; a view must leave room for a step on both sides of them, and a
// range this narrow against its values is the noise of their last stored digits.
constexpr long double kLargest = 1e36L;
constexpr long double kTiniest = 1e-30L;
constexpr long double kRelativeSpan = 1e-8L;
constexpr double kNotch = 120;
constexpr double kNotchFactor = 1.25;

long double Scaled(const TMyAxis& axis, long double value) {
  return LogarithmicScale(axis) ? std::log10(value) : value;
}

}  // namespace

long double AxisValueAt(const TMyAxis& axis, double fraction) {
  const long double from = Scaled(axis, axis.Minimum);
  const long double to = Scaled(axis, axis.Maximum);
  const long double scaled = from + (to - from) * fraction;
  return LogarithmicScale(axis) ? std::pow(10.0L, scaled) : scaled;
}

std::optional<AxisView> ViewAxis(const TMyAxis& axis, double first, double last) {
  if (axis.Minimum == axis.Maximum || !std::isfinite(first) || !std::isfinite(last) ||
      first == last) {
    return std::nullopt;
  }
  AxisView view;
  view.From = AxisValueAt(axis, first);
  view.To = AxisValueAt(axis, last);
  const long double low = std::min(view.From, view.To);
  const long double high = std::max(view.From, view.To);
  const long double magnitude = std::max(std::fabs(low), std::fabs(high));
  if (!std::isfinite(low) || !std::isfinite(high) || magnitude > kLargest) return std::nullopt;
  if (high - low <= magnitude * kRelativeSpan || high - low < kTiniest) return std::nullopt;
  if (LogarithmicScale(axis)) {
    if (low < kTiniest) return std::nullopt;
    // Decades have no even step: the lower limit's own digits decide, as a fitted decade's do.
    view.DecDigits = StepDecimals(low);
  } else {
    view.DecDigits = StepDecimals((high - low) / std::max(axis.TickCount, 1));
  }
  return view;
}

std::optional<AxisView> ZoomAxis(const TMyAxis& axis, double about, double factor) {
  if (!(factor > 0)) return std::nullopt;
  return ViewAxis(axis, about - about / factor, about + (1 - about) / factor);
}

std::optional<AxisView> PanAxis(const TMyAxis& axis, double shift) {
  std::optional<AxisView> view = ViewAxis(axis, shift, 1 + shift);
  // The step stays, and so do the decimals the user gave it.
  if (view) view->DecDigits = axis.TickLabels.DecDigits;
  return view;
}

AxisView ViewOf(const TMyAxis& axis) {
  return {axis.Minimum, axis.Maximum, axis.TickLabels.DecDigits};
}

int StepDecimals(long double step) {
  if (!(step > 0) || !std::isfinite(step)) return 0;
  int exponent = static_cast<int>(std::floor(std::log10(step)));
  // Two significant digits: 10..99 times 10^(exponent - 1).
  long long digits = std::llround(step / std::pow(10.0L, exponent - 1));
  if (digits >= 100) {
    ++exponent;
    digits /= 10;
  }
  const int decimals = digits % 10 == 0 ? -exponent : 1 - exponent;
  return std::max(0, decimals);
}

std::optional<double> FractionX(const GraphModel& model, const DrawingState& state, double x) {
  if (model.AxisX.Length == 0) return std::nullopt;
  return (x - state.OriginX) / model.AxisX.Length;
}

std::optional<double> FractionY(const GraphModel& model, const DrawingState& state, double y) {
  if (model.AxisY.Length == 0) return std::nullopt;
  return (state.OriginY - y) / model.AxisY.Length;
}

double WheelZoomFactor(int angleDelta) {
  return std::pow(kNotchFactor, angleDelta / kNotch);
}

}  // namespace kurvex
