#pragma once

#include <string>
#include <vector>

#include "graph/model.h"

namespace kurvex {

/// The 15 custom colours of the colour dialog, "ColorA=" .. "ColorP=" without F, each followed
/// by at least 6 upper-case hex digits: area background, image, border, both axes, curves 1..10.
std::vector<std::string> CustomColorList(const GraphModel& model);

/// The font as the font dialog holds it.
struct DialogFont {
  std::string Name;
  int32_t Charset = 0;
  TColor Color = 0;
  int32_t Size = 0;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;

  bool operator==(const DialogFont&) const = default;
};

/// The dialog's font for a record: the three style flags, never strike-out.
DialogFont ToDialogFont(const TMyFont& font);

/// The record from a confirmed dialog: charset's low byte, strike-out dropped.
TMyFont FromDialogFont(const DialogFont& font);

}  // namespace kurvex
