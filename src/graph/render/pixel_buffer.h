#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "graph/render/canvas.h"

namespace kurvex {

class FontEngine;

/// Only 24-bit colours reach the pixels: what is drawn is exactly what a saved bitmap holds.
constexpr TColor kColorMask = 0xFFFFFF;

/// 32-bit pixels 0x00BBGGRR, row-major, top-left origin.
class PixelBuffer {
 public:
  PixelBuffer(int width, int height, TColor fill = 0xFFFFFF);
  PixelBuffer(const PixelBuffer& other);
  /// Copies the pixels; the two buffers have the same size.
  PixelBuffer& operator=(const PixelBuffer& other);
  PixelBuffer(PixelBuffer&&) = default;
  PixelBuffer& operator=(PixelBuffer&&) = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  TColor At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, TColor color) { pixels_[Index(x, y)] = color; }
  TColor* Row(int y) { return pixels_.get() + static_cast<std::size_t>(y) * width_; }
  const TColor* Row(int y) const { return pixels_.get() + static_cast<std::size_t>(y) * width_; }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
  int width_;
  int height_;
  struct Release {
    void operator()(TColor* p) const;
  };
  std::unique_ptr<TColor[], Release> pixels_;
};

/// Blends the antialiased glyphs of `text` in font.Color onto the buffer with the top-left of the
/// text cell at (x, y), and the underline when the font has one. Clipped to the buffer.
/// `painted`, when given, receives a rectangle holding every pixel that may have changed.
void DrawGlyphs(PixelBuffer& target, FontEngine& fonts, int x, int y, const FontSpec& font,
                std::string_view text, PixelRect* painted = nullptr);

/// Grows `box` to hold [left, right) x [top, bottom); an empty rectangle leaves it as it is.
void IncludeRect(PixelRect& box, long long left, long long top, long long right, long long bottom);

}  // namespace kurvex
