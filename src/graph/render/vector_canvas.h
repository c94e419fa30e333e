#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "graph/render/canvas.h"

using cairo_t = struct _cairo;
using cairo_surface_t = struct _cairo_surface;
using cairo_font_face_t = struct _cairo_font_face;
using cairo_pattern_t = struct _cairo_pattern;

namespace kurvex {

class FontEngine;
class PixelBuffer;
struct FaceSource;
struct TextLayout;

/// The canvas on a cairo PDF document whose page is the image: one unit is one pixel at 96 dpi.
/// On pixels it is smooth drawing with the document's geometry, `scale` pixels to the unit.
/// Text is real text in the faces the raster canvas uses, placed glyph by glyph where the raster
/// canvas puts it; nothing in the document is a raster image.
class VectorCanvas : public DocumentCanvas {
 public:
  /// Throws Error when cairo cannot make the document.
  VectorCanvas(int width, int height, FontEngine& fonts);
  /// Draws a width x height picture onto `pixels`, which hold it `scale` times larger and
  /// outlive the canvas. Throws Error when cairo cannot take them.
  VectorCanvas(PixelBuffer& pixels, int width, int height, double scale, FontEngine& fonts);
  ~VectorCanvas() override;
  VectorCanvas(const VectorCanvas&) = delete;
  VectorCanvas& operator=(const VectorCanvas&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void FillRect(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override;
  /// Lines in a row with the same pen are joined into one path, drawn before anything else.
  void LineTo(int x, int y) override;
  /// Past the first few thousand texts and dots of a document, a text repeated (a curve's
  /// symbol) is drawn once and stamped where it recurs, and not again at a pixel it already
  /// holds.
  void TextOut(int x, int y, std::string_view text) override;
  TextSize TextExtent(std::string_view text) override;
  /// Turns the coordinate system instead of pixels: the title stays text.
  void TextOutUp(int left, int bottom, int length, int offset, std::string_view text) override;
  /// Past the first few thousand texts and dots, not again at a pixel it already holds.
  void Dot(int x, int y, TColor color) override;

  std::string Finish() override;
  /// Puts what is drawn so far into the pixels (nothing for a document).
  void Flush();

 private:
  struct Point {
    double X;
    double Y;
    bool operator==(const Point&) const = default;
  };
  using Stroke = PenStroke<Point>;

  void DrawStrokes();
  void StrokePart(const std::vector<Point>& part, int width);
  void FillBox(double left, double top, double right, double bottom, TColor color);
  // A text in one font and colours, or a dot of one colour: the pixels it has been drawn at,
  // and for a text its drawing once made.
  struct Mark {
    cairo_pattern_t* Stamp = nullptr;
    double Margin = 0;  // of the stamp around the cell
    std::unordered_set<std::uint64_t> DrawnAt;
  };

  void ShowText(double x, double y, const TextLayout& layout, double low, double high);
  bool Repeated(Mark& mark, std::initializer_list<int> place);
  cairo_pattern_t* StampOf(Mark& mark, const TextLayout& layout);
  void SetColor(TColor color);
  cairo_font_face_t* FaceFor(const FaceSource& source);

  void SetUp(double scale);

  int width_;
  int height_;
  FontEngine& fonts_;
  PixelBuffer* pixels_ = nullptr;  // drawn on instead of a document
  bool drawn_ = false;             // on the pixels since the last Flush
  std::string bytes_;
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  int penX_ = 0;
  int penY_ = 0;
  std::vector<Stroke> strokes_;
  std::map<std::string, cairo_font_face_t*> faces_;
  std::unordered_map<std::string, Mark> marks_;  // by text, font and brush, or dot colour
  std::size_t drawnMarks_ = 0;
  std::size_t remembered_ = 0;
};

}  // namespace kurvex
