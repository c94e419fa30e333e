#pragma once

namespace kurvex {

/// Width and height of one line of text, nothing added around it.
struct TextSize {
  int Width = 0;
  int Height = 0;
};

/// Pixels [Left, Right) x [Top, Bottom); empty when Right <= Left or Bottom <= Top.
struct PixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const PixelRect&) const = default;
};

}  // namespace kurvex
