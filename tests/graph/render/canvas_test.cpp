#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "graph/render/font_engine.h"
#include "graph/render/raster_canvas.h"

namespace kurvex {
namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kRed = 0x0000FF;

Pixels PaintedWith(const RasterCanvas& canvas, TColor color) {
  Pixels found;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      if (canvas.GetPixel(x, y) == color) found.insert({x, y});
    }
  }
  return found;
}

Pixels Line(int width, int x0, int y0, int x1, int y1, int canvasWidth = 40,
            int canvasHeight = 30) {
  RasterCanvas canvas(canvasWidth, canvasHeight, FontEngine::Shared());
  canvas.PenColor = kRed;
  canvas.PenWidth = width;
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
  return PaintedWith(canvas, kRed);
}

Pixels Row(int y, int fromX, int toX) {
  Pixels row;
  for (int x = fromX; x <= toX; ++x) row.insert({x, y});
  return row;
}

TEST(ThinLine, LeavesOutItsEndPointInEitherDirection) {
  EXPECT_EQ(Line(1, 2, 5, 6, 5), Row(5, 2, 5));
  EXPECT_EQ(Line(1, 6, 5, 2, 5), Row(5, 3, 6));
  EXPECT_EQ(Line(1, 3, 1, 3, 4), (Pixels{{3, 1}, {3, 2}, {3, 3}}));
  EXPECT_EQ(Line(1, 1, 1, 5, 5), (Pixels{{1, 1}, {2, 2}, {3, 3}, {4, 4}}));
  EXPECT_EQ(Line(1, 5, 1, 1, 5), (Pixels{{5, 1}, {4, 2}, {3, 3}, {2, 4}}));
  EXPECT_TRUE(Line(1, 7, 7, 7, 7).empty());
  EXPECT_EQ(Line(0, 2, 5, 6, 5), Row(5, 2, 5));
  EXPECT_EQ(Line(-4, 2, 5, 6, 5), Row(5, 2, 5));
}

TEST(ThinLine, PaintsThePixelsNearestTheIdealLine) {
  EXPECT_EQ(Line(1, 0, 0, 6, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}));
  EXPECT_EQ(Line(1, 0, 0, 2, 6), (Pixels{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 5}}));
}

// Where the ideal line passes exactly between two pixels, the one towards the end point wins,
// whichever way the line runs.
TEST(ThinLine, HalfPixelTiesGoTowardsTheEndPoint) {
  EXPECT_EQ(Line(1, 0, 0, 2, 1), (Pixels{{0, 0}, {1, 1}}));
  EXPECT_EQ(Line(1, 2, 1, 0, 0), (Pixels{{2, 1}, {1, 0}}));
  EXPECT_EQ(Line(1, 0, 0, 1, 2), (Pixels{{0, 0}, {1, 1}}));
  EXPECT_EQ(Line(1, 1, 2, 0, 0), (Pixels{{1, 2}, {0, 1}}));
  EXPECT_EQ(Line(1, 0, 1, 2, 0), (Pixels{{0, 1}, {1, 0}}));
}

TEST(ThinLine, LineToContinuesFromTheLastEndPoint) {
  RasterCanvas canvas(20, 20, FontEngine::Shared());
  canvas.PenColor = kRed;
  canvas.MoveTo(2, 2);
  canvas.LineTo(6, 2);
  canvas.LineTo(6, 5);
  Pixels expected = Row(2, 2, 5);
  expected.insert({{6, 2}, {6, 3}, {6, 4}});
  EXPECT_EQ(PaintedWith(canvas, kRed), expected);
}

// The part of a line inside a small surface must be the same pixels as the crop of the same line
// drawn, shifted, entirely inside a large one: clipping may not move the line by a pixel.
TEST(ThinLine, ClippingKeepsThePixelsOfTheWholeLine) {
  constexpr int kShiftX = 700;
  constexpr int kShiftY = 500;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> x(-650, 690);
  std::uniform_int_distribution<int> y(-450, 480);
  for (int trial = 0; trial < 40; ++trial) {
    const int x0 = x(random), y0 = y(random), x1 = x(random), y1 = y(random);
    Pixels expected;
    for (auto [px, py] :
         Line(1, x0 + kShiftX, y0 + kShiftY, x1 + kShiftX, y1 + kShiftY, 1400, 1000)) {
      if (px >= kShiftX && px < kShiftX + 40 && py >= kShiftY && py < kShiftY + 30) {
        expected.insert({px - kShiftX, py - kShiftY});
      }
    }
    EXPECT_EQ(Line(1, x0, y0, x1, y1), expected) << x0 << "," << y0 << " -> " << x1 << "," << y1;
  }
}

TEST(ThinLine, HugeCoordinatesAreClippedWithoutOverflow) {
  Pixels diagonal;
  for (int i = 0; i < 30; ++i) diagonal.insert({i, i});
  EXPECT_EQ(Line(1, INT_MIN, INT_MIN, INT_MAX, INT_MAX), diagonal);
  EXPECT_EQ(Line(1, INT_MIN, 7, INT_MAX, 7), Row(7, 0, 39));
  EXPECT_EQ(Line(1, -1000000000, -1000000000, 1000000000, 1000000000), diagonal);
  EXPECT_TRUE(Line(1, INT_MIN, INT_MIN, INT_MAX, INT_MIN).empty());
  EXPECT_TRUE(Line(1, -2000000000, 100, 2000000000, 99).empty());
}

// Reference of a wide stroke: each pixel whose centre is within w/2 of the segment, with even
// widths placed on the corner above and left of the coordinate.
Pixels Capsule(int width, int x0, int y0, int x1, int y1) {
  const double shift = width % 2 == 0 ? -0.5 : 0;
  const double ax = x0 + shift, ay = y0 + shift, bx = x1 + shift, by = y1 + shift;
  const double radius = width / 2.0;
  Pixels inside;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const double dx = bx - ax, dy = by - ay;
      const double lengthSquared = dx * dx + dy * dy;
      double t = lengthSquared > 0 ? ((x - ax) * dx + (y - ay) * dy) / lengthSquared : 0;
      t = std::clamp(t, 0.0, 1.0);
      if (std::hypot(x - (ax + t * dx), y - (ay + t * dy)) <= radius + 1e-9) inside.insert({x, y});
    }
  }
  return inside;
}

TEST(WideLine, CoversThePixelsWithinHalfTheWidthAndRoundCaps) {
  const int cases[][5] = {{3, 10, 10, 20, 10}, {2, 10, 10, 20, 10}, {3, 5, 5, 30, 20},
                          {4, 30, 3, 8, 25},   {5, 12, 4, 13, 26},  {2, 3, 3, 36, 27},
                          {7, -5, 14, 50, 16}, {3, 20, 15, 20, 15}, {48, 20, 14, 20, 15},
                          {53, 20, 14, 20, 15}};
  for (const auto& c : cases) {
    EXPECT_EQ(Line(c[0], c[1], c[2], c[3], c[4]), Capsule(c[0], c[1], c[2], c[3], c[4]))
        << "width " << c[0] << " from " << c[1] << "," << c[2] << " to " << c[3] << "," << c[4];
  }
}

// The image border relies on a stroke of width w at a := w div 2 covering exactly the outermost
// w rows, and at H - e (e := a, plus 1 for odd w) the w rows at the bottom.
TEST(WideLine, BorderStrokesCoverExactlyTheOutermostRows) {
  for (int w = 1; w <= 6; ++w) {
    const int a = w / 2;
    const int e = w % 2 == 0 ? a : a + 1;
    RasterCanvas canvas(40, 30, FontEngine::Shared());
    canvas.PenColor = kRed;
    canvas.PenWidth = w;
    canvas.MoveTo(0, a);
    canvas.LineTo(40, a);
    canvas.MoveTo(40 - e, 29);
    canvas.LineTo(40 - e, 0);
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) {
        const bool frame = y < w || x >= 40 - w;
        EXPECT_EQ(canvas.GetPixel(x, y) == kRed, frame) << "w " << w << " at " << x << "," << y;
      }
    }
  }
}

TEST(WideLine, HugeCoordinatesAndWidthsAreClipped) {
  Pixels band;
  for (int y = 9; y <= 11; ++y) band.merge(Row(y, 0, 39));
  EXPECT_EQ(Line(3, INT_MIN, 10, INT_MAX, 10), band);
  EXPECT_EQ(Line(INT_MAX, 0, 0, 1, 1).size(), 40u * 30u);
  EXPECT_TRUE(Line(5, INT_MIN, INT_MIN, INT_MIN + 10, INT_MIN).empty());
}

TEST(FillRect, LeavesOutRightAndBottomAndClips) {
  RasterCanvas canvas(20, 10, FontEngine::Shared());
  canvas.BrushColor = kRed;
  canvas.FillRect(2, 3, 5, 7);
  Pixels expected;
  for (int y = 3; y < 7; ++y) expected.merge(Row(y, 2, 4));
  EXPECT_EQ(PaintedWith(canvas, kRed), expected);

  canvas.FillRect(5, 7, 2, 3);
  canvas.FillRect(8, 8, 8, 9);
  EXPECT_EQ(PaintedWith(canvas, kRed), expected);

  canvas.FillRect(INT_MIN, INT_MIN, 1, INT_MAX);
  for (int y = 0; y < 10; ++y) expected.insert({0, y});
  EXPECT_EQ(PaintedWith(canvas, kRed), expected);
}

TEST(Pixel, OutsideTheSurfaceIsIgnoredAndOnly24BitsArePainted) {
  RasterCanvas canvas(4, 3, FontEngine::Shared());
  canvas.SetPixel(-1, 0, kRed);
  canvas.SetPixel(4, 0, kRed);
  canvas.SetPixel(0, 3, kRed);
  EXPECT_TRUE(PaintedWith(canvas, kRed).empty());
  EXPECT_EQ(canvas.GetPixel(-1, 0), 0);
  EXPECT_EQ(canvas.GetPixel(0, INT_MAX), 0);
  canvas.SetPixel(3, 2, kRed);
  EXPECT_EQ(canvas.GetPixel(3, 2), kRed);
  canvas.SetPixel(1, 1, static_cast<TColor>(0x80000005));
  EXPECT_EQ(canvas.GetPixel(1, 1), 0x000005);
}

TEST(TextOut, FillsTheTextCellWithTheBrushBeforeTheGlyphs) {
  RasterCanvas canvas(200, 60, FontEngine::Shared());
  canvas.BrushColor = kRed;
  canvas.FillRect(0, 0, 200, 60);
  canvas.BrushColor = kWhite;
  canvas.Font.Name = "Times New Roman";
  canvas.Font.Size = 12;
  canvas.Font.Color = 0x00FF00;
  const TextSize cell = canvas.TextExtent("Cos(Del)");
  canvas.TextOut(30, 20, "Cos(Del)");

  int glyphPixels = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      const bool inCell = x >= 30 && x < 30 + cell.Width && y >= 20 && y < 20 + cell.Height;
      const TColor pixel = canvas.GetPixel(x, y);
      if (!inCell) {
        EXPECT_EQ(pixel, kRed) << x << "," << y;
      } else {
        EXPECT_NE(pixel, kRed) << x << "," << y;
        glyphPixels += pixel == 0x00FF00;
      }
    }
  }
  EXPECT_GT(glyphPixels, 20);
}

// A text the surface's edge cuts paints inside it exactly what the whole text paints there:
// the last column and row and the first ones included, underline and all.
TEST(TextOut, ATextCutByAnEdgePaintsWhatTheWholeTextPaints) {
  const auto draw = [](RasterCanvas& canvas, int x, int y) {
    canvas.BrushColor = kWhite;
    canvas.FillRect(0, 0, canvas.Width(), canvas.Height());
    canvas.Font.Name = "Times New Roman";
    canvas.Font.Size = 20;
    canvas.Font.Color = kRed;
    canvas.Font.Underline = true;
    canvas.TextOut(x, y, "WM");
  };
  RasterCanvas whole(120, 100, FontEngine::Shared());
  draw(whole, 40, 30);
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{
           {-15, 10}, {25, 10}, {10, -12}, {10, 12}, {-15, -12}, {25, 12}}) {
    SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
    RasterCanvas cut(40, 30, FontEngine::Shared());
    draw(cut, x, y);
    int differing = 0, inked = 0;
    for (int r = 0; r < 30; ++r) {
      for (int c = 0; c < 40; ++c) {
        differing += cut.GetPixel(c, r) != whole.GetPixel(c - x + 40, r - y + 30);
        inked += cut.GetPixel(c, r) != kWhite;
      }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(inked, 10);
  }
}

TEST(TextOut, EmptyTextAndFarAwayPositionsPaintNothing) {
  RasterCanvas canvas(50, 30, FontEngine::Shared());
  canvas.BrushColor = kRed;
  canvas.Font.Name = "Times New Roman";
  canvas.Font.Size = 10;
  canvas.TextOut(5, 5, "");
  canvas.TextOut(INT_MAX, INT_MAX, "1000");
  canvas.TextOut(INT_MIN, INT_MIN, "1000");
  canvas.TextOut(INT_MAX - 3, 5, "1000");
  EXPECT_TRUE(PaintedWith(canvas, kRed).empty());
  EXPECT_EQ(PaintedWith(canvas, kWhite).size(), 50u * 30u);
}

// Whole-surface fills only repaint what was drawn since the last one. A plain buffer painted
// the obvious way must see the same pixels after any mix of operations.
class NaiveSurface {
 public:
  NaiveSurface(int width, int height) : pixels_(width, height) {}

  void Fill(int left, int top, int right, int bottom, TColor color) {
    for (int y = std::max(top, 0); y < std::min(bottom, pixels_.Height()); ++y) {
      for (int x = std::max(left, 0); x < std::min(right, pixels_.Width()); ++x) {
        pixels_.Set(x, y, color);
      }
    }
  }

  // Lines are solid: the pixels a line paints are those of its colour on a surface filled with
  // another one.
  void Line(int width, TColor color, int x0, int y0, int x1, int y1) {
    RasterCanvas scratch(pixels_.Width(), pixels_.Height(), FontEngine::Shared());
    scratch.BrushColor = color ^ 0xFFFFFF;
    scratch.FillRect(0, 0, pixels_.Width(), pixels_.Height());
    scratch.PenWidth = width;
    scratch.PenColor = color;
    scratch.MoveTo(x0, y0);
    scratch.LineTo(x1, y1);
    for (auto [x, y] : PaintedWith(scratch, color)) pixels_.Set(x, y, color);
  }

  void Text(int x, int y, const FontSpec& font, TColor brush, std::string_view text) {
    const TextSize cell = FontEngine::Shared().Extent(font, text);
    Fill(x, y, x + cell.Width, y + cell.Height, brush);
    DrawGlyphs(pixels_, FontEngine::Shared(), x, y, font, text);
  }

  const PixelBuffer& Pixels() const { return pixels_; }

 private:
  PixelBuffer pixels_;
};

void ExpectSamePixels(const PixelBuffer& actual, const PixelBuffer& expected, int step) {
  for (int y = 0; y < actual.Height(); ++y) {
    for (int x = 0; x < actual.Width(); ++x) {
      if (actual.At(x, y) != expected.At(x, y)) {
        ADD_FAILURE() << "step " << step << ": pixel " << x << "," << y << " is " << std::hex
                      << actual.At(x, y) << " instead of " << expected.At(x, y);
        return;
      }
    }
  }
}

// Like a run of redraws: the background changes now and then, text cells and most fills are in
// the background colour, drawings in any colour land anywhere, also partly off the surface.
TEST(WholeSurfaceFill, MatchesANaiveFillAcrossColourChanges) {
  constexpr int kWidth = 90;
  constexpr int kHeight = 70;
  const TColor palette[] = {kWhite, kRed, 0x00FF00, 0x123456};
  RasterCanvas canvas(kWidth, kHeight, FontEngine::Shared());
  NaiveSurface naive(kWidth, kHeight);
  FontSpec font;
  font.Name = "Times New Roman";
  font.Size = 10;
  canvas.Font = font;

  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(-30, 120);
  std::uniform_int_distribution<int> colour(0, 3);
  std::uniform_int_distribution<int> operation(0, 9);
  TColor background = kWhite;
  for (int step = 0; step < 1500; ++step) {
    const TColor color = palette[colour(random)];
    const TColor brush = colour(random) == 0 ? color : background;
    int x0 = coordinate(random), y0 = coordinate(random);
    int x1 = coordinate(random), y1 = coordinate(random);
    switch (operation(random)) {
      case 0:
        if (step % 7 == 0) background = color;
        canvas.BrushColor = background;
        canvas.FillRect(0, 0, 2000, 2000);
        naive.Fill(0, 0, kWidth, kHeight, background);
        break;
      case 1:
      case 2:
        if (step % 5 != 0) {
          std::tie(x0, x1) = std::minmax(x0, x1);
          std::tie(y0, y1) = std::minmax(y0, y1);
        }
        canvas.BrushColor = brush;
        canvas.FillRect(x0, y0, x1, y1);
        naive.Fill(x0, y0, x1, y1, brush);
        break;
      case 3:
      case 4:
        canvas.PenColor = color;
        canvas.PenWidth = 1 + step % 3;
        canvas.MoveTo(x0, y0);
        canvas.LineTo(x1, y1);
        naive.Line(1 + step % 3, color, x0, y0, x1, y1);
        break;
      case 5:
        canvas.SetPixel(x0 / 2, y0 / 2, color);
        naive.Fill(x0 / 2, y0 / 2, x0 / 2 + 1, y0 / 2 + 1, color);
        break;
      default:
        canvas.BrushColor = brush;
        canvas.Font.Color = font.Color = color;
        canvas.TextOut(x0, y0, "Tan 1.00");
        naive.Text(x0, y0, font, brush, "Tan 1.00");
        break;
    }
    // Not after every step: reading the pixels brings the surface up to date.
    if (step % 3 == 0) ExpectSamePixels(canvas.Pixels(), naive.Pixels(), step);
  }
}

TEST(WholeSurfaceFill, ClearsDrawingsAnywhereOnTheSurface) {
  RasterCanvas canvas(2000, 2000, FontEngine::Shared());
  canvas.BrushColor = kWhite;
  canvas.FillRect(0, 0, 2000, 2000);
  canvas.SetPixel(1999, 1999, kRed);
  canvas.PenColor = kRed;
  canvas.MoveTo(1500, 3);
  canvas.LineTo(1990, 3);
  canvas.FillRect(-10, -10, 5000, 5000);
  EXPECT_EQ(PaintedWith(canvas, kWhite).size(), 2000u * 2000u);
}

}  // namespace
}  // namespace kurvex
