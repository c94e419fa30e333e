#pragma once

#include <limits>
#include <optional>

#include "graph/data/data_text.h"
#include "graph/data/numeric_columns.h"
#include "graph/model.h"

namespace kurvex {

/// The smallest and largest of some values; empty until the first one is added.
struct ValueRange {
  double Low = std::numeric_limits<double>::infinity();
  double High = -std::numeric_limits<double>::infinity();
  double LowestPositive = std::numeric_limits<double>::infinity();  // for a logarithmic axis

  bool Empty() const { return Low > High; }
  void Add(double value);
  void Add(const ValueRange& other);
};

/// The x values and the y values of all curves of a data text.
struct DataExtent {
  ValueRange X;
  ValueRange Y;
  bool XFalls = false;  // the last x below the first: wavenumbers, binding energies

  void Add(const DataExtent& other);
};

/// The rows as the curve drawing reads them (curve count from the first line), up to the first
/// line that does not convert: what a drawing of this data text shows.
DataExtent MeasureData(const DataText& data);
/// The same from the numbers converted at load; gaps are left out.
DataExtent MeasureData(const NumericColumns& columns);

/// One axis fitted to a range of values.
struct AxisFit {
  long double Minimum = 0;
  long double Maximum = 0;
  int TickCount = 0;  // intervals between Minimum and Maximum
  int DecDigits = 0;  // tick-label decimals the step needs
};

/// Round limits for values from `low` to `high`: a step of 1, 2, 2.5 or 5 x 10^n, 4 to 10
/// intervals, the values inside with less than a step of margin on each side (equal values
/// get a range around them). The limits hold every value also once stored as 48-bit reals, so
/// a value on a decimal limit the stored real misses by a hair gets a whole step of margin.
/// Nothing when the range is empty or beyond what an axis limit can hold.
std::optional<AxisFit> FitAxis(double low, double high);

/// Decades around values from `low` to `high`, both above zero: the powers of ten below and
/// above them (one decade at least), the decimals the lower one needs. Nothing beyond what a
/// limit can hold.
std::optional<AxisFit> FitLogAxis(double low, double high);

/// A fit for `axis`: in decades when it is logarithmic and some values are above zero, and
/// running from To to From when it does (From above To).
std::optional<AxisFit> FitAxisTo(const ValueRange& range, const TMyAxis& axis);

/// Both axes fitted to what a drawing of `data` shows; an axis without values is left out.
struct AxesFit {
  std::optional<AxisFit> X;
  std::optional<AxisFit> Y;
};
AxesFit FitAxesToData(const DataText& data);
AxesFit FitAxesToData(const NumericColumns& columns);

/// Writes a fit into an axis of the model: limits, tick count and tick-label decimals.
void ApplyAxisFit(const AxisFit& fit, TMyAxis& axis);

/// Fits the chosen axes of the model to an extent as FitAxisTo does; an axis without values
/// keeps its settings.
void FitModelAxes(const DataExtent& extent, bool x, bool y, GraphModel& model);

/// The fit made without being asked for (a first picture, a style's FitAxesToData): the same,
/// but the x axis runs the way the file's x runs, falling for falling x.
void FitModelAxesToFile(const DataExtent& extent, bool x, bool y, GraphModel& model);

}  // namespace kurvex
