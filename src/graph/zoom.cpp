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

AxisView RoundView(const TMyAxis& axis, AxisView view) {
  if (LogarithmicScale(axis) || axis.TickCount < 1) return view;
  const long double low = std::min(view.From, view.To);
  const long double high = std::max(view.From, view.To);
  const long double span = high - low;
  const long double shown = std::fabs(axis.Maximum - axis.Minimum);
  if (!(span > 0) || !std::isfinite(span)) return view;
  // Counts of their own, so a zoom's count does not feed the next one's.
  constexpr long double fewest = 4, most = 12;
  struct Choice {
    long double First = 0, Last = 0, Step = 0, Widening = 0;
  };
  std::optional<Choice> best;
  long double power = std::pow(10.0L, std::ceil(std::log10(span)));
  for (int decade = 0; decade < 4; ++decade, power /= 10) {
    for (const long double digit : {5.0L, 2.0L, 1.0L}) {
      const long double step = digit * power;
      // A value a hair above a multiple of the step is that multiple, not the next.
      const long double first = std::floor(low / step + 1e-9L);
      const long double last = std::ceil(high / step - 1e-9L);
      const long double count = last - first;
      if (count < fewest || count > most) continue;
      // Rounding must not undo the gesture: a zoom in ends narrower than the axis was.
      const long double width = count * step;
      if (span < shown && width >= shown * (1 - 1e-9L)) continue;
      if (span > shown && width <= shown * (1 + 1e-9L)) continue;
      const long double widening = width / span;
      // The least widening; of equal ones, the fewer ticks.
      if (!best || widening < best->Widening * (1 - 1e-12L)) {
        best = Choice{first, last, step, widening};
      }
    }
  }
  if (!best) return view;
  const bool falling = view.From > view.To;
  view.From = (falling ? best->Last : best->First) * best->Step;
  view.To = (falling ? best->First : best->Last) * best->Step;
  view.TickCount = static_cast<int>(best->Last - best->First);
  view.DecDigits = StepDecimals(best->Step);
  return view;
}

std::optional<AxisView> PanAxisBySteps(const TMyAxis& axis, double shift) {
  if (LogarithmicScale(axis) || axis.TickCount < 1) return PanAxis(axis, shift);
  return PanAxis(axis, std::round(shift * axis.TickCount) / axis.TickCount);
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
