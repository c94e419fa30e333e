// The fixture of the vector-output tests: a graph engine, its pictures as pixels, and SVG and
// PDF documents rasterised at 96 dpi by librsvg and poppler.
#pragma once

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "graph/graph_engine.h"
#include "graph/graph_image.h"
#include "graph/model.h"

namespace kurvex::testing {

inline bool HasTool(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

struct Picture {
  int Width = 0;
  int Height = 0;
  std::vector<TColor> Pixels;
  TColor At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

struct Box {
  int Left = 0, Top = 0, Right = -1, Bottom = -1;
  bool Empty() const { return Right < Left; }
};

inline std::ostream& operator<<(std::ostream& out, const Box& b) {
  return out << "[" << b.Left << "," << b.Top << " - " << b.Right << "," << b.Bottom << "]";
}

inline Picture FromSurface(GraphEngine& engine) {
  Picture p{engine.Model.ImageWidth, engine.Model.ImageHeight, {}};
  for (int y = 0; y < p.Height; ++y) {
    for (int x = 0; x < p.Width; ++x) p.Pixels.push_back(engine.Pixels().At(x, y));
  }
  return p;
}

inline Picture ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  Picture p;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return p;
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  const png_color white{255, 255, 255};
  if (!png_image_finish_read(&image, &white, rgb.data(), 0, nullptr)) return p;
  p.Width = static_cast<int>(image.width);
  p.Height = static_cast<int>(image.height);
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
    p.Pixels.push_back(rgb[i] | rgb[i + 1] << 8 | rgb[i + 2] << 16);
  }
  return p;
}

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Pixels at least about half covered by something other than the background.
inline Box InkBox(const Picture& p, TColor background) {
  Box box{p.Width, p.Height, -1, -1};
  for (int y = 0; y < p.Height; ++y) {
    for (int x = 0; x < p.Width; ++x) {
      const TColor c = p.At(x, y);
      int difference = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        difference = std::max(difference, std::abs(static_cast<int>((c >> shift) & 0xFF) -
                                                   static_cast<int>((background >> shift) & 0xFF)));
      }
      if (difference < 110) continue;
      box.Left = std::min(box.Left, x);
      box.Top = std::min(box.Top, y);
      box.Right = std::max(box.Right, x);
      box.Bottom = std::max(box.Bottom, y);
    }
  }
  return box;
}

class VectorPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HasTool("rsvg-convert") || !HasTool("pdftoppm")) {
      GTEST_SKIP() << "rsvg-convert (librsvg2-bin) and pdftoppm (poppler-utils) are needed";
    }
    ApplyStartValues(engine.Model);
    engine.PaintEnabled = true;
  }

  // The document of `format`, written to a file and rasterised at 96 dpi.
  Picture Rasterised(ImageFormat format) {
    return Rasterised(format, GraphImageBytes(engine, format));
  }

  Picture Rasterised(ImageFormat format, const std::string& bytes) {
    const std::string name = ImageFormatName(format);
    const std::string document = dir.File("graph." + name);
    std::ofstream(document, std::ios::binary) << bytes;
    const std::string png = dir.File(name + ".png");
    const std::string command =
        format == ImageFormat::kSvg
            ? "rsvg-convert -d 96 -p 96 '" + document + "' -o '" + png + "'"
            : "pdftoppm -r 96 -png -singlefile '" + document + "' '" + dir.File(name) + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return ReadPng(png);
  }

  // The raster picture and both rasterised documents, whose elements must match within 1 px.
  // An SVG reader lays out `text` with advances of its own: a line may end up to 2 % of its
  // length off, to the right or, turned, above.
  void ExpectSameBoxes(const std::string& what, bool text = false) {
    engine.RepaintGraph();
    const Picture raster = FromSurface(engine);
    const Box expected = InkBox(raster, engine.Model.ImageColor);
    ASSERT_FALSE(expected.Empty()) << what;
    for (ImageFormat format : {ImageFormat::kSvg, ImageFormat::kPdf}) {
      const Picture vector = Rasterised(format);
      ASSERT_EQ(vector.Width, raster.Width) << what;
      ASSERT_EQ(vector.Height, raster.Height) << what;
      const Box got = InkBox(vector, engine.Model.ImageColor);
      const std::string where = what + " in " + ImageFormatName(format);
      EXPECT_NEAR(got.Left, expected.Left, 1) << where << " " << got << " vs " << expected;
      const bool laidOut = text && format == ImageFormat::kSvg;
      const int along = laidOut ? 1 + (expected.Right - expected.Left) / 50 : 1;
      const int up = laidOut ? 1 + (expected.Bottom - expected.Top) / 50 : 1;
      EXPECT_NEAR(got.Top, expected.Top, up) << where << " " << got << " vs " << expected;
      EXPECT_NEAR(got.Right, expected.Right, along) << where << " " << got << " vs " << expected;
      EXPECT_NEAR(got.Bottom, expected.Bottom, 1) << where << " " << got << " vs " << expected;
    }
  }

  // Everything hidden; the curves' points lie above the y range, so nothing of them shows.
  void HideAll() {
    GraphModel& m = engine.Model;
    m.Title.Visible = m.AxisX.Title.Visible = m.AxisY.Title.Visible = false;
    m.AxisX.Visible = m.AxisY.Visible = m.AxisY.TickVisible = false;
    m.Legend.Visible = m.Text.Visible = m.ImageBorderVisible = false;
    engine.SetDataText("300 5 5\r\n1000 5 5");
  }

  GraphEngine engine;
  test::TempDir dir;
};

}  // namespace kurvex::testing
