#include "graph/layout.h"
#include "graph/distinct_runs.h"

#include <gtest/gtest.h>

#include <string>

#include "common/real48.h"
#include "graph/model.h"
#include "render_fixture.h"

namespace kurvex {
namespace {

using testing::FakeMeasurer;

class Layout : public ::testing::Test {
 protected:
  GraphModel m = StartModel();
  FakeMeasurer measure;  // 7 px a byte, 15 px a line
};

TEST_F(Layout, DefaultPositions) {
  EXPECT_EQ(OriginRow(m), 370);
  EXPECT_EQ(TitleLeft(m, measure), (600 - 12 * 7) / 2);
  EXPECT_EQ(TitleTop(m), 8);
  EXPECT_EQ(AxisXTitleLeft(m, measure), 70 + (500 - 15 * 7) / 2);
  EXPECT_EQ(AxisXTitleTop(m, measure), 370 + 15 + 8 + 8);
  EXPECT_EQ(AxisYTickLabelWidth(m, measure), 5 * 7);  // "-1.00" is wider than "3.00"
  EXPECT_EQ(AxisYTitleLeft(m, measure), 70 - 35 - 8 - 15 - 8);
  EXPECT_EQ(AxisYTitleBottom(m, measure), (280 - 21 * 7) / 2);
  EXPECT_EQ(TextBlockLeft(m), 8);
  EXPECT_EQ(TextBlockTop(m, measure), 401 + 15 + 28);  // the text block's top is not automatic
}

TEST_F(Layout, ManualPositionsAreOffsetsFromTheirAnchors) {
  m.AxisX.Title.LeftAuto = false;
  m.AxisX.Title.Left = 84;
  m.AxisX.Title.TopAuto = false;
  m.AxisX.Title.Top = 3;
  EXPECT_EQ(AxisXTitleLeft(m, measure), 70 + 84);
  EXPECT_EQ(AxisXTitleTop(m, measure), 370 + 15 + 8 + 3);

  m.AxisY.Title.LeftAuto = false;
  m.AxisY.Title.Left = 3;  // the gap to the tick labels
  EXPECT_EQ(AxisYTitleLeft(m, measure), 70 - 35 - 8 - 15 - 3);
  m.AxisY.Title.TopAuto = false;
  m.AxisY.Title.Top = 8;
  EXPECT_EQ(AxisYTitleBottom(m, measure), 8);

  m.Text.LeftAuto = false;
  m.Text.Left = 31;
  EXPECT_EQ(TextBlockLeft(m), 31);
  m.Text.TopAuto = true;
  EXPECT_EQ(TextBlockTop(m, measure), 396 + 15 + 8);  // the x tick-label distance
}

TEST_F(Layout, HiddenElementsLeaveTheirSpace) {
  m.AxisX.TickLabels.Visible = false;
  EXPECT_EQ(AxisXTitleTop(m, measure), 370 + 8);
  m.AxisX.TickLabels.Visible = true;
  m.AxisX.TickVisible = false;
  EXPECT_EQ(AxisXTitleTop(m, measure), 370 + 8);
  m.AxisX.Visible = false;  // neither test looks at the axis line
  EXPECT_EQ(AxisXTitleTop(m, measure), 370 + 8);

  m.AxisY.TickLabels.Visible = false;
  EXPECT_EQ(AxisYTitleLeft(m, measure), 70 - 15 - 8);

  m.AxisX.Title.Visible = false;
  EXPECT_EQ(TextBlockTop(m, measure), 370 + 28);
}

TEST_F(Layout, PositionsBeyondTheImageAreKeptOrClampedAsDrawn) {
  m.Title.Text = std::string(100, 'W');
  EXPECT_EQ(TitleLeft(m, measure), (600 - 700) / 2);  // cut on both sides
  m.AxisX.Left = 20;
  EXPECT_EQ(AxisYTitleLeft(m, measure), 0);  // never left of the image
}

TEST_F(Layout, YLabelRowsUseTheIntegerStep) {
  for (int i = 0; i <= 4; ++i) EXPECT_EQ(AxisYTickLabelTop(m, 370, i), 365 - 70 * i);
  m.AxisY.Length = 281;  // 281 div 4 is still 70
  for (int i = 0; i <= 4; ++i) EXPECT_EQ(AxisYTickLabelTop(m, 370, i), 365 - 70 * i);
}

TEST_F(Layout, LegendRowsOverlapByTwoPixels) {
  const LegendRow first = LegendRowAt(m, 1, measure);
  EXPECT_EQ(first.Left, 480);
  EXPECT_EQ(first.Top, 40);
  EXPECT_EQ(first.Height, 15);
  EXPECT_EQ(LegendRowAt(m, 3, measure).Top, 40 + 2 * 13);
  m.Legend.LeftAuto = false;
  m.Legend.TopAuto = false;
  EXPECT_EQ(LegendRowAt(m, 2, measure).Left, 120);
  EXPECT_EQ(LegendRowAt(m, 2, measure).Top, 40 + 13);
  m.Legend.Top = 7;
  EXPECT_EQ(LegendRowAt(m, 1, measure).Top, 7);
}

TEST_F(Layout, ExtremeTypedValuesSaturate) {
  m.ImageHeight = 2147483647;
  m.AxisY.Bottom = -2147483647 - 1;
  EXPECT_EQ(OriginRow(m), 2147483647);
  m.AxisY.Length = -2147483647 - 1;
  m.AxisY.TickCount = -1;
  EXPECT_EQ(AxisYTickLabelTop(m, 0, 1), -2147483647 - 1);
  EXPECT_EQ(TextBlockLineTop(2147483000, 100000, 15), 2147483647);
}

// Each distinct key in range once, with the last index that gives it; in either direction.
TEST(ForEachDistinct, VisitsTheLastIndexOfEachKeyInRange) {
  struct Case {
    int64_t first, last, low, high;
    int64_t (*key)(int64_t);
    std::vector<int64_t> visited;
  };
  const std::vector<Case> cases = {
      {1, 10, -100, 100, [](int64_t i) { return i; }, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {0, 9, -100, 100, [](int64_t i) { return i / 3; }, {2, 5, 8, 9}},
      {0, 9, 1, 2, [](int64_t i) { return i / 3; }, {5, 8}},
      {0, 9, -100, 100, [](int64_t i) { return -(i / 4); }, {3, 7, 9}},
      {0, 9, -1, -1, [](int64_t i) { return -(i / 4); }, {7}},
      {0, 9, 50, 60, [](int64_t i) { return i; }, {}},
      {5, 4, -100, 100, [](int64_t i) { return i; }, {}},
      {1,
       2147483647,
       0,
       3,
       [](int64_t i) { return i / 1000000000; },
       {999999999, 1999999999, 2147483647}},
  };
  for (const Case& c : cases) {
    std::vector<int64_t> visited;
    int calls = 0;
    ForEachDistinct(
        c.first, c.last, c.low, c.high,
        [&](int64_t i) {
          ++calls;
          return c.key(i);
        },
        [&](int64_t i) { visited.push_back(i); });
    EXPECT_EQ(visited, c.visited) << c.first << ".." << c.last;
    EXPECT_LT(calls, 400);
  }
}

// The ticks an axis draws from its origin on: linear ones in either direction, logarithmic ones
// in decades, and the linear rule where decades do not serve.
struct TickCase {
  const char* what;
  long double from, to;
  int count;
  bool logarithmic;
  const char* labels;  // from the origin on; "^" starts an exponent drawn raised
  bool warns;
};

std::string Labels(const AxisTicks& ticks) {
  std::string text;
  for (int64_t i = 0; i <= ticks.Last(); ++i) {
    const TickLabel label = ticks.Label(i);
    if (!text.empty()) text += ' ';
    text += label.Base;
    if (!label.Exponent.empty()) text += "^" + label.Exponent;
  }
  return text;
}

TEST(AxisTicks, RunFromTheOriginInTheAxisDirection) {
  const TickCase cases[] = {
      {"rising", 300, 1000, 7, false, "300 400 500 600 700 800 900 1000", false},
      {"reversed: From at the origin", 1000, 300, 7, false, "1000 900 800 700 600 500 400 300",
       false},
      {"no count, no ticks", 0, 1, 0, false, "", false},
      {"five decades: powers of ten only", 0.01L, 1000, 4, true, "0.01 0.1 1 10 100 1000", false},
      {"under three decades: 2 and 5 as well", 1, 200, 4, true, "1 2 5 10 20 50 100 200", false},
      {"reversed decades", 1000, 1, 4, true, "1000 100 10 1", false},
      {"limits a hair off their decades as stored", 0.001L, 0.1L, 4, true,
       "0.001 0.002 0.005 0.01 0.02 0.05 0.1", false},
      {"powers beyond 0.001 to 10000", 1e-5L, 1e6L, 4, true,
       "10^-5 10^-4 0.001 0.01 0.1 1 10 100 1000 10000 10^5 10^6", false},
      {"2 and 5 times a power", 1e5L, 1e6L, 4, true, "10^5 2\u00D710^5 5\u00D710^5 10^6", false},
      {"one decade tick only: the linear rule", 2, 4, 2, true, "2 3 4", false},
      {"From at zero: drawn linear", 0, 100, 4, true, "0 25 50 75 100", true},
      {"To below zero: drawn linear", 10, -10, 2, true, "10 0 -10", true},
  };
  for (const TickCase& c : cases) {
    SCOPED_TRACE(c.what);
    TMyAxis axis;
    axis.Minimum = Real48::From(c.from);
    axis.Maximum = Real48::From(c.to);
    axis.TickCount = c.count;
    axis.Logarithmic = c.logarithmic;
    EXPECT_EQ(Labels(AxisTicks(axis)), c.labels);
    EXPECT_EQ(!LogarithmicWarning(axis, "X").empty(), c.warns);
  }
}

}  // namespace
}  // namespace kurvex
