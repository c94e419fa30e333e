#include "graph/process/process_columns.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "graph/process/baseline.h"
#include "graph/process/least_squares.h"
#include "graph/process/savitzky_golay.h"

namespace kurvex {

namespace {

// The space an automatic stack leaves between two curves, as a part of the tallest curve.
constexpr double kStackGap = 0.05;

struct Extent {
  double Min = INFINITY;
  double Max = -INFINITY;
  bool Empty() const { return !(Min <= Max); }
};

Extent ExtentOf(std::span<const double> y) {
  Extent e;
  for (const double v : y) {
    if (std::isfinite(v)) {
      e.Min = std::min(e.Min, v);
      e.Max = std::max(e.Max, v);
    }
  }
  return e;
}

// What the curve is divided by; 1 where the curve gives nothing to divide by (all zero, the
// position outside it), so that it is drawn as it is rather than not at all.
double NormalizeDivisor(std::span<const double> x, std::span<const double> y, const TProcessing& p,
                        const Extent& e) {
  double divisor = 0;
  switch (static_cast<NormalizeTo>(p.Normalize)) {
    case NormalizeTo::kMaximum:
      // A curve below zero throughout (a derivative, a dip) is scaled by its largest size.
      divisor = e.Max > 0 ? e.Max : std::max(std::abs(e.Min), std::abs(e.Max));
      break;
    case NormalizeTo::kArea:
      divisor = std::abs(TrapezoidArea(x, y));
      break;
    case NormalizeTo::kValueAt:
      divisor = InterpolateAt(x, y, p.NormalizeAt);
      break;
    case NormalizeTo::kNone:
      break;
  }
  return std::isfinite(divisor) && divisor != 0 ? divisor : 1;
}

bool Smooths(const TProcessing& p) {
  return p.Smooth || p.Derivative == 1 || p.Derivative == 2;
}

}  // namespace

bool ProcessingOn(const TProcessing& p) {
  const bool normalizes = p.Normalize >= 1 && p.Normalize <= 3;
  const bool baseline = p.Baseline >= 1 && p.Baseline <= 3;
  return normalizes || p.Offset != 0 || p.Stack || baseline || Smooths(p);
}

ProcessedColumns ProcessColumns(const NumericColumns& read, const TProcessing& p) {
  ProcessedColumns out{read, {}};
  NumericColumns& columns = out.Columns;
  const std::size_t n = columns.WholeLines();
  const int curves = columns.CurveCount();
  const std::span<const double> x(columns.Column(0), n);
  const int derivative = p.Derivative == 1 || p.Derivative == 2 ? p.Derivative : 0;
  const SmoothingWindow window{p.SmoothWindow, p.SmoothOrder, derivative};
  const bool showBaseline = p.ShowBaseline && derivative == 0;
  std::vector<Extent> extents(static_cast<std::size_t>(curves));
  std::vector<double> scales(static_cast<std::size_t>(curves), 1);
  if (showBaseline) out.Baselines.resize(static_cast<std::size_t>(curves));

  for (int k = 1; k <= curves; ++k) {
    const std::span<double> y(columns.MutableCurve(k), n);
    const auto index = static_cast<std::size_t>(k - 1);
    std::vector<double> base = CurveBaseline(x, y, p);
    if (!base.empty() && !p.ShowBaseline) {
      for (std::size_t i = 0; i < n; ++i) y[i] -= base[i];
    }
    if (Smooths(p)) {
      const std::vector<double> smooth = SavitzkyGolay(x, y, window);
      std::copy(smooth.begin(), smooth.end(), y.begin());
    }
    Extent e = ExtentOf(y);
    if (p.Normalize != 0) {
      const double divisor = NormalizeDivisor(x, y, p, e);
      if (divisor != 1) {
        const double f = 1 / divisor;
        for (double& v : y) v *= f;
        e = ExtentOf(y);
        scales[index] = f;
      }
    }
    extents[index] = e;
    if (showBaseline) out.Baselines[index] = std::move(base);
  }

  double tallest = 0;
  for (const Extent& e : extents) {
    if (!e.Empty()) tallest = std::max(tallest, e.Max - e.Min);
  }
  double lift = 0;
  const Extent* below = nullptr;
  for (int k = 1; k <= curves; ++k) {
    const auto index = static_cast<std::size_t>(k - 1);
    const Extent& e = extents[index];
    if (p.Stack && k > 1) {
      if (p.StackStep != 0) {
        lift += p.StackStep;
      } else if (below && !e.Empty()) {
        lift += below->Max - e.Min + kStackGap * tallest;
      }
    }
    if (!e.Empty()) below = &e;
    const double shift = lift + p.Offset;
    if (shift != 0) {
      for (double& v : std::span<double>(columns.MutableCurve(k), n)) v += shift;
    }
    if (showBaseline) {
      for (double& v : out.Baselines[index]) v = v * scales[index] + shift;
    }
  }
  return out;
}

}  // namespace kurvex
