// Each operation against numbers worked out without the code under test: by hand, from the
// published Savitzky-Golay tables, or by a plain least-squares fit written here.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "graph/process/baseline.h"
#include "graph/process/process_columns.h"
#include "graph/process/savitzky_golay.h"

namespace kurvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using Values = std::vector<double>;
using Function = std::function<double(double)>;

Values Curve(const Values& x, const Function& f) {
  Values y;
  for (const double v : x) y.push_back(f(v));
  return y;
}

// Unevenly spaced x: steps between 0.6 and 1.4 of `step`.
Values UnevenX(int n, double from, double step) {
  Values x;
  double v = from;
  for (int i = 0; i < n; ++i) {
    x.push_back(v);
    v += step * (1 + 0.4 * std::sin(1.7 * i + 0.3));
  }
  return x;
}

Values EvenX(int n, double from, double step) {
  Values x;
  for (int i = 0; i < n; ++i) x.push_back(from + step * i);
  return x;
}

Values Processed(const Values& x, const std::vector<Values>& ys, const TProcessing& p, int k = 1) {
  const ProcessedColumns out = ProcessColumns(NumericColumns(x, ys), p);
  const double* y = out.Columns.Column(k);
  return Values(y, y + x.size());
}

void ExpectNear(const Values& actual, const Values& expected, double tolerance,
                const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (std::isnan(expected[i])) {
      EXPECT_TRUE(std::isnan(actual[i])) << what << " at " << i;
    } else {
      EXPECT_NEAR(actual[i], expected[i], tolerance * std::max(1.0, std::abs(expected[i])))
          << what << " at " << i;
    }
  }
}

TProcessing Normalizing(NormalizeTo to, double at = 0) {
  TProcessing p;
  p.Normalize = static_cast<int32_t>(to);
  p.NormalizeAt = at;
  return p;
}

TEST(Processing, NormalizesToMaximumAreaOrValueAt) {
  struct Case {
    std::string name;
    Values x, y;
    TProcessing p;
    Values expected;
  };
  const std::vector<Case> cases = {
      {"maximum",
       {0, 1, 3, 4},
       {1, 4, 2, -1},
       Normalizing(NormalizeTo::kMaximum),
       {0.25, 1, 0.5, -0.25}},
      {"maximum over a gap",
       {0, 1, 2, 3},
       {1, kNaN, 4, 2},
       Normalizing(NormalizeTo::kMaximum),
       {0.25, kNaN, 1, 0.5}},
      {"maximum of a curve below zero",
       {0, 1, 2},
       {-1, -4, -2},
       Normalizing(NormalizeTo::kMaximum),
       {-0.25, -1, -0.5}},
      // y = 3x on uneven x: trapezoids are exact, area 6.
      {"area, uneven x", {0, 0.5, 2}, {0, 1.5, 6}, Normalizing(NormalizeTo::kArea), {0, 0.25, 1}},
      {"area, falling x", {2, 0.5, 0}, {6, 1.5, 0}, Normalizing(NormalizeTo::kArea), {1, 0.25, 0}},
      {"value between points",
       {0, 1, 2},
       {1, 3, 5},
       Normalizing(NormalizeTo::kValueAt, 1.25),
       {1 / 3.5, 3 / 3.5, 5 / 3.5}},
      {"value on a point, falling x",
       {2, 1, 0},
       {5, 2, 1},
       Normalizing(NormalizeTo::kValueAt, 1),
       {2.5, 1, 0.5}},
      {"position outside: as read",
       {0, 1, 2},
       {1, 3, 5},
       Normalizing(NormalizeTo::kValueAt, 7),
       {1, 3, 5}},
      {"all zero: as read", {0, 1}, {0, 0}, Normalizing(NormalizeTo::kMaximum), {0, 0}},
      {"unknown mode: as read",
       {0, 1},
       {2, 4},
       [] {
         TProcessing p;
         p.Normalize = 9;
         return p;
       }(),
       {2, 4}},
  };
  for (const Case& c : cases) ExpectNear(Processed(c.x, {c.y}, c.p), c.expected, 1e-15, c.name);
}

TEST(Processing, OffsetsAndStacksTheCurves) {
  const Values x = {0, 1, 2};
  const std::vector<Values> ys = {{0, 1, 0.5}, {0, 2, 1}, {-1, 0, 1}};
  struct Case {
    std::string name;
    double offset;
    bool stack;
    double step;
    Values lifts;  // of each curve
  };
  // Automatic: each lowest point 5 % of the tallest range (2) above the highest before it.
  const std::vector<Case> cases = {
      {"offset", 0.5, false, 0, {0.5, 0.5, 0.5}},
      {"fixed step", 0, true, 2, {0, 2, 4}},
      {"automatic step", 0, true, 0, {0, 1.1, 1.1 + 3.1}},
      {"automatic step and offset", -1, true, 0, {-1, 0.1, 3.2}},
  };
  for (const Case& c : cases) {
    TProcessing p;
    p.Offset = c.offset;
    p.Stack = c.stack;
    p.StackStep = c.step;
    for (int k = 1; k <= 3; ++k) {
      Values expected = ys[k - 1];
      for (double& v : expected) v += c.lifts[k - 1];
      ExpectNear(Processed(x, ys, p, k), expected, 1e-14, c.name + ", curve " + std::to_string(k));
    }
  }
}

// Zero outside [8, 12], so that a baseline through the points outside it is the one added.
double Bump(double x) {
  const double u = 1 - (x - 10) * (x - 10) / 4;
  return u > 0 ? 3 * u * u : 0;
}

TEST(Processing, SubtractsAKnownBaselineExactly) {
  const Values x = UnevenX(30, 0, 0.7);  // 0 .. about 20
  const Function cubic = [](double v) { return 2 - 0.5 * v + 0.03 * v * v - 0.001 * v * v * v; };
  const Function line = [](double v) { return 1 + 0.25 * v; };
  struct Case {
    std::string name;
    Function under;  // what the bump sits on
    bool bump;
    TProcessing p;
    Values expected;
  };
  TProcessing polynomial;
  polynomial.Baseline = static_cast<int32_t>(BaselineKind::kPolynomial);
  polynomial.BaselineDegree = 3;
  polynomial.BaselinePoints = {x[0], x[3], x[6], x[21], x[25], x[29]};
  TProcessing degreeTooHigh = polynomial;
  degreeTooHigh.BaselineDegree = 9;  // read as 5: still the cubic
  TProcessing twoPoints;
  twoPoints.Baseline = static_cast<int32_t>(BaselineKind::kLine);
  twoPoints.BaselineX1 = 2.5;  // between points: the line's values are interpolated exactly
  twoPoints.BaselineX2 = 16.1;
  TProcessing hull;
  hull.Baseline = static_cast<int32_t>(BaselineKind::kHull);
  const Values bump = Curve(x, Bump);
  const std::vector<Case> cases = {
      {"polynomial of degree 3 through six marks", cubic, true, polynomial, bump},
      {"degree above 5", cubic, true, degreeTooHigh, bump},
      {"line through two positions", line, true, twoPoints, bump},
      {"hull under a line and a bump", line, true, hull, bump},
      {"hull under a convex curve is the curve", [](double v) { return (v - 7) * (v - 7); }, false,
       hull, Values(x.size(), 0.0)},
  };
  for (const Case& c : cases) {
    const Values y = Curve(x, [&](double v) { return c.under(v) + (c.bump ? Bump(v) : 0); });
    double polynomialCase = c.p.Baseline == 2 ? 1e-9 : 1e-12;
    ExpectNear(Processed(x, {y}, c.p), c.expected, polynomialCase, c.name);
    // Shown instead of subtracted: the curve as read, the baseline beside it.
    TProcessing shown = c.p;
    shown.ShowBaseline = true;
    const ProcessedColumns out = ProcessColumns(NumericColumns(x, y), shown);
    ExpectNear(Values(out.Columns.Column(1), out.Columns.Column(1) + x.size()), y, 0, c.name);
    Values base = y;
    for (std::size_t i = 0; i < x.size(); ++i) base[i] -= c.expected[i];
    ExpectNear(out.Baselines.at(0), base, polynomialCase, c.name + ", shown");
  }
  // The hull of a concave arch is its chord, whichever way x runs.
  const Values falling = {1, 0.5, 0, -0.5, -1};
  ExpectNear(LowerHull(falling, Curve(falling, [](double v) { return 2 - v * v + v; })),
             Curve(falling, [](double v) { return 1 + v; }), 1e-15, "hull, falling x");
}

TEST(Processing, SavitzkyGolayOnEvenXGivesThePublishedCoefficients) {
  struct Case {
    int width, order, derivative;
    Values numerators;
    double denominator;
  };
  const std::vector<Case> cases = {
      {5, 2, 0, {-3, 12, 17, 12, -3}, 35},
      {7, 2, 0, {-2, 3, 6, 7, 6, 3, -2}, 21},
      {9, 3, 0, {-21, 14, 39, 54, 59, 54, 39, 14, -21}, 231},
      {7, 4, 0, {5, -30, 75, 131, 75, -30, 5}, 231},
      {5, 2, 1, {-2, -1, 0, 1, 2}, 10},
      {7, 3, 1, {22, -67, -58, 0, 58, 67, -22}, 252},
      {5, 2, 2, {2, -1, -2, -1, 2}, 7},
      {7, 2, 2, {5, 0, -3, -4, -3, 0, 5}, 42},
  };
  for (const Case& c : cases) {
    const std::string name = std::to_string(c.width) + " points, order " + std::to_string(c.order) +
                             ", derivative " + std::to_string(c.derivative);
    Values published;
    for (const double v : c.numerators) published.push_back(v / c.denominator);
    const SmoothingWindow w{c.width, c.order, c.derivative};
    ExpectNear(SavitzkyGolayCoefficients(w), published, 1e-13, name);
    // Filtering a single 1 among zeros spaced 0.5 apart gives the coefficients mirrored, over
    // the spacing to the derivative's power.
    const Values x = EvenX(21, 3, 0.5);
    Values y(21, 0.0);
    y[10] = 1;
    const Values out = SavitzkyGolay(x, y, w);
    const int half = c.width / 2;
    for (int j = -half; j <= half; ++j) {
      EXPECT_NEAR(out[10 + j], published[half - j] / std::pow(0.5, c.derivative), 1e-12)
          << name << " at offset " << j;
    }
  }
}

// The fit of one point by normal equations in long double in x - x[i], unscaled: nothing shared
// with the code under test but the choice of the window's points.
double DirectFit(const Values& x, const Values& y, std::size_t i, int width, int order,
                 int derivative) {
  const std::size_t n = x.size(), w = static_cast<std::size_t>(width);
  const std::size_t lo = std::min(i >= w / 2 ? i - w / 2 : 0, n - w);
  const int m = order + 1;
  std::vector<std::vector<long double>> a(m, std::vector<long double>(m + 1, 0));
  for (std::size_t j = lo; j < lo + w; ++j) {
    for (int r = 0; r < m; ++r) {
      const long double t = (long double)x[j] - x[i];
      for (int c = 0; c < m; ++c) a[r][c] += std::pow(t, r + c);
      a[r][m] += std::pow(t, r) * y[j];
    }
  }
  for (int c = 0; c < m; ++c) {
    for (int r = c + 1; r < m; ++r) {
      const long double f = a[r][c] / a[c][c];
      for (int k = c; k <= m; ++k) a[r][k] -= f * a[c][k];
    }
  }
  std::vector<long double> coef(m);
  for (int r = m - 1; r >= 0; --r) {
    long double s = a[r][m];
    for (int c = r + 1; c < m; ++c) s -= a[r][c] * coef[c];
    coef[r] = s / a[r][r];
  }
  return static_cast<double>(coef[derivative] * (derivative == 2 ? 2 : 1));
}

TEST(Processing, SavitzkyGolayOnUnevenXIsTheLeastSquaresFitAtEachPoint) {
  const Values x = UnevenX(40, 1, 0.1);
  const Values y = Curve(x, [](double v) { return std::sin(3 * v) + 0.05 * std::cos(40 * v); });
  struct Case {
    int width, order, derivative;
  };
  for (const Case c :
       {Case{5, 2, 0}, Case{7, 3, 0}, Case{9, 4, 1}, Case{7, 2, 2}, Case{11, 5, 2}}) {
    const Values out = SavitzkyGolay(x, y, {c.width, c.order, c.derivative});
    Values expected;
    for (std::size_t i = 0; i < x.size(); ++i) {
      expected.push_back(DirectFit(x, y, i, c.width, c.order, c.derivative));
    }
    ExpectNear(out, expected, 1e-8,
               std::to_string(c.width) + " points, order " + std::to_string(c.order) +
                   ", derivative " + std::to_string(c.derivative));
  }
}

TEST(Processing, DerivativesOfKnownFunctions) {
  struct Case {
    std::string name;
    Values x;
    Function f, expected;
    int width, order, derivative;
    double tolerance;
  };
  const Function cubic = [](double v) { return v * v * v - 2 * v + 1; };
  const std::vector<Case> cases = {
      {"cubic, uneven, first", UnevenX(50, -2, 0.08), cubic, [](double v) { return 3 * v * v - 2; },
       7, 3, 1, 1e-9},
      {"cubic, uneven, second", UnevenX(50, -2, 0.08), cubic, [](double v) { return 6 * v; }, 9, 3,
       2, 1e-8},
      {"sine, even, first", EvenX(400, 0, 0.01), [](double v) { return std::sin(v); },
       [](double v) { return std::cos(v); }, 11, 4, 1, 1e-7},
      {"sine, even, second", EvenX(400, 0, 0.01), [](double v) { return std::sin(v); },
       [](double v) { return -std::sin(v); }, 11, 4, 2, 1e-4},
      {"exponential, uneven, first", UnevenX(200, 0, 0.01), [](double v) { return std::exp(v); },
       [](double v) { return std::exp(v); }, 9, 3, 1, 1e-5},
  };
  for (const Case& c : cases) {
    TProcessing p;
    p.Derivative = c.derivative;
    p.SmoothWindow = c.width;
    p.SmoothOrder = c.order;
    ExpectNear(Processed(c.x, {Curve(c.x, c.f)}, p), Curve(c.x, c.expected), c.tolerance, c.name);
  }
}

TEST(Processing, KeepsGapsAndStopsAtTheBadField) {
  TProcessing p;
  p.Smooth = true;
  p.SmoothWindow = 4;  // read as 5
  p.Normalize = static_cast<int32_t>(NormalizeTo::kMaximum);
  EXPECT_FALSE(ProcessingOn(TProcessing{}));
  EXPECT_TRUE(ProcessingOn(p));
  // Runs between gaps shorter than the window are fitted with one as wide as they are: these
  // straight runs stay as they are.
  const Values x = EvenX(9, 0, 1);
  const Values y = {1, 2, 3, kNaN, 5, 6, kNaN, 8, 9};
  ExpectNear(Processed(x, {y}, p),
             {1 / 9.0, 2 / 9.0, 3 / 9.0, kNaN, 5 / 9.0, 6 / 9.0, kNaN, 8 / 9.0, 1}, 1e-14, "gaps");
}

}  // namespace
}  // namespace kurvex
