#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "graph/canvas.h"
#include "graph/font_match_cache.h"

namespace kurvex {

class PixelBuffer;

/// One glyph of a laid-out line: where it comes from and where its origin sits.
struct PlacedGlyph {
  const FaceSource* Face = nullptr;  // the font file; null when no font was found
  unsigned Index = 0;                // glyph index in that face
  int X = 0;                         // origin from the left of the text cell
  char32_t Character = 0;            // what the glyph shows, in Unicode
};

/// A line of text as the raster canvas draws it, for backends that draw glyphs themselves.
struct TextLayout {
  int PixelSize = 0;  // the em size in pixels
  int Ascent = 0;     // from the top of the cell to the baseline
  int Width = 0;
  int Height = 0;
  int UnderlineOffset = 1;  // rows from the baseline to the underline's top
  int UnderlineThickness = 1;
  std::vector<PlacedGlyph> Glyphs;
};

/// Fonts through fontconfig and FreeType: a face is matched the way fontconfig matches its name
/// ("Times New Roman" gives Liberation Serif), sizes are points at 96 dpi, charset 2 maps codes
/// through the Symbol encoding. Faces and rendered glyphs are cached for the life of the engine.
class FontEngine {
 public:
  FontEngine();
  ~FontEngine();
  FontEngine(const FontEngine&) = delete;
  FontEngine& operator=(const FontEngine&) = delete;

  /// Sum of advance widths (no kerning) x (ascent + descent).
  TextSize Extent(const FontSpec& font, std::string_view text);

  /// Height of one line (ascent + descent).
  int LineHeight(const FontSpec& font);

  /// Blends the antialiased glyphs of `text` in font.Color onto the buffer with the top-left of
  /// the text cell at (x, y), and the underline when the font has one. Clipped to the buffer.
  /// `painted`, when given, receives a rectangle holding every pixel that may have changed.
  void Draw(PixelBuffer& target, int x, int y, const FontSpec& font, std::string_view text,
            PixelRect* painted = nullptr);

  /// The glyphs of `text` with the faces, indices and advances Draw uses.
  TextLayout Layout(const FontSpec& font, std::string_view text);

  /// One engine for the whole process (fontconfig set-up is costly).
  static FontEngine& Shared();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kurvex
