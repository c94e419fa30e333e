#pragma once

#include <cstdint>
#include <string>

namespace kurvex {

/// A colour laid out 0x00BBGGRR (red in the low byte).
using TColor = int32_t;

/// The font of one text element.
struct TMyFont {
  std::string Name;
  int32_t Charset = 0;  // 0 ANSI, 2 symbol, 238 Central European
  TColor Color = 0;
  int32_t Size = 0;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;

  bool operator==(const TMyFont&) const = default;
};

}  // namespace kurvex
