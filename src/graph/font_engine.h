#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "graph/canvas.h"

namespace kurvex {

class PixelBuffer;

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

  /// One engine for the whole process (fontconfig set-up is costly).
  static FontEngine& Shared();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kurvex
