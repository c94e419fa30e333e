#include "graph/render/font_engine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/code_page.h"
#include "common/utf8.h"
#include "graph/render/font_faces.h"

namespace kurvex {
namespace {

// Points at 96 dpi, rounded as the Windows MulDiv does. A size of 0 or less means the usual
// 10 points; absurd sizes are capped so that one glyph stays a few megabytes at most.
int PixelSizeOf(int points) {
  constexpr int kDefaultPoints = 10;
  constexpr int kMaxPoints = 1000;
  if (points <= 0) points = kDefaultPoints;
  points = std::min(points, kMaxPoints);
  return (points * 96 + 36) / 72;
}

// Rendered glyphs are dropped all at once beyond this many bytes, so that a long session of
// changing font sizes does not grow without bound.
constexpr std::size_t kGlyphCacheBudget = 64u << 20;

struct Glyph {
  int advance = 0;
  int left = 0;  // from the pen position to the bitmap's left column
  int top = 0;   // rows of the bitmap above the baseline
  int width = 0;
  int rows = 0;
  std::vector<std::uint8_t> coverage;
};

struct ResolvedFont {
  FontFace* face = nullptr;  // null when no font could be found at all
  std::string family;
  bool bold = false;
  bool italic = false;
  bool symbol = false;
  int pixelSize = 0;
  int ascent = 0;
  int descent = 0;
  int underlineOffset = 1;  // rows from the baseline row to the underline's top row
  int underlineThickness = 1;
  unsigned generation = 0;
  std::array<const Glyph*, 128> ascii{};
  std::unordered_map<char32_t, const Glyph*> others;
};

std::string CleanUtf8(std::string_view text) {
  std::string out;
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t cp = NextCodePoint(text, pos);
    if (cp != 0) AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace

struct FontEngine::Impl {
  FontFaces faces;
  std::unordered_map<std::string, std::unique_ptr<ResolvedFont>> fonts;
  std::unordered_map<std::uint64_t, std::unique_ptr<Glyph>> glyphs;
  std::size_t glyphBytes = 0;
  unsigned generation = 0;

  // The renderer asks for the same font many times in a row.
  FontSpec lastRequest;
  ResolvedFont* lastFont = nullptr;

  static bool SetSize(FontFace& face, int pixelSize) {
    if (face.pixelSize == pixelSize) return true;
    FT_Face ft = face.ft;
    FT_Error error = 0;
    if (FT_IS_SCALABLE(ft)) {
      error = FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(pixelSize));
    } else if (ft->num_fixed_sizes > 0) {
      int best = 0;
      for (int i = 1; i < ft->num_fixed_sizes; ++i) {
        if (std::abs(ft->available_sizes[i].height - pixelSize) <
            std::abs(ft->available_sizes[best].height - pixelSize)) {
          best = i;
        }
      }
      error = FT_Select_Size(ft, best);
    } else {
      error = 1;
    }
    face.pixelSize = error == 0 ? pixelSize : 0;
    return error == 0;
  }

  // Ascent and descent as Windows reports them (from the OS/2 table, rounded up), so that text
  // cells have the height users of the same fonts elsewhere expect.
  static void SetMetrics(ResolvedFont& font) {
    font.ascent = (font.pixelSize * 9 + 9) / 10;
    font.descent = (font.pixelSize * 2 + 9) / 10;
    if (!font.face || !SetSize(*font.face, font.pixelSize)) return;
    FT_Face ft = font.face->ft;
    const long long em = ft->units_per_EM;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && em > 0 && os2->usWinAscent + os2->usWinDescent > 0) {
      font.ascent = static_cast<int>((os2->usWinAscent * font.pixelSize + em - 1) / em);
      font.descent = static_cast<int>((os2->usWinDescent * font.pixelSize + em - 1) / em);
    } else if (ft->size) {
      font.ascent = static_cast<int>((ft->size->metrics.ascender + 63) >> 6);
      font.descent = static_cast<int>((-ft->size->metrics.descender + 63) >> 6);
    }
    if (em > 0 && ft->underline_thickness > 0) {
      const double scale = static_cast<double>(font.pixelSize) / em;
      const double thickness = ft->underline_thickness * scale;
      const double centre = -ft->underline_position * scale;
      font.underlineThickness = std::max(1, static_cast<int>(std::lround(thickness)));
      font.underlineOffset = std::max(0, static_cast<int>(std::lround(centre - thickness / 2)));
    }
  }

  ResolvedFont& Resolve(const FontSpec& request) {
    if (lastFont && request.Name == lastRequest.Name && request.Size == lastRequest.Size &&
        request.Bold == lastRequest.Bold && request.Italic == lastRequest.Italic &&
        (request.Charset == 2) == (lastRequest.Charset == 2)) {
      return *lastFont;
    }
    const int pixelSize = PixelSizeOf(request.Size);
    const bool symbol = request.Charset == 2;
    std::string key = std::to_string(pixelSize) + (symbol ? "s" : "t") +
                      StyleKey(request.Name, request.Bold, request.Italic);
    auto it = fonts.find(key);
    if (it == fonts.end()) {
      auto font = std::make_unique<ResolvedFont>();
      font->family = CleanUtf8(request.Name);
      font->bold = request.Bold;
      font->italic = request.Italic;
      font->symbol = symbol;
      font->pixelSize = pixelSize;
      font->generation = generation;
      font->face = faces.Primary(font->family, request.Bold, request.Italic);
      SetMetrics(*font);
      it = fonts.emplace(std::move(key), std::move(font)).first;
    }
    lastRequest = request;
    lastFont = it->second.get();
    return *lastFont;
  }

  static FT_UInt CharIndex(const FontFace& face, char32_t original, char32_t unicode) {
    if (face.symbolCmap) {
      if (original > 0xFF) return 0;
      FT_UInt index = FT_Get_Char_Index(face.ft, 0xF000 + original);
      return index != 0 ? index : FT_Get_Char_Index(face.ft, original);
    }
    return FT_Get_Char_Index(face.ft, unicode);
  }

  std::unique_ptr<Glyph> Render(FontFace& face, int pixelSize, FT_UInt index) {
    auto glyph = std::make_unique<Glyph>();
    if (!SetSize(face, pixelSize)) return glyph;
    FT_Int32 flags = FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL;
    if (FT_IS_SCALABLE(face.ft)) flags |= FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(face.ft, index, flags) != 0) return glyph;
    FT_GlyphSlot slot = face.ft->glyph;
    if (face.embolden && slot->format == FT_GLYPH_FORMAT_OUTLINE) FT_GlyphSlot_Embolden(slot);
    const long long advance = (static_cast<long long>(slot->advance.x) + 32) >> 6;
    glyph->advance = static_cast<int>(std::clamp<long long>(advance, -0xFFFF, 0xFFFF));
    if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
      return glyph;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    const bool gray = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
    if ((!gray && bitmap.pixel_mode != FT_PIXEL_MODE_MONO) || bitmap.buffer == nullptr) {
      return glyph;
    }
    glyph->left = slot->bitmap_left;
    glyph->top = slot->bitmap_top;
    glyph->width = static_cast<int>(bitmap.width);
    glyph->rows = static_cast<int>(bitmap.rows);
    glyph->coverage.resize(static_cast<std::size_t>(glyph->width) * glyph->rows);
    const int levels = std::max(2, static_cast<int>(bitmap.num_grays));
    const int pitch = std::abs(bitmap.pitch);
    for (int row = 0; row < glyph->rows; ++row) {
      const int stored = bitmap.pitch >= 0 ? row : glyph->rows - 1 - row;
      const unsigned char* src = bitmap.buffer + static_cast<std::ptrdiff_t>(stored) * pitch;
      std::uint8_t* dst = glyph->coverage.data() + static_cast<std::size_t>(row) * glyph->width;
      for (int col = 0; col < glyph->width; ++col) {
        dst[col] = gray ? static_cast<std::uint8_t>(src[col] * 255 / (levels - 1))
                        : ((src[col >> 3] >> (7 - (col & 7))) & 1) * 255;
      }
    }
    return glyph;
  }

  const Glyph* CachedGlyph(FontFace& face, int pixelSize, FT_UInt index) {
    const std::uint64_t key = (static_cast<std::uint64_t>(face.id) << 48) |
                              (static_cast<std::uint64_t>(pixelSize) << 32) | index;
    if (auto it = glyphs.find(key); it != glyphs.end()) return it->second.get();
    auto glyph = Render(face, pixelSize, index);
    const std::size_t bytes = glyph->coverage.size() + sizeof(Glyph);
    if (glyphBytes + bytes > kGlyphCacheBudget) {
      glyphs.clear();
      glyphBytes = 0;
      ++generation;
    }
    glyphBytes += bytes;
    return glyphs.emplace(key, std::move(glyph)).first->second.get();
  }

  struct Choice {
    FontFace* face;
    FT_UInt index;
    char32_t unicode;
  };

  // The face and glyph that show a character: the font's own, else a fallback that has it.
  Choice ChooseGlyph(ResolvedFont& font, char32_t codePoint) {
    const char32_t unicode = font.symbol ? SymbolToUnicode(codePoint) : codePoint;
    Choice choice{font.face, CharIndex(*font.face, codePoint, unicode), unicode};
    if (choice.index == 0) {
      if (FontFace* fallback = faces.Fallback(font.family, font.bold, font.italic, unicode)) {
        if (FT_UInt other = CharIndex(*fallback, codePoint, unicode); other != 0) {
          choice.face = fallback;
          choice.index = other;
        }
      }
    }
    return choice;
  }

  const Glyph* LoadGlyph(ResolvedFont& font, char32_t codePoint) {
    const Choice choice = ChooseGlyph(font, codePoint);
    return CachedGlyph(*choice.face, font.pixelSize, choice.index);
  }

  // The glyph of one character; only valid until the next call, which may empty the cache.
  const Glyph* GlyphFor(ResolvedFont& font, char32_t codePoint) {
    if (font.generation != generation) ForgetGlyphs(font);
    const Glyph*& slot =
        codePoint < font.ascii.size() ? font.ascii[codePoint] : font.others[codePoint];
    if (slot) return slot;
    const Glyph* glyph = LoadGlyph(font, codePoint);
    if (font.generation != generation) {
      ForgetGlyphs(font);
      return codePoint < font.ascii.size() ? font.ascii[codePoint] = glyph
                                           : font.others[codePoint] = glyph;
    }
    return slot = glyph;
  }

  void ForgetGlyphs(ResolvedFont& font) {
    font.ascii.fill(nullptr);
    font.others.clear();
    font.generation = generation;
  }
};

FontEngine::FontEngine() : impl_(std::make_unique<Impl>()) {}

FontEngine::~FontEngine() = default;

FontEngine& FontEngine::Shared() {
  static FontEngine engine;
  return engine;
}

TextSize FontEngine::Extent(const FontSpec& font, std::string_view text) {
  ResolvedFont& resolved = impl_->Resolve(font);
  TextSize size{0, resolved.ascent + resolved.descent};
  if (!resolved.face) return size;
  long long width = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    width += impl_->GlyphFor(resolved, NextCodePoint(text, pos))->advance;
  }
  size.Width = static_cast<int>(std::clamp<long long>(width, 0, INT_MAX));
  return size;
}

int FontEngine::LineHeight(const FontSpec& font) {
  const ResolvedFont& resolved = impl_->Resolve(font);
  return resolved.ascent + resolved.descent;
}

TextLayout FontEngine::Layout(const FontSpec& font, std::string_view text) {
  ResolvedFont& resolved = impl_->Resolve(font);
  TextLayout layout;
  layout.PixelSize = resolved.pixelSize;
  layout.Ascent = resolved.ascent;
  layout.Height = resolved.ascent + resolved.descent;
  layout.UnderlineOffset = resolved.underlineOffset;
  layout.UnderlineThickness = resolved.underlineThickness;
  if (!resolved.face) return layout;
  long long pen = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t codePoint = NextCodePoint(text, pos);
    const Impl::Choice choice = impl_->ChooseGlyph(resolved, codePoint);
    layout.Glyphs.push_back({&choice.face->source, choice.index,
                             static_cast<int>(std::clamp<long long>(pen, INT_MIN, INT_MAX)),
                             choice.unicode});
    pen += impl_->GlyphFor(resolved, codePoint)->advance;
  }
  layout.Width = static_cast<int>(std::clamp<long long>(pen, 0, INT_MAX));
  return layout;
}

FontFamily FontEngine::FamilyOf(const FontSpec& font) {
  const ResolvedFont& resolved = impl_->Resolve(font);
  if (!resolved.face) return {"", "serif"};
  FT_Face ft = resolved.face->ft;
  return {ft->family_name ? ft->family_name : "", GenericFamily(ft)};
}

GlyphRun FontEngine::ForEachGlyph(const FontSpec& font, std::string_view text, long long x,
                                  long long y, const std::function<void(const GlyphImage&)>& put) {
  ResolvedFont& resolved = impl_->Resolve(font);
  GlyphRun run;
  run.Baseline = y + resolved.ascent;
  run.PenEnd = x;
  run.UnderlineOffset = resolved.underlineOffset;
  run.UnderlineThickness = resolved.underlineThickness;
  run.HasFace = resolved.face != nullptr;
  for (std::size_t pos = 0; resolved.face && pos < text.size();) {
    const Glyph& glyph = *impl_->GlyphFor(resolved, NextCodePoint(text, pos));
    put({run.PenEnd + glyph.left, run.Baseline - glyph.top, glyph.width, glyph.rows,
         glyph.coverage.data()});
    run.PenEnd += glyph.advance;
  }
  return run;
}

}  // namespace kurvex
