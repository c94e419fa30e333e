#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "graph/render/canvas.h"
#include "graph/render/font_engine.h"

namespace kurvex {

/// The canvas that writes an SVG document whose user unit is one pixel at 96 dpi. Texts are
/// <text> elements that a reader selects and an editor changes, in the style's fonts and at the
/// places the raster canvas puts their glyphs; lines of one pen in a row are one <path>; a
/// symbol repeated along a curve is one <symbol> placed by <use>, and not again on a pixel where
/// it stands already.
class SvgCanvas : public DocumentCanvas {
 public:
  SvgCanvas(int width, int height, FontEngine& fonts);

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void FillRect(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, std::string_view text) override;
  TextSize TextExtent(std::string_view text) override;
  void TextOutUp(int left, int bottom, int length, int offset, std::string_view text) override;
  void Dot(int x, int y, TColor color) override;

  std::string Finish() override;

 private:
  // Coordinates in hundredths of a pixel: written without rounding noise.
  struct Point {
    std::int64_t X;
    std::int64_t Y;
    bool operator==(const Point&) const = default;
  };
  // Lines of one pen waiting to be written: each part is a connected run of segments.
  struct Stroke {
    TColor Color;
    int Width;
    std::optional<PixelRect> Clip;
    std::vector<std::vector<Point>> Parts;
  };

  void Flush();
  void WriteStroke(const Stroke& stroke);
  void WriteRect(std::string& out, double left, double top, double right, double bottom,
                 TColor color);
  // The <text> of a laid-out line whose cell has its top-left at (x, y) in the frame written
  // to, glyphs further than an em outside [low, high) along the line left out.
  void WriteText(std::string& out, double x, double y, const TextLayout& layout, double low,
                 double high, const std::string& extra = {});
  const std::string& FamilyList();
  int ClipId(const PixelRect& rect);
  bool FirstAt(std::uint64_t key, std::initializer_list<int> place);

  int width_;
  int height_;
  FontEngine& fonts_;
  std::string defs_;
  std::string body_;
  int penX_ = 0;
  int penY_ = 0;
  std::vector<Stroke> strokes_;
  std::map<TColor, std::string> dots_;  // pixels of one colour waiting, as one path
  std::map<std::string, std::string> families_;
  std::unordered_map<std::string, int> symbols_;  // by text, font and brush: drawn, or its id
  int symbolCount_ = 0;
  int clipCount_ = 0;
  std::map<std::array<int, 4>, int> lineClips_;  // the clip of lines in a rectangle, by it
  std::unordered_set<std::uint64_t> drawnAt_;
};

}  // namespace kurvex
