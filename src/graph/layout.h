#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "graph/axis_ticks.h"
#include "graph/geometry.h"
#include "graph/model.h"

namespace kurvex {

/// Measures one line of text in a font (the hidden measuring label of the graph window).
/// Only name, charset, size, bold and italic matter for measuring.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual TextSize Measure(const TMyFont& font, std::string_view text) = 0;
};

// Fixed distances of the layout, in pixels.
inline constexpr int kTitleAutoTop = 8;
inline constexpr int kAxisXLabelGap = 8;  // x tick labels below the axis
inline constexpr int kAxisYLabelGap = 8;  // y axis to the right end of its labels
inline constexpr int kTextBlockAutoLeft = 8;
inline constexpr int kTextBlockBlanks = 86;   // blanks written before each text-block line
inline constexpr int kLegendAutoRight = 120;  // auto legend starts this far from the right edge
inline constexpr int kLegendAutoTop = 40;
inline constexpr int kLegendSampleLength = 40;
inline constexpr int kLegendTextOffset = 50;

/// Saturates a 64-bit intermediate into the int32 pixel range.
int32_t ClampPixel(int64_t value);

/// Row of the origin: ImageHeight - AxisY.Bottom.
int32_t OriginRow(const GraphModel& model);

/// Top-left of the graph title.
int32_t TitleLeft(const GraphModel& model, TextMeasurer& measure);
int32_t TitleTop(const GraphModel& model);

int32_t AxisXTitleLeft(const GraphModel& model, TextMeasurer& measure);
int32_t AxisXTitleTop(const GraphModel& model, TextMeasurer& measure);
/// The wider of the labels of the y minimum and maximum; the widest label of a logarithmic
/// axis's decades.
int32_t AxisYTickLabelWidth(const GraphModel& model, TextMeasurer& measure);

/// The font of a tick label's exponent: two thirds of the label's size.
TMyFont ExponentFont(const TMyFont& font);
/// How far the exponent's top stands above the top of its base.
int32_t ExponentRaise(const TMyFont& font, TextMeasurer& measure);
/// The width of a tick label in `font`, its exponent included.
int64_t TickLabelWidth(const TickLabel& label, const TMyFont& font, TextMeasurer& measure);
/// Column of the vertical y title band, never below 0.
int32_t AxisYTitleLeft(const GraphModel& model, TextMeasurer& measure);
/// Distance from the origin up to the first character of the y title.
int32_t AxisYTitleBottom(const GraphModel& model, TextMeasurer& measure);
int32_t TextBlockLeft(const GraphModel& model);
int32_t TextBlockTop(const GraphModel& model, TextMeasurer& measure);

/// Top of the label of y tick i: uses the integer step Length div n, not the tick's own row.
int32_t AxisYTickLabelTop(const GraphModel& model, int32_t originY, int i);

/// Top-left of legend row k (1-based) and its height.
struct LegendRow {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Height = 0;
};
LegendRow LegendRowAt(const GraphModel& model, int k, TextMeasurer& measure);

/// Row of text-block line k for a line height.
int32_t TextBlockLineTop(int32_t top, int k, int lineHeight);

/// How many text-block lines can reach a surface of `surfaceHeight` rows: those starting above
/// its bottom, at most kMaxTextBlockLines (lines of one pixel or less all share a row).
std::size_t TextBlockLinesShown(int32_t top, int lineHeight, int surfaceHeight);
inline constexpr std::size_t kMaxTextBlockLines = 100000;

}  // namespace kurvex
