#include "graph/render/raster_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "graph/render/clip_segment.h"
#include "graph/render/font_engine.h"
#include "graph/render/vector_canvas.h"

namespace kurvex {
namespace {

// Boundary pixels of wide lines count as covered despite rounding in the geometry.
constexpr double kEpsilon = 1e-7;

bool IsEmpty(const PixelRect& rect) {
  return rect.Right <= rect.Left || rect.Bottom <= rect.Top;
}

// Whether every pixel centre of a width x height surface lies within `radius` of the segment,
// with room to spare for rounding: the capsule is convex, so its holding the four corner pixels
// is enough.
bool CoversSurface(double x0, double y0, double x1, double y1, double radius, int width,
                   int height) {
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double squared = dx * dx + dy * dy;
  const double reach = radius - 1e-6;
  for (const double cx : {0.0, width - 1.0}) {
    for (const double cy : {0.0, height - 1.0}) {
      const double t =
          squared > 0 ? std::clamp(((cx - x0) * dx + (cy - y0) * dy) / squared, 0.0, 1.0) : 0;
      if (std::hypot(cx - x0 - t * dx, cy - y0 - t * dy) >= reach) return false;
    }
  }
  return true;
}

// Widens [lo, hi] to hold the x range of a disk at (cx, cy) on the row at height y.
void AddDiskSpan(double cx, double cy, double radius, double y, double& lo, double& hi) {
  const double dy = y - cy;
  const double squared = radius * radius - dy * dy;
  if (squared < -kEpsilon) return;
  const double half = std::sqrt(std::max(squared, 0.0));
  lo = std::min(lo, cx - half);
  hi = std::max(hi, cx + half);
}

// Widens [lo, hi] to hold where the row at height y crosses the convex quadrilateral `corners`.
void AddQuadSpan(const double (&corners)[4][2], double y, double& lo, double& hi) {
  for (int i = 0; i < 4; ++i) {
    const double* p = corners[i];
    const double* q = corners[(i + 1) % 4];
    if ((p[1] > y && q[1] > y) || (p[1] < y && q[1] < y)) continue;
    if (p[1] == q[1]) {
      lo = std::min({lo, p[0], q[0]});
      hi = std::max({hi, p[0], q[0]});
      continue;
    }
    const double x = p[0] + (y - p[1]) * (q[0] - p[0]) / (q[1] - p[1]);
    lo = std::min(lo, x);
    hi = std::max(hi, x);
  }
}

}  // namespace

RasterCanvas::RasterCanvas(int width, int height, FontEngine& fonts, double scale)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      scale_(scale),
      pixels_(static_cast<int>(std::lround(width_ * scale)),
              static_cast<int>(std::lround(height_ * scale)), 0xFFFFFF),
      fonts_(fonts),
      base_(0xFFFFFF) {}

RasterCanvas::~RasterCanvas() = default;

VectorCanvas* RasterCanvas::MakeSmoothCanvas() {
  if (!Smooth && !AlwaysSmooth()) {
    if (smooth_) {
      smooth_->Flush();
      smooth_.reset();
    }
    return nullptr;
  }
  PaintStale();
  if (!smooth_) {
    smooth_ = std::make_unique<VectorCanvas>(pixels_, Width(), Height(), scale_, fonts_);
    smooth_->MoveTo(penX_, penY_);
  }
  VectorCanvas& c = *smooth_;
  c.PenWidth = PenWidth;
  c.PenColor = PenColor;
  c.BrushColor = BrushColor;
  c.Font = Font;
  c.Smooth = true;
  c.LineClip = LineClip;
  // What cairo draws is not tracked pixel by pixel.
  touched_ = {0, 0, pixels_.Width(), pixels_.Height()};
  return &c;
}

void RasterCanvas::Touch(long long left, long long top, long long right, long long bottom,
                         TColor color) {
  // Painting in the base colour leaves the pixels outside touched_ as they are.
  if (color == base_) return;
  left = std::max(left, 0LL);
  top = std::max(top, 0LL);
  right = std::min<long long>(right, Width());
  bottom = std::min<long long>(bottom, Height());
  if (right <= left || bottom <= top) return;
  if (IsEmpty(touched_)) {
    touched_ = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                static_cast<int>(bottom)};
    return;
  }
  touched_.Left = std::min<int>(touched_.Left, left);
  touched_.Top = std::min<int>(touched_.Top, top);
  touched_.Right = std::max<int>(touched_.Right, right);
  touched_.Bottom = std::max<int>(touched_.Bottom, bottom);
}

void RasterCanvas::Fill(long long left, long long top, long long right, long long bottom,
                        TColor color) {
  left = std::max(left, 0LL);
  top = std::max(top, 0LL);
  right = std::min<long long>(right, Width());
  bottom = std::min<long long>(bottom, Height());
  if (right <= left || bottom <= top) return;
  if (left == 0 && top == 0 && right == Width() && bottom == Height()) {
    // What differs from the new colour is painted when the pixels are next needed.
    if (color != base_) {
      stale_ = {0, 0, Width(), Height()};
    } else if (!IsEmpty(touched_)) {
      IncludeRect(stale_, touched_.Left, touched_.Top, touched_.Right, touched_.Bottom);
    }
    base_ = color;
    touched_ = {};
    return;
  }
  if (color == base_) {
    // Outside touched_ the pixels already have this colour; touched_ is empty while any are
    // stale, as every other drawing settles them first.
    const bool coversTouched = left <= touched_.Left && top <= touched_.Top &&
                               right >= touched_.Right && bottom >= touched_.Bottom;
    left = std::max<long long>(left, touched_.Left);
    top = std::max<long long>(top, touched_.Top);
    right = std::min<long long>(right, touched_.Right);
    bottom = std::min<long long>(bottom, touched_.Bottom);
    if (coversTouched) touched_ = {};
    if (right <= left || bottom <= top) return;
  } else {
    Settle();
    Touch(left, top, right, bottom, color);
  }
  for (long long y = top; y < bottom; ++y) {
    TColor* row = pixels_.Row(static_cast<int>(y));
    std::fill(row + left, row + right, color);
  }
}

RasterCanvas::PenState RasterCanvas::Pen() const {
  return {PenWidth, PenColor, BrushColor, Font, Smooth, LineClip};
}

RasterCanvas::Snapshot RasterCanvas::Take() const {
  Settle();
  return {pixels_, Pen(), penX_, penY_, base_, touched_};
}

void RasterCanvas::Restore(const Snapshot& s) {
  if (smooth_) smooth_.reset();  // its drawing is in the pixels about to be replaced
  stale_ = {};
  pixels_ = s.Pixels;
  penX_ = s.PenX;
  penY_ = s.PenY;
  PenWidth = s.Pen.Width;
  PenColor = s.Pen.Color;
  BrushColor = s.Pen.Brush;
  Font = s.Pen.Font;
  Smooth = s.Pen.Smooth;
  LineClip = s.Pen.LineClip;
  base_ = s.Base;
  touched_ = s.Touched;
}

void RasterCanvas::Settle() const {
  if (smooth_) smooth_->Flush();
  PaintStale();
}

void RasterCanvas::PaintStale() const {
  for (int y = stale_.Top; y < stale_.Bottom; ++y) {
    std::fill(pixels_.Row(y) + stale_.Left, pixels_.Row(y) + stale_.Right, base_);
  }
  stale_ = {};
}

void RasterCanvas::FillRect(int left, int top, int right, int bottom) {
  // A picture starts anew: the symbols the cairo canvas remembers drawing are gone.
  if (smooth_ && left <= 0 && top <= 0 && right >= Width() && bottom >= Height()) {
    smooth_->Flush();
    smooth_.reset();
  }
  if (VectorCanvas* smooth = SmoothCanvas()) return smooth->FillRect(left, top, right, bottom);
  Fill(left, top, right, bottom, BrushColor & kColorMask);
}

void RasterCanvas::MoveTo(int x, int y) {
  if (VectorCanvas* smooth = SmoothCanvas()) smooth->MoveTo(x, y);
  penX_ = x;
  penY_ = y;
}

void RasterCanvas::LineTo(int x, int y) {
  const TColor color = PenColor & kColorMask;
  if (VectorCanvas* smooth = SmoothCanvas()) {
    smooth->LineTo(x, y);
  } else if (PenWidth <= 1) {
    ThinLine(penX_, penY_, x, y, color);
  } else {
    // Odd widths centre the stroke on the pixel, even ones on its top-left corner, so that a
    // stroke of width w covers exactly w rows (or columns) next to its coordinate.
    const double shift = PenWidth % 2 == 0 ? -0.5 : 0.0;
    WideLine(penX_ + shift, penY_ + shift, x + shift, y + shift, PenWidth / 2.0, color);
  }
  penX_ = x;
  penY_ = y;
}

// Bresenham without the end point. Pixel i (0 <= i < n) of the n steps along the major axis
// sits at minor offset round(i * m / n), halves rounded away from the start; the closed form
// lets the loop begin where the segment enters the surface, however far away its start is.
void RasterCanvas::ThinLine(long long x0, long long y0, long long x1, long long y1, TColor color) {
  const bool steep = std::llabs(y1 - y0) > std::llabs(x1 - x0);
  const long long u0 = steep ? y0 : x0;
  const long long v0 = steep ? x0 : y0;
  const long long du = (steep ? y1 : x1) - u0;
  const long long dv = (steep ? x1 : y1) - v0;
  const long long n = std::llabs(du);
  const long long m = std::llabs(dv);
  if (n == 0) return;
  const long long su = du > 0 ? 1 : -1;
  const long long sv = dv >= 0 ? 1 : -1;
  const long long uSize = steep ? Height() : Width();
  const long long vSize = steep ? Width() : Height();

  long long first = std::max(0LL, su > 0 ? -u0 : u0 - (uSize - 1));
  long long last = std::min(n - 1, su > 0 ? uSize - 1 - u0 : u0);
  if (m == 0) {
    if (v0 < 0 || v0 >= vSize) return;
  } else {
    // Steps where the minor coordinate is near the surface, with a margin for the rounding.
    const double perStep = static_cast<double>(m) / static_cast<double>(n);
    const double a = (sv > 0 ? -1.0 - v0 : v0 - static_cast<double>(vSize)) / perStep;
    const double b = (sv > 0 ? static_cast<double>(vSize) - v0 : v0 + 1.0) / perStep;
    const double limit = static_cast<double>(n);
    first = std::max(first, static_cast<long long>(std::clamp(std::floor(a) - 2, -1.0, limit)));
    last = std::min(last, static_cast<long long>(std::clamp(std::ceil(b) + 2, -1.0, limit)));
  }
  if (first > last) return;

  Settle();
  long long v = v0;
  long long remainder = n;
  if (first > 0) {
    const __int128 numerator = static_cast<__int128>(2) * first * m + n;
    v += sv * static_cast<long long>(numerator / (2 * n));
    remainder = static_cast<long long>(numerator % (2 * n));
  }
  long long u = u0 + su * first;
  long long lo[2] = {std::numeric_limits<long long>::max(), std::numeric_limits<long long>::max()};
  long long hi[2] = {std::numeric_limits<long long>::min(), std::numeric_limits<long long>::min()};
  for (long long i = first; i <= last; ++i) {
    if (v >= 0 && v < vSize) {
      const int x = static_cast<int>(steep ? v : u);
      const int y = static_cast<int>(steep ? u : v);
      pixels_.Set(x, y, color);
      lo[0] = std::min<long long>(lo[0], x);
      lo[1] = std::min<long long>(lo[1], y);
      hi[0] = std::max<long long>(hi[0], x);
      hi[1] = std::max<long long>(hi[1], y);
    }
    remainder += 2 * m;
    if (remainder >= 2 * n) {
      remainder -= 2 * n;
      v += sv;
    }
    u += su;
  }
  Touch(lo[0], lo[1], hi[0] + 1, hi[1] + 1, color);
}

// Every pixel whose centre lies within `radius` of the segment: a capsule, so each row meets it
// in one span, the union of the two end disks and the band between them.
void RasterCanvas::WideLine(double x0, double y0, double x1, double y1, double radius,
                            TColor color) {
  const int width = Width();
  const int height = Height();
  const double margin = radius + 2;
  if (width == 0 || height == 0 ||
      !ClipSegment(x0, y0, x1, y1, -margin, -margin, width + margin, height + margin)) {
    return;
  }
  if (CoversSurface(x0, y0, x1, y1, radius, width, height)) {
    Fill(0, 0, width, height, color);
    return;
  }
  Settle();
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double length = std::hypot(dx, dy);
  const double nx = length > 0 ? -dy / length * radius : 0;
  const double ny = length > 0 ? dx / length * radius : 0;
  const double corners[4][2] = {
      {x0 + nx, y0 + ny}, {x1 + nx, y1 + ny}, {x1 - nx, y1 - ny}, {x0 - nx, y0 - ny}};
  const double rowLow = std::ceil(std::min(y0, y1) - radius - kEpsilon);
  const double rowHigh = std::floor(std::max(y0, y1) + radius + kEpsilon);
  const int firstRow = static_cast<int>(std::clamp(rowLow, 0.0, static_cast<double>(height)));
  const int lastRow = static_cast<int>(std::clamp(rowHigh, -1.0, height - 1.0));
  int left = width, right = -1, top = height, bottom = -1;
  for (int y = firstRow; y <= lastRow; ++y) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    AddDiskSpan(x0, y0, radius, y, lo, hi);
    AddDiskSpan(x1, y1, radius, y, lo, hi);
    if (length > 0) AddQuadSpan(corners, y, lo, hi);
    if (lo > hi) continue;
    const int from = static_cast<int>(std::clamp(std::ceil(lo - kEpsilon), 0.0, 1.0 * width));
    const int to = static_cast<int>(std::clamp(std::floor(hi + kEpsilon), -1.0, width - 1.0));
    if (from > to) continue;
    std::fill(pixels_.Row(y) + from, pixels_.Row(y) + to + 1, color);
    left = std::min(left, from);
    right = std::max(right, to);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
  Touch(left, top, right + 1LL, bottom + 1LL, color);
}

void RasterCanvas::TextOut(int x, int y, std::string_view text) {
  if (VectorCanvas* smooth = SmoothCanvas()) return smooth->TextOut(x, y, text);
  const TextSize size = fonts_.Extent(Font, text);
  Fill(x, y, static_cast<long long>(x) + size.Width, static_cast<long long>(y) + size.Height,
       BrushColor & kColorMask);
  PixelRect ink;
  Settle();
  DrawGlyphs(pixels_, fonts_, x, y, Font, text, &ink);
  Touch(ink.Left, ink.Top, ink.Right, ink.Bottom, Font.Color & kColorMask);
}

TextSize RasterCanvas::TextExtent(std::string_view text) {
  return fonts_.Extent(Font, text);
}

// Only the rows of the band that land on the surface are made and copied.
void RasterCanvas::TextOutUp(int left, int bottom, int length, int offset, std::string_view text) {
  if (VectorCanvas* smooth = SmoothCanvas()) {
    return smooth->TextOutUp(left, bottom, length, offset, text);
  }
  const int64_t height = fonts_.Extent(Font, text).Height;
  const int64_t first = std::max<int64_t>(0, int64_t{bottom} - (Height() - 1));
  const int64_t last = std::min<int64_t>(int64_t{length} - 1, bottom);
  const int64_t from = std::max<int64_t>(0, -int64_t{left});
  const int64_t to = std::min<int64_t>(height, int64_t{Width()} - left);
  if (first > last || from >= to) return;

  RasterCanvas work(static_cast<int>(last - first + 1), static_cast<int>(height), fonts_);
  work.BrushColor = BrushColor;
  work.FillRect(0, 0, work.Width(), work.Height());
  work.Font = Font;
  work.TextOut(static_cast<int>(std::clamp<int64_t>(offset - first, INT32_MIN, INT32_MAX)), 0,
               text);
  for (int64_t i = first; i <= last; ++i) {
    for (int64_t j = from; j < to; ++j) {
      SetPixel(static_cast<int>(left + j), static_cast<int>(bottom - i),
               work.GetPixel(static_cast<int>(i - first), static_cast<int>(j)));
    }
  }
}

void RasterCanvas::Dot(int x, int y, TColor color) {
  if (VectorCanvas* smooth = SmoothCanvas()) return smooth->Dot(x, y, color);
  SetPixel(x, y, color);
}

TColor RasterCanvas::GetPixel(int x, int y) const {
  Settle();
  return pixels_.Contains(x, y) ? pixels_.At(x, y) : 0;
}

void RasterCanvas::SetPixel(int x, int y, TColor color) {
  if (!pixels_.Contains(x, y)) return;
  Settle();
  color &= kColorMask;
  pixels_.Set(x, y, color);
  Touch(x, y, x + 1LL, y + 1LL, color);
}

}  // namespace kurvex
