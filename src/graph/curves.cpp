// Curves and legend of the graph painter.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "graph/axis_map.h"
#include "graph/data/data_error.h"
#include "graph/data/data_rows.h"
#include "graph/painter.h"
#include "graph/text_fit.h"

namespace kurvex {

namespace {

// One curve's drawing state: the previous point and, once mapped, its pixel.
struct CurveTrack {
  double yPrev = 0;
  bool prevMapped = false;
  int32_t prevPx = 0;
  int32_t prevPy = 0;
  TextSize symbol;
};

// The pixel of a value of data line `line` (from 0). One too far out for a pixel stops the
// drawing at its line, which names the value.
int32_t PixelOf(const AxisMap& map, double value, std::size_t line) {
  try {
    return map.ToPixel(value);
  } catch (const Error& e) {
    throw UndrawableValue(e.what(), line + 1, value);
  }
}

// Maps a value once per line: the x pixel is shared by all curves of a line.
struct LazyPixel {
  const AxisMap* map;
  double value;
  std::size_t line;
  bool done = false;
  int32_t pixel = 0;
  int32_t Get() {
    if (!done) {
      pixel = PixelOf(*map, value, line);
      done = true;
    }
    return pixel;
  }
};

}  // namespace

// A peak table is a list of positions: its points show as symbols, never joined, whatever the
// curve's style says (which stays as it is).
bool GraphPainter::LineVisible(const TCurve& curve) const {
  return curve.LineVisible && !data_.SymbolsOnly;
}

bool GraphPainter::SymbolVisible(const TCurve& curve) const {
  return curve.SymbolVisible || data_.SymbolsOnly;
}

void GraphPainter::DrawCurves() {
  canvas_.Font = m_.CurvesFont;
  canvas_.PenWidth = m_.CurveLineWidth;

  const AxisMap mapX = AxisMap::X(m_, state_);
  const AxisMap mapY = AxisMap::Y(m_, state_);
  // A value a logarithmic axis cannot show breaks the curve as a missing value does.
  const bool logX = mapX.Logarithmic(), logY = mapY.Logarithmic();
  constexpr double kGap = std::numeric_limits<double>::quiet_NaN();
  const auto gapX = [logX](double v) { return logX && !(v > 0) ? kGap : v; };
  const auto gapY = [logY](double v) { return logY && !(v > 0) ? kGap : v; };

  DataRows rows(data_.Columns);
  rows.Seek(0);
  double xPrev = gapX(rows.Next());
  std::array<CurveTrack, kCurveCount + 1> track{};
  int count = 0;
  while (!rows.AtEnd() && count < kCurveCount) {
    ++count;
    track[count].yPrev = gapY(rows.Next());
  }
  state_.CurveCount = count;
  for (int k = 1; k <= count; ++k) {
    track[k].symbol = measure_.Measure(m_.CurvesFont, m_.Curve[k].SymbolText);
  }

  // A reversed axis (From above To) shows the same values as a rising one. The ends hold no
  // more than a double does, so the data's doubles are compared without extended precision.
  const double xFrom = static_cast<long double>(m_.AxisX.Minimum);
  const double xTo = static_cast<long double>(m_.AxisX.Maximum);
  const double yFrom = static_cast<long double>(m_.AxisY.Minimum);
  const double yTo = static_cast<long double>(m_.AxisY.Maximum);
  const double xMin = std::min(xFrom, xTo), xMax = std::max(xFrom, xTo);
  const double yMin = std::min(yFrom, yTo), yMax = std::max(yFrom, yTo);
  LazyPixel prevX{&mapX, xPrev, 0};
  // Smooth drawing cuts the curves at the plot rectangle instead of leaving out the segments
  // that end outside it; a symbol stands only at a point inside.
  const bool smooth = canvas_.Smooth;
  const auto shown = [&](double x, double y) {
    return !smooth || (xMin <= x && x <= xMax && yMin <= y && y <= yMax);
  };
  if (smooth) canvas_.LineClip = state_.Plot;
  // A bad field ends the drawing by an exception: the clip must not reach the next one.
  const struct ClipEnd {
    Canvas& canvas;
    ~ClipEnd() { canvas.LineClip.reset(); }
  } clipEnd{canvas_};
  // A segment that starts and ends on one pixel is left out where that draws the same; the pen
  // still ends where the drawing of every segment leaves it.
  const bool skipEmpty = canvas_.EmptyLinesDrawNothing();
  struct PenEnd {
    Canvas& canvas;
    bool behind = false;
    int32_t x = 0, y = 0;
    ~PenEnd() {
      if (behind) canvas.MoveTo(x, y);
    }
  } penEnd{canvas_};

  for (std::size_t r = 1, lines = rows.LineCount(); r < lines; ++r) {
    rows.Seek(r);
    const double x = gapX(rows.Next());
    LazyPixel curX{&mapX, x, r};
    const bool xInside = xMin <= x && x <= xMax;
    for (int k = 1; k <= count; ++k) {
      const TCurve& curve = m_.Curve[k];
      CurveTrack& t = track[k];
      canvas_.Font.Color = curve.Color;
      // A gap (a missing value of an instrument file) has no symbol and joins no line.
      const bool prevGap = std::isnan(prevX.value) || std::isnan(t.yPrev);
      if (SymbolVisible(curve) && !prevGap && shown(prevX.value, t.yPrev)) {
        const int32_t py = t.prevMapped ? t.prevPy : PixelOf(mapY, t.yPrev, r - 1);
        canvas_.TextOut(ClampPixel(int64_t{prevX.Get()} - t.symbol.Width / 2),
                        ClampPixel(int64_t{py} - t.symbol.Height / 2), curve.SymbolText);
      }
      const double y = gapY(rows.Next());
      if (smooth && LineVisible(curve)) {
        const bool joined = !prevGap && !std::isnan(x) && !std::isnan(y);
        if (joined) {
          if (!t.prevMapped) {
            t.prevPx = prevX.Get();
            t.prevPy = PixelOf(mapY, t.yPrev, r - 1);
          }
          canvas_.PenColor = curve.Color;
          canvas_.MoveTo(t.prevPx, t.prevPy);
          t.prevPx = curX.Get();
          t.prevPy = PixelOf(mapY, y, r);
          canvas_.LineTo(t.prevPx, t.prevPy);
        }
        t.prevMapped = joined;
      } else if (xInside && yMin <= y && y <= yMax) {
        const int32_t px = curX.Get();
        const int32_t py = PixelOf(mapY, y, r);
        if (LineVisible(curve)) {
          canvas_.PenColor = curve.Color;
          if (!t.prevMapped && !prevGap) {
            t.prevPx = prevX.Get();
            t.prevPy = PixelOf(mapY, t.yPrev, r - 1);
          }
          if (skipEmpty && (t.prevMapped || !prevGap) && px == t.prevPx && py == t.prevPy) {
            penEnd.behind = true;
            penEnd.x = px;
            penEnd.y = py;
          } else if (t.prevMapped || !prevGap) {
            canvas_.MoveTo(t.prevPx, t.prevPy);
            canvas_.LineTo(px, py);
            penEnd.behind = false;
          }
        } else {
          canvas_.Dot(px, py, curve.Color);
        }
        t.prevMapped = true;
        t.prevPx = px;
        t.prevPy = py;
      } else {
        t.prevMapped = false;
      }
      t.yPrev = y;
    }
    prevX = curX;
  }

  for (int k = 1; k <= count; ++k) {
    const TCurve& curve = m_.Curve[k];
    canvas_.Font.Color = curve.Color;
    if (SymbolVisible(curve) && !std::isnan(prevX.value) && !std::isnan(track[k].yPrev) &&
        shown(prevX.value, track[k].yPrev)) {
      canvas_.TextOut(ClampPixel(int64_t{prevX.Get()} - track[k].symbol.Width / 2),
                      ClampPixel(int64_t{PixelOf(mapY, track[k].yPrev, prevX.line)} -
                                 track[k].symbol.Height / 2),
                      curve.SymbolText);
    }
  }
}

void GraphPainter::DrawLegend() {
  const NumericColumns& columns = data_.Columns;
  if (columns.LineCount() == 0) ConvertField({});  // no first line to count the curves of
  if (columns.FirstBad() && columns.FirstBad()->Line == 0) columns.ThrowBad();
  state_.CurveCount = columns.CurveCount();
  std::vector<LegendEntry> rows;
  for (int k = 1; k <= std::min(state_.CurveCount, kCurveCount); ++k) {
    rows.push_back({m_.Curve[k].LegendText, m_.Curve[k]});
  }
  DrawLegendRows(rows);
}

void GraphPainter::DrawLegendRows(const std::vector<LegendEntry>& rows) {
  std::vector<std::string> texts;
  for (const LegendEntry& row : rows) texts.push_back(row.Text);
  const LegendLayout legend = PlaceLegend(m_, texts, measure_);
  for (std::size_t i = 0; i < legend.Rows.size(); ++i) {
    DrawLegendRow(legend, legend.Rows[i], rows[i].Sample ? &*rows[i].Sample : nullptr);
  }
}

// The sample stands at the row's first line; a name wrapped in smooth drawing goes on below.
void GraphPainter::DrawLegendRow(const LegendLayout& legend, const LegendLayout::Row& row,
                                 const TCurve* sample) {
  const int height = legend.RowHeight;
  const int64_t middle = int64_t{row.Top} + height / 2;
  if (sample && LineVisible(*sample)) {
    canvas_.PenColor = sample->Color;
    canvas_.MoveTo(legend.Left, ClampPixel(middle));
    canvas_.LineTo(ClampPixel(int64_t{legend.Left} + kLegendSampleLength), ClampPixel(middle));
  }
  canvas_.Font = m_.Legend.Font;
  for (std::size_t i = 0; i < row.Lines.size(); ++i) {
    const std::string& text = row.Lines[i];
    const int textHeight = measure_.Measure(m_.Legend.Font, text).Height;
    const int64_t top = int64_t{row.Top} + static_cast<int64_t>(i) * legend.LineStep;
    canvas_.TextOut(ClampPixel(int64_t{legend.Left} + kLegendTextOffset),
                    ClampPixel(top + (height - textHeight) / 2), text);
  }
  if (sample && SymbolVisible(*sample)) {
    canvas_.Font = m_.CurvesFont;
    canvas_.Font.Color = sample->Color;
    const TextSize s = measure_.Measure(m_.CurvesFont, sample->SymbolText);
    canvas_.TextOut(ClampPixel(int64_t{legend.Left} + (kLegendSampleLength - s.Width) / 2),
                    ClampPixel(int64_t{row.Top} + (height - s.Height) / 2), sample->SymbolText);
  }
}

}  // namespace kurvex
