#include "graph/process/savitzky_golay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "graph/process/least_squares.h"

namespace kurvex {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kMaxTerms = kMaxFitDegree + 1;

double Factorial(int d) {
  return d == 2 ? 2.0 : 1.0;
}

// The weights that give the fit's `derivative`-th coefficient from the points at offsets t
// (already divided by their scale): row `derivative` of the pseudo-inverse.
bool FitRow(const double* moments, int order, int derivative, double* row) {
  const int n = order + 1;
  std::array<double, kMaxTerms * kMaxTerms> a{};
  for (int r = 0; r < n; ++r) {
    for (int c = 0; c < n; ++c) a[r * n + c] = moments[r + c];
  }
  std::fill(row, row + n, 0.0);
  row[derivative] = 1;
  return SolveSmall(a.data(), row, n);
}

// The fit to points lo .. lo + width - 1 evaluated at point i, in x scaled about x[i].
double LocalFit(const double* x, const double* y, std::size_t lo, int width, std::size_t i,
                const SmoothingWindow& w) {
  const double xi = x[i];
  double scale = std::max(std::abs(x[lo] - xi), std::abs(x[lo + width - 1] - xi));
  if (!(scale > 0)) scale = 1;
  const double inv = 1 / scale;
  const int n = w.Order + 1;
  std::array<double, 2 * kMaxTerms> moments{};
  std::array<double, kMaxTerms> rhs{};
  for (int j = 0; j < width; ++j) {
    const double t = (x[lo + j] - xi) * inv;
    const double v = y[lo + j];
    double power = 1;
    for (int k = 0; k < n; ++k) {
      moments[k] += power;
      rhs[k] += power * v;
      power *= t;
    }
    for (int k = n; k < 2 * n - 1; ++k) {
      moments[k] += power;
      power *= t;
    }
  }
  std::array<double, kMaxTerms * kMaxTerms> a{};
  for (int r = 0; r < n; ++r) {
    for (int c = 0; c < n; ++c) a[r * n + c] = moments[r + c];
  }
  if (!SolveSmall(a.data(), rhs.data(), n)) return kNaN;
  double result = rhs[w.Derivative] * Factorial(w.Derivative);
  for (int d = 0; d < w.Derivative; ++d) result *= inv;
  return result;
}

// Evenly spaced within a part in ten million of the step: x printed with fewer digits than a
// double holds is uneven and takes the fit per point, which gives the same values.
bool EvenlySpaced(const double* x, std::size_t n, double& step) {
  if (n < 2) return false;
  step = (x[n - 1] - x[0]) / static_cast<double>(n - 1);
  if (!(std::abs(step) > 0) || !std::isfinite(step)) return false;
  const double tolerance = 1e-7 * std::abs(step);
  for (std::size_t i = 1; i < n; ++i) {
    if (std::abs(x[i] - x[i - 1] - step) > tolerance) return false;
  }
  return true;
}

void FilterRun(const double* x, const double* y, std::size_t n, const SmoothingWindow& asked,
               double* out) {
  const SmoothingWindow w = FitWindow(asked.Width, asked.Order, asked.Derivative, n);
  if (w.Order < w.Derivative || n == 0) {
    std::fill(out, out + n, kNaN);
    return;
  }
  const std::size_t width = static_cast<std::size_t>(w.Width);
  const std::size_t half = width / 2;
  double step = 0;
  std::size_t from = 0, to = 0;  // the points the coefficients serve
  if (width >= 3 && EvenlySpaced(x, n, step)) {
    std::vector<double> c = SavitzkyGolayCoefficients(w);
    for (double& v : c) v /= std::pow(step, w.Derivative);
    from = half;
    to = n - half;
    for (std::size_t i = from; i < to; ++i) {
      const double* window = y + (i - half);
      double sum = 0;
      for (std::size_t j = 0; j < width; ++j) sum += c[j] * window[j];
      out[i] = sum;
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (i == from && to > from) {
      i = to - 1;
      continue;
    }
    const std::size_t lo = std::min(i >= half ? i - half : 0, n - width);
    out[i] = LocalFit(x, y, lo, w.Width, i, w);
  }
}

}  // namespace

SmoothingWindow FitWindow(int width, int order, int derivative, std::size_t points) {
  SmoothingWindow w;
  w.Derivative = std::clamp(derivative, 0, 2);
  w.Width = std::max(3, width | 1);
  if (static_cast<std::size_t>(w.Width) > points) {
    w.Width = static_cast<int>(points % 2 == 1 ? points : points - (points > 0 ? 1 : 0));
  }
  w.Order = std::clamp(order, w.Derivative, kMaxFitDegree);
  w.Order = std::min(w.Order, w.Width - 1);
  return w;
}

std::vector<double> SavitzkyGolayCoefficients(const SmoothingWindow& w) {
  const int half = w.Width / 2;
  const int n = w.Order + 1;
  // In units of the half width, so that wide windows of high order stay well conditioned.
  const double scale = half > 0 ? half : 1;
  std::array<double, 2 * kMaxTerms> moments{};
  for (int j = -half; j <= half; ++j) {
    double power = 1;
    for (int k = 0; k < 2 * n - 1; ++k) {
      moments[k] += power;
      power *= j / scale;
    }
  }
  std::array<double, kMaxTerms> row{};
  std::vector<double> c(static_cast<std::size_t>(w.Width), kNaN);
  if (w.Order < w.Derivative || !FitRow(moments.data(), w.Order, w.Derivative, row.data())) {
    return c;
  }
  for (int j = -half; j <= half; ++j) {
    double sum = 0, power = 1;
    for (int k = 0; k < n; ++k) {
      sum += row[k] * power;
      power *= j / scale;
    }
    c[static_cast<std::size_t>(j + half)] =
        sum * Factorial(w.Derivative) / std::pow(scale, w.Derivative);
  }
  return c;
}

std::vector<double> SavitzkyGolay(std::span<const double> x, std::span<const double> y,
                                  const SmoothingWindow& w) {
  const std::size_t n = std::min(x.size(), y.size());
  std::vector<double> out(n, kNaN);
  std::size_t i = 0;
  while (i < n) {
    if (!std::isfinite(x[i]) || !std::isfinite(y[i])) {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < n && std::isfinite(x[end]) && std::isfinite(y[end])) ++end;
    FilterRun(x.data() + i, y.data() + i, end - i, w, out.data() + i);
    i = end;
  }
  return out;
}

}  // namespace kurvex
