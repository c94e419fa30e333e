#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "graph/render/font_engine.h"
#include "graph/render/raster_canvas.h"

namespace kurvex {
namespace {

constexpr TColor kWhite = 0xFFFFFF;

FontSpec Font(const std::string& name, int size, bool bold = false, int charset = 0) {
  FontSpec font;
  font.Name = name;
  font.Size = size;
  font.Bold = bold;
  font.Charset = charset;
  return font;
}

FontSpec Times(int size, bool bold = false) {
  return Font("Times New Roman", size, bold);
}

FontSpec Symbol(int size) {
  return Font("MT Symbol", size, false, 2);
}

int InkPixels(const PixelBuffer& pixels) {
  int count = 0;
  for (int y = 0; y < pixels.Height(); ++y) {
    for (int x = 0; x < pixels.Width(); ++x) count += pixels.At(x, y) != kWhite;
  }
  return count;
}

// Times New Roman resolves to its metric-compatible face, so tick labels keep the sizes the
// layout was designed with: 10 points is 13 pixels, 12 above the baseline and 3 below.
TEST(FontEngine, TimesNewRomanHasItsUsualMetrics) {
  FontEngine& fonts = FontEngine::Shared();
  const TextSize label = fonts.Extent(Times(10), "1000");
  EXPECT_EQ(label.Width, 28);
  EXPECT_EQ(label.Height, 15);
  EXPECT_EQ(fonts.Extent(Times(10), "-1.00").Width, 28);
  EXPECT_EQ(fonts.Extent(Times(10), "Tan(Psi)").Width, 45);
  EXPECT_EQ(fonts.LineHeight(Times(8)), 13);
  EXPECT_EQ(fonts.LineHeight(Times(10)), 15);
  EXPECT_EQ(fonts.LineHeight(Times(12)), 19);
  EXPECT_EQ(fonts.LineHeight(Times(20)), 31);
  EXPECT_EQ(fonts.Extent(Times(10), "").Width, 0);
  EXPECT_EQ(fonts.Extent(Times(10), "").Height, 15);
}

TEST(FontEngine, BoldIsWiderAndAsHigh) {
  FontEngine& fonts = FontEngine::Shared();
  const TextSize regular = fonts.Extent(Times(12), "Tan(Psi)");
  const TextSize bold = fonts.Extent(Times(12, true), "Tan(Psi)");
  EXPECT_GT(bold.Width, regular.Width);
  EXPECT_EQ(bold.Height, regular.Height);
}

TEST(FontEngine, WidthIsTheSumOfAdvancesWithoutKerning) {
  FontEngine& fonts = FontEngine::Shared();
  for (const char* pair : {"AV", "To", "Wa"}) {
    const std::string text(pair);
    EXPECT_EQ(fonts.Extent(Times(20), text).Width,
              fonts.Extent(Times(20), text.substr(0, 1)).Width +
                  fonts.Extent(Times(20), text.substr(1)).Width)
        << text;
  }
}

TEST(FontEngine, OddSizesFallBackToSaneOnes) {
  FontEngine& fonts = FontEngine::Shared();
  EXPECT_EQ(fonts.LineHeight(Times(0)), fonts.LineHeight(Times(10)));
  EXPECT_EQ(fonts.LineHeight(Times(-7)), fonts.LineHeight(Times(10)));
  const int huge = fonts.LineHeight(Times(INT_MAX));
  EXPECT_GT(huge, 1000);
  EXPECT_LT(huge, 2000);
  EXPECT_GT(fonts.Extent(Times(1), "1000").Height, 0);
}

TEST(FontEngine, UnknownFontsAndBadTextStillMeasure) {
  FontEngine& fonts = FontEngine::Shared();
  EXPECT_GT(fonts.Extent(Font("No Such Font At All", 10), "abc").Width, 0);
  EXPECT_GT(fonts.Extent(Font("", 10), "abc").Width, 0);
  EXPECT_GT(fonts.Extent(Font("Bad \xFF\xFE name", 10), "abc").Width, 0);
  const TextSize broken = fonts.Extent(Times(10), "1\xFF\xC3 2\xE2\x82");
  EXPECT_GT(broken.Width, fonts.Extent(Times(10), "1 2").Width);
  EXPECT_EQ(broken.Height, 15);
  EXPECT_GT(fonts.Extent(Times(10), std::string("a\0b", 3)).Width, 0);
}

// The symbol charset reads character codes in the Symbol encoding: letters are Greek, 0xB7 is
// the bullet, 0xB4 the multiplication sign, 0xC4 the circled times.
TEST(FontEngine, SymbolCharsetMapsCodesToTheirSymbols) {
  FontEngine& fonts = FontEngine::Shared();
  const std::pair<const char*, const char*> codes[] = {{"a", "\xCE\xB1"},
                                                       {"W", "\xCE\xA9"},
                                                       {"*", "\xE2\x88\x97"},
                                                       {"\xC2\xB7", "\xE2\x80\xA2"},
                                                       {"\xC2\xB4", "\xC3\x97"},
                                                       {"\xC3\x84", "\xE2\x8A\x97"},
                                                       {"\xC2\xA7", "\xE2\x99\xA3"},
                                                       {"\xC2\xA5", "\xE2\x88\x9E"},
                                                       {"1", "1"}};
  const FontSpec plain = Font("MT Symbol", 40);
  for (auto [code, unicode] : codes) {
    PixelBuffer viaSymbol(80, 80);
    PixelBuffer viaUnicode(80, 80);
    DrawGlyphs(viaSymbol, fonts, 10, 10, Symbol(40), code);
    DrawGlyphs(viaUnicode, fonts, 10, 10, plain, unicode);
    EXPECT_GT(InkPixels(viaSymbol), 0) << code;
    EXPECT_EQ(fonts.Extent(Symbol(40), code).Width, fonts.Extent(plain, unicode).Width) << code;
    int different = 0;
    for (int y = 0; y < 80; ++y) {
      for (int x = 0; x < 80; ++x) different += viaSymbol.At(x, y) != viaUnicode.At(x, y);
    }
    EXPECT_EQ(different, 0) << code;
  }
}

TEST(FontEngine, SmallBulletOfTheCurveSymbolsHasInk) {
  PixelBuffer pixels(30, 30);
  DrawGlyphs(pixels, FontEngine::Shared(), 5, 5, Symbol(8), "\xC2\xB7");
  EXPECT_GT(InkPixels(pixels), 2);
  EXPECT_GT(FontEngine::Shared().Extent(Symbol(8), "\xC2\xB7").Width, 0);
}

TEST(FontEngine, GlyphsBlendFromBackgroundToFontColour) {
  PixelBuffer pixels(120, 50);
  FontSpec font = Times(20);
  font.Color = 0x0000FF;
  PixelRect painted;
  DrawGlyphs(pixels, FontEngine::Shared(), 10, 10, font, "Sample", &painted);
  int solid = 0;
  int blended = 0;
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 120; ++x) {
      const TColor pixel = pixels.At(x, y);
      if (pixel == kWhite) continue;
      const bool inside =
          x >= painted.Left && x < painted.Right && y >= painted.Top && y < painted.Bottom;
      EXPECT_TRUE(inside) << x << "," << y;
      // Red stays full while green and blue fade equally towards 0.
      EXPECT_EQ(pixel & 0xFF, 0xFF);
      EXPECT_EQ((pixel >> 8) & 0xFF, (pixel >> 16) & 0xFF);
      solid += pixel == 0x0000FF;
      blended += pixel != 0x0000FF;
    }
  }
  EXPECT_GT(solid, 20);
  EXPECT_GT(blended, 20);
}

TEST(FontEngine, UnderlineRunsTheWidthOfTheCellBelowTheBaseline) {
  FontSpec font = Times(12);
  font.Underline = true;
  const TextSize cell = FontEngine::Shared().Extent(font, "a b");
  PixelBuffer pixels(100, 40);
  DrawGlyphs(pixels, FontEngine::Shared(), 10, 5, font, "a b", nullptr);
  int fullRows = 0;
  for (int y = 0; y < 40; ++y) {
    int ink = 0;
    for (int x = 0; x < 100; ++x) ink += pixels.At(x, y) == 0;
    if (ink == cell.Width) {
      ++fullRows;
      EXPECT_EQ(pixels.At(10, y), 0);
      EXPECT_EQ(pixels.At(9 + cell.Width, y), 0);
      EXPECT_GE(y, 5 + 15);  // below the baseline (ascent 15 at 16 pixels)
      EXPECT_LT(y, 5 + cell.Height);
    }
  }
  EXPECT_EQ(fullRows, 1);
}

// A machine without a single font still lays out the graph: text takes no room and draws nothing.
TEST(FontEngine, WithoutAnyFontTextIsEmptyButHasHeight) {
  const std::string config = ::testing::TempDir() + "kurvex_no_fonts.conf";
  {
    std::ofstream out(config);
    out << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
  }
  const char* previous = std::getenv("FONTCONFIG_FILE");
  const std::string saved = previous ? previous : "";
  setenv("FONTCONFIG_FILE", config.c_str(), 1);
  {
    FontEngine fonts;
    const TextSize size = fonts.Extent(Times(10), "1000");
    EXPECT_EQ(size.Width, 0);
    EXPECT_GT(size.Height, 10);
    EXPECT_EQ(fonts.LineHeight(Times(10)), size.Height);
    PixelBuffer pixels(50, 30);
    FontSpec underlined = Times(10);
    underlined.Underline = true;
    DrawGlyphs(pixels, fonts, 2, 2, underlined, "1000");
    EXPECT_EQ(InkPixels(pixels), 0);
  }
  if (previous) {
    setenv("FONTCONFIG_FILE", saved.c_str(), 1);
  } else {
    unsetenv("FONTCONFIG_FILE");
  }
  std::remove(config.c_str());
}

TEST(FontEngine, DrawingIsClippedToTheBuffer) {
  FontEngine& fonts = FontEngine::Shared();
  PixelBuffer pixels(20, 10);
  FontSpec font = Times(30);
  font.Underline = true;
  DrawGlyphs(pixels, fonts, -15, -12, font, "Wide text");
  DrawGlyphs(pixels, fonts, 15, 5, font, "Wide text");
  DrawGlyphs(pixels, fonts, INT_MIN, INT_MIN, font, "Wide text");
  DrawGlyphs(pixels, fonts, INT_MAX, INT_MAX, font, "Wide text");
  DrawGlyphs(pixels, fonts, INT_MAX - 5, 0, font, "Wide text");
  PixelBuffer empty(0, 0);
  DrawGlyphs(empty, fonts, 0, 0, font, "Wide text");
  EXPECT_GT(InkPixels(pixels), 0);
}

}  // namespace
}  // namespace kurvex
