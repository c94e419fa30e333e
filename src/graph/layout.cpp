#include "graph/layout.h"

#include <algorithm>
#include <limits>

#include "common/number_text.h"

namespace kurvex {

namespace {

int64_t Width(TextMeasurer& measure, const TMyFont& font, std::string_view text) {
  return measure.Measure(font, text).Width;
}

int64_t Height(TextMeasurer& measure, const TMyFont& font, std::string_view text = {}) {
  return measure.Measure(font, text).Height;
}

}  // namespace

int32_t ClampPixel(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int32_t OriginRow(const GraphModel& m) {
  return ClampPixel(int64_t{m.ImageHeight} - m.AxisY.Bottom);
}

int32_t TitleLeft(const GraphModel& m, TextMeasurer& measure) {
  if (!m.Title.LeftAuto) return m.Title.Left;
  return ClampPixel((m.ImageWidth - Width(measure, m.Title.Font, m.Title.Text)) / 2);
}

int32_t TitleTop(const GraphModel& m) {
  return m.Title.TopAuto ? kTitleAutoTop : m.Title.Top;
}

int32_t AxisXTitleLeft(const GraphModel& m, TextMeasurer& measure) {
  const TMyTitle& t = m.AxisX.Title;
  if (!t.LeftAuto) return ClampPixel(int64_t{m.AxisX.Left} + t.Left);
  return ClampPixel(m.AxisX.Left + (m.AxisX.Length - Width(measure, t.Font, t.Text)) / 2);
}

int32_t AxisXTitleTop(const GraphModel& m, TextMeasurer& measure) {
  int64_t a = int64_t{m.ImageHeight} - m.AxisY.Bottom;
  if (m.AxisX.TickVisible && m.AxisX.TickLabels.Visible) {
    a += Height(measure, m.AxisX.TickLabels.Font) + kAxisXLabelGap;
  }
  a += m.AxisX.Title.TopAuto ? kAxisXLabelGap : m.AxisX.Title.Top;
  return ClampPixel(a);
}

TMyFont ExponentFont(const TMyFont& font) {
  TMyFont smaller = font;
  smaller.Size = std::max(1, (2 * font.Size + 1) / 3);
  return smaller;
}

int32_t ExponentRaise(const TMyFont& font, TextMeasurer& measure) {
  return ClampPixel(Height(measure, font) / 4);
}

int64_t TickLabelWidth(const TickLabel& label, const TMyFont& font, TextMeasurer& measure) {
  int64_t width = Width(measure, font, label.Base);
  if (!label.Exponent.empty()) width += Width(measure, ExponentFont(font), label.Exponent);
  return width;
}

int32_t AxisYTickLabelWidth(const GraphModel& m, TextMeasurer& measure) {
  const int d = m.AxisY.TickLabels.DecDigits;
  const TMyFont& f = m.AxisY.TickLabels.Font;
  if (const AxisTicks ticks(m.AxisY); !ticks.Even()) {
    int64_t widest = 0;
    for (int64_t i = 0; i <= ticks.Last(); ++i) {
      widest = std::max(widest, TickLabelWidth(ticks.Label(i), f, measure));
    }
    return ClampPixel(widest);
  }
  return ClampPixel(std::max(Width(measure, f, FormatAxisValue(m.AxisY.Maximum, d)),
                             Width(measure, f, FormatAxisValue(m.AxisY.Minimum, d))));
}

int32_t AxisYTitleLeft(const GraphModel& m, TextMeasurer& measure) {
  int64_t a = m.AxisX.Left;
  if (m.AxisY.TickVisible && m.AxisY.TickLabels.Visible) {
    a -= int64_t{AxisYTickLabelWidth(m, measure)} + m.AxisY.TickLabels.Distance;
  }
  const TMyTitle& t = m.AxisY.Title;
  a -= Height(measure, t.Font, t.Text);
  a -= t.LeftAuto ? m.AxisY.TickLabels.Distance : t.Left;
  return ClampPixel(std::max<int64_t>(a, 0));
}

int32_t AxisYTitleBottom(const GraphModel& m, TextMeasurer& measure) {
  const TMyTitle& t = m.AxisY.Title;
  if (!t.TopAuto) return t.Top;
  return ClampPixel((m.AxisY.Length - Width(measure, t.Font, t.Text)) / 2);
}

int32_t TextBlockLeft(const GraphModel& m) {
  return m.Text.LeftAuto ? kTextBlockAutoLeft : m.Text.Left;
}

int32_t TextBlockTop(const GraphModel& m, TextMeasurer& measure) {
  int64_t a = OriginRow(m);
  if (m.AxisX.Title.Visible)
    a = int64_t{AxisXTitleTop(m, measure)} + Height(measure, m.AxisX.Title.Font);
  a += m.Text.TopAuto ? m.AxisX.TickLabels.Distance : m.Text.Top;
  return ClampPixel(a);
}

int32_t AxisYTickLabelTop(const GraphModel& m, int32_t originY, int i) {
  const int n = m.AxisY.TickCount;
  const int64_t step = n == 0 ? 0 : int64_t{m.AxisY.Length} / n;
  return ClampPixel(int64_t{originY} - m.AxisY.TickLabels.Font.Size / 2 - step * i);
}

LegendRow LegendRowAt(const GraphModel& m, int k, TextMeasurer& measure) {
  LegendRow row;
  row.Height = ClampPixel(Height(measure, m.Legend.Font));
  row.Left =
      m.Legend.LeftAuto ? ClampPixel(int64_t{m.ImageWidth} - kLegendAutoRight) : m.Legend.Left;
  const int64_t top = m.Legend.TopAuto ? kLegendAutoTop : m.Legend.Top;
  row.Top = ClampPixel(top + int64_t{k - 1} * (row.Height - 2));
  return row;
}

int32_t TextBlockLineTop(int32_t top, int k, int lineHeight) {
  return ClampPixel(int64_t{top} + int64_t{k} * (lineHeight - 1));
}

std::size_t TextBlockLinesShown(int32_t top, int lineHeight, int surfaceHeight) {
  if (top >= surfaceHeight) return 0;
  const int64_t step = int64_t{lineHeight} - 1;
  if (step <= 0) return kMaxTextBlockLines;
  const int64_t lines = (int64_t{surfaceHeight} - 1 - top) / step + 1;
  return static_cast<std::size_t>(std::min<int64_t>(lines, kMaxTextBlockLines));
}

}  // namespace kurvex
