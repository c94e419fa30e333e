#include "graph/painter.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "common/number_text.h"
#include "graph/axis_map.h"
#include "graph/distinct_runs.h"
#include "graph/render/font_engine.h"
#include "graph/text_fit.h"

namespace kurvex {

namespace {

// How far beyond the surface a tick label can start and still reach into it: the labels of the
// axis ends are the widest of its values, with room for a sign.
int64_t LabelReach(const TMyAxis& a, const AxisTicks& ticks, TextMeasurer& measure) {
  if (!ticks.Even()) {
    int64_t widest = 0;
    for (int64_t i = 0; i <= ticks.Last(); ++i) {
      widest = std::max(widest, TickLabelWidth(ticks.Label(i), a.TickLabels.Font, measure));
    }
    return 2 * widest + 64;
  }
  const auto width = [&](long double v) {
    return int64_t{
        measure.Measure(a.TickLabels.Font, FormatAxisValue(v, a.TickLabels.DecDigits)).Width};
  };
  return 2 * std::max(width(a.Minimum), width(a.Maximum)) + 64;
}

// Where the labels of a logarithmic axis would stand on each other (many decades on a short
// axis), only every step-th is drawn, counted from the origin: the least step that sets the kept
// ones apart by half a label. 1 where none overlap, so such an axis is drawn as it always was.
template <class Position, class Extent>
int64_t LabelStep(const AxisTicks& ticks, Position position, Extent extent) {
  const int64_t last = ticks.Last();
  if (ticks.Even() || last < 1) return 1;
  const auto apart = [&](int64_t step, int64_t room) {
    for (int64_t i = 0; i + step <= last; i += step) {
      const int64_t distance = std::abs(position(i + step) - position(i));
      if (2 * distance < extent(i) + extent(i + step) + room) return false;
    }
    return true;
  };
  if (apart(1, 0)) return 1;
  int64_t step = 2;
  while (step <= last && !apart(step, extent(0))) ++step;
  return step;
}

void Line(Canvas& c, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  c.MoveTo(ClampPixel(x1), ClampPixel(y1));
  c.LineTo(ClampPixel(x2), ClampPixel(y2));
}

}  // namespace

TextSize FontMeasurer::Measure(const TMyFont& font, std::string_view text) {
  return fonts_.Extent(font, text);
}

namespace {

DataNames NamesOf(const GraphData& data) {
  if (data.Names) return *data.Names;
  DataNames names;
  names.FileName = data.FileName;
  names.HeadText = data.HeadText;
  return names;
}

// The texts drawn in one line; the text block is expanded as it is wrapped. Smooth drawing cuts
// the titles to the room they have.
std::optional<GraphModel> WithNames(const GraphModel& model, const GraphData& data,
                                    FontEngine& fonts) {
  const auto named = [&model](auto each) {
    bool any =
        each(model.Title.Text) || each(model.AxisX.Title.Text) || each(model.AxisY.Title.Text);
    for (int k = 1; k <= kCurveCount; ++k) any = each(model.Curve[k].LegendText) || any;
    return any;
  };
  const bool placeholders = named([](const std::string& text) { return HasPlaceholder(text); });
  if (!placeholders && !model.ImageSmooth) return std::nullopt;
  GraphModel copy = model;
  const DataNames names = NamesOf(data);
  const auto expand = [&names](std::string& text) { text = ExpandPlaceholders(text, names); };
  expand(copy.Title.Text);
  expand(copy.AxisX.Title.Text);
  expand(copy.AxisY.Title.Text);
  for (int k = 1; k <= kCurveCount; ++k) expand(copy.Curve[k].LegendText);
  FontMeasurer measure(fonts);
  FitTitlesInside(copy, measure);
  return copy;
}

}  // namespace

GraphPainter::GraphPainter(const GraphModel& model, Canvas& canvas, FontEngine& fonts,
                           const GraphData& data, DrawingState& state)
    : named_(WithNames(model, data, fonts)),
      m_(named_ ? *named_ : model),
      canvas_(canvas),
      measure_(fonts),
      data_(data),
      state_(state) {
  canvas_.Smooth = model.ImageSmooth || canvas_.AlwaysSmooth();
}

void GraphPainter::RepaintGraph(bool curvesOnly) {
  if (curvesOnly) {
    DrawCurves();
    return;
  }
  DrawGraphBase();
  DrawOverBase();
}

void GraphPainter::DrawOverBase() {
  if (m_.Legend.Visible) DrawLegend();
  if (m_.ImageBorderVisible) DrawBorder();
  DrawCurves();
}

std::optional<std::string> GraphPainter::BaseTexts(const GraphModel& model,
                                                   const DataNames& names) {
  constexpr std::size_t kLongest = 1 << 16;
  std::string texts;
  for (const std::string* text :
       {&model.Title.Text, &model.AxisX.Title.Text, &model.AxisY.Title.Text, &model.Text.Text}) {
    if (text == &model.Text.Text && !model.Text.Visible) break;
    for (const std::string_view piece : PlaceholderPieces(*text, names)) {
      if (texts.size() + piece.size() > kLongest) return std::nullopt;
      texts += piece;
    }
    texts += '\0';
  }
  return texts;
}

void GraphPainter::DrawGraphBase() {
  FillBackground();
  ApplyImageSize();
  state_.AxisWarning = LogarithmicWarnings(m_);
  DrawTitle();
  DrawAxisY();
  DrawAxisX();
  if (m_.Text.Visible) DrawTextBlock();
}

void GraphPainter::FillBackground() {
  canvas_.BrushColor = m_.ImageColor;
  canvas_.FillRect(0, 0, canvas_.Width(), canvas_.Height());
}

void GraphPainter::ApplyImageSize() {
  state_.OriginX = m_.AxisX.Left;
  state_.OriginY = OriginRow(m_);
  state_.Plot = {state_.OriginX, ClampPixel(int64_t{state_.OriginY} - m_.AxisY.Length),
                 ClampPixel(int64_t{state_.OriginX} + m_.AxisX.Length), state_.OriginY};
}

void GraphPainter::DrawTitle() {
  if (!m_.Title.Visible) return;
  canvas_.Font = m_.Title.Font;
  canvas_.TextOut(TitleLeft(m_, measure_), TitleTop(m_), m_.Title.Text);
}

void GraphPainter::DrawAxisY() {
  if (m_.AxisY.Title.Visible) DrawAxisYTitle();
  if (m_.AxisY.Visible) {
    canvas_.PenWidth = m_.AxisY.Width;
    canvas_.PenColor = m_.AxisY.Color;
    Line(canvas_, state_.OriginX, state_.OriginY, state_.OriginX,
         int64_t{state_.OriginY} - m_.AxisY.Length);
  }
  if (m_.AxisY.TickVisible) DrawAxisYTicks();
}

// The band of the title is filled with the background colour, as the work surface the title was
// first written on; the canvas state stays as the other steps expect it.
void GraphPainter::DrawAxisYTitle() {
  const TMyTitle& t = m_.AxisY.Title;
  const CanvasStateSaver saved(canvas_);
  canvas_.Font = t.Font;
  canvas_.BrushColor = m_.ImageColor;
  canvas_.TextOutUp(AxisYTitleLeft(m_, measure_), state_.OriginY, m_.AxisY.Length,
                    AxisYTitleBottom(m_, measure_), t.Text);
}

void GraphPainter::DrawAxisYTicks() {
  const TMyAxis& a = m_.AxisY;
  canvas_.Font = a.TickLabels.Font;
  const AxisTicks ticks(a);
  const int64_t last = ticks.Last();
  if (last < 0) return;  // no ticks rather than dividing by zero
  const AxisMap map = AxisMap::Y(m_, state_);
  const auto row = [&](int64_t i) { return int64_t{map.ToPixel(ticks.Value(i))}; };
  const int64_t pen = std::abs(int64_t{canvas_.PenWidth}) + 1;
  // Ticks and labels do not overlap (the labels end left of the axis), so all ticks are drawn
  // first and then the labels.
  ForEachDistinct(0, last, -pen, canvas_.Height() + pen, row, [&](int64_t i) {
    const int64_t p = row(i);
    Line(canvas_, state_.OriginX, p, int64_t{state_.OriginX} + a.TickLength, p);
  });
  if (!a.TickLabels.Visible) return;
  const int64_t height = measure_.Measure(a.TickLabels.Font, "0").Height;
  // The labels of a linear axis keep to rows of a whole-pixel step; the decades of a
  // logarithmic one are not evenly spaced, so each label stands at its tick.
  const bool evenRows = ticks.Even() && !map.Logarithmic();
  const auto labelTop = [&](int64_t i) {
    if (evenRows) return int64_t{AxisYTickLabelTop(m_, state_.OriginY, static_cast<int>(i))};
    return row(i) - a.TickLabels.Font.Size / 2;
  };
  const int64_t step = LabelStep(ticks, row, [height](int64_t) { return height; });
  ForEachDistinct(0, last, -height, canvas_.Height(), labelTop, [&](int64_t i) {
    if (i % step != 0) return;
    const TickLabel label = ticks.Label(i);
    const int64_t w = TickLabelWidth(label, a.TickLabels.Font, measure_);
    DrawTickLabel(ClampPixel(int64_t{state_.OriginX} - kAxisYLabelGap - w), ClampPixel(labelTop(i)),
                  label);
  });
}

// The exponent is a smaller text of its own: a style's font may have no superscript digits.
void GraphPainter::DrawTickLabel(int32_t left, int32_t top, const TickLabel& label) {
  canvas_.TextOut(left, top, label.Base);
  if (label.Exponent.empty()) return;
  const TMyFont font = canvas_.Font;
  const int64_t base = measure_.Measure(font, label.Base).Width;
  canvas_.Font = ExponentFont(font);
  canvas_.TextOut(ClampPixel(left + base), ClampPixel(int64_t{top} - ExponentRaise(font, measure_)),
                  label.Exponent);
  canvas_.Font = font;
}

void GraphPainter::DrawAxisX() {
  const TMyAxis& a = m_.AxisX;
  if (a.Title.Visible) {
    canvas_.Font = a.Title.Font;
    canvas_.TextOut(AxisXTitleLeft(m_, measure_), AxisXTitleTop(m_, measure_), a.Title.Text);
  }
  if (!a.Visible) return;
  canvas_.PenWidth = a.Width;
  canvas_.PenColor = a.Color;
  Line(canvas_, state_.OriginX, state_.OriginY, int64_t{state_.OriginX} + a.Length, state_.OriginY);
  if (a.TickVisible) DrawAxisXTicks();
}

void GraphPainter::DrawAxisXTicks() {
  const TMyAxis& a = m_.AxisX;
  canvas_.Font = a.TickLabels.Font;
  const AxisTicks ticks(a);
  const int64_t last = ticks.Last();
  if (last < 0) return;
  const AxisMap map = AxisMap::X(m_, state_);
  const auto column = [&](int64_t i) { return int64_t{map.ToPixel(ticks.Value(i))}; };
  const int32_t labelTop = ClampPixel(int64_t{state_.OriginY} + kAxisXLabelGap);
  // A label reaches further beyond the surface than a tick line.
  const int64_t reach = LabelReach(a, ticks, measure_) + std::abs(int64_t{canvas_.PenWidth});
  const int64_t step = !a.TickLabels.Visible ? 1 : LabelStep(ticks, column, [&](int64_t i) {
    return TickLabelWidth(ticks.Label(i), a.TickLabels.Font, measure_);
  });
  // The first of evenly spaced ticks stands on the y axis; a decade there has its label.
  ForEachDistinct(ticks.Even() ? 1 : 0, last, -reach, canvas_.Width() + reach, column,
                  [&](int64_t i) {
                    const int64_t p = column(i);
                    Line(canvas_, p, int64_t{state_.OriginY} - a.TickLength, p, state_.OriginY);
                    if (a.TickLabels.Visible && i % step == 0) {
                      const TickLabel label = ticks.Label(i);
                      const int64_t w = TickLabelWidth(label, a.TickLabels.Font, measure_);
                      DrawTickLabel(ClampPixel(p - w / 2), labelTop, label);
                    }
                  });
}

void GraphPainter::DrawTextBlock() {
  const int32_t top = TextBlockTop(m_, measure_);
  const int lineHeight = measure_.Measure(m_.Text.Font, {}).Height;
  // The wrapping edit field takes only the name and size of the text font.
  TMyFont wrapFont;
  wrapFont.Name = m_.Text.Font.Name;
  wrapFont.Size = m_.Text.Font.Size;
  const TextBlockFit fit = FitTextBlock(m_, top, lineHeight, canvas_.Height());
  state_.TextBlockLines = ExpandGraphText(
      m_.Text.Text, NamesOf(data_), fit.WrapWidth,
      [&](std::string_view s) { return measure_.Measure(wrapFont, s).Width; }, fit.MaxLines);

  const int64_t b = m_.ImageBorderWidth;
  canvas_.BrushColor = m_.ImageColor;
  canvas_.FillRect(ClampPixel(b), top, ClampPixel(m_.ImageWidth - b),
                   ClampPixel(m_.ImageHeight - b));

  canvas_.Font = m_.Text.Font;
  const int32_t left = TextBlockLeft(m_);
  static const std::string blanks(kTextBlockBlanks, ' ');
  const std::vector<std::string>& lines = state_.TextBlockLines;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const int32_t y = TextBlockLineTop(top, static_cast<int>(k), lineHeight);
    if (y >= canvas_.Height()) break;  // nothing below the surface can show
    canvas_.TextOut(left, y, blanks);
    canvas_.TextOut(left, y, lines[k]);
  }
}

void GraphPainter::DrawBorder() {
  const int w = m_.ImageBorderWidth;
  canvas_.PenColor = m_.ImageBorderColor;
  canvas_.PenWidth = w;
  const int64_t a = w / 2;
  const int64_t e = w % 2 == 0 ? a : a + 1;
  const int64_t W = m_.ImageWidth;
  const int64_t H = m_.ImageHeight;
  Line(canvas_, 0, a, W, a);
  Line(canvas_, a, 0, a, H);
  Line(canvas_, 0, H - e, W, H - e);
  Line(canvas_, W - e, H - 1, W - e, 0);
}

}  // namespace kurvex
