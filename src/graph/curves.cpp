// Curves and legend of the graph painter.
#include <array>

#include "graph/axis_map.h"
#include "graph/data_error.h"
#include "graph/painter.h"

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

// Maps a value once per line: the x pixel is shared by all curves of a line.
struct LazyPixel {
  const AxisMap* map;
  double value;
  bool done = false;
  int32_t pixel = 0;
  int32_t Get() {
    if (!done) {
      pixel = map->ToPixel(value);
      done = true;
    }
    return pixel;
  }
};

// The next field of data line `line`; an empty data text has no line to name.
double NextValue(std::string_view& rest, const DataText& data, std::size_t line) {
  if (data.Empty()) return ConvertField(NextField(rest));
  return AtDataLine(line, [&rest] { return ConvertField(NextField(rest)); });
}

}  // namespace

void GraphPainter::DrawCurves() {
  SetCanvasFont(canvas_, m_.CurvesFont);
  canvas_.PenWidth = m_.CurveLineWidth;

  std::string_view rest = data_.Empty() ? std::string_view{} : data_.Line(0);
  double xPrev = NextValue(rest, data_, 0);
  std::array<CurveTrack, kCurveCount + 1> track{};
  int count = 0;
  while (!rest.empty() && count < kCurveCount) {
    ++count;
    track[count].yPrev = NextValue(rest, data_, 0);
  }
  m_.CurveCount = count;
  for (int k = 1; k <= count; ++k) {
    track[k].symbol = measure_.Measure(m_.CurvesFont, m_.Curve[k].SymbolText);
  }

  const AxisMap mapX = AxisMap::X(m_);
  const AxisMap mapY = AxisMap::Y(m_);
  const long double xMin = m_.AxisX.Minimum, xMax = m_.AxisX.Maximum;
  const long double yMin = m_.AxisY.Minimum, yMax = m_.AxisY.Maximum;
  LazyPixel prevX{&mapX, xPrev};

  for (std::size_t r = 1, lines = data_.LineCount(); r < lines; ++r) {
    rest = data_.Line(r);
    const double x = NextValue(rest, data_, r);
    LazyPixel curX{&mapX, x};
    const bool xInside = xMin <= x && x <= xMax;
    for (int k = 1; k <= count; ++k) {
      const TCurve& curve = m_.Curve[k];
      CurveTrack& t = track[k];
      canvas_.Font.Color = curve.Color;
      if (curve.SymbolVisible) {
        const int32_t py = t.prevMapped ? t.prevPy : mapY.ToPixel(t.yPrev);
        canvas_.TextOut(ClampPixel(int64_t{prevX.Get()} - t.symbol.Width / 2),
                        ClampPixel(int64_t{py} - t.symbol.Height / 2), curve.SymbolText);
      }
      const double y = NextValue(rest, data_, r);
      if (xInside && yMin <= y && y <= yMax) {
        const int32_t px = curX.Get();
        const int32_t py = mapY.ToPixel(y);
        if (curve.LineVisible) {
          canvas_.PenColor = curve.Color;
          if (!t.prevMapped) {
            t.prevPx = prevX.Get();
            t.prevPy = mapY.ToPixel(t.yPrev);
          }
          canvas_.MoveTo(t.prevPx, t.prevPy);
          canvas_.LineTo(px, py);
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
    if (curve.SymbolVisible) {
      canvas_.TextOut(
          ClampPixel(int64_t{prevX.Get()} - track[k].symbol.Width / 2),
          ClampPixel(int64_t{mapY.ToPixel(track[k].yPrev)} - track[k].symbol.Height / 2),
          curve.SymbolText);
    }
  }
}

void GraphPainter::DrawLegend() {
  m_.CurveCount =
      data_.Empty() ? CountCurves(data_) : AtDataLine(0, [this] { return CountCurves(data_); });
  for (int k = 1; k <= kCurveCount; ++k) DrawLegendEntry(k);
}

void GraphPainter::DrawLegendEntry(int k) {
  if (k > m_.CurveCount) return;
  TCurve& curve = m_.Curve[k];
  const LegendRow row = LegendRowAt(m_, k, measure_);
  const int64_t middle = int64_t{row.Top} + row.Height / 2;
  if (curve.LineVisible) {
    canvas_.PenColor = curve.Color;
    canvas_.MoveTo(row.Left, ClampPixel(middle));
    canvas_.LineTo(ClampPixel(int64_t{row.Left} + kLegendSampleLength), ClampPixel(middle));
  }
  SetCanvasFont(canvas_, m_.Legend.Font);
  const int textHeight = measure_.Measure(m_.Legend.Font, curve.LegendText).Height;
  canvas_.TextOut(ClampPixel(int64_t{row.Left} + kLegendTextOffset),
                  ClampPixel(int64_t{row.Top} + (row.Height - textHeight) / 2), curve.LegendText);
  if (curve.SymbolVisible) {
    m_.CurvesFont.Color = curve.Color;
    SetCanvasFont(canvas_, m_.CurvesFont);
    const TextSize s = measure_.Measure(m_.CurvesFont, curve.SymbolText);
    canvas_.TextOut(ClampPixel(int64_t{row.Left} + (kLegendSampleLength - s.Width) / 2),
                    ClampPixel(int64_t{row.Top} + (row.Height - s.Height) / 2), curve.SymbolText);
  }
}

}  // namespace kurvex
