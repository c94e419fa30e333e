#include "graph/dialog_rules.h"

#include <cstdio>

namespace kurvex {

namespace {

std::string ColorEntry(char letter, TColor color) {
  char text[32];
  // System colours are negative; as unsigned they keep all eight digits.
  std::snprintf(text, sizeof text, "Color%c=%06X", letter, static_cast<unsigned>(color));
  return text;
}

}  // namespace

std::vector<std::string> CustomColorList(const GraphModel& model) {
  std::vector<std::string> list = {
      ColorEntry('A', model.BackGroundColor), ColorEntry('B', model.ImageColor),
      ColorEntry('C', model.ImageBorderColor), ColorEntry('D', model.AxisX.Color),
      ColorEntry('E', model.AxisY.Color)};
  // No entry for F: the dialog's sixth slot holds none of the model's colours.
  char letter = 'G';
  for (int n = 1; n <= kCurveCount; ++n) list.push_back(ColorEntry(letter++, model.Curve[n].Color));
  return list;
}

DialogFont ToDialogFont(const TMyFont& font) {
  DialogFont dialog;
  dialog.Name = font.Name;
  dialog.Charset = font.Charset;
  dialog.Color = font.Color;
  dialog.Size = font.Size;
  dialog.Bold = font.Bold;
  dialog.Italic = font.Italic;
  dialog.Underline = font.Underline;
  return dialog;
}

TMyFont FromDialogFont(const DialogFont& dialog) {
  TMyFont font;
  font.Name = dialog.Name;
  font.Charset = dialog.Charset & 0xFF;
  font.Color = dialog.Color;
  font.Size = dialog.Size;
  font.Bold = dialog.Bold;
  font.Italic = dialog.Italic;
  font.Underline = dialog.Underline;
  return font;
}

}  // namespace kurvex
