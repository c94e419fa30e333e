#pragma once

#include <span>
#include <vector>

#include "graph/process/process_settings.h"

namespace kurvex {

/// The baseline of one curve as `p` describes it, a value for each point (NaN where the curve
/// has a gap); empty when `p` asks for none or the curve does not give one (a line's x positions
/// outside the curve, no marked point on it).
///  - line: straight through the curve's values at BaselineX1 and BaselineX2 (interpolated);
///  - polynomial: of BaselineDegree (1 to 5, lower when fewer points are marked), fitted by
///    least squares to the curve's values at the BaselinePoints;
///  - hull: the lower convex hull of the points, a rubber band pulled up from below.
std::vector<double> CurveBaseline(std::span<const double> x, std::span<const double> y,
                                  const TProcessing& p);

/// The lower convex hull of the curve evaluated at each of its points.
std::vector<double> LowerHull(std::span<const double> x, std::span<const double> y);

/// Adds a marked x position, or removes the mark within `tolerance` of it; the marks stay
/// sorted. What a click in the marking mode does.
void ToggleBaselinePoint(TProcessing& p, double x, double tolerance);

}  // namespace kurvex
