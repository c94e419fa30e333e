#include "graph/process/least_squares.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace kurvex {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool Finite(double x, double y) {
  return std::isfinite(x) && std::isfinite(y);
}

}  // namespace

bool SolveSmall(double* a, double* b, int n) {
  double scale = 0;
  for (int i = 0; i < n; ++i) scale = std::max(scale, std::abs(a[i * n + i]));
  for (int col = 0; col < n; ++col) {
    int pivot = col;
    for (int r = col + 1; r < n; ++r) {
      if (std::abs(a[r * n + col]) > std::abs(a[pivot * n + col])) pivot = r;
    }
    // Relative to the diagonal: these are normal equations, whose entries are sums of powers of
    // numbers of at most 1.
    if (!(std::abs(a[pivot * n + col]) > 1e-13 * scale)) return false;
    if (pivot != col) {
      for (int c = 0; c < n; ++c) std::swap(a[col * n + c], a[pivot * n + c]);
      std::swap(b[col], b[pivot]);
    }
    for (int r = col + 1; r < n; ++r) {
      const double f = a[r * n + col] / a[col * n + col];
      if (f == 0) continue;
      for (int c = col; c < n; ++c) a[r * n + c] -= f * a[col * n + c];
      b[r] -= f * b[col];
    }
  }
  for (int r = n - 1; r >= 0; --r) {
    double sum = b[r];
    for (int c = r + 1; c < n; ++c) sum -= a[r * n + c] * b[c];
    b[r] = sum / a[r * n + r];
  }
  return true;
}

double Polynomial::operator()(double x) const {
  if (Coefficients.empty()) return kNaN;
  const double t = (x - Center) / Scale;
  double sum = 0;
  for (auto c = Coefficients.rbegin(); c != Coefficients.rend(); ++c) sum = sum * t + *c;
  return sum;
}

Polynomial FitPolynomial(std::span<const double> x, std::span<const double> y, int degree) {
  Polynomial p;
  std::vector<double> xs, ys;
  for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
    if (Finite(x[i], y[i])) {
      xs.push_back(x[i]);
      ys.push_back(y[i]);
    }
  }
  if (xs.empty()) return p;
  std::vector<double> distinct = xs;
  std::sort(distinct.begin(), distinct.end());
  const auto unique = std::unique(distinct.begin(), distinct.end()) - distinct.begin();
  degree = std::clamp(degree, 0, std::min<int>(kMaxFitDegree, static_cast<int>(unique) - 1));
  const auto [lo, hi] = std::minmax_element(xs.begin(), xs.end());
  p.Center = (*lo + *hi) / 2;
  p.Scale = *hi > *lo ? (*hi - *lo) / 2 : 1;
  const int n = degree + 1;
  std::array<double, 2 * kMaxFitDegree + 1> moments{};
  std::array<double, kMaxFitDegree + 1> rhs{};
  for (std::size_t i = 0; i < xs.size(); ++i) {
    const double t = (xs[i] - p.Center) / p.Scale;
    double power = 1;
    for (int k = 0; k <= 2 * degree; ++k) {
      moments[k] += power;
      if (k <= degree) rhs[k] += power * ys[i];
      power *= t;
    }
  }
  std::array<double, (kMaxFitDegree + 1) * (kMaxFitDegree + 1)> a{};
  for (int r = 0; r < n; ++r) {
    for (int c = 0; c < n; ++c) a[r * n + c] = moments[r + c];
  }
  if (!SolveSmall(a.data(), rhs.data(), n)) return p;
  p.Coefficients.assign(rhs.begin(), rhs.begin() + n);
  return p;
}

double InterpolateAt(std::span<const double> x, std::span<const double> y, double at) {
  if (!std::isfinite(at)) return kNaN;
  std::size_t prev = x.size();
  for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
    if (!Finite(x[i], y[i])) {
      prev = x.size();
      continue;
    }
    if (x[i] == at) return y[i];
    if (prev != x.size() && (x[prev] - at) * (x[i] - at) < 0) {
      const double f = (at - x[prev]) / (x[i] - x[prev]);
      return y[prev] + f * (y[i] - y[prev]);
    }
    prev = i;
  }
  return kNaN;
}

double TrapezoidArea(std::span<const double> x, std::span<const double> y) {
  double area = 0;
  for (std::size_t i = 1; i < x.size() && i < y.size(); ++i) {
    if (Finite(x[i - 1], y[i - 1]) && Finite(x[i], y[i])) {
      area += std::abs(x[i] - x[i - 1]) * (y[i] + y[i - 1]) / 2;
    }
  }
  return area;
}

}  // namespace kurvex
