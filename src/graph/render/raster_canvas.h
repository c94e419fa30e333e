#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "graph/render/canvas.h"
#include "graph/render/pixel_buffer.h"

namespace kurvex {

class FontEngine;
class VectorCanvas;

/// The raster drawing surface. A fill of the whole surface is painted only when the pixels are
/// next needed, and then only where they have been drawn on since the last such fill, when the
/// colour stays the same: a run of fills, or of lines wide enough to cover the surface, costs no
/// more than one. Smooth drawing goes through cairo onto the same pixels, `scale` of them to the
/// unit of a picture width x height; a canvas of another scale than 1 draws only smooth.
class RasterCanvas : public Canvas {
 public:
  RasterCanvas(int width, int height, FontEngine& fonts, double scale = 1);
  ~RasterCanvas() override;
  RasterCanvas(const RasterCanvas&) = delete;
  RasterCanvas& operator=(const RasterCanvas&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  /// Pixels to a unit of the picture, each way.
  double Scale() const { return scale_; }
  bool AlwaysSmooth() const override { return scale_ != 1; }

  void FillRect(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  bool EmptyLinesDrawNothing() const override {
    return PenWidth <= 1 && !Smooth && scale_ == 1 && !smooth_;
  }
  void TextOut(int x, int y, std::string_view text) override;
  TextSize TextExtent(std::string_view text) override;
  /// Writes the text on a work surface and copies it turned, pixel by pixel.
  void TextOutUp(int left, int bottom, int length, int offset, std::string_view text) override;
  void Dot(int x, int y, TColor color) override;

  /// The pixel at (x, y); 0 outside the surface.
  TColor GetPixel(int x, int y) const;
  /// Sets one pixel; nothing outside the surface.
  void SetPixel(int x, int y, TColor color);

  const PixelBuffer& Pixels() const {
    Settle();
    return pixels_;
  }

  /// The pen, brush, font and clip: what a drawing may use before it sets it (not the pen's
  /// position: its lines start with a move).
  struct PenState {
    int Width;
    TColor Color, Brush;
    FontSpec Font;
    bool Smooth;
    std::optional<PixelRect> LineClip;
    bool operator==(const PenState&) const = default;
  };
  PenState Pen() const;

  /// What has been drawn so far, the pixels with the pen, for later drawings to start again
  /// from: a batch draws the parts its pictures share once.
  struct Snapshot {
    PixelBuffer Pixels;
    PenState Pen;
    int PenX, PenY;
    TColor Base;
    PixelRect Touched;
  };
  Snapshot Take() const;
  /// The canvas as it was when `snapshot` was taken of it (or of a canvas of its size).
  void Restore(const Snapshot& snapshot);
  FontEngine& Fonts() { return fonts_; }

 private:
  int width_;
  int height_;
  double scale_;
  // The buffer lags behind the surface where a whole-surface fill is not painted yet: there, in
  // stale_, its pixels are to become base_. Settle() paints them.
  mutable PixelBuffer pixels_;
  mutable PixelRect stale_;
  FontEngine& fonts_;
  int penX_ = 0;
  int penY_ = 0;
  // Every pixel outside touched_ has the colour of the last whole-surface fill, base_.
  TColor base_;
  PixelRect touched_;

  // Settles the pixels, and puts what smooth drawing left on its way into them.
  void Settle() const;
  void PaintStale() const;
  // The cairo canvas of smooth drawing with this canvas's pen, brush, font and clip; none while
  // drawing is not smooth. Asked before every line of a curve: the classic case stays inline.
  VectorCanvas* SmoothCanvas() {
    return Smooth || scale_ != 1 || smooth_ ? MakeSmoothCanvas() : nullptr;
  }
  VectorCanvas* MakeSmoothCanvas();
  mutable std::unique_ptr<VectorCanvas> smooth_;

  void Touch(long long left, long long top, long long right, long long bottom, TColor color);
  void Fill(long long left, long long top, long long right, long long bottom, TColor color);
  void ThinLine(long long x0, long long y0, long long x1, long long y1, TColor color);
  void WideLine(double x0, double y0, double x1, double y1, double radius, TColor color);
};

}  // namespace kurvex
