#pragma once

#include <optional>

#include "graph/drawing_state.h"
#include "graph/model.h"

namespace kurvex {

/// What a zoom or pan gives one axis: its From and To, and the tick-label decimals their tick
/// step needs. The tick count stays.
struct AxisView {
  long double From = 0;
  long double To = 0;
  int DecDigits = 0;
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
