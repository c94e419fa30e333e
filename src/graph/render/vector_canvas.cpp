#include "graph/render/vector_canvas.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

#include "common/error.h"
#include "common/utf8.h"
#include "graph/render/cairo_library.h"
#include "graph/render/clip_segment.h"
#include "graph/render/font_engine.h"
#include "graph/render/pixel_buffer.h"

namespace kurvex {
namespace {

// PDF pages are measured in points: 72 to the inch against 96 pixels.
constexpr double kPointsPerPixel = 0.75;

// Cairo keeps every drawing step of a document until its end, a kilobyte or more each. The
// documents of ordinary data stay as they always were, each symbol real text; past this many
// texts and dots a curve's symbol costs a reference to its stamp, and a symbol or dot where the
// same one was drawn before costs nothing.
constexpr std::size_t kPlainMarks = 10000;

// Pixels remembered as holding a mark, over all marks: enough for every pixel of a large
// picture, few enough that the memory for them stays small.
constexpr std::size_t kRememberedPixels = std::size_t{1} << 20;

// Geometry further off the page than this is cut before it reaches cairo, whose fixed-point
// coordinates overflow long before int32 does.
constexpr double kMargin = 64;

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  try {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
  } catch (const std::bad_alloc&) {
    return CAIRO_STATUS_WRITE_ERROR;
  }
}

void ThrowOnFailure(cairo_status_t status, const char* what) {
  if (status != CAIRO_STATUS_SUCCESS) {
    throw Error(std::string(what) + ": " + cairo_status_to_string(status));
  }
}

// The characters a glyph stands for, as cairo wants them: valid UTF-8, never empty.
void AppendCharacter(std::string& out, char32_t c) {
  const bool valid = c != 0 && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
  AppendUtf8(out, valid ? c : char32_t{0xFFFD});
}

}  // namespace

VectorCanvas::VectorCanvas(int width, int height, FontEngine& fonts)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), fonts_(fonts) {
  LoadCairo();
  surface_ = cairo_pdf_surface_create_for_stream(AppendBytes, &bytes_, width_ * kPointsPerPixel,
                                                 height_ * kPointsPerPixel);
  const cairo_status_t status = cairo_surface_status(surface_);
  if (status != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface_);
    ThrowOnFailure(status, "cannot create the document");
  }
  cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR, "Kurvex");
  SetUp(kPointsPerPixel);
}

// The pixels' 0x00BBGGRR words are cairo's 0x00RRGGBB with red and blue swapped: SetColor
// swaps them back, and every other step treats the three alike.
VectorCanvas::VectorCanvas(PixelBuffer& pixels, int width, int height, double scale,
                           FontEngine& fonts)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), fonts_(fonts), pixels_(&pixels) {
  LoadCairo();
  surface_ = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(pixels.Row(0)), CAIRO_FORMAT_RGB24, pixels.Width(),
      pixels.Height(), pixels.Width() * static_cast<int>(sizeof(TColor)));
  const cairo_status_t status = cairo_surface_status(surface_);
  if (status != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface_);
    ThrowOnFailure(status, "cannot draw on the picture");
  }
  SetUp(scale);
}

void VectorCanvas::SetUp(double scale) {
  cr_ = cairo_create(surface_);
  cairo_scale(cr_, scale, scale);
  cairo_rectangle(cr_, 0, 0, width_, height_);
  cairo_clip(cr_);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  if (pixels_) cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
}

void VectorCanvas::Flush() {
  DrawStrokes();
  if (!pixels_ || !drawn_) return;
  drawn_ = false;
  cairo_surface_flush(surface_);
  // cairo leaves the unused top byte as it likes; a TColor's is zero.
  for (int y = 0; y < pixels_->Height(); ++y) {
    TColor* row = pixels_->Row(y);
    for (int x = 0; x < pixels_->Width(); ++x) row[x] &= 0xFFFFFF;
  }
}

VectorCanvas::~VectorCanvas() {
  if (cr_) cairo_destroy(cr_);
  if (surface_) cairo_surface_destroy(surface_);
  for (auto& [key, face] : faces_) cairo_font_face_destroy(face);
  for (auto& [key, mark] : marks_) {
    if (mark.Stamp) cairo_pattern_destroy(mark.Stamp);
  }
}

std::string VectorCanvas::Finish() {
  DrawStrokes();
  ThrowOnFailure(cairo_status(cr_), "cannot draw the document");
  cairo_destroy(cr_);
  cr_ = nullptr;
  cairo_surface_finish(surface_);
  ThrowOnFailure(cairo_surface_status(surface_), "cannot write the document");
  return std::move(bytes_);
}

void VectorCanvas::SetColor(TColor color) {
  const auto c = static_cast<std::uint32_t>(color);
  const double red = (c & 0xFF) / 255.0, blue = ((c >> 16) & 0xFF) / 255.0;
  cairo_set_source_rgb(cr_, pixels_ ? blue : red, ((c >> 8) & 0xFF) / 255.0, pixels_ ? red : blue);
  drawn_ = true;
}

void VectorCanvas::FillBox(double left, double top, double right, double bottom, TColor color) {
  left = std::max(left, -kMargin);
  top = std::max(top, -kMargin);
  right = std::min(right, width_ + kMargin);
  bottom = std::min(bottom, height_ + kMargin);
  if (right <= left || bottom <= top) return;
  SetColor(color);
  cairo_rectangle(cr_, left, top, right - left, bottom - top);
  cairo_fill(cr_);
}

void VectorCanvas::FillRect(int left, int top, int right, int bottom) {
  DrawStrokes();
  FillBox(left, top, right, bottom, BrushColor);
}

void VectorCanvas::Dot(int x, int y, TColor color) {
  DrawStrokes();
  if (Repeated(marks_["\1dot " + std::to_string(color)], {x, y})) return;
  FillBox(x, y, x + 1.0, y + 1.0, color);
}

void VectorCanvas::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
}

void VectorCanvas::LineTo(int x, int y) {
  double x0 = penX_, y0 = penY_, x1 = x, y1 = y;
  const int fromX = penX_, fromY = penY_;
  penX_ = x;
  penY_ = y;
  const double margin = kMargin + PenWidth;
  if (!ClipSegment(x0, y0, x1, y1, -margin, -margin, width_ + margin, height_ + margin)) return;
  const int width = std::max(PenWidth, 1);
  const TColor color = PenColor & 0xFFFFFF;
  // Between the symbols of a curve each segment is a drawing step of its own, left out as a
  // repeated symbol is when the same pen drew it before.
  const std::string pen = "\2line " + std::to_string(color) + ' ' + std::to_string(width);
  if (strokes_.empty() && Repeated(marks_[pen], {fromX, fromY, x, y})) return;
  AddSegment(strokes_, color, width, LineClip, Point{x0, y0}, Point{x1, y1});
}

void VectorCanvas::DrawStrokes() {
  for (const Stroke& stroke : strokes_) {
    SetColor(stroke.Color);
    cairo_set_line_width(cr_, stroke.Width);
    cairo_set_line_cap(cr_, stroke.Width == 1 ? CAIRO_LINE_CAP_BUTT : CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    if (stroke.Clip) {
      const PixelRect& r = *stroke.Clip;
      cairo_save(cr_);
      cairo_rectangle(cr_, r.Left, r.Top, r.Right + 1.0 - r.Left, r.Bottom + 1.0 - r.Top);
      cairo_clip(cr_);
    }
    for (const std::vector<Point>& part : stroke.Parts) StrokePart(part, stroke.Width);
    cairo_stroke(cr_);
    if (stroke.Clip) cairo_restore(cr_);
  }
  strokes_.clear();
}

// A 1-pixel line covers the pixels from its start up to, not including, its end along its major
// axis: the path runs through pixel centres with both ends moved back half a pixel. A wider line
// covers the pixel centres within half its width of the segment, with round caps; even widths
// are centred on pixel corners.
void VectorCanvas::StrokePart(const std::vector<Point>& part, int width) {
  if (width > 1) {
    const double shift = width % 2 == 0 ? 0.0 : 0.5;
    cairo_move_to(cr_, part.front().X + shift, part.front().Y + shift);
    if (part.size() == 2 && part[0].X == part[1].X && part[0].Y == part[1].Y) {
      cairo_close_path(cr_);  // a dot of the pen's width
      return;
    }
    for (std::size_t i = 1; i < part.size(); ++i) {
      cairo_line_to(cr_, part[i].X + shift, part[i].Y + shift);
    }
    return;
  }
  auto moved = [](Point p, Point from, Point to) {
    const double dx = to.X - from.X;
    const double dy = to.Y - from.Y;
    if (std::abs(dy) > std::abs(dx)) {
      p.Y -= dy > 0 ? 0.5 : -0.5;
    } else if (dx != 0) {
      p.X -= dx > 0 ? 0.5 : -0.5;
    }
    return Point{p.X + 0.5, p.Y + 0.5};
  };
  const std::size_t n = part.size();
  const Point first = moved(part[0], part[0], part[1]);
  const Point last = moved(part[n - 1], part[n - 2], part[n - 1]);
  cairo_move_to(cr_, first.X, first.Y);
  for (std::size_t i = 1; i + 1 < n; ++i) cairo_line_to(cr_, part[i].X + 0.5, part[i].Y + 0.5);
  cairo_line_to(cr_, last.X, last.Y);
}

cairo_font_face_t* VectorCanvas::FaceFor(const FaceSource& source) {
  const std::string key =
      std::to_string(source.Index) + (source.Embolden ? "b" : "r") + source.File;
  if (auto it = faces_.find(key); it != faces_.end()) return it->second;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(source.File.c_str()));
  FcPatternAddInteger(pattern, FC_INDEX, source.Index);
  cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(pattern);
  FcPatternDestroy(pattern);
  if (source.Embolden) cairo_ft_font_face_set_synthesize(face, CAIRO_FT_SYNTHESIZE_BOLD);
  faces_.emplace(key, face);
  return face;
}

// The glyphs of one face in a row go out as one run, each with the character it shows, so
// that a PDF viewer finds and copies the text. Glyphs further than an em outside [low, high)
// along the line are left out.
void VectorCanvas::ShowText(double x, double y, const TextLayout& layout, double low, double high) {
  const double em = std::max(layout.Height, layout.PixelSize);
  const double baseline = y + layout.Ascent;
  std::vector<cairo_glyph_t> glyphs;
  std::vector<cairo_text_cluster_t> clusters;
  std::string text;
  const FaceSource* runFace = nullptr;
  auto flush = [&] {
    if (glyphs.empty()) return;
    cairo_set_font_face(cr_, FaceFor(*runFace));
    cairo_matrix_t matrix;
    const double size = layout.PixelSize;
    const double* m = runFace->Matrix;
    // The face's shear is given with y upward; the document's y runs downward.
    cairo_matrix_init(&matrix, m[0] * size, -m[2] * size, -m[1] * size, m[3] * size, 0, 0);
    cairo_set_font_matrix(cr_, &matrix);
    cairo_show_text_glyphs(cr_, text.data(), static_cast<int>(text.size()), glyphs.data(),
                           static_cast<int>(glyphs.size()), clusters.data(),
                           static_cast<int>(clusters.size()), cairo_text_cluster_flags_t{});
    glyphs.clear();
    clusters.clear();
    text.clear();
  };
  SetColor(Font.Color & 0xFFFFFF);
  for (const PlacedGlyph& g : layout.Glyphs) {
    const double gx = x + g.X;
    const bool outside = gx < low - em || gx > high + em;
    if (outside || g.Face != runFace) {
      flush();
      runFace = g.Face;
      if (outside) continue;
    }
    const std::size_t before = text.size();
    AppendCharacter(text, g.Character);
    glyphs.push_back({g.Index, gx, baseline});
    clusters.push_back({static_cast<int>(text.size() - before), 1});
  }
  flush();
  if (Font.Underline && layout.Width > 0) {
    const double top = baseline + layout.UnderlineOffset;
    const double left = std::max(x, low - kMargin);
    const double right = std::min(x + layout.Width, high + kMargin);
    if (left < right) {
      cairo_rectangle(cr_, left, top, right - left, layout.UnderlineThickness);
      cairo_fill(cr_);
    }
  }
}

void VectorCanvas::TextOut(int x, int y, std::string_view text) {
  DrawStrokes();
  const TextLayout layout = fonts_.Layout(Font, text);
  if (y + static_cast<double>(layout.Height) < 0 || y > height_) return;
  if (x + static_cast<double>(layout.Width) < -kMargin || x > width_ + kMargin) return;
  Mark& mark = marks_[TextKey(text, Font, BrushColor)];
  if (Repeated(mark, {x, y})) return;
  if (drawnMarks_ <= kPlainMarks) {
    if (!Smooth) {
      FillBox(x, y, x + static_cast<double>(layout.Width), y + static_cast<double>(layout.Height),
              BrushColor);
    }
    ShowText(x, y, layout, 0, width_);
    return;
  }
  cairo_pattern_t* stamp = StampOf(mark, layout);
  cairo_save(cr_);
  cairo_translate(cr_, x - mark.Margin, y - mark.Margin);
  cairo_set_source(cr_, stamp);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

// Whether the mark is to be left out as drawn at this place before (its pixel, or a segment's two
// ends); it is counted as drawn otherwise, and its place remembered while there is room. Places
// far off the page, beyond 16 bits, are not remembered.
bool VectorCanvas::Repeated(Mark& mark, std::initializer_list<int> place) {
  std::uint64_t pixel = 0;
  for (const int v : place) {
    if (v < INT16_MIN || v > INT16_MAX) return false;
    pixel = pixel << 16 | static_cast<std::uint16_t>(v);
  }
  const bool fresh = remembered_ < kRememberedPixels ? mark.DrawnAt.insert(pixel).second
                                                     : !mark.DrawnAt.contains(pixel);
  remembered_ += fresh && remembered_ < kRememberedPixels;
  if (!fresh && drawnMarks_ >= kPlainMarks) return true;
  ++drawnMarks_;
  return false;
}

// The cell drawn once, on a recording that holds it whole and an em around it for glyphs that
// reach out of it. The recording starts at its origin.
cairo_pattern_t* VectorCanvas::StampOf(Mark& mark, const TextLayout& layout) {
  if (mark.Stamp) return mark.Stamp;
  const double em = std::max(layout.Height, layout.PixelSize);
  const cairo_rectangle_t extents{0, 0, layout.Width + 2 * em, layout.Height + 2 * em};
  mark.Margin = em;
  cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
  cairo_t* page = cr_;
  cr_ = cairo_create(recording);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_get_font_options(page, options);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
  if (!Smooth) {
    SetColor(BrushColor);
    cairo_rectangle(cr_, em, em, layout.Width, layout.Height);
    cairo_fill(cr_);
  }
  ShowText(em, em, layout, 0, layout.Width + 2 * em);
  cairo_destroy(cr_);
  cr_ = page;
  mark.Stamp = cairo_pattern_create_for_surface(recording);
  cairo_surface_destroy(recording);
  return mark.Stamp;
}

TextSize VectorCanvas::TextExtent(std::string_view text) {
  return fonts_.Extent(Font, text);
}

// In the turned frame, u runs up the page from just below `bottom` and v to the right from
// `left`: page point (left + v, bottom + 1 - u), the same cells the raster copy fills.
void VectorCanvas::TextOutUp(int left, int bottom, int length, int offset, std::string_view text) {
  DrawStrokes();
  const TextLayout layout = fonts_.Layout(Font, text);
  const auto [base, from, to] = TurnedBandOf(bottom, length, height_, kMargin);
  if (from >= to || left > width_ || left + static_cast<double>(layout.Height) < 0) return;
  cairo_save(cr_);
  cairo_translate(cr_, left, base);
  cairo_rotate(cr_, -M_PI / 2);
  cairo_rectangle(cr_, from, 0, to - from, layout.Height);
  if (Smooth) {
    cairo_clip(cr_);
  } else {
    cairo_clip_preserve(cr_);
    SetColor(BrushColor);
    cairo_fill(cr_);
  }
  ShowText(offset, 0, layout, from, to);
  cairo_restore(cr_);
}

}  // namespace kurvex
