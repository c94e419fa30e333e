#pragma once

#include <array>

#include "graph/text_font.h"

namespace kurvex {

/// The colours curves take in turn where nothing else chooses them (the files style, the later
/// files of an overlay): Okabe and Ito's eight, which colour-blind eyes tell apart too, as
/// 0x00BBGGRR.
inline constexpr std::array<TColor, 8> kCurvePalette = {0x009FE6, 0xE9B456, 0x739E00, 0x42E4F0,
                                                        0xB27200, 0x005ED5, 0xA779CC, 0x000000};

/// The colour of curve `n` (from 1): the palette in turn; past its end the same hues at half
/// their lightness, so that no two of the ten curves share a colour.
constexpr TColor CurveColor(int n) {
  const auto size = static_cast<int>(kCurvePalette.size());
  const int index = n < 1 ? 0 : (n - 1) % size;
  const TColor color = kCurvePalette[static_cast<std::size_t>(index)];
  if (n <= size) return color;
  // The last colour is black: its darker self is a dark grey instead.
  if (color == 0) return 0x606060;
  return (color >> 1) & 0x7F7F7F;
}

}  // namespace kurvex
