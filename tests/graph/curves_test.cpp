#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "common/error.h"
#include "common/temp_dir.h"
#include "graph/graph_engine.h"
#include "graph/mapping.h"
#include "graph/overlay_drawing.h"
#include "render_fixture.h"

namespace kurvex {
namespace {

using namespace kurvex::testing;

class Curves : public RenderTest {
 protected:
  int Count(TColor color, int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) n += Pixel(x, y) == color;
    }
    return n;
  }
  int LegendHeight() { return LineHeight(engine.Model.Legend.Font); }
  std::string MessageOfRedraw() {
    try {
      engine.RepaintGraph();
    } catch (const Error& e) {
      return e.what();
    }
    return "no error";
  }
};

TEST_F(Curves, SampleGivesARedAndABlueLineAndTwoLegendRows) {
  engine.RepaintGraph();
  EXPECT_EQ(engine.State().CurveCount, 2);
  EXPECT_GT(Count(kRed, 71, 91, 570, 370), 500);
  EXPECT_GT(Count(kBlue, 71, 91, 570, 370), 500);
  const int r = LegendHeight();
  for (int x = 480; x < 520; ++x) {
    EXPECT_EQ(Pixel(x, 40 + r / 2), kRed) << x;
    EXPECT_EQ(Pixel(x, 40 + (r - 2) + r / 2), kBlue) << x;
  }
  EXPECT_NE(Pixel(520, 40 + r / 2), kRed);     // the sample's end point stays unpainted
  EXPECT_GT(InkIn(530, 40, 598, 40 + r), 20);  // "Tan(Psi)"
  EXPECT_GT(InkIn(530, 40 + r - 2, 598, 40 + 2 * r - 2), 20);  // "Cos(Del)"
  EXPECT_EQ(InkIn(478, 40 + 2 * r - 1, 598, 40 + 3 * r), 0);   // no third row
}

TEST_F(Curves, ASegmentIsDrawnExactlyWhenItsEndPointIsInRange) {
  engine.SetDataText("300 0 -0.5\r\n1100 1 -0.5\r\n500 2 0.5");
  engine.RepaintGraph();
  // (300,0) -> (1100,1) ends outside: not drawn.
  EXPECT_EQ(Count(kRed, 75, 295, 560, 305), 0);
  // (1100,1) -> (500,2) enters the plot from outside: drawn in full, (641,230) -> (213,160),
  // up to the image's edge.
  EXPECT_GT(Count(kRed, 420, 192, 436, 199), 0);
  EXPECT_GT(Count(kRed, 580, 218, 600, 228), 0);
}

// A point outside the range breaks the curve: the next segment starts at that point, never at
// the last point inside.
TEST_F(Curves, ACurveThatLeavesTheRangeAndComesBackIsNotBridged) {
  engine.SetDataText("300 0 5\r\n500 5 5\r\n700 0 5");
  engine.RepaintGraph();
  EXPECT_EQ(Count(kRed, 90, 298, 340, 303), 0);   // no line (70,300) -> (356,300)
  EXPECT_GT(Count(kRed, 290, 150, 310, 170), 0);  // (213,-50) -> (356,300) comes back in
}

TEST_F(Curves, PointsOnTheAxisLimitsAreInside) {
  engine.SetDataText("300 -1 3\r\n1000 3 -1");
  engine.RepaintGraph();
  EXPECT_GT(Count(kRed, 300, 200, 340, 260), 0);
  EXPECT_GT(Count(kBlue, 300, 200, 340, 260), 0);
}

TEST_F(Curves, PixelStyleSkipsTheFirstPointAndSymbolsMarkEveryPoint) {
  engine.Model.Curve[3].SymbolVisible = false;
  engine.SetDataText("400 5 5 0\r\n650 5 5 1\r\n900 5 5 2");
  engine.RepaintGraph();
  const GraphModel& m = engine.Model;
  EXPECT_EQ(Pixel(ValueToPixelX(m, engine.State(), 400), ValueToPixelY(m, engine.State(), 0)),
            kWhite);
  EXPECT_EQ(Pixel(ValueToPixelX(m, engine.State(), 650), ValueToPixelY(m, engine.State(), 1)),
            kBlack);
  EXPECT_EQ(Pixel(ValueToPixelX(m, engine.State(), 900), ValueToPixelY(m, engine.State(), 2)),
            kBlack);
  EXPECT_EQ(Count(kBlack, 100, 100, 560, 360), 2);

  engine.Model.Curve[3].SymbolVisible = true;
  engine.RepaintGraph();
  for (auto [x, y] : {std::pair{400.0, 0.0}, {650.0, 1.0}, {900.0, 2.0}}) {
    const int px = ValueToPixelX(m, engine.State(), x), py = ValueToPixelY(m, engine.State(), y);
    EXPECT_GT(InkIn(px - 6, py - 6, px + 7, py + 7), 3) << x;
  }
}

TEST_F(Curves, FourthColumnAddsALegendRowWithoutLineSample) {
  engine.SetDataText("300 5 5 0\r\n1000 5 5 2");
  engine.RepaintGraph();
  EXPECT_EQ(engine.State().CurveCount, 3);
  const int r = LegendHeight();
  const int middle = 40 + 2 * (r - 2) + r / 2;
  for (int x = 480; x < 486; ++x) EXPECT_EQ(Pixel(x, middle), kWhite) << x;
  EXPECT_GT(InkIn(490, 40 + 2 * (r - 2), 510, 40 + 3 * r), 0);      // the symbol sample
  EXPECT_EQ(InkIn(530, 40 + 2 * (r - 2) + 2, 598, 40 + 3 * r), 0);  // empty text
}

TEST_F(Curves, OneLineGivesOneSymbolAndNoSegments) {
  engine.Model.Curve[1].SymbolVisible = true;
  engine.SetDataText("650 1 5");
  engine.RepaintGraph();
  EXPECT_EQ(InkIn(100, 100, 300, 360), 0);
  EXPECT_GT(InkIn(314, 224, 327, 237), 3);
}

TEST_F(Curves, BothStylesOffStillPaintOnePixelPerPoint) {
  engine.Model.Curve[1].LineVisible = false;
  engine.SetDataText("300 0 5\r\n650 1 5\r\n1000 2 5");
  engine.RepaintGraph();
  EXPECT_EQ(Count(kRed, 71, 91, 571, 370), 2);
}

TEST_F(Curves, AtMostTenCurvesAndLegendRows) {
  std::string line = "300";
  for (int i = 0; i < 12; ++i) line += " 5";
  engine.SetDataText(line + "\r\n" + line);
  engine.RepaintGraph();
  EXPECT_EQ(engine.State().CurveCount, 10);
  engine.SetDataText("300");
  engine.RepaintGraph();
  EXPECT_EQ(engine.State().CurveCount, 0);
}

TEST_F(Curves, BadFieldsEndTheDrawingWithTheConversionMessage) {
  engine.SetDataText("300 1 2\r\n400 abc 2");
  EXPECT_EQ(MessageOfRedraw(), "'abc' is not a valid floating point value");
  engine.SetDataText("300 1 2\r\n\r\n400 1 2");
  EXPECT_EQ(MessageOfRedraw(), "'' is not a valid floating point value");
  engine.SetDataText("300 1 2\r\n400 1");
  EXPECT_EQ(MessageOfRedraw(), "'' is not a valid floating point value");
  engine.SetDataText("");
  EXPECT_EQ(MessageOfRedraw(), "'' is not a valid floating point value");
  EXPECT_EQ(Pixel(70, 300), kBlack);  // axes drawn before the failure stay
}

TEST_F(Curves, CurvesOnlyModeOverlaysTheNextFile) {
  engine.SetDataText("300 0 5\r\n1000 0 5");
  engine.RepaintGraph();
  engine.Model.OnlyCurves = true;
  engine.Model.ImageColor = 0x00FF00;  // not applied: nothing is cleared
  engine.SetDataText("300 1 5\r\n1000 1 5");
  engine.RepaintGraph();
  EXPECT_EQ(Pixel(300, 300), kRed);
  EXPECT_EQ(Pixel(300, 230), kRed);
  EXPECT_EQ(Pixel(300, 200), kWhite);
  EXPECT_EQ(Pixel(0, 200), kBlack);  // the border of the full redraw
}

// From above To turns an axis round: the data between them is drawn, From at the origin.
TEST_F(Curves, ReversedAxesDrawTheCurveTurnedRound) {
  GraphModel& m = engine.Model;
  std::swap(m.AxisX.Minimum, m.AxisX.Maximum);
  std::swap(m.AxisY.Minimum, m.AxisY.Maximum);
  engine.SetDataText("300 0 5\r\n1000 2 5");
  engine.RepaintGraph();
  // (300,0) -> (1000,2) runs from (570,160) down to (70,300).
  EXPECT_EQ(Pixel(320, 230), kRed);
  EXPECT_GT(Count(kRed, 550, 155, 570, 170), 0);
  EXPECT_EQ(Count(kRed, 71, 150, 120, 175), 0);
}

// A logarithmic axis cannot show values not above zero: they break the curve like a missing
// value, and never stop the drawing. With From at zero the axis draws linear and says so.
TEST_F(Curves, LogarithmicAxisBreaksTheCurveAtValuesItCannotShow) {
  GraphModel& m = engine.Model;
  m.AxisY.Logarithmic = true;
  m.AxisY.Minimum = Real48::From(0.1);
  m.AxisY.Maximum = Real48::From(100);
  m.AxisY.Length = 300;  // 100 pixels a decade, from row 370 up
  engine.SetDataText("300 1 5\r\n500 0 5\r\n700 10 5\r\n900 100 5");
  EXPECT_NO_THROW(engine.RepaintGraph());
  EXPECT_EQ(Count(kRed, 71, 71, 350, 370), 0);    // nothing joins 1 and 10 across the 0
  EXPECT_GT(Count(kRed, 420, 110, 440, 130), 0);  // (700,10) -> (900,100): (356,170) -> (499,70)
  EXPECT_EQ(engine.State().AxisWarning, "");
  EXPECT_NE(engine.CursorReadoutAt(100, 170).find("Y=10.00"), std::string::npos);

  m.AxisY.Minimum = Real48::From(0);
  engine.RepaintGraph();
  EXPECT_NE(engine.State().AxisWarning.find("Axis Y"), std::string::npos);
  EXPECT_GT(Count(kRed, 71, 71, 350, 370), 0);  // linear: 0 is a value like any other
}

// Later files' curves take the palette's colours in turn, and the legend, drawn last, names
// every curve after its file; the curves-only mode keeps the style's colours.
TEST_F(Curves, OverlayColoursLaterFilesAndNamesEveryCurveAfterItsFile) {
  test::TempDir dir;
  const auto load = [&](const std::string& name, const std::string& text) {
    std::ofstream(dir.File(name), std::ios::binary) << text;
    engine.PaintEnabled = false;  // as a batch loads: no drawing of its own
    ASSERT_TRUE(engine.LoadDataFile(dir.File(name)));
  };
  OverlayDrawing overlay(engine);
  load("first.xy", "300 0 0.5\n1000 0 0.5\n");
  overlay.DrawFile();
  load("second.xy", "300 1\n1000 1\n");
  overlay.DrawFile();
  load("third.txt", "300 2 1.5\n1000 2 1.5\n");
  overlay.DrawFile();
  overlay.DrawLegend();
  // Rows 300, 265, 230, 160 and 195 hold y = 0, 0.5, 1, 2 and 1.5.
  EXPECT_EQ(Pixel(320, 300), kRed);
  EXPECT_EQ(Pixel(320, 265), kBlue);
  EXPECT_EQ(Pixel(320, 230), kCurvePalette[0]);
  EXPECT_EQ(Pixel(320, 160), kCurvePalette[1]);
  EXPECT_EQ(Pixel(320, 195), kCurvePalette[2]);
  const int r = LegendHeight();
  EXPECT_EQ(Pixel(500, 40 + 2 * (r - 2) + r / 2), kCurvePalette[0]);  // the third row

  for (int i = 0; i < 9; ++i) overlay.DrawFile();  // 23 curves in all
  std::vector<std::string> texts;
  for (const LegendEntry& row : overlay.LegendRows()) texts.push_back(row.Text);
  ASSERT_EQ(texts.size(), 21u);
  EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 5),
            (std::vector<std::string>{"first Tan(Psi)", "first Cos(Del)", "second",
                                      "third Tan(Psi)", "third Cos(Del)"}));
  EXPECT_EQ(texts.back(), "\u2026 and 3 more");
  EXPECT_EQ(overlay.LegendRows()[19].Sample->Color, kCurvePalette[17 % 8]);

  engine.Model.OnlyCurves = true;
  OverlayDrawing byHand(engine);
  load("first.xy", "300 0 0.5\n1000 0 0.5\n");
  byHand.DrawFile();
  load("second.xy", "300 1\n1000 1\n");
  byHand.DrawFile();
  EXPECT_EQ(Pixel(320, 230), kRed);
}

TEST_F(Curves, LegendLineSamplesInheritTheAxisPenWidth) {
  engine.Model.AxisX.Width = 3;
  UseDataOutsideRange();
  engine.RepaintGraph();
  const int middle = 40 + LegendHeight() / 2;
  EXPECT_EQ(Pixel(500, middle - 1), kRed);
  EXPECT_EQ(Pixel(500, middle + 1), kRed);
  EXPECT_NE(Pixel(500, middle + 2), kRed);
}

}  // namespace
}  // namespace kurvex
