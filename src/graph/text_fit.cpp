#include "graph/text_fit.h"

#include <algorithm>

#include "graph/text_block.h"

namespace kurvex {

namespace {

constexpr std::string_view kEllipsis = "\u2026";

int64_t WidthOf(TextMeasurer& measure, const TMyFont& font, std::string_view text) {
  return measure.Measure(font, text).Width;
}

// The text as it fits `room` pixels: whole, or its first words (or characters) and "…".
std::string CutToWidth(const TMyFont& font, const std::string& text, int64_t room,
                       TextMeasurer& measure) {
  if (text.empty() || WidthOf(measure, font, text) <= room) return text;
  const int64_t left = room - WidthOf(measure, font, kEllipsis);
  if (left < 1) return {};
  const FittedText fitted = FitTextLines(font, text, static_cast<int>(left), measure);
  if (fitted.Lines.empty() || WidthOf(measure, font, fitted.Lines.front()) > left) return {};
  return fitted.Lines.front() + std::string(kEllipsis);
}

// Twice the distance from `centre` to the nearer of two limits: the widest text centred there.
int64_t CentredRoom(int64_t centre, int64_t low, int64_t high) {
  return 2 * std::max<int64_t>(0, std::min(centre - low, high - centre));
}

}  // namespace

FittedText FitTextLines(const TMyFont& font, std::string_view text, int width,
                        TextMeasurer& measure) {
  FittedText fitted;
  fitted.LineHeight = measure.Measure(font, {}).Height;
  const auto textWidth = [&](std::string_view s) { return measure.Measure(font, s).Width; };
  fitted.Lines = WrapText(text, std::max(width, 1), textWidth);
  for (const std::string& line : fitted.Lines) {
    fitted.Width = std::max<int64_t>(fitted.Width, textWidth(line));
  }
  return fitted;
}

PixelRect InsideArea(const GraphModel& m) {
  const int64_t edge =
      int64_t{m.ImageBorderVisible ? std::max(m.ImageBorderWidth, 0) : 0} + kInsideMargin;
  return {ClampPixel(edge), ClampPixel(edge), ClampPixel(int64_t{m.ImageWidth} - edge),
          ClampPixel(int64_t{m.ImageHeight} - edge)};
}

LegendLayout PlaceLegend(const GraphModel& m, const std::vector<std::string>& texts,
                         TextMeasurer& measure) {
  LegendLayout legend;
  const LegendRow first = LegendRowAt(m, 1, measure);
  legend.RowHeight = first.Height;
  legend.LineStep = std::max(first.Height - 2, 1);
  legend.Left = first.Left;
  int64_t widest = 0;
  for (const std::string& text : texts) {
    widest = std::max(widest, WidthOf(measure, m.Legend.Font, text));
  }
  if (!m.ImageSmooth) {
    for (std::size_t k = 0; k < texts.size(); ++k) {
      legend.Rows.push_back({LegendRowAt(m, static_cast<int>(k) + 1, measure).Top, {texts[k]}});
    }
  } else {
    const PixelRect in = InsideArea(m);
    int64_t left = std::max<int64_t>(first.Left, in.Left);
    if (left + kLegendTextOffset + widest > in.Right) {
      const int64_t middle = int64_t{m.AxisX.Left} + m.AxisX.Length / 2;
      const int64_t floor = std::max<int64_t>(std::min(left, middle), in.Left);
      left = std::max(int64_t{in.Right} - kLegendTextOffset - widest, floor);
    }
    legend.Left = ClampPixel(left);
    const int room = ClampPixel(std::max<int64_t>(in.Right - left - kLegendTextOffset, 1));
    int64_t top = std::max<int64_t>(first.Top, in.Top);
    widest = 0;
    for (const std::string& text : texts) {
      LegendLayout::Row row{ClampPixel(top),
                            FitTextLines(m.Legend.Font, text, room, measure).Lines};
      if (row.Lines.empty()) row.Lines.emplace_back();
      // Lines below the image's inside are left out, and the rows after them.
      const auto fit = (int64_t{in.Bottom} - top - legend.RowHeight) / legend.LineStep + 1;
      if (fit < 1) break;
      if (static_cast<int64_t>(row.Lines.size()) > fit)
        row.Lines.resize(static_cast<std::size_t>(fit));
      for (const std::string& line : row.Lines) {
        widest = std::max(widest, WidthOf(measure, m.Legend.Font, line));
      }
      top += static_cast<int64_t>(row.Lines.size()) * legend.LineStep;
      legend.Rows.push_back(std::move(row));
    }
  }
  if (legend.Rows.empty()) return legend;
  const int64_t width = std::max<int64_t>(kLegendSampleLength, kLegendTextOffset + widest);
  const LegendLayout::Row& last = legend.Rows.back();
  const int64_t bottom = int64_t{last.Top} +
                         static_cast<int64_t>(last.Lines.size() - 1) * legend.LineStep +
                         legend.RowHeight;
  legend.Box = {legend.Left, legend.Rows.front().Top, ClampPixel(legend.Left + width),
                ClampPixel(bottom)};
  return legend;
}

TextBlockFit FitTextBlock(const GraphModel& m, int32_t top, int lineHeight, int surfaceHeight) {
  if (!m.ImageSmooth) {
    return {TextBlockWrapWidth(m.ImageWidth), TextBlockLinesShown(top, lineHeight, surfaceHeight)};
  }
  // Inside the border, with the room to its right that the classic wrap leaves; a line shows
  // when the whole of its height does.
  const int64_t border = m.ImageBorderVisible ? std::max(m.ImageBorderWidth, 0) : 0;
  TextBlockFit fit;
  fit.WrapWidth = ClampPixel(
      std::max<int64_t>(std::min<int64_t>(TextBlockWrapWidth(m.ImageWidth),
                                          int64_t{m.ImageWidth} - border - TextBlockLeft(m)),
                        1));
  const int64_t step = std::max(lineHeight - 1, 1);
  const int64_t last = int64_t{m.ImageHeight} - border - lineHeight - top;  // the lowest line's top
  fit.MaxLines =
      last < 0 ? 0
               : static_cast<std::size_t>(std::min<int64_t>(last / step + 1, kMaxTextBlockLines));
  return fit;
}

void FitTitlesInside(GraphModel& m, TextMeasurer& measure) {
  if (!m.ImageSmooth) return;
  const PixelRect in = InsideArea(m);
  TMyTitle& title = m.Title;
  const int64_t titleRoom =
      title.LeftAuto ? int64_t{in.Right} - in.Left : int64_t{in.Right} - title.Left;
  title.Text = CutToWidth(title.Font, title.Text, titleRoom, measure);
  TMyTitle& x = m.AxisX.Title;
  if (x.LeftAuto) {
    const int64_t centre = int64_t{m.AxisX.Left} + m.AxisX.Length / 2;
    x.Text = CutToWidth(x.Font, x.Text, CentredRoom(centre, in.Left, in.Right), measure);
  }
  TMyTitle& y = m.AxisY.Title;
  if (y.TopAuto) {
    const int64_t centre = int64_t{OriginRow(m)} - m.AxisY.Length / 2;
    y.Text = CutToWidth(y.Font, y.Text, CentredRoom(centre, in.Top, in.Bottom), measure);
  }
}

}  // namespace kurvex
