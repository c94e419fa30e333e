#include "graph/axis_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "common/error.h"
#include "common/real48.h"

namespace kurvex {

namespace {

// Axis limits are 48-bit reals (up to 1.7E38, nothing below 2.9E-39); a step needs room on
// both sides of them.
constexpr double kLargest = 1e36;
constexpr double kTiniest = 1e-30;
// A decade's limits, powers of ten, must be 48-bit reals too.
constexpr double kTiniestDecade = 1e-38;
constexpr int kLowestDecade = -38;
// A span this small against the values is noise of the last digits: treated as equal values.
constexpr double kRelativeSpan = 1e-9;
constexpr int kPreferredIntervals = 6;
constexpr int kFewestIntervals = 4;
constexpr int kMostIntervals = 10;

// m x 10^e, correctly rounded as the text "m" followed by e zeros (or a point) would parse.
long double Decimal(long long m, int e) {
  long double power = 1;
  for (int i = 0; i < std::abs(e); ++i) power *= 10;
  return e >= 0 ? static_cast<long double>(m) * power : static_cast<long double>(m) / power;
}

long double Stored(long double value) {
  return Real48::From(value);
}

// A step m x 10^e and the limits it gives: the multiples of the step around the values.
struct Candidate {
  long long m;
  int e;
  long long first;  // Minimum = first x step
  long long last;   // Maximum = last x step

  int Intervals() const { return static_cast<int>(last - first); }
  long double Bound(long long k) const { return Decimal(k * m, e); }
};

Candidate Around(double low, double high, long long m, int e) {
  const long double step = Decimal(m, e);
  // A value that is a multiple of the step in decimal may come out a hair off it in binary.
  constexpr long double kSlack = 1e-9L;
  const long double qLow = low / step;
  const long double qHigh = high / step;
  Candidate c{m, e, static_cast<long long>(std::floor(qLow)),
              static_cast<long long>(std::ceil(qHigh))};
  if (qLow - static_cast<long double>(c.first) > 1 - kSlack) ++c.first;
  if (static_cast<long double>(c.last) - qHigh > 1 - kSlack) --c.last;
  // The drawing compares the values with the stored limits, which must hold them all.
  while (Stored(c.Bound(c.first)) > low) --c.first;
  while (Stored(c.Bound(c.last)) < high) ++c.last;
  return c;
}

int Score(const Candidate& c) {
  const int n = c.Intervals();
  const int outside = n < kFewestIntervals || n > kMostIntervals ? 100 : 0;
  return outside + std::abs(n - kPreferredIntervals);
}

}  // namespace

void ValueRange::Add(double value) {
  Low = std::min(Low, value);
  High = std::max(High, value);
  if (value > 0) LowestPositive = std::min(LowestPositive, value);
}

void ValueRange::Add(const ValueRange& other) {
  if (other.Empty()) return;
  Add(other.Low);
  Add(other.High);
  LowestPositive = std::min(LowestPositive, other.LowestPositive);
}

void DataExtent::Add(const DataExtent& other) {
  XFalls = X.Empty() ? other.XFalls : XFalls;
  X.Add(other.X);
  Y.Add(other.Y);
}

DataExtent MeasureData(const NumericColumns& columns) {
  DataExtent extent;
  // The bad field's line is where the drawing ends: none of it is drawn.
  std::size_t lines = columns.ConvertedLines();
  if (columns.FirstBad()) lines = columns.FirstBad()->Line;
  double first = 0, last = 0;
  for (std::size_t r = 0; r < lines; ++r) {
    const double x = columns.Value(0, r);
    if (std::isnan(x)) continue;  // a gap
    if (extent.X.Empty()) first = x;
    last = x;
    extent.X.Add(x);
    for (int k = 1; k <= columns.CurveCount(); ++k) {
      if (const double y = columns.Value(k, r); !std::isnan(y)) extent.Y.Add(y);
    }
  }
  extent.XFalls = last < first;
  return extent;
}

DataExtent MeasureData(const DataText& data) {
  return MeasureData(NumericColumns(data));
}

std::optional<AxisFit> FitAxis(double low, double high) {
  if (!std::isfinite(low) || !std::isfinite(high) || low > high) return std::nullopt;
  const double magnitude = std::max(std::fabs(low), std::fabs(high));
  if (magnitude > kLargest) return std::nullopt;
  if (high - low <= magnitude * kRelativeSpan || high - low < kTiniest) {
    // Equal values sit in the middle of a range a tenth of their size to each side.
    double middle = low + (high - low) / 2;
    if (std::fabs(middle) < kTiniest) middle = 0;
    const double half = middle == 0 ? 1.0 : std::fabs(middle) / 10;
    low = middle - half;
    high = middle + half;
  }
  const int top = static_cast<int>(std::floor(std::log10(high - low)));
  std::optional<Candidate> best;
  for (int e = top - 1; e <= top + 1; ++e) {
    // Ascending steps: 1, 2, 2.5, 5 x 10^e; on equal scores the larger step wins.
    const std::pair<long long, int> steps[] = {{1, e}, {2, e}, {25, e - 1}, {5, e}};
    for (const auto& [m, me] : steps) {
      const Candidate c = Around(low, high, m, me);
      if (!best || Score(c) <= Score(*best)) best = c;
    }
  }
  AxisFit fit;
  fit.Minimum = best->Bound(best->first);
  fit.Maximum = best->Bound(best->last);
  fit.TickCount = best->Intervals();
  fit.DecDigits = std::max(0, -best->e);
  return fit;
}

std::optional<AxisFit> FitLogAxis(double low, double high) {
  if (!(low > 0) || !std::isfinite(high) || low > high) return std::nullopt;
  if (low < kTiniestDecade || high > kLargest) return std::nullopt;
  int first = static_cast<int>(std::floor(std::log10(low)));
  int last = static_cast<int>(std::ceil(std::log10(high)));
  while (first > kLowestDecade && Stored(Decimal(1, first)) > low) --first;
  while (Stored(Decimal(1, last)) < high) ++last;
  if (last == first) ++last;
  AxisFit fit;
  fit.Minimum = Decimal(1, first);
  fit.Maximum = Decimal(1, last);
  fit.TickCount = last - first;
  fit.DecDigits = std::max(0, -first);
  return fit;
}

std::optional<AxisFit> FitAxisTo(const ValueRange& range, const TMyAxis& axis) {
  if (range.Empty()) return std::nullopt;
  std::optional<AxisFit> fit;
  if (axis.Logarithmic) fit = FitLogAxis(range.LowestPositive, range.High);
  if (!fit) fit = FitAxis(range.Low, range.High);
  if (fit && axis.Minimum > axis.Maximum) std::swap(fit->Minimum, fit->Maximum);
  return fit;
}

namespace {

std::optional<AxisFit> FitRange(const ValueRange& range) {
  if (range.Empty()) return std::nullopt;
  return FitAxis(range.Low, range.High);
}

}  // namespace

AxesFit FitAxesToData(const NumericColumns& columns) {
  const DataExtent extent = MeasureData(columns);
  return {FitRange(extent.X), FitRange(extent.Y)};
}

AxesFit FitAxesToData(const DataText& data) {
  return FitAxesToData(NumericColumns(data));
}

void ApplyAxisFit(const AxisFit& fit, TMyAxis& axis) {
  axis.Minimum = Real48::From(fit.Minimum);
  axis.Maximum = Real48::From(fit.Maximum);
  axis.TickCount = fit.TickCount;
  axis.TickLabels.DecDigits = fit.DecDigits;
}

void FitModelAxesToFile(const DataExtent& extent, bool x, bool y, GraphModel& model) {
  TMyAxis& axis = model.AxisX;
  if (x && extent.XFalls != (axis.Minimum > axis.Maximum)) std::swap(axis.Minimum, axis.Maximum);
  FitModelAxes(extent, x, y, model);
}

void FitModelAxes(const DataExtent& extent, bool x, bool y, GraphModel& model) {
  if (const auto fit = FitAxisTo(extent.X, model.AxisX); x && fit) ApplyAxisFit(*fit, model.AxisX);
  if (const auto fit = FitAxisTo(extent.Y, model.AxisY); y && fit) ApplyAxisFit(*fit, model.AxisY);
}

}  // namespace kurvex
