#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace kurvex {

/// The largest polynomial degree the fits take (a Savitzky-Golay order, a baseline's degree).
inline constexpr int kMaxFitDegree = 10;

/// Solves the n x n system `a` x = `b` (row-major, n <= kMaxFitDegree + 1) by elimination with
/// partial pivoting; `b` becomes x. False when the system is singular (points on fewer distinct
/// x than the degree needs).
bool SolveSmall(double* a, double* b, int n);

/// A polynomial in the shifted and scaled variable (x - Center) / Scale, which keeps the
/// normal equations of a fit well conditioned far from x = 0.
struct Polynomial {
  double Center = 0;
  double Scale = 1;
  std::vector<double> Coefficients;  // lowest power first; empty: no fit

  double operator()(double x) const;
};

/// The least-squares polynomial of `degree` through the points (lowered to the number of
/// distinct points less one); no coefficients without points or when the fit is singular.
Polynomial FitPolynomial(std::span<const double> x, std::span<const double> y, int degree);

/// The curve's value at `at`, interpolated linearly between the two points around it (x in any
/// order, gaps skipped); NaN outside the curve.
double InterpolateAt(std::span<const double> x, std::span<const double> y, double at);

/// The area under the curve by trapezoids over x as it is spaced, gaps skipped; positive
/// whichever way x runs.
double TrapezoidArea(std::span<const double> x, std::span<const double> y);

}  // namespace kurvex
