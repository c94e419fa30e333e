#include "graph/render/pixel_buffer.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "graph/render/font_engine.h"

namespace kurvex {
namespace {

constexpr std::size_t kHugePage = 2u << 20;

// A large surface on huge pages costs a handful of page faults instead of thousands, which is
// most of the start-up time of a short run.
TColor* AllocatePixels(std::size_t count) {
  const std::size_t bytes = std::max<std::size_t>(count * sizeof(TColor), sizeof(TColor));
  if (bytes < kHugePage) return static_cast<TColor*>(std::malloc(bytes));
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* p = std::aligned_alloc(kHugePage, rounded);
  if (p) madvise(p, rounded, MADV_HUGEPAGE);
  return static_cast<TColor*>(p);
}

TColor Blend(TColor dst, TColor fg, unsigned coverage) {
  const auto d = static_cast<std::uint32_t>(dst);
  const auto f = static_cast<std::uint32_t>(fg);
  std::uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t dc = (d >> shift) & 0xFF;
    const std::uint32_t fc = (f >> shift) & 0xFF;
    out |= ((dc * (255 - coverage) + fc * coverage + 127) / 255) << shift;
  }
  return static_cast<TColor>(out);
}

// Whether the 8 coverage bytes at p are all `value` (0 or 255).
bool EightAre(const std::uint8_t* p, std::uint64_t value) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word == value;
}

// One row of a glyph onto the pixels. Uncovered stretches are skipped and fully covered ones
// filled eight bytes at a time, so that a symbol as large as the picture costs little more than
// a fill of its ink.
void BlendRow(const std::uint8_t* coverage, TColor* pixels, long long count, TColor color) {
  constexpr std::uint64_t kNone = 0;
  constexpr std::uint64_t kFull = ~std::uint64_t{0};
  long long i = 0;
  while (i < count) {
    while (i + 8 <= count && EightAre(coverage + i, kNone)) i += 8;
    if (i >= count) break;
    if (coverage[i] == 255) {
      long long end = i + 1;
      while (end + 8 <= count && EightAre(coverage + end, kFull)) end += 8;
      while (end < count && coverage[end] == 255) ++end;
      std::fill(pixels + i, pixels + end, color);
      i = end;
      continue;
    }
    if (coverage[i] != 0) pixels[i] = Blend(pixels[i], color, coverage[i]);
    ++i;
  }
}

// Clips [left, right) x [top, bottom) given in 64 bits to the buffer; false when nothing is left.
bool ClipTo(const PixelBuffer& target, long long& left, long long& top, long long& right,
            long long& bottom) {
  left = std::max(left, 0LL);
  top = std::max(top, 0LL);
  right = std::min<long long>(right, target.Width());
  bottom = std::min<long long>(bottom, target.Height());
  return left < right && top < bottom;
}

}  // namespace

void PixelBuffer::Release::operator()(TColor* p) const {
  std::free(p);
}

PixelBuffer::PixelBuffer(int width, int height, TColor fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  const std::size_t count = static_cast<std::size_t>(width_) * height_;
  pixels_.reset(AllocatePixels(count));
  if (!pixels_) throw std::bad_alloc();
  std::fill_n(pixels_.get(), count, fill);
}

PixelBuffer::PixelBuffer(const PixelBuffer& other) : width_(other.width_), height_(other.height_) {
  const std::size_t count = static_cast<std::size_t>(width_) * height_;
  pixels_.reset(AllocatePixels(count));
  if (!pixels_) throw std::bad_alloc();
  std::copy_n(other.pixels_.get(), count, pixels_.get());
}

PixelBuffer& PixelBuffer::operator=(const PixelBuffer& other) {
  if (this != &other) {
    std::copy_n(
        other.pixels_.get(),
        static_cast<std::size_t>(std::min(width_, other.width_)) * std::min(height_, other.height_),
        pixels_.get());
  }
  return *this;
}

void IncludeRect(PixelRect& box, long long left, long long top, long long right, long long bottom) {
  if (right <= left || bottom <= top) return;
  if (box.Right <= box.Left || box.Bottom <= box.Top) {
    box = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
           static_cast<int>(bottom)};
    return;
  }
  box.Left = std::min<long long>(box.Left, left);
  box.Top = std::min<long long>(box.Top, top);
  box.Right = std::max<long long>(box.Right, right);
  box.Bottom = std::max<long long>(box.Bottom, bottom);
}

void DrawGlyphs(PixelBuffer& target, FontEngine& fonts, int x, int y, const FontSpec& font,
                std::string_view text, PixelRect* painted) {
  PixelRect box;
  const TColor color = font.Color & kColorMask;
  const GlyphRun run = fonts.ForEachGlyph(font, text, x, y, [&](const GlyphImage& glyph) {
    long long l = glyph.Left, t = glyph.Top, r = glyph.Left + glyph.Width,
              b = glyph.Top + glyph.Rows;
    if (!ClipTo(target, l, t, r, b)) return;
    for (long long row = t; row < b; ++row) {
      const std::uint8_t* src =
          glyph.Coverage + static_cast<std::size_t>(row - glyph.Top) * glyph.Width;
      BlendRow(src + (l - glyph.Left), target.Row(static_cast<int>(row)) + l, r - l, color);
    }
    IncludeRect(box, l, t, r, b);
  });
  if (run.HasFace && font.Underline) {
    long long l = x, t = run.Baseline + run.UnderlineOffset, r = run.PenEnd,
              b = t + run.UnderlineThickness;
    if (ClipTo(target, l, t, r, b)) {
      for (long long row = t; row < b; ++row) {
        std::fill(target.Row(static_cast<int>(row)) + l, target.Row(static_cast<int>(row)) + r,
                  color);
      }
      IncludeRect(box, l, t, r, b);
    }
  }
  if (painted) *painted = box;
}

}  // namespace kurvex
