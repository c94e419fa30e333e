#include <gtest/gtest.h>

#include <tuple>

#include "common/error.h"
#include "common/real48.h"
#include "graph/graph_engine.h"
#include "graph/painter.h"
#include "render_fixture.h"

namespace kurvex {
namespace {

using namespace kurvex::testing;

class Renderer : public RenderTest {
 protected:
  void SetUp() override {
    UseDataOutsideRange();
    engine.RepaintGraph();
  }
};

TEST_F(Renderer, OriginAndAxisLines) {
  EXPECT_EQ(engine.State().OriginX, 70);
  EXPECT_EQ(engine.State().OriginY, 370);
  for (int x = 70; x < 570; ++x) EXPECT_EQ(Pixel(x, 370), kBlack) << x;
  for (int y = 90; y <= 370; ++y) EXPECT_EQ(Pixel(70, y), kBlack) << y;
  EXPECT_EQ(Pixel(70, 89), kWhite);    // the y axis ends at row 90
  EXPECT_EQ(Pixel(570, 370), kWhite);  // neither the axis nor the last tick paints its end point
  EXPECT_EQ(Pixel(71, 371), kWhite);
}

TEST_F(Renderer, XTicksPointUpAtTheNamedColumns) {
  for (int column : {141, 213, 284, 356, 427, 499, 570}) {
    for (int y = 360; y < 370; ++y) EXPECT_EQ(Pixel(column, y), kBlack) << column << "," << y;
    EXPECT_EQ(Pixel(column, 359), kWhite) << column;
    EXPECT_EQ(Pixel(column + 1, 365), kWhite) << column;
    EXPECT_EQ(Pixel(column - 1, 365), kWhite) << column;
  }
  // No tick and no label at the minimum.
  EXPECT_EQ(InkIn(71, 355, 100, 370), 0);
  EXPECT_EQ(InkIn(50, 378, 100, 395), 0);
}

TEST_F(Renderer, XLabelsAreCentredOnTheirTicksBelowRow378) {
  const int h = LineHeight(engine.Model.AxisX.TickLabels.Font);
  for (int column : {141, 213, 284, 356, 427, 499, 570}) {
    EXPECT_EQ(InkIn(column - 20, 371, column + 21, 378), 0) << column;
    int left = 10000, right = -1;
    for (int y = 378; y < 378 + h; ++y) {
      for (int x = column - 25; x <= column + 25; ++x) {
        if (Pixel(x, y) != kWhite) {
          left = std::min(left, x);
          right = std::max(right, x);
        }
      }
    }
    ASSERT_GE(right, left) << "no label at " << column;
    EXPECT_NEAR((left + right) / 2.0, column, 3.0) << column;
  }
}

TEST_F(Renderer, YTicksPointRightAndLabelsEndLeftOfColumn62) {
  const int h = LineHeight(engine.Model.AxisY.TickLabels.Font);
  for (int row : {370, 300, 230, 160, 90}) {
    for (int x = 70; x < 80; ++x) EXPECT_EQ(Pixel(x, row), kBlack) << row;
    if (row != 370) {  // 370 is the x axis
      EXPECT_EQ(Pixel(80, row), kWhite) << row;
    }
  }
  for (int top : {365, 295, 225, 155, 85}) {
    EXPECT_GT(InkIn(30, top, 62, top + h), 0) << top;
    EXPECT_EQ(InkIn(62, top, 70, top + h), 0) << top;
  }
  EXPECT_EQ(InkIn(30, 84 - 6, 62, 85), 0);  // nothing above the highest label's cell
}

// The labels of a logarithmic axis over many decades would stand on each other: only so many
// are drawn as stand apart, every one of them within the axis's reach. Over a few decades every
// decade keeps its label, as it always had.
TEST_F(Renderer, LogarithmicLabelsAreThinnedToWhatFits) {
  struct Case {
    double from, to;
    int fewestRuns, mostRuns;
  };
  GraphModel& m = engine.Model;
  const int h = LineHeight(m.AxisY.TickLabels.Font);
  for (const Case& c : {Case{1, 1000, 4, 4}, Case{1e-38, 1e38, 6, 20}, Case{1e-20, 1e20, 6, 20}}) {
    SCOPED_TRACE(c.from);
    for (TMyAxis* axis : {&m.AxisX, &m.AxisY}) {
      axis->Logarithmic = true;
      axis->Minimum = Real48::From(c.from);
      axis->Maximum = Real48::From(c.to);
    }
    engine.RepaintGraph();
    // Runs of rows with ink left of the y axis, and of columns with ink below the x axis (the
    // blank columns between two letters of a label inside it).
    const auto runs = [&](bool rows) {
      int count = 0, start = -100, end = -100, longest = 0, narrowest = 1000;
      const int from = rows ? 60 : 63, to = rows ? 400 : 590, within = rows ? 1 : 4;
      for (int p = from; p < to; ++p) {
        if (!(rows ? InkIn(36, p, 62, p + 1) > 0 : InkIn(p, 378, p + 1, 378 + h) > 0)) continue;
        if (p - end > within) {
          if (count > 0) narrowest = std::min(narrowest, p - end - 1);
          ++count;
          start = p;
        }
        end = p;
        longest = std::max(longest, end - start + 1);
      }
      return std::tuple{count, longest, narrowest};
    };
    const auto [yRuns, tallest, yGap] = runs(true);
    EXPECT_GE(yGap, 3);  // apart, with room between
    EXPECT_GE(yRuns, c.fewestRuns);
    EXPECT_LE(yRuns, c.mostRuns);
    EXPECT_LE(tallest, h + 4);                  // one label each, not a stack
    EXPECT_EQ(InkIn(36, 370 + h, 62, 378), 0);  // none below the lowest label's cell
    const auto [xRuns, widest, xGap] = runs(false);
    EXPECT_GE(xGap, 8);
    EXPECT_GE(xRuns, c.fewestRuns);
    EXPECT_LE(xRuns, c.mostRuns);
    EXPECT_LE(widest, 60);
  }
}

TEST_F(Renderer, BorderIsTheOutermostRing) {
  for (int x = 0; x < 600; ++x) {
    EXPECT_EQ(Pixel(x, 0), kBlack) << x;
    EXPECT_EQ(Pixel(x, 499), kBlack) << x;
  }
  for (int y = 0; y < 500; ++y) {
    EXPECT_EQ(Pixel(0, y), kBlack) << y;
    EXPECT_EQ(Pixel(599, y), kBlack) << y;
  }
  EXPECT_EQ(Pixel(1, 1), kWhite);
  EXPECT_EQ(Pixel(598, 498), kWhite);
}

TEST_F(Renderer, VerticalTitleReadsUpwardsBesideTheLabels) {
  const TMyFont& font = engine.Model.AxisY.Title.Font;
  const int h = LineHeight(font);
  const int w = engine.Fonts().Extent(font, engine.Model.AxisY.Title.Text).Width;
  FontMeasurer measure(engine.Fonts());
  const int left = AxisYTitleLeft(engine.Model, measure);
  ASSERT_GT(left, 0);
  const int bottom = (280 - w) / 2;
  // Ink lies within the band of the title, between its first and last character.
  EXPECT_GT(InkIn(left, 370 - bottom - w, left + h, 370 - bottom + 1), w);
  EXPECT_EQ(InkIn(left, 370 - bottom + 2, left + h, 371), 0);
  // The tops of the letters face left: the band's right quarter holds only descenders.
  const int top = 370 - bottom - w, base = 370 - bottom + 1;
  EXPECT_GT(InkIn(left, top, left + h * 2 / 3, base),
            3 * InkIn(left + h * 3 / 4, top, left + h, base));
  EXPECT_EQ(InkIn(1, 91, left, 370), 0);  // column 0 is the border
}

TEST_F(Renderer, TitleIsCentredAtTheTop) {
  const TMyFont& font = engine.Model.Title.Font;
  const int w = engine.Fonts().Extent(font, "Ellipsometry").Width;
  const int h = LineHeight(font);
  const int left = (600 - w) / 2;
  EXPECT_EQ(InkIn(1, 1, 599, 8), 0);
  EXPECT_GT(InkIn(left, 8, left + w, 8 + h), 100);
  EXPECT_EQ(InkIn(1, 8, left - 1, 8 + h), 0);
}

TEST_F(Renderer, YTickCountZeroDrawsNoTicksAndNoError) {
  engine.Model.AxisY.TickCount = 0;
  EXPECT_NO_THROW(engine.RepaintGraph());
  EXPECT_EQ(Pixel(75, 230), kWhite);
  EXPECT_EQ(InkIn(30, 220, 62, 245), 0);
}

// Any tick count ticks the whole axis: every column (or row) the ticks reach is drawn once, so
// two billion ticks cost what two thousand do.
TEST_F(Renderer, HugeTickCountsTickTheWholeAxis) {
  for (const int n : {200000, 2147483647}) {
    engine.Model.AxisX.TickCount = n;
    engine.Model.AxisY.TickCount = n;
    engine.RepaintGraph();
    for (int x = 71; x <= 570; ++x) ASSERT_EQ(Pixel(x, 365), kBlack) << n << " column " << x;
    for (int y = 90; y <= 370; ++y) ASSERT_EQ(Pixel(75, y), kBlack) << n << " row " << y;
    EXPECT_EQ(Pixel(575, 365), kWhite);
    EXPECT_EQ(Pixel(85, 200), kWhite);
    EXPECT_GT(InkIn(540, 378, 600, 395), 0) << "labels reach the end of the axis";
  }
}

TEST_F(Renderer, OddAxisLengthMovesTicksButNotLabels) {
  engine.Model.AxisY.Length = 281;
  engine.RepaintGraph();
  for (int row : {370, 300, 230, 159, 89}) EXPECT_EQ(Pixel(75, row), kBlack) << row;
  EXPECT_EQ(Pixel(75, 160), kWhite);
}

TEST_F(Renderer, HiddenXAxisTakesItsTicksAlongButTheYTicksStay) {
  engine.Model.AxisX.Visible = false;
  engine.Model.AxisY.Visible = false;
  engine.RepaintGraph();
  EXPECT_EQ(InkIn(100, 355, 575, 371), 0);
  EXPECT_EQ(Pixel(75, 300), kBlack);  // y ticks drawn with the pen left over
  EXPECT_EQ(Pixel(70, 250), kWhite);
}

TEST_F(Renderer, TextBlockClearsEverythingBelowItsTop) {
  engine.Model.Text.Text = "first line\r\nsecond";
  engine.Model.Text.TopAuto = false;
  engine.Model.Text.Top = -200;  // top above the axis: the clearing removes axis and ticks
  engine.RepaintGraph();
  ASSERT_EQ(engine.TextBlockLines().size(), 2u);
  EXPECT_EQ(Pixel(300, 370), kWhite);
  EXPECT_EQ(Pixel(0, 300), kBlack);  // inside the border only
}

TEST_F(Renderer, TextBlockExpandsThePlaceholders) {
  engine.Model.Text.Text = "{DataFile}: {TextInDataFile}";
  engine.SetHeadText("Run 7");
  engine.DrawTextBlock();
  ASSERT_EQ(engine.TextBlockLines().size(), 1u);
  EXPECT_EQ(engine.TextBlockLines()[0], "Demo1.txt: Run 7");
}

TEST_F(Renderer, PaintingNeedsBothFlags) {
  engine.Model.ImageColor = 0x123456;
  engine.Model.AutoRepaint = false;
  engine.RepaintIfAuto();
  EXPECT_EQ(Pixel(300, 200), kWhite);
  engine.Model.AutoRepaint = true;
  engine.PaintEnabled = false;
  engine.RepaintIfAuto();
  EXPECT_EQ(Pixel(300, 200), kWhite);
  engine.PaintEnabled = true;
  engine.RepaintIfAuto();
  EXPECT_EQ(Pixel(300, 200), 0x123456);
}

TEST_F(Renderer, AFailingStepKeepsWhatWasPaintedAndReportsTheMessage) {
  engine.Model.AxisX.Maximum = engine.Model.AxisX.Minimum;
  engine.Model.ImageColor = 0x00FF00;
  int painted = 0;
  engine.OnPainted = [&] { ++painted; };
  try {
    engine.RepaintGraph();
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Invalid floating point operation");  // first x tick: 0 / 0
  }
  EXPECT_EQ(painted, 1);
  EXPECT_EQ(Pixel(300, 200), 0x00FF00);  // background of the failed redraw
  EXPECT_EQ(Pixel(70, 300), kBlack);     // the y axis came before the failure
}

TEST_F(Renderer, ThickBorderCoversItsWidthInside) {
  engine.Model.ImageBorderWidth = 4;
  engine.RepaintGraph();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Pixel(300, i), kBlack) << i;
    EXPECT_EQ(Pixel(300, 499 - i), kBlack) << i;
    EXPECT_EQ(Pixel(i, 250), kBlack) << i;
    EXPECT_EQ(Pixel(599 - i, 250), kBlack) << i;
  }
  EXPECT_EQ(Pixel(300, 5), kWhite);
}

// Long column names, captions and titles: classic drawing keeps its places and lets them run
// off the image; smooth drawing moves and wraps the legend, cuts the titles and stops the text
// block at the bottom, so that no ink touches the image's edge while the legend still shows.
TEST_F(RenderTest, TextsStayInsideTheImageInSmoothDrawing) {
  const std::string longName = "Wavelength_of_the_instrument_export_in_nanometres_without_blanks";
  const std::string wordy = "Intensity of the second detector channel after dark subtraction";
  std::string caption;
  for (int i = 0; i < 60; ++i) caption += "Line " + std::to_string(i) + "\r\n";
  struct Case {
    bool smooth;
    std::string legend1, legend2, text, title;
    bool inkAtEdge;
  };
  const Case cases[] = {
      {false, longName, wordy, "", "T", true},
      {false, "a", "b", caption, "T", true},
      {true, longName, wordy, "", "T", false},
      {true, wordy, longName, caption, "T", false},
      {true, "a", "b", "", longName + longName, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend1 + " " + std::to_string(c.smooth));
    ApplyStartValues(engine.Model);
    GraphModel& m = engine.Model;
    m.ImageBorderVisible = false;
    m.ImageSmooth = c.smooth;
    m.Curve[1].LegendText = c.legend1;
    m.Curve[2].LegendText = c.legend2;
    m.Text.Text = c.text;
    m.Title.Text = c.title;
    UseDataOutsideRange();
    engine.RepaintGraph();
    const int w = m.ImageWidth, h = m.ImageHeight;
    const int edge = InkIn(w - 2, 0, w, h) + InkIn(0, h - 2, w, h) + InkIn(0, 0, 2, h);
    EXPECT_EQ(edge > 0, c.inkAtEdge) << edge;
    EXPECT_GT(InkIn(m.AxisX.Left + m.AxisX.Length / 2, 30, w, 90), 0);  // the legend shows
  }
}

}  // namespace
}  // namespace kurvex
