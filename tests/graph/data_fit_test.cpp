// Fitting the axes to the data, choosing columns, and data errors that name their line.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "common/number_text.h"
#include "common/real48.h"
#include "graph/axis_fit.h"
#include "graph/data/data_columns.h"
#include "graph/data/data_error.h"
#include "graph/data/data_text.h"

namespace kurvex {
namespace {

struct FitCase {
  const char* what;
  double low, high;
  long double minimum, maximum;
  int ticks, decimals;
};

// Whether a step is 1, 2, 2.5 or 5 x 10^n.
bool IsRoundStep(long double step) {
  const long double scaled = step / std::pow(10.0L, std::floor(std::log10(step)));
  for (const long double m : {1.0L, 2.0L, 2.5L, 5.0L, 10.0L}) {
    if (std::fabs(scaled - m) < 1e-9L) return true;
  }
  return false;
}

TEST(FitAxis, GivesRoundLimitsAroundTheValues) {
  const FitCase cases[] = {
      {"default x of the sample", 300, 1000, 300, 1000, 7, 0},
      {"absorbance", 0.05, 1.23, 0, 1.25, 5, 2},
      {"rising from zero", 0, 1, 0, 1, 5, 1},
      {"tan psi and cos delta", -0.7, 1.8, -1, 2, 6, 1},
      {"falling IR axis, read as values", 550, 4000, 500, 4000, 7, 0},
      {"Raman counts", 1200, 45000, 0, 50000, 5, 0},
      {"negative only", -7.3, -2.1, -8, -2, 6, 0},
      {"one value", 5, 5, 4.4L, 5.6L, 6, 1},
      {"all zero", 0, 0, -1, 1, 4, 1},
      {"one negative value", -300, -300, -330, -270, 6, 0},
      // 1E-9 and 5E-9 as stored limits would lie a hair inside the values: a step further out.
      {"nano scale", 1e-9, 5e-9, 0, 6e-9L, 6, 9},
      {"giga scale", 2e9, 9e9, 2e9L, 9e9L, 7, 0},
      {"nano to giga", 1e-9, 1e9, 0, 1e9L, 5, 0},
      {"decimal bounds, both a hair outside as stored", 0.3, 0.9, 0.2L, 1, 4, 1},
      {"tiny span on a large offset", 1e9, 1e9 + 1e-3, 9e8L, 1.15e9L, 5, 0},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<AxisFit> fit = FitAxis(c.low, c.high);
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->Minimum, c.minimum, 1e-12L * (1 + std::fabs(c.minimum)));
    EXPECT_NEAR(fit->Maximum, c.maximum, 1e-12L * (1 + std::fabs(c.maximum)));
    EXPECT_EQ(fit->TickCount, c.ticks);
    EXPECT_EQ(fit->DecDigits, c.decimals);

    // The rules every fit keeps, checked on the limits as the model stores them.
    const long double minimum = Real48::From(fit->Minimum);
    const long double maximum = Real48::From(fit->Maximum);
    const long double step = (fit->Maximum - fit->Minimum) / fit->TickCount;
    EXPECT_TRUE(IsRoundStep(step)) << static_cast<double>(step);
    EXPECT_GE(fit->TickCount, 4);
    EXPECT_LE(fit->TickCount, 10);
    EXPECT_LE(minimum, c.low);
    EXPECT_GE(maximum, c.high);
    if (c.high - c.low > 1e-6 * std::fabs(c.high)) {  // equal values lie in the middle
      EXPECT_LE(c.low - minimum, step * (1 + 1e-9L));
      EXPECT_LE(maximum - c.high, step * (1 + 1e-9L));
    }
    // The labels read as the step does: no two ticks share a label.
    std::set<std::string> labels;
    for (int i = 0; i <= fit->TickCount; ++i) {
      labels.insert(FormatAxisValue(minimum + step * i, fit->DecDigits));
    }
    EXPECT_EQ(labels.size(), static_cast<std::size_t>(fit->TickCount) + 1);
  }
}

TEST(FitAxis, RefusesWhatNoAxisCanHold) {
  EXPECT_FALSE(FitAxis(1, 0));
  EXPECT_FALSE(FitAxis(0, INFINITY));
  EXPECT_FALSE(FitAxis(NAN, 1));
  EXPECT_FALSE(FitAxis(0, 1e300));
  ASSERT_TRUE(FitAxis(1e-300, 1e-300));  // below what a limit holds: taken as zero
  EXPECT_EQ(FitAxis(1e-300, 1e-300)->Maximum, 1);
}

TEST(FitAxesToData, ReadsTheRowsTheDrawingShows) {
  // Falling x, three curves, and a trailer that ends the drawing and the fit alike.
  const DataText data("4000 10 20 -5\n2000 90 30 0\n550 50 40 5\nOperator: A\n9999 9999 9999\n");
  const AxesFit fit = FitAxesToData(data);
  ASSERT_TRUE(fit.X && fit.Y);
  EXPECT_EQ(fit.X->Minimum, 500);
  EXPECT_EQ(fit.X->Maximum, 4000);
  EXPECT_EQ(fit.Y->Minimum, -20);
  EXPECT_EQ(fit.Y->Maximum, 100);

  const AxesFit single = FitAxesToData(DataText("700 0.5\n"));
  ASSERT_TRUE(single.X && single.Y);
  EXPECT_LT(single.X->Minimum, 700);
  EXPECT_GT(single.X->Maximum, 700);

  EXPECT_FALSE(FitAxesToData(DataText("700\n800\n")).Y);  // x only: no curve
  EXPECT_FALSE(FitAxesToData(DataText("Wavelength Psi\n")).X);
  EXPECT_FALSE(FitAxesToData(DataText()).X);
}

TEST(FitModelAxes, ChangesOnlyTheChosenAxesThatHaveValues) {
  GraphModel model;
  model.AxisX.Minimum = Real48::From(300);
  model.AxisX.Maximum = Real48::From(1000);
  model.AxisY.Minimum = Real48::From(-1);
  DataExtent extent;
  extent.X.Add(100);
  extent.X.Add(3200);
  FitModelAxes(extent, true, true, model);
  EXPECT_EQ(model.AxisX.Minimum, 0);
  EXPECT_EQ(model.AxisX.Maximum, 3500);
  EXPECT_EQ(model.AxisX.TickCount, 7);
  EXPECT_EQ(model.AxisY.Minimum, -1);  // no y values

  extent.Y.Add(2);
  FitModelAxes(extent, false, false, model);
  EXPECT_EQ(model.AxisY.Minimum, -1);

  // A reversed axis stays reversed; a logarithmic one takes the decades of the values above 0.
  std::swap(model.AxisX.Minimum, model.AxisX.Maximum);
  model.AxisY.Logarithmic = true;
  extent.Y.Add(-5);
  extent.Y.Add(0);  // a count of nothing: no decade of its own
  extent.Y.Add(0.03);
  extent.Y.Add(250);
  FitModelAxes(extent, true, true, model);
  EXPECT_EQ(model.AxisX.Minimum, 3500);
  EXPECT_EQ(model.AxisX.Maximum, 0);
  EXPECT_EQ(model.AxisY.Minimum, Real48::From(0.01L));
  EXPECT_EQ(model.AxisY.Maximum, 1000);
  EXPECT_EQ(model.AxisY.TickLabels.DecDigits, 2);

  // A fit nobody asked for runs the way the file's x runs, whatever the axis did before.
  for (const bool falls : {true, false}) {
    extent.XFalls = falls;
    FitModelAxesToFile(extent, true, false, model);
    EXPECT_EQ(model.AxisX.Minimum, falls ? 3500 : 0) << falls;
    EXPECT_EQ(model.AxisX.Maximum, falls ? 0 : 3500) << falls;
  }
  const NumericColumns wavenumbers(DataText("4000 90\n2000 40\n550 80\n"));
  EXPECT_TRUE(MeasureData(wavenumbers).XFalls);

  // Measured from a file that holds 0, and joined with the extent of another file.
  DataExtent counts = MeasureData(NumericColumns(DataText("1 0\n2 0.2\n3 40\n")));
  counts.Add(MeasureData(NumericColumns(DataText("1 0\n2 7\n"))));
  EXPECT_EQ(counts.Y.LowestPositive, 0.2);
  FitModelAxes(counts, false, true, model);
  EXPECT_EQ(model.AxisY.Minimum, Real48::From(0.1L));
  EXPECT_EQ(model.AxisY.Maximum, 100);
}

TEST(SelectColumns, KeepsOneLinePerLineInTheChosenOrder) {
  const DataText data("1 400 0.5 0.7\n2 401 0.6 0.8\n\nnote\n3 402\n");
  EXPECT_EQ(SelectColumns(data, {2, 3}), "400 0.5\n401 0.6\n\n\n402\n");
  EXPECT_EQ(SelectColumns(data, {2, 4, 3}), "400 0.7 0.5\n401 0.8 0.6\n\n\n402\n");
  EXPECT_EQ(SelectColumns(DataText(), {1, 2}), "");
}

TEST(DataErrorMessage, NamesFileAndLineOfDataErrorsOnly) {
  const DataLineError lineError("'dpolE' is not a valid floating point value", 1207);
  EXPECT_EQ(DataErrorMessage("si.xy", lineError),
            "si.xy:1207: 'dpolE' is not a valid floating point value");
  EXPECT_EQ(DataErrorMessage("si.xy", std::runtime_error("Floating point division by zero")),
            "Floating point division by zero");

  try {
    AtDataLine(4, [] { return ConvertField("1,5"); });
    FAIL();
  } catch (const DataLineError& e) {
    EXPECT_EQ(e.Line(), 5u);
    EXPECT_STREQ(e.what(), "'1,5' is not a valid floating point value");
  }
}

}  // namespace
}  // namespace kurvex
