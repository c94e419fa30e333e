#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graph/layout.h"
#include "graph/model.h"

namespace kurvex {

// Where texts must stay inside the image (smooth drawing), they are measured here and only
// here: the legend, the text block and the titles take their lines and places from these.

/// Room kept between a text and the image's edge (inside its border).
inline constexpr int kInsideMargin = 4;

/// Lines of `text` in `font` no wider than `width` pixels: wrapped at blanks, a word wider than
/// a line at characters. `Width` is the widest line's, `LineHeight` a line's.
struct FittedText {
  std::vector<std::string> Lines;
  int64_t Width = 0;
  int LineHeight = 0;
};
FittedText FitTextLines(const TMyFont& font, std::string_view text, int width,
                        TextMeasurer& measure);

/// The rightmost and lowest pixel a text may reach, and the leftmost and topmost: inside the
/// border, kInsideMargin from it.
PixelRect InsideArea(const GraphModel& model);

/// The legend as it is drawn: each row's top and lines, its left column and box. Classic
/// drawing keeps each row's place and its text in one line; smooth drawing keeps the legend
/// inside the image: a legend too wide for its place moves left (not past the middle of the x
/// axis) and wraps the names it still cannot hold.
struct LegendLayout {
  struct Row {
    int32_t Top = 0;
    std::vector<std::string> Lines;
  };
  int32_t Left = 0;
  int32_t RowHeight = 0;  // one line's
  int32_t LineStep = 0;   // from one line's top to the next
  std::vector<Row> Rows;
  PixelRect Box;
};
LegendLayout PlaceLegend(const GraphModel& model, const std::vector<std::string>& texts,
                         TextMeasurer& measure);

/// The number of text-block lines from `top` that end above the bottom border, and the
/// width they wrap to, in smooth drawing; the classic drawing's otherwise.
struct TextBlockFit {
  int WrapWidth = 0;
  std::size_t MaxLines = 0;
};
TextBlockFit FitTextBlock(const GraphModel& model, int32_t top, int lineHeight, int surfaceHeight);

/// In smooth drawing, the graph title and the axis titles cut with "…" to the room they have;
/// the classic drawing keeps them whole.
void FitTitlesInside(GraphModel& model, TextMeasurer& measure);

}  // namespace kurvex
