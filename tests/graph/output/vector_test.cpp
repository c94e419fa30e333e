// SVG and PDF of a graph, rasterised at 96 dpi by librsvg and poppler, against the raster
// picture of the same graph: each element lands on the same pixels, within one.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/temp_dir.h"
#include "graph/graph_engine.h"
#include "graph/graph_image.h"
#include "graph/model.h"
#include "graph/output/image_file.h"
#include "graph/render/canvas.h"
#include "graph/render/raster_canvas.h"
#include "support/expect_message.h"
#include "vector_fixture.h"

namespace kurvex {
namespace {

using namespace kurvex::testing;

TEST_F(VectorPicture, EveryElementLandsWhereTheRasterPutsIt) {
  const TColor hidden = 0xFFFFFF;  // drawn in the background colour
  const std::vector<std::pair<std::string, std::function<void(GraphModel&)>>> cases = {
      {"title", [](GraphModel& m) { m.Title.Visible = true; }},
      {"vertical y title", [](GraphModel& m) { m.AxisY.Title.Visible = true; }},
      {"y title placed by hand",
       [](GraphModel& m) {
         m.AxisY.Title.Visible = true;
         m.AxisY.Title.TopAuto = false;
         m.AxisY.Title.Top = 30;
         m.AxisY.Title.Font.Size = 16;
       }},
      {"x title", [](GraphModel& m) { m.AxisX.Title.Visible = true; }},
      {"x axis and ticks",
       [](GraphModel& m) {
         m.AxisX.Visible = m.AxisX.TickVisible = true;
         m.AxisX.TickLabels.Visible = false;
       }},
      {"x tick labels",
       [=](GraphModel& m) {
         m.AxisX.Visible = m.AxisX.TickVisible = m.AxisX.TickLabels.Visible = true;
         m.AxisX.Color = hidden;
       }},
      {"y axis and ticks",
       [](GraphModel& m) {
         m.AxisY.Visible = m.AxisY.TickVisible = true;
         m.AxisY.TickLabels.Visible = false;
       }},
      {"y tick labels",
       [=](GraphModel& m) {
         m.AxisY.Visible = m.AxisY.TickVisible = m.AxisY.TickLabels.Visible = true;
         m.AxisY.Color = hidden;
       }},
      {"wide axes, even and odd",
       [](GraphModel& m) {
         m.AxisX.Visible = m.AxisY.Visible = m.AxisX.TickVisible = m.AxisY.TickVisible = true;
         m.AxisX.TickLabels.Visible = m.AxisY.TickLabels.Visible = false;
         m.AxisX.Width = 4;
         m.AxisY.Width = 5;
       }},
      {"legend", [](GraphModel& m) { m.Legend.Visible = true; }},
      {"text block", [](GraphModel& m) { m.Text.Visible = true; }},
      {"border", [](GraphModel& m) {
         m.ImageBorderVisible = true;
         m.ImageBorderWidth = 3;
       }}};
  const std::set<std::string> withoutText = {"x axis and ticks", "y axis and ticks",
                                             "wide axes, even and odd", "border"};
  for (const auto& [what, show] : cases) {
    ApplyStartValues(engine.Model);
    engine.PaintEnabled = true;
    HideAll();
    show(engine.Model);
    ExpectSameBoxes(what, !withoutText.contains(what));
  }
}

TEST_F(VectorPicture, CurvesLinesPointsAndSymbolsMatch) {
  const std::string data = "300 0 1\r\n420 1.5 -0.5\r\n560 2.5 0.25\r\n700 0.5 2\r\n1000 -1 3";
  const std::vector<std::pair<std::string, std::function<void(GraphModel&)>>> cases = {
      {"thin lines", [](GraphModel&) {}},
      {"wide lines", [](GraphModel& m) { m.CurveLineWidth = 4; }},
      {"points and symbols", [](GraphModel& m) {
         m.Curve[1].LineVisible = false;
         m.Curve[1].SymbolVisible = m.Curve[2].SymbolVisible = true;
         m.CurvesFont.Size = 14;
       }}};
  for (const auto& [what, change] : cases) {
    ApplyStartValues(engine.Model);
    engine.PaintEnabled = true;
    HideAll();
    engine.SetDataText(data);
    change(engine.Model);
    ApplySymbolTexts(engine.Model);
    ExpectSameBoxes(what);
  }
}

// Share of pixels of two pictures of one size where some channel differs by more than 64.
double DifferingShare(const Picture& a, const Picture& b) {
  std::size_t differing = 0;
  for (std::size_t i = 0; i < a.Pixels.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      const int d = static_cast<int>((a.Pixels[i] >> shift) & 0xFF) -
                    static_cast<int>((b.Pixels[i] >> shift) & 0xFF);
      if (std::abs(d) > 64) {
        ++differing;
        break;
      }
    }
  }
  return static_cast<double>(differing) / static_cast<double>(a.Pixels.size());
}

// Every text of the graph left out: an SVG reader lays text out by itself.
void HideTexts(GraphModel& m) {
  m.Title.Visible = m.AxisX.Title.Visible = m.AxisY.Title.Visible = m.Text.Visible = false;
  m.AxisX.TickLabels.Visible = m.AxisY.TickLabels.Visible = false;
  for (int k = 1; k <= kCurveCount; ++k) m.Curve[k].LegendText.clear();
}

// The SVG a journal takes: texts a reader selects, small, and without its texts the same
// picture as the raster one.
TEST_F(VectorPicture, SvgIsTextAndDrawsWhatTheRasterDraws) {
  const std::string svg = GraphImageBytes(engine, ImageFormat::kSvg);
  EXPECT_LT(svg.size(), 20000u);
  for (const std::string& text :
       {std::string(">Ellipsometry</text>"), std::string(">Wave length[nm]</text>"),
        std::string(" font-family=\"'Times New Roman','Liberation Serif',serif\""),
        std::string(" transform=\"translate(7 371) rotate(-90)\"")}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
  const std::vector<std::pair<std::string, std::function<void(GraphModel&)>>> cases = {
      {"default graph", [](GraphModel&) {}},
      {"wide lines",
       [](GraphModel& m) {
         m.CurveLineWidth = 3;
         m.AxisX.Width = m.AxisY.Width = 2;
       }},
      {"symbols and points",
       [](GraphModel& m) {
         m.Curve[1].SymbolVisible = true;
         m.Curve[2].LineVisible = false;
         m.CurvesFont.Size = 12;
       }},
      // Smooth drawing on the engine's surface is the vector drawing's geometry.
      {"smooth graph", [](GraphModel& m) { m.ImageSmooth = true; }},
      {"smooth wide lines and symbols", [](GraphModel& m) {
         m.ImageSmooth = true;
         m.CurveLineWidth = 4;
         m.Curve[2].SymbolVisible = true;
       }}};
  for (const auto& [what, change] : cases) {
    ApplyStartValues(engine.Model);
    HideTexts(engine.Model);
    change(engine.Model);
    engine.RepaintGraph();
    const Picture raster = FromSurface(engine);
    const Picture svgPicture = Rasterised(ImageFormat::kSvg);
    ASSERT_EQ(svgPicture.Pixels.size(), raster.Pixels.size()) << what;
    EXPECT_LT(DifferingShare(raster, svgPicture), 0.005) << what;
  }
}

// Smooth drawing cuts thick curves that leave the plot at its rectangle, in every picture.
TEST_F(VectorPicture, SmoothCurvesStayInsideThePlot) {
  GraphModel& m = engine.Model;
  HideTexts(m);
  m.Legend.Visible = false;
  m.ImageSmooth = true;
  m.CurveLineWidth = 7;
  m.Curve[1].Color = m.Curve[2].Color = 0x00B000;
  // The sample runs out of both ranges.
  m.AxisX.Minimum = Real48::From(400);
  m.AxisX.Maximum = Real48::From(900);
  m.AxisY.Minimum = Real48::From(0);
  m.AxisY.Maximum = Real48::From(1.5);
  engine.RepaintGraph();
  const PixelRect plot = engine.State().Plot;
  const auto green = [](TColor c) {
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return g - std::max(r, b) > 24;
  };
  const std::vector<std::pair<std::string, Picture>> pictures = {
      {"raster", FromSurface(engine)},
      {"svg", Rasterised(ImageFormat::kSvg)},
      {"pdf", Rasterised(ImageFormat::kPdf)}};
  for (const auto& [what, picture] : pictures) {
    int inside = 0, outside = 0;
    for (int y = 0; y < picture.Height; ++y) {
      for (int x = 0; x < picture.Width; ++x) {
        if (!green(picture.At(x, y))) continue;
        const bool in = x >= plot.Left && x <= plot.Right && y >= plot.Top && y <= plot.Bottom;
        ++(in ? inside : outside);
      }
    }
    EXPECT_EQ(outside, 0) << what;
    EXPECT_GT(inside, 2000) << what;
  }

  // The second curve's symbols, blue, stand only at its points inside: one reaches out by half
  // its size at most.
  m.Curve[2].Color = 0xFF0000;
  m.Curve[2].SymbolVisible = true;
  m.Curve[2].SymbolText = "x";
  engine.RepaintGraph();
  const auto blue = [](TColor c) {
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return b - std::max(r, g) > 60;
  };
  for (const auto& [what, picture] :
       std::vector<std::pair<std::string, Picture>>{{"raster", FromSurface(engine)},
                                                    {"svg", Rasterised(ImageFormat::kSvg)},
                                                    {"pdf", Rasterised(ImageFormat::kPdf)}}) {
    int symbols = 0, farOut = 0;
    for (int y = 0; y < picture.Height; ++y) {
      for (int x = 0; x < picture.Width; ++x) {
        if (!blue(picture.At(x, y))) continue;
        ++symbols;
        farOut +=
            x < plot.Left - 8 || x > plot.Right + 8 || y < plot.Top - 10 || y > plot.Bottom + 10;
      }
    }
    EXPECT_GT(symbols, 20) << what;
    EXPECT_EQ(farOut, 0) << what;
  }
}

// A BMP or PNG drawn larger keeps the layout: shrunk back, it is the smooth picture of the
// surface.
TEST_F(VectorPicture, LargerPicturesKeepTheLayout) {
  HideTexts(engine.Model);
  engine.Model.ImageSmooth = true;
  engine.Model.CurveLineWidth = 2;
  engine.RepaintGraph();
  const Picture surface = FromSurface(engine);
  for (const int scale : {2, 4}) {
    const std::string png = dir.File("large.png");
    std::ofstream(png, std::ios::binary) << GraphImageBytes(engine, ImageFormat::kPng, scale);
    const Picture large = ReadPng(png);
    ASSERT_EQ(large.Width, surface.Width * scale);
    ASSERT_EQ(large.Height, surface.Height * scale);
    Picture shrunk{surface.Width, surface.Height, {}};
    for (int y = 0; y < shrunk.Height; ++y) {
      for (int x = 0; x < shrunk.Width; ++x) {
        TColor mean = 0;
        for (int shift = 0; shift < 24; shift += 8) {
          int sum = 0;
          for (int i = 0; i < scale * scale; ++i) {
            sum += (large.At(x * scale + i % scale, y * scale + i / scale) >> shift) & 0xFF;
          }
          mean |= (sum / (scale * scale)) << shift;
        }
        shrunk.Pixels.push_back(mean);
      }
    }
    EXPECT_LT(DifferingShare(surface, shrunk), 0.005) << scale;
  }
}

// Smooth drawing for a screen of pixel ratio 2 holds twice the pixels each way, the picture a
// 2x copy gives; a saved picture stays 1x as on any other screen.
TEST_F(VectorPicture, ASharperScreenLeavesSavedPicturesAsTheyWere) {
  engine.Model.ImageSmooth = true;
  engine.RepaintGraph();
  const std::string once = GraphImageBytes(engine, ImageFormat::kPng);
  engine.DisplayScale = 2;
  engine.RepaintGraph();
  ASSERT_EQ(engine.Pixels().Width(), 2 * engine.Model.ImageWidth);
  // Twice the pixels to the metre: it prints at the size of the 1x picture.
  EXPECT_EQ(EncodePng(engine.Pixels(), engine.Pixels().Width(), engine.Pixels().Height(),
                      2 * kPixelsPerMetre),
            GraphImageBytes(engine, ImageFormat::kPng, 2));
  EXPECT_EQ(GraphImageBytes(engine, ImageFormat::kPng), once);
}

TEST_F(VectorPicture, TheWholeGraphMatchesWithExactColoursAndNoImages) {
  engine.Model.ImageColor = 0xD2E6F0;
  engine.Model.AxisX.Color = 0x785A3C;
  engine.Model.AxisX.Width = 7;
  ExpectSameBoxes("whole graph");
  const Picture raster = FromSurface(engine);
  const int axisRow = engine.State().OriginY;
  for (ImageFormat format : {ImageFormat::kSvg, ImageFormat::kPdf}) {
    const Picture vector = Rasterised(format);
    EXPECT_EQ(vector.At(300, 250), raster.At(300, 250)) << ImageFormatName(format);
    EXPECT_EQ(vector.At(300, axisRow), 0x785A3Cu) << ImageFormatName(format);
  }
  EXPECT_EQ(GraphImageBytes(engine, ImageFormat::kSvg).find("<image"), std::string::npos);
  EXPECT_EQ(GraphImageBytes(engine, ImageFormat::kPdf).find("/Image"), std::string::npos);
}

// Single drawing steps in smooth raster drawing, SVG and PDF, each against the pixels it must
// and must not cover: the widths, the left-out end of a thin line, a clip's last column and
// row, a dot of a wide pen, a colour as it is. A half-pixel shift or a pixel too many shows.
TEST_F(VectorPicture, SmoothStepsCoverExactlyTheirPixels) {
  const TColor pink = 0x8080FF;  // #ff8080
  struct Step {
    const char* what;
    std::function<void(Canvas&)> draw;
    std::vector<std::pair<int, int>> ink, blank;
  };
  const PixelRect clip{50, 50, 300, 300};  // Right and Bottom inclusive, as the plot's
  const std::vector<Step> steps = {
      {"3-px horizontal line",
       [](Canvas& c) {
         c.PenWidth = 3;
         c.MoveTo(100, 100);
         c.LineTo(200, 100);
       },
       {{150, 99}, {150, 100}, {150, 101}},
       {{150, 98}, {150, 102}}},
      {"1-px line leaves out its end",
       [](Canvas& c) {
         c.MoveTo(100, 200);
         c.LineTo(200, 200);
         c.MoveTo(250, 100);
         c.LineTo(250, 200);
         c.MoveTo(260, 200);  // upwards and leftwards too
         c.LineTo(260, 100);
         c.MoveTo(300, 160);
         c.LineTo(200, 160);
       },
       {{100, 200},
        {199, 200},
        {250, 100},
        {250, 199},
        {260, 200},
        {260, 101},
        {300, 160},
        {201, 160}},
       {{200, 200},
        {201, 200},
        {250, 200},
        {150, 199},
        {150, 201},
        {249, 150},
        {251, 150},
        {260, 100},
        {200, 160}}},
      {"clipped at the plot's last column and row",
       [&clip](Canvas& c) {
         c.LineClip = clip;
         c.PenWidth = 5;
         c.MoveTo(100, 150);
         c.LineTo(400, 150);
         c.MoveTo(150, 100);
         c.LineTo(150, 400);
         c.LineClip.reset();
       },
       {{300, 150}, {150, 300}, {299, 152}, {152, 299}},
       {{301, 150}, {150, 301}, {302, 150}, {150, 302}}},
      {"dot of a 3-px pen where a segment has no length, none of a 1-px pen",
       [](Canvas& c) {
         c.PenWidth = 3;
         c.MoveTo(400, 300);
         c.LineTo(400, 300);
         c.PenWidth = 1;
         c.MoveTo(500, 100);
         c.LineTo(500, 100);
       },
       {{400, 300}, {399, 300}, {401, 300}, {400, 299}, {400, 301}},
       {{398, 300}, {402, 300}, {400, 298}, {400, 302}, {500, 100}}},
  };
  for (const Step& step : steps) {
    RasterCanvas raster(600, 500, engine.Fonts());
    std::vector<std::pair<std::string, Picture>> pictures;
    for (const ImageFormat format : {ImageFormat::kSvg, ImageFormat::kPdf}) {
      const std::unique_ptr<DocumentCanvas> document =
          MakeDocument(format, 600, 500, engine.Fonts());
      for (Canvas* c : std::initializer_list<Canvas*>{document.get(), &raster}) {
        c->BrushColor = 0xFFFFFF;
        c->FillRect(0, 0, 600, 500);
        c->PenColor = pink;
        c->Smooth = true;
        step.draw(*c);
      }
      pictures.emplace_back(ImageFormatName(format), Rasterised(format, document->Finish()));
    }
    Picture smooth{600, 500, {}};
    for (int y = 0; y < 500; ++y) {
      for (int x = 0; x < 600; ++x) smooth.Pixels.push_back(raster.GetPixel(x, y));
    }
    pictures.emplace_back("smooth raster", smooth);
    for (const auto& [what, picture] : pictures) {
      const std::string where = std::string(step.what) + " in " + what;
      ASSERT_EQ(picture.Width, 600) << where;
      const auto inked = [&](int x, int y) {
        const TColor c = picture.At(x, y);
        return 255 - static_cast<int>((c >> 8) & 0xFF) > 60;  // green falls where pink covers
      };
      for (const auto& [x, y] : step.ink) EXPECT_TRUE(inked(x, y)) << where << " " << x << "," << y;
      for (const auto& [x, y] : step.blank) {
        EXPECT_FALSE(inked(x, y)) << where << " " << x << "," << y;
      }
    }
  }

  // The colour as it is, and nothing of a segment far off the page.
  for (const ImageFormat format : {ImageFormat::kSvg, ImageFormat::kPdf}) {
    const auto document = [&](bool far) {
      const std::unique_ptr<DocumentCanvas> d = MakeDocument(format, 600, 500, engine.Fonts());
      d->PenColor = pink;
      d->MoveTo(10, 10);
      d->LineTo(20, 10);
      if (far) {  // beside the page, above it, and past its corner
        d->PenWidth = 3;
        for (const auto& [x0, y0, x1, y1] :
             std::vector<std::array<int, 4>>{{-100000, -90000, -50000, 3000000},
                                             {10, -5000, 500, -5000},
                                             {-7000, 10, -7000, 400},
                                             {-1000, 250, 250, -1000},
                                             {400, 5000, 1000, 300}}) {
          d->MoveTo(x0, y0);
          d->LineTo(x1, y1);
        }
      }
      return d->Finish();
    };
    const std::string near = document(false), far = document(true);
    EXPECT_EQ(far.size(), near.size()) << ImageFormatName(format);
    if (format == ImageFormat::kSvg) {
      EXPECT_NE(near.find("stroke=\"#ff8080\""), std::string::npos) << near;
      EXPECT_EQ(far, near);
    }
  }
  // SVG writes hundredths as the shortest decimal, colours short where they can be, and the
  // characters XML reserves as references.
  const std::unique_ptr<DocumentCanvas> svg =
      MakeDocument(ImageFormat::kSvg, 600, 500, engine.Fonts());
  svg->PenColor = 0x0000FF;
  svg->MoveTo(0, 100);
  svg->LineTo(3000, 105);  // cut 64 pixels and a pen's width past the page
  svg->MoveTo(70, 70);     // a 1-pixel line of no length draws nothing, and is not written
  svg->LineTo(70, 70);
  svg->PenWidth = 3;  // a dot where a part has no length: "l0 0", the numbers apart
  svg->MoveTo(50, 50);
  svg->LineTo(50, 50);
  svg->MoveTo(80, 80);
  svg->LineTo(90, 85);
  svg->Dot(600, 10, 0xFF);  // off the page: nothing
  svg->Dot(10, 500, 0xFF);
  svg->BrushColor = 0x00FF00;
  svg->FillRect(-100, 480, 700, 600);  // cut 64 pixels past the page
  svg->BrushColor = 0xFFFFFF;
  svg->Font.Size = 12;
  svg->Font.Color = 0x99AA11;
  svg->TextOut(20, 20, "a<b&c>'\"");
  const std::string text = svg->Finish();
  EXPECT_NE(text.find("<path stroke=\"#f00\" d=\"M0 100.5l665 1.11\"/>"), std::string::npos)
      << text;
  EXPECT_NE(text.find("d=\"M50.5 50.5l0 0"), std::string::npos) << text;
  EXPECT_NE(text.find("M80.5 80.5l10 5\"/>"), std::string::npos) << text;
  EXPECT_NE(text.find("<rect x=\"-64\" y=\"480\" width=\"728\" height=\"84\" fill=\"#0f0\"/>"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("h1v1h-1z"), std::string::npos) << text;
  EXPECT_EQ(text.find("M70.5 70.5"), std::string::npos) << text;
  EXPECT_NE(text.find("fill=\"#fff\""), std::string::npos) << text;
  EXPECT_NE(text.find("fill=\"#1a9\">a&lt;b&amp;c&gt;&apos;&quot;</text>"), std::string::npos)
      << text;
}

// Positions a user can type reach cairo, whose coordinates overflow far below int32, only as
// what lands on or near the page.
TEST(VectorDocument, ExtremeGeometryGivesAValidDocumentOrAClearError) {
  const std::vector<std::pair<std::string, std::function<void(GraphModel&)>>> cases = {
      {"huge axis lengths",
       [](GraphModel& m) {
         m.AxisX.Length = 2000000000;
         m.AxisY.Length = 2000000000;
         m.AxisY.Title.TopAuto = false;
         m.AxisY.Title.Top = -2000000000;
       }},
      {"positions far off the page",
       [](GraphModel& m) {
         m.Title.LeftAuto = false;
         m.Title.Left = -2147483647;
         m.AxisX.Left = 2147483647;
         m.AxisY.Bottom = -2147483647;
         m.Legend.LeftAuto = false;
         m.Legend.Left = 2000000000;
       }},
      {"wide pens and huge fonts",
       [](GraphModel& m) {
         m.AxisX.Width = m.AxisY.Width = m.CurveLineWidth = m.ImageBorderWidth = 100000;
         m.Title.Font.Size = 400;
         m.Curve[1].SymbolVisible = true;
         m.CurvesFont.Size = 200;
       }},
      {"axis range of one point", [](GraphModel& m) { m.AxisX.Maximum = m.AxisX.Minimum; }},
  };
  for (const auto& [what, change] : cases) {
    GraphEngine engine;
    ApplyStartValues(engine.Model);
    change(engine.Model);
    ApplySymbolTexts(engine.Model);
    for (ImageFormat format : {ImageFormat::kSvg, ImageFormat::kPdf}) {
      try {
        const std::string bytes = GraphImageBytes(engine, format);
        EXPECT_GT(bytes.size(), 100u) << what;
      } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Invalid floating point operation") << what;
      }
    }
  }
  GraphEngine engine;
  ApplyStartValues(engine.Model);
  engine.Model.ImageWidth = 0;
  EXPECT_TRUE(GraphImageBytes(engine, ImageFormat::kSvg).empty());
  test::TempDir dir;
  EXPECT_THROW_MESSAGE(SaveGraphImage(engine, dir.File("g.pdf"), ImageFormat::kPdf), Error,
                       "Unable to write to " + dir.File("g.pdf") + ": invalid image size 0 x 500");
  EXPECT_FALSE(std::ifstream(dir.File("g.pdf")).good());
}

// A curve of a million points puts its symbols and points on a few thousand pixels, over and
// over, and the document holds every drawing step until it ends: the repeats must cost nothing,
// and the picture must look as if each had been drawn once.
TEST_F(VectorPicture, RepeatedSymbolsAndPointsCostNothingAndLookTheSame) {
  // Rounds of symbols and points at the same 50 places, then one round at 50 new ones.
  const auto draw = [this](ImageFormat format, int rounds) {
    const std::unique_ptr<DocumentCanvas> document = MakeDocument(format, 600, 500, engine.Fonts());
    DocumentCanvas& canvas = *document;
    canvas.Font = engine.Model.CurvesFont;
    canvas.Font.Size = 14;
    canvas.Font.Color = 0x2040C0;
    canvas.BrushColor = 0xD0E8F8;
    for (int round = 0; round <= rounds; ++round) {
      for (int i = 0; i < 50; ++i) {
        const int x = 20 + i % 10 * 57 + (round == rounds) * 28;
        const int y = 20 + i / 10 * 95 + (round == rounds) * 50;
        canvas.TextOut(x, y, SymbolList()[1 + i % 5]);
        canvas.Dot(x + 30, y + 40, 0x10A010);
      }
    }
    return canvas.Finish();
  };
  for (ImageFormat format : {ImageFormat::kSvg, ImageFormat::kPdf}) {
    SCOPED_TRACE(ImageFormatName(format));
    const std::string many = draw(format, 2000);  // 200,000 symbols and points
    if (format == ImageFormat::kSvg) {
      EXPECT_LT(many.size(), 4000000u);
    }
    const Picture once = Rasterised(format, draw(format, 1));
    EXPECT_EQ(InkBox(once, 0xFFFFFF).Right, 20 + 9 * 57 + 28 + 30);
    EXPECT_TRUE(Rasterised(format, many).Pixels == once.Pixels);
  }
}

TEST_F(VectorPicture, PdfTextIsTextAViewerFinds) {
  if (!HasTool("pdftotext")) GTEST_SKIP() << "pdftotext (poppler-utils) is needed";
  const std::string pdf = dir.File("graph.pdf");
  std::ofstream(pdf, std::ios::binary) << GraphImageBytes(engine, ImageFormat::kPdf);
  ASSERT_EQ(std::system(("pdftotext '" + pdf + "' '" + dir.File("text.txt") + "'").c_str()), 0);
  const std::string text = Slurp(dir.File("text.txt"));
  for (const std::string& expected :
       {engine.Model.Title.Text, engine.Model.AxisX.Title.Text, std::string("1000"),
        std::string("Tan(Psi)"), std::string("70°")}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in:\n" << text;
  }
}

}  // namespace
}  // namespace kurvex
