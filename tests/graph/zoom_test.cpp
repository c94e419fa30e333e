#include "graph/zoom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>

#include "common/real48.h"
#include "graph/model.h"

namespace kurvex {
namespace {

// An axis of the given range and ticks, as both axes of a 400 x 300 plot whose origin is at
// pixel (100, 400).
struct AxisCase {
  long double Min, Max;
  bool Logarithmic = false;
  int TickCount = 5;
  int DecDigits = 3;
};

GraphModel ModelWith(const AxisCase& a) {
  GraphModel model = StartModel();
  for (TMyAxis* axis : {&model.AxisX, &model.AxisY}) {
    axis->Minimum = Real48::From(a.Min);
    axis->Maximum = Real48::From(a.Max);
    axis->Logarithmic = a.Logarithmic;
    axis->TickCount = a.TickCount;
    axis->TickLabels.DecDigits = a.DecDigits;
  }
  model.AxisX.Length = 400;
  model.AxisY.Length = 300;
  return model;
}

using Step = std::function<std::optional<AxisView>(const GraphModel&, const DrawingState&)>;

// What a gesture on an axis shows next: the new ends, and the decimals of the tick labels.
TEST(Zoom, GesturesGiveTheAxisItsNewEndsAndDecimals) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  const AxisCase linear{0, 100};
  const AxisCase reversed{100, 0};
  const AxisCase decades{1, 1000, true};
  struct Case {
    const char* what;
    AxisCase axis;
    Step step;
    std::optional<AxisView> expected;
  };
  const Case cases[] = {
      {"the middle half", linear, [](auto& m, auto&) { return ViewAxis(m.AxisX, 0.25, 0.75); },
       AxisView{25, 75, 0}},
      {"From stays at the first side", linear,
       [](auto& m, auto&) { return ViewAxis(m.AxisX, 0.75, 0.25); }, AxisView{75, 25, 0}},
      {"a reversed axis runs down", reversed,
       [](auto& m, auto&) { return ViewAxis(m.AxisX, 0.25, 0.75); }, AxisView{75, 25, 0}},
      {"a step of 0.2 gives one decimal", linear,
       [](auto& m, auto&) { return ViewAxis(m.AxisX, 0, 0.01); }, AxisView{0, 1, 1}},
      {"a step of 0.246 is rounded to 0.25: two decimals", linear,
       [](auto& m, auto&) { return ViewAxis(m.AxisX, 0, 0.0123); }, AxisView{0, 1.23L, 2}},
      {"a step of 2.5 keeps its one decimal",
       {0, 100, false, 4},
       [](auto& m, auto&) { return ViewAxis(m.AxisX, 0, 0.1); },
       AxisView{0, 10, 1}},
      {"the same fraction twice is no range", linear,
       [](auto& m, auto&) { return ViewAxis(m.AxisX, 0.3, 0.3); }, std::nullopt},
      {"a range in the noise of the stored digits", linear,
       [](auto& m, auto&) { return ViewAxis(m.AxisX, 0.5, 0.5 + 1e-12); }, std::nullopt},
      {"an axis without a range",
       {5, 5},
       [](auto& m, auto&) { return ViewAxis(m.AxisX, 0, 0.5); },
       std::nullopt},
      {"no fraction", linear, [](auto& m, auto&) { return ViewAxis(m.AxisX, kNaN, 0.5); },
       std::nullopt},
      {"beyond what an axis limit holds",
       {0, 1e35L},
       [](auto& m, auto&) { return ZoomAxis(m.AxisX, 0.5, 0.01); },
       std::nullopt},
      {"twice closer about the middle", linear,
       [](auto& m, auto&) { return ZoomAxis(m.AxisX, 0.5, 2); }, AxisView{25, 75, 0}},
      {"twice further about the From end", linear,
       [](auto& m, auto&) { return ZoomAxis(m.AxisX, 0, 0.5); }, AxisView{0, 200, 0}},
      {"no factor", linear, [](auto& m, auto&) { return ZoomAxis(m.AxisX, 0.5, 0); }, std::nullopt},
      {"a negative factor", linear, [](auto& m, auto&) { return ZoomAxis(m.AxisX, 0.5, -2); },
       std::nullopt},
      {"one wheel notch: 1.25 times closer", linear,
       [](auto& m, auto&) { return ZoomAxis(m.AxisX, 0.5, WheelZoomFactor(120)); },
       AxisView{10, 90, 0}},
      {"two touchpad half notches back: 1.25 times further", linear,
       [](auto& m, auto&) {
         return ZoomAxis(m.AxisX, 0.5, WheelZoomFactor(-60) * WheelZoomFactor(-60));
       },
       AxisView{-12.5L, 112.5L, 0}},
      {"the wheel at pixel column 200 zooms about the value under it", linear,
       [](auto& m, auto& s) { return ZoomAxis(m.AxisX, *FractionX(m, s, 200), 2); },
       AxisView{12.5L, 62.5L, 0}},
      {"the wheel at pixel row 250 zooms about the value under it", linear,
       [](auto& m, auto& s) { return ZoomAxis(m.AxisY, *FractionY(m, s, 250), 2); },
       AxisView{25, 75, 0}},
      {"a pan keeps the decimals", linear, [](auto& m, auto&) { return PanAxis(m.AxisX, 0.1); },
       AxisView{10, 110, 3}},
      {"a pan the other way", linear, [](auto& m, auto&) { return PanAxis(m.AxisX, -0.5); },
       AxisView{-50, 50, 3}},
      {"a decade of a logarithmic axis", decades,
       [](auto& m, auto&) { return ViewAxis(m.AxisX, 0, 1.0 / 3); }, AxisView{1, 10, 0}},
      {"a decade lower: its lower limit's digits decide", decades,
       [](auto& m, auto&) { return ViewAxis(m.AxisX, -1.0 / 3, 1); }, AxisView{0.1L, 1000, 1}},
      {"a logarithmic axis cannot reach down to 0",
       {1e-20L, 1, true},
       [](auto& m, auto&) { return ViewAxis(m.AxisX, -1, 1); },
       std::nullopt},
      {"what the axis shows now", linear,
       [](auto& m, auto&) { return std::optional(ViewOf(m.AxisX)); }, AxisView{0, 100, 3}},
      // After a gesture the ticks fall on round values: 2266, 1754, ... becomes 2500, 2000, ...
      {"a rectangle's ends widen to whole tick steps", linear,
       [](auto& m, auto&) { return RoundView(m.AxisX, *ViewAxis(m.AxisX, 0.123, 0.877)); },
       AxisView{10, 90, 0, 8}},
      {"a wheel notch zooms in although the step widens the range",
       {0, 1000},
       [](auto& m, auto&) { return RoundView(m.AxisX, *ZoomAxis(m.AxisX, 0.5, 1.25)); },
       AxisView{100, 900, 0, 8}},
      {"odd ends: the largest step that widens them by at most a fifth",
       {0, 10000},
       [](auto& m, auto&) {
         return RoundView(m.AxisX, {730, 2266, 0});
       },
       AxisView{600, 2400, 0, 9}},
      {"a small zoom that rounding would undo stays as the gesture gave it", linear,
       [](auto& m, auto&) { return RoundView(m.AxisX, *ZoomAxis(m.AxisX, 0.5, 1.05)); },
       AxisView{50 - 50 / 1.05L, 50 + 50 / 1.05L, 0}},
      {"a reversed axis keeps running down", reversed,
       [](auto& m, auto&) { return RoundView(m.AxisX, *ViewAxis(m.AxisX, 0.123, 0.877)); },
       AxisView{90, 10, 0, 8}},
      {"decades are left as they are", decades,
       [](auto& m, auto&) { return RoundView(m.AxisX, *ViewAxis(m.AxisX, 0.1, 0.5)); },
       AxisView{std::pow(10.0L, 0.3L), std::pow(10.0L, 1.5L), 0}},
      {"a pan moves by whole tick steps", linear,
       [](auto& m, auto&) { return PanAxisBySteps(m.AxisX, 0.27); }, AxisView{20, 120, 3}},
      {"less than half a tick step stays", linear,
       [](auto& m, auto&) { return PanAxisBySteps(m.AxisX, -0.09); }, AxisView{0, 100, 3}},
  };
  DrawingState state;
  state.OriginX = 100;
  state.OriginY = 400;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<AxisView> view = c.step(ModelWith(c.axis), state);
    ASSERT_EQ(view.has_value(), c.expected.has_value());
    if (!view) continue;
    EXPECT_NEAR(view->From, c.expected->From,
                1e-12L * std::fabs(c.expected->To - c.expected->From));
    EXPECT_NEAR(view->To, c.expected->To, 1e-12L * std::fabs(c.expected->To - c.expected->From));
    EXPECT_EQ(view->DecDigits, c.expected->DecDigits);
    EXPECT_EQ(view->TickCount, c.expected->TickCount);
  }
}

}  // namespace
}  // namespace kurvex
