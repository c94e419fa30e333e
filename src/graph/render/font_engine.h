#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graph/render/canvas.h"
#include "graph/render/font_match_cache.h"

namespace kurvex {

/// One glyph's antialiased coverage (a byte a pixel, row by row) and its top-left pixel.
struct GlyphImage {
  long long Left = 0;
  long long Top = 0;
  int Width = 0;
  int Rows = 0;
  const std::uint8_t* Coverage = nullptr;
};

/// What a canvas needs of a drawn line besides its glyphs: where the pen ended and where an
/// underline goes.
struct GlyphRun {
  long long Baseline = 0;
  long long PenEnd = 0;
  int UnderlineOffset = 1;  // rows from the baseline to the underline's top
  int UnderlineThickness = 1;
  bool HasFace = false;  // false when no font could be found at all: nothing is drawn
};

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

/// Where a font's text came from, for documents that name fonts instead of drawing glyphs: the
/// family of the face fontconfig chose and the generic family ("serif", "sans-serif" or
/// "monospace") a reader's program falls back on when it has neither.
struct FontFamily {
  std::string Name;  // empty when no font could be found at all
  std::string Generic;
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

  /// Calls `put` with the coverage bitmap of each glyph of `text`, in drawing order, for a text
  /// cell whose top-left is at (x, y); returns where the line ended and its underline metrics.
  GlyphRun ForEachGlyph(const FontSpec& font, std::string_view text, long long x, long long y,
                        const std::function<void(const GlyphImage&)>& put);

  /// The glyphs of `text` with the faces, indices and advances Draw uses.
  TextLayout Layout(const FontSpec& font, std::string_view text);

  /// The family the font resolves to.
  FontFamily FamilyOf(const FontSpec& font);

  /// One engine for the whole process (fontconfig set-up is costly).
  static FontEngine& Shared();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kurvex
