#include "graph/process/baseline.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "graph/process/least_squares.h"

namespace kurvex {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kMaxBaselineDegree = 5;

std::vector<double> Evaluate(std::span<const double> x, const Polynomial& p) {
  std::vector<double> b(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) b[i] = p(x[i]);
  return b;
}

std::vector<double> LineBaseline(std::span<const double> x, std::span<const double> y,
                                 const TProcessing& p) {
  const double xs[2] = {p.BaselineX1, p.BaselineX2};
  const double ys[2] = {InterpolateAt(x, y, xs[0]), InterpolateAt(x, y, xs[1])};
  // One position on the curve (or two alike) gives a level line.
  const Polynomial line = FitPolynomial(xs, ys, 1);
  if (line.Coefficients.empty()) return {};
  return Evaluate(x, line);
}

std::vector<double> PolynomialBaseline(std::span<const double> x, std::span<const double> y,
                                       const TProcessing& p) {
  std::vector<double> ys;
  ys.reserve(p.BaselinePoints.size());
  for (const double at : p.BaselinePoints) ys.push_back(InterpolateAt(x, y, at));
  const int degree = std::clamp(p.BaselineDegree, 1, kMaxBaselineDegree);
  const Polynomial fit = FitPolynomial(p.BaselinePoints, ys, degree);
  if (fit.Coefficients.empty()) return {};
  return Evaluate(x, fit);
}

// Which way x runs decides whether the points need sorting: spectra come rising or falling.
std::vector<std::size_t> ByRisingX(std::span<const double> x, std::span<const double> y) {
  std::vector<std::size_t> order;
  order.reserve(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (std::isfinite(x[i]) && std::isfinite(y[i])) order.push_back(i);
  }
  const auto rising = [&](std::size_t a, std::size_t b) { return x[a] < x[b]; };
  const auto falling = [&](std::size_t a, std::size_t b) { return x[a] > x[b]; };
  if (std::is_sorted(order.begin(), order.end(), rising)) return order;
  if (std::is_sorted(order.begin(), order.end(), falling)) {
    std::reverse(order.begin(), order.end());
    return order;
  }
  std::stable_sort(order.begin(), order.end(), rising);
  return order;
}

// Whether b lies on or above the line from a to c: it then leaves the lower hull.
bool NotBelow(double ax, double ay, double bx, double by, double cx, double cy) {
  return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax) <= 0;
}

}  // namespace

std::vector<double> LowerHull(std::span<const double> x, std::span<const double> y) {
  std::vector<double> b(x.size(), kNaN);
  const std::vector<std::size_t> order = ByRisingX(x, y);
  std::vector<std::size_t> hull;  // Andrew's monotone chain, lower half
  for (const std::size_t i : order) {
    if (!hull.empty() && x[hull.back()] == x[i]) {  // of equal x the lowest point counts
      if (y[i] >= y[hull.back()]) continue;
      hull.pop_back();
    }
    while (hull.size() >= 2) {
      const std::size_t a = hull[hull.size() - 2], m = hull.back();
      if (!NotBelow(x[a], y[a], x[m], y[m], x[i], y[i])) break;
      hull.pop_back();
    }
    hull.push_back(i);
  }
  std::size_t segment = 0;
  for (const std::size_t i : order) {
    while (segment + 1 < hull.size() && x[hull[segment + 1]] < x[i]) ++segment;
    if (segment + 1 >= hull.size()) {
      b[i] = y[hull[segment]];
      continue;
    }
    const std::size_t l = hull[segment], r = hull[segment + 1];
    b[i] = y[l] + (y[r] - y[l]) * (x[i] - x[l]) / (x[r] - x[l]);
  }
  return b;
}

std::vector<double> CurveBaseline(std::span<const double> x, std::span<const double> y,
                                  const TProcessing& p) {
  switch (static_cast<BaselineKind>(p.Baseline)) {
    case BaselineKind::kLine:
      return LineBaseline(x, y, p);
    case BaselineKind::kPolynomial:
      return PolynomialBaseline(x, y, p);
    case BaselineKind::kHull:
      return LowerHull(x, y);
    case BaselineKind::kNone:
      break;
  }
  return {};
}

void ToggleBaselinePoint(TProcessing& p, double x, double tolerance) {
  if (!std::isfinite(x)) return;
  std::vector<double>& marks = p.BaselinePoints;
  const auto near = std::find_if(marks.begin(), marks.end(),
                                 [&](double m) { return std::abs(m - x) <= tolerance; });
  if (near != marks.end()) {
    marks.erase(near);
    return;
  }
  marks.insert(std::upper_bound(marks.begin(), marks.end(), x), x);
}

}  // namespace kurvex
