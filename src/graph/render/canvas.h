#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graph/geometry.h"
#include "graph/text_font.h"

namespace kurvex {

/// What draws text: name, charset, size in points at 96 dpi, style and colour.
using FontSpec = TMyFont;

/// The drawing surface with its persistent pen, brush and font, behind the few primitives the
/// renderer needs: the raster canvas and the vector (SVG/PDF) canvas draw the same calls.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  int PenWidth = 1;
  TColor PenColor = 0;
  TColor BrushColor = 0xFFFFFF;
  FontSpec Font;
  /// Smooth drawing: lines, curves and texts antialiased with the vector output's geometry,
  /// texts and symbols without their opaque cell. Off, a raster canvas draws pixel for pixel
  /// as it always has.
  bool Smooth = false;
  /// Whether the canvas draws smooth whatever the style says (a picture drawn larger).
  virtual bool AlwaysSmooth() const { return false; }
  /// The pixels lines are cut to, right and bottom inclusive (a curve's segments at the plot
  /// rectangle); none: the whole surface. Set only for smooth drawing.
  std::optional<PixelRect> LineClip;

  /// Fills [left, right) x [top, bottom) with the brush colour.
  virtual void FillRect(int left, int top, int right, int bottom) = 0;
  virtual void MoveTo(int x, int y) = 0;
  /// Line from the current position with the pen; a 1-pixel line leaves out its end point.
  virtual void LineTo(int x, int y) = 0;
  /// Whether a line from a point to that point changes nothing now (a 1-pixel line on pixels):
  /// a curve of a million points then draws only the segments that move.
  virtual bool EmptyLinesDrawNothing() const { return false; }
  /// Opaque text: fills the text cell with the brush colour (not in smooth drawing), then draws
  /// the glyphs.
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  /// Extent of one line in the canvas font.
  virtual TextSize TextExtent(std::string_view text) = 0;
  /// Text reading from bottom to top (turned a quarter to the left, letter tops facing left) in
  /// the band of columns [left, left + line height) and rows (bottom - length, bottom]: the band
  /// is filled with the brush colour, the text starts `offset` pixels above `bottom` and is cut
  /// at the band's ends.
  virtual void TextOutUp(int left, int bottom, int length, int offset, std::string_view text) = 0;
  /// One pixel of `color` (a curve point drawn without a line).
  virtual void Dot(int x, int y, TColor color) = 0;
};

/// A canvas that writes a picture document (SVG or PDF) rather than pixels.
class DocumentCanvas : public Canvas {
 public:
  /// Ends the document and returns its bytes; throws Error when writing failed on the way.
  virtual std::string Finish() = 0;
};

/// What tells one drawn text from another on a document: the text, its font and the brush of its
/// cell. A curve's symbol recurs with the same key.
inline std::string TextKey(std::string_view text, const FontSpec& font, TColor brush) {
  std::string key(text);
  for (const auto field : {font.Charset, font.Color, font.Size, int32_t{font.Bold},
                           int32_t{font.Italic}, int32_t{font.Underline}, brush}) {
    key += '\0' + std::to_string(field);
  }
  return key + '\0' + font.Name;
}

/// Lines of one pen (colour, width, clip) waiting to be written: each part is a connected run
/// of segments. A document writes its lines pen by pen: where curves of different colours
/// cross, the later curve lies on top everywhere, not segment by segment.
template <class Point>
struct PenStroke {
  TColor Color;
  int Width;
  std::optional<PixelRect> Clip;
  std::vector<std::vector<Point>> Parts;
};

/// Adds a segment to the stroke of its pen, to the part it continues or as a new one.
template <class Point>
void AddSegment(std::vector<PenStroke<Point>>& strokes, TColor color, int width,
                const std::optional<PixelRect>& clip, const Point& from, const Point& to) {
  auto stroke = std::find_if(strokes.begin(), strokes.end(), [&](const PenStroke<Point>& s) {
    return s.Color == color && s.Width == width && s.Clip == clip;
  });
  if (stroke == strokes.end()) {
    strokes.push_back({color, width, clip, {}});
    stroke = strokes.end() - 1;
  }
  std::vector<std::vector<Point>>& parts = stroke->Parts;
  if (parts.empty() || !(parts.back().back() == from)) parts.push_back({from});
  parts.back().push_back(to);
}

/// The rows of TextOutUp's band that a document keeps: u from From to To above Base (the row
/// below `bottom`), cut `margin` beyond a page of `height` rows. Empty when From >= To.
struct TurnedBand {
  double Base;
  double From;
  double To;
};

inline TurnedBand TurnedBandOf(int bottom, int length, int height, double margin) {
  const double base = bottom + 1.0;
  return {base, std::max(0.0, base - height - margin),
          std::min(static_cast<double>(length), base + margin)};
}

/// Keeps the pen, brush and font of a canvas for the length of a scope: a drawing step that
/// changes them for itself leaves them as the steps after it expect.
class CanvasStateSaver {
 public:
  explicit CanvasStateSaver(Canvas& canvas)
      : canvas_(canvas),
        penWidth_(canvas.PenWidth),
        penColor_(canvas.PenColor),
        brushColor_(canvas.BrushColor),
        font_(canvas.Font) {}
  ~CanvasStateSaver() {
    canvas_.PenWidth = penWidth_;
    canvas_.PenColor = penColor_;
    canvas_.BrushColor = brushColor_;
    canvas_.Font = font_;
  }
  CanvasStateSaver(const CanvasStateSaver&) = delete;
  CanvasStateSaver& operator=(const CanvasStateSaver&) = delete;

 private:
  Canvas& canvas_;
  int penWidth_;
  TColor penColor_;
  TColor brushColor_;
  FontSpec font_;
};

}  // namespace kurvex
