#pragma once

#include <span>
#include <vector>

namespace kurvex {

/// A Savitzky-Golay filter as it is applied: the window odd and at least 3 (an even one is one
/// wider), no wider than the curve, the order below the window and at least the derivative.
struct SmoothingWindow {
  int Width = 5;
  int Order = 2;
  int Derivative = 0;  // 0 the smoothed values, 1 or 2 a derivative
};

/// The window and order a filter of `points` points really uses for what was asked.
SmoothingWindow FitWindow(int width, int order, int derivative, std::size_t points);

/// The convolution coefficients for evenly spaced points one x unit apart, from the leftmost
/// point of the window: a derivative's are divided by the spacing to its power.
std::vector<double> SavitzkyGolayCoefficients(const SmoothingWindow& w);

/// The smoothed curve (or its derivative) at each point: the value at the point of the
/// polynomial fitted by least squares to the `Width` points around it (at the ends, the first
/// or last `Width` points). Evenly spaced x take the convolution coefficients; unevenly spaced
/// x a fit per point. Runs of points between gaps (NaN) are filtered on their own; a run
/// shorter than the order needs is left a gap.
std::vector<double> SavitzkyGolay(std::span<const double> x, std::span<const double> y,
                                  const SmoothingWindow& w);

}  // namespace kurvex
