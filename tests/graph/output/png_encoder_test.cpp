// PNG pictures decode (with libpng and zlib) to exactly the pixels they were made from.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "graph/graph_engine.h"
#include "graph/model.h"
#include "graph/output/image_file.h"
#include "graph/render/raster_canvas.h"

namespace kurvex {
namespace {

// The RGB pixels of a PNG in memory as 0x00BBGGRR, or nothing when libpng refuses it.
std::vector<TColor> Decode(const std::string& png, int& width, int& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  std::vector<TColor> pixels;
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
    pixels.push_back(rgb[i] | rgb[i + 1] << 8 | rgb[i + 2] << 16);
  }
  return pixels;
}

void ExpectRoundTrip(const PixelBuffer& pixels, int width, int height, const std::string& what) {
  int w = 0, h = 0;
  const std::vector<TColor> decoded = Decode(EncodePng(pixels, width, height), w, h);
  ASSERT_EQ(w, width) << what;
  ASSERT_EQ(h, height) << what;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      ASSERT_EQ(decoded[static_cast<std::size_t>(y) * width + x], pixels.At(x, y))
          << what << " at " << x << "," << y;
    }
  }
}

TEST(PngEncoder, EveryKindOfPictureDecodesToItsPixels) {
  std::mt19937 random(7);
  using Paint = std::function<TColor(int x, int y)>;
  struct Case {
    std::string what;
    int width, height;
    Paint paint;
  };
  const std::vector<Case> cases = {
      {"one pixel", 1, 1, [](int, int) { return TColor{0x123456}; }},
      {"one column", 1, 300, [](int, int y) { return TColor(y / 7 % 2 ? 0xFFFFFF : 0x0000FF); }},
      {"one row", 700, 1, [](int x, int) { return TColor(x / 90 % 2 ? 0xFFFFFF : 0x00FF00); }},
      {"noise", 37, 23, [&](int, int) { return TColor(random() & 0xFFFFFF); }},
      {"noise of two colours", 301, 40,
       [&](int, int) { return TColor(random() % 2 ? 0xFFFFFF : 0); }},
      // Runs down the rows of 2 x 259 and 517 bytes: 258-byte matches must not leave 1 or 2.
      {"one colour, 86 pixels wide", 86, 3, [](int, int) { return TColor{0xF0E6D2}; }},
      {"one colour, 172 pixels wide", 172, 2, [](int, int) { return TColor{0}; }},
      {"vertical stripes", 257, 60, [](int x, int) { return TColor(x % 5 ? 0xFFFFFF : 0xFF0000); }},
      {"horizontal stripes", 259, 60,
       [](int, int y) { return TColor(y % 3 ? 0xFFFFFF : 0x00FFFF); }},
      {"checkerboard", 64, 64, [](int x, int y) { return TColor((x + y) % 2 ? 0xFFFFFF : 0); }},
      {"blocks on the whole surface", 2000, 2000,
       [](int x, int y) { return TColor((x / 100 * 31 + y / 77 * 17) % 5 * 0x332211); }},
      // One row back is more than 24576 bytes: the last distance code, 24577..32768.
      {"rows reaching back most of the deflate window", 10000, 3,
       [](int x, int y) { return TColor(x % 1000 == y ? 0 : 0xFFFFFF); }},
      {"rows wider than the deflate window", 11000, 3,
       [](int x, int y) { return TColor(x % 1000 == y ? 0 : 0xFFFFFF); }},
  };
  for (const Case& c : cases) {
    PixelBuffer pixels(c.width + 3, c.height + 2, 0x777777);  // the rest is not written
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) pixels.Set(x, y, c.paint(x, y));
    }
    ExpectRoundTrip(pixels, c.width, c.height, c.what);
  }
  // An area larger than the pixels is the pixels', as the bitmap's is.
  PixelBuffer pixels(40, 30, 0x123456);
  pixels.Set(39, 29, 0xABCDEF);
  EXPECT_EQ(EncodePng(pixels, 45, 35), EncodePng(pixels, 40, 30));
  EXPECT_EQ(EncodePng(pixels, 40, 300), EncodePng(pixels, 40, 30));
  EXPECT_EQ(EncodePng(pixels, 400, 30), EncodePng(pixels, 40, 30));
}

TEST(PngEncoder, TheGraphDecodesToTheBitmapsPixelsAndStaysSmall) {
  GraphEngine engine;
  ApplyStartValues(engine.Model);
  engine.PaintEnabled = true;
  engine.Model.Curve[1].SymbolVisible = true;
  ApplySymbolTexts(engine.Model);
  engine.RepaintGraph();
  ExpectRoundTrip(engine.Pixels(), 600, 500, "graph");
  EXPECT_LT(EncodePng(engine.Pixels(), 600, 500).size(), 60000u);  // a BMP is 900,054 bytes
  EXPECT_TRUE(EncodePng(engine.Pixels(), 0, 500).empty());
}

}  // namespace
}  // namespace kurvex
