#include "graph/graph_parts.h"

#include <algorithm>

#include "graph/text_fit.h"

namespace kurvex {

namespace {

PixelRect At(int64_t left, int64_t top, int64_t width, int64_t height) {
  return {ClampPixel(left), ClampPixel(top), ClampPixel(left + width), ClampPixel(top + height)};
}

// The texts as the drawing shows them: the layout measures them after their placeholders.
GraphModel Expanded(const GraphModel& model, const DataNames& names) {
  GraphModel m = model;
  m.Title.Text = ExpandPlaceholders(m.Title.Text, names);
  m.AxisX.Title.Text = ExpandPlaceholders(m.AxisX.Title.Text, names);
  m.AxisY.Title.Text = ExpandPlaceholders(m.AxisY.Title.Text, names);
  for (int k = 1; k <= kCurveCount; ++k) {
    m.Curve[k].LegendText = ExpandPlaceholders(m.Curve[k].LegendText, names);
  }
  return m;
}

std::optional<PartPlace> LegendPlace(const GraphModel& m, const DrawingState& s,
                                     TextMeasurer& measure) {
  const int rows = std::min(s.CurveCount, kCurveCount);
  if (rows < 1) return std::nullopt;
  std::vector<std::string> texts;
  for (int k = 1; k <= rows; ++k) texts.push_back(m.Curve[k].LegendText);
  const LegendLayout legend = PlaceLegend(m, texts, measure);
  if (legend.Rows.empty()) return std::nullopt;
  return PartPlace{GraphPart::kLegend, legend.Box};
}

std::optional<PartPlace> TextBlockPlace(const GraphModel& m, const DrawingState& s,
                                        TextMeasurer& measure) {
  const std::vector<std::string>& lines = s.TextBlockLines;
  if (lines.empty()) return std::nullopt;
  const int lineHeight = measure.Measure(m.Text.Font, {}).Height;
  int64_t width = 0;
  for (const std::string& line : lines) {
    width = std::max<int64_t>(width, measure.Measure(m.Text.Font, line).Width);
  }
  const int32_t top = TextBlockTop(m, measure);
  const int32_t bottom = TextBlockLineTop(
      top, static_cast<int>(std::min<std::size_t>(lines.size(), 100000)), lineHeight);
  return PartPlace{GraphPart::kTextBlock, At(TextBlockLeft(m), top, std::max<int64_t>(width, 1),
                                             std::max<int64_t>(int64_t{bottom} - top, lineHeight))};
}

// The y title stands on its first character, `bottom` above the origin, and runs upwards.
PixelRect AxisYTitleRect(const GraphModel& m, const DrawingState& s, TextMeasurer& measure) {
  const TMyTitle& t = m.AxisY.Title;
  const TextSize size = measure.Measure(t.Font, t.Text);
  const int64_t bottom = int64_t{s.OriginY} - AxisYTitleBottom(m, measure) + 1;
  return At(AxisYTitleLeft(m, measure), bottom - size.Width, size.Height, size.Width);
}

}  // namespace

std::vector<PartPlace> MovableParts(const GraphModel& model, const DrawingState& state,
                                    const DataNames& names, TextMeasurer& measure) {
  GraphModel m = Expanded(model, names);
  FitTitlesInside(m, measure);
  std::vector<PartPlace> parts;
  // The drawing's order reversed: the legend is drawn last, the title first.
  if (m.Legend.Visible) {
    if (auto legend = LegendPlace(m, state, measure)) parts.push_back(*legend);
  }
  if (m.Text.Visible) {
    if (auto text = TextBlockPlace(m, state, measure)) parts.push_back(*text);
  }
  if (const TMyTitle& t = m.AxisX.Title; t.Visible && !t.Text.empty()) {
    const TextSize size = measure.Measure(t.Font, t.Text);
    parts.push_back(
        {GraphPart::kAxisXTitle,
         At(AxisXTitleLeft(m, measure), AxisXTitleTop(m, measure), size.Width, size.Height)});
  }
  if (const TMyTitle& t = m.AxisY.Title; t.Visible && !t.Text.empty()) {
    parts.push_back({GraphPart::kAxisYTitle, AxisYTitleRect(m, state, measure)});
  }
  if (const TMyTitle& t = m.Title; t.Visible && !t.Text.empty()) {
    const TextSize size = measure.Measure(t.Font, t.Text);
    parts.push_back(
        {GraphPart::kTitle, At(TitleLeft(m, measure), TitleTop(m), size.Width, size.Height)});
  }
  return parts;
}

std::optional<PartPlace> PartAt(const std::vector<PartPlace>& parts, int x, int y) {
  for (const PartPlace& p : parts) {
    if (p.Rect.Left <= x && x < p.Rect.Right && p.Rect.Top <= y && y < p.Rect.Bottom) return p;
  }
  return std::nullopt;
}

PartValues PartValuesAt(const GraphModel& model, const DrawingState& state, const PartPlace& part,
                        int left, int top, TextMeasurer& measure) {
  // Each automatic position measured with the offset of its key at zero.
  GraphModel m = model;
  switch (part.Part) {
    case GraphPart::kTitle:
    case GraphPart::kLegend:
      return {left, top};
    case GraphPart::kAxisXTitle:
      m.AxisX.Title.TopAuto = false;
      m.AxisX.Title.Top = 0;
      return {int64_t{left} - m.AxisX.Left, int64_t{top} - AxisXTitleTop(m, measure)};
    case GraphPart::kAxisYTitle: {
      const TMyTitle& t = m.AxisY.Title;
      int64_t gapless = m.AxisX.Left;
      if (m.AxisY.TickVisible && m.AxisY.TickLabels.Visible) {
        gapless -= int64_t{AxisYTickLabelWidth(m, measure)} + m.AxisY.TickLabels.Distance;
      }
      gapless -= measure.Measure(t.Font, t.Text).Height;
      const int64_t bottom = int64_t{top} + (part.Rect.Bottom - part.Rect.Top);
      return {gapless - left, int64_t{state.OriginY} - bottom + 1};
    }
    case GraphPart::kTextBlock:
      m.Text.TopAuto = false;
      m.Text.Top = 0;
      return {left, int64_t{top} - TextBlockTop(m, measure)};
  }
  return {left, top};
}

}  // namespace kurvex
