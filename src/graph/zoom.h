#pragma once

#include <optional>

#include "graph/drawing_state.h"
#include "graph/model.h"

namespace kurvex {

/// What a zoom or pan gives one axis: its From and To, the tick-label decimals their tick step
/// needs and, when it changes, the tick count.
struct AxisView {
  AxisView() = default;
  AxisView(long double from, long double to, int decDigits,
           std::optional<int> tickCount = std::nullopt)
      : From(from), To(to), DecDigits(decDigits), TickCount(tickCount) {}

  long double From = 0;
  long double To = 0;
  int DecDigits = 0;
  std::optional<int> TickCount;
};

/// The value at `fraction` of the axis's length from its From end, in the axis's own scale (a
/// logarithmic axis interpolates decades, a reversed one runs from From down to To); beyond 0..1
/// it goes on past the ends.
long double AxisValueAt(const TMyAxis& axis, double fraction);

/// The axis showing what now lies from `first` to `last` (fractions of its length from From),
/// From staying at the `first` side. Nothing when the range would shrink to noise of the stored
/// digits or leave what an axis limit holds, or when the axis has no range to scale.
std::optional<AxisView> ViewAxis(const TMyAxis& axis, double first, double last);

/// `factor` times closer (below 1: further away) about the point at fraction `about`, which stays
/// where it is.
std::optional<AxisView> ZoomAxis(const TMyAxis& axis, double about, double factor);

/// What lies at fraction `shift` moves to the From end: the pointer moved by -shift lengths. The
/// decimals stay, as the step does.
std::optional<AxisView> PanAxis(const TMyAxis& axis, double shift);

/// A gesture's view widened to ends on whole multiples of a 1, 2 or 5 x 10^n tick step, so the
/// ticks fall on round values: the step that widens it least (of equal ones, the coarser), with
/// 4 to 12 ticks, and never undoing the gesture (a zoom in stays narrower than the axis was). A
/// logarithmic axis, an axis without ticks and a view no step fits are left as they are.
AxisView RoundView(const TMyAxis& axis, AxisView view);

/// PanAxis by whole tick steps (the nearest number of them to `shift`), so round ends stay round
/// and the range keeps its width.
std::optional<AxisView> PanAxisBySteps(const TMyAxis& axis, double shift);

/// What the axis shows now.
AxisView ViewOf(const TMyAxis& axis);

/// The tick-label decimals for a tick step: those of the step rounded to two significant digits,
/// without a trailing zero, so the round steps of Fit to data (1, 2, 2.5 and 5 x 10^n) keep the
/// decimals it gives them.
int StepDecimals(long double step);

/// Where a pixel column or row lies along an axis of a drawing, as a fraction of the axis length
/// from its From end; nothing for an axis of no length.
std::optional<double> FractionX(const GraphModel& model, const DrawingState& state, double x);
std::optional<double> FractionY(const GraphModel& model, const DrawingState& state, double y);

/// A wheel's rotation as the factor it zooms by: 1.25 per notch of 120 eighths of a degree, and
/// the same in proportion for a touchpad's finer steps.
double WheelZoomFactor(int angleDelta);

}  // namespace kurvex
