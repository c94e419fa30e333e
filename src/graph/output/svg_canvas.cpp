#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/utf8.h"
#include "graph/output/image_file.h"
#include "graph/render/canvas.h"
#include "graph/render/clip_segment.h"
#include "graph/render/font_engine.h"

namespace kurvex {
namespace {

// Geometry further off the page than this is cut: a reader's program computes in fixed point
// and overflows long before int32 does.
constexpr double kMargin = 64;

// Places remembered as holding a symbol, point or segment, over all of them: enough for every
// pixel of a large picture, few enough that the memory for them stays small.
constexpr std::size_t kRememberedPlaces = std::size_t{1} << 20;

void AppendInt(std::string& out, std::int64_t value) {
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  out.append(buffer, end);
}

// A value given in hundredths, as the shortest decimal.
void AppendFixed(std::string& out, std::int64_t hundredths) {
  if (hundredths < 0) out += '-';
  const std::int64_t magnitude = std::llabs(hundredths);
  AppendInt(out, magnitude / 100);
  const std::int64_t fraction = magnitude % 100;
  if (fraction == 0) return;
  out += '.';
  out += static_cast<char>('0' + fraction / 10);
  if (fraction % 10 != 0) out += static_cast<char>('0' + fraction % 10);
}

std::int64_t Hundredths(double value) {
  return std::llround(value * 100);
}

void AppendNumber(std::string& out, double value) {
  AppendFixed(out, Hundredths(value));
}

// " name=\"value\"" for a number.
void AppendAttribute(std::string& out, const char* name, double value) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendNumber(out, value);
  out += '"';
}

void AppendColor(std::string& out, TColor color) {
  static constexpr char kDigits[] = "0123456789abcdef";
  const auto c = static_cast<std::uint32_t>(color);
  const unsigned channels[3] = {c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF};
  const bool shortForm = std::all_of(std::begin(channels), std::end(channels),
                                     [](unsigned v) { return v >> 4 == (v & 0xF); });
  out += '#';
  for (const unsigned v : channels) {
    out += kDigits[v >> 4];
    if (!shortForm) out += kDigits[v & 0xF];
  }
}

// Characters XML takes in text and attributes; what it cannot hold becomes U+FFFD.
void AppendEscaped(std::string& out, char32_t c) {
  switch (c) {
    case '&':
      out += "&amp;";
      return;
    case '<':
      out += "&lt;";
      return;
    case '>':
      out += "&gt;";
      return;
    case '"':
      out += "&quot;";
      return;
    case '\'':
      out += "&apos;";
      return;
    default:
      break;
  }
  const bool valid = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c < 0xD800) ||
                     (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
  AppendUtf8(out, valid ? c : char32_t{0xFFFD});
}

// A family name as a quoted CSS string inside an attribute.
void AppendFamily(std::string& out, std::string_view name) {
  out += '\'';
  for (std::size_t pos = 0; pos < name.size();) {
    const char32_t c = NextCodePoint(name, pos);
    if (c == '\'' || c == '\\') out += '\\';
    AppendEscaped(out, c);
  }
  out += '\'';
}

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

// Whether the text is one character: a curve's symbol, drawn again and again.
bool IsOneCharacter(std::string_view text) {
  std::size_t pos = 0;
  if (!text.empty()) NextCodePoint(text, pos);
  return !text.empty() && pos == text.size();
}

// One step of a path, relative to the point before it: the command letter only where it changes,
// a space only between numbers that would run together.
void AppendStep(std::string& out, char& command, std::int64_t dx, std::int64_t dy) {
  const char wanted = dx == 0 && dy != 0 ? 'v' : dy == 0 && dx != 0 ? 'h' : 'l';
  bool afterNumber = command == wanted;
  if (!afterNumber) out += wanted;
  command = wanted;
  const auto number = [&](std::int64_t v) {
    if (afterNumber && v >= 0) out += ' ';
    AppendFixed(out, v);
    afterNumber = true;
  };
  if (wanted != 'v') number(dx);
  if (wanted != 'h') number(dy);
}

}  // namespace

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
  bool EmptyLinesDrawNothing() const override { return PenWidth <= 1; }
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
  using Stroke = PenStroke<Point>;

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

SvgCanvas::SvgCanvas(int width, int height, FontEngine& fonts)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), fonts_(fonts) {}

void SvgCanvas::WriteRect(std::string& out, double left, double top, double right, double bottom,
                          TColor color) {
  left = std::max(left, -kMargin);
  top = std::max(top, -kMargin);
  right = std::min(right, width_ + kMargin);
  bottom = std::min(bottom, height_ + kMargin);
  if (right <= left || bottom <= top) return;
  out += "<rect";
  if (left != 0) AppendAttribute(out, "x", left);
  if (top != 0) AppendAttribute(out, "y", top);
  AppendAttribute(out, "width", right - left);
  AppendAttribute(out, "height", bottom - top);
  out += " fill=\"";
  AppendColor(out, color);
  out += "\"/>\n";
}

// A fill of the whole page hides everything drawn before it, which is left out.
void SvgCanvas::FillRect(int left, int top, int right, int bottom) {
  if (left <= 0 && top <= 0 && right >= width_ && bottom >= height_) {
    strokes_.clear();
    dots_.clear();
    body_.clear();
  }
  // What a later drawing repeats may now be hidden.
  drawnAt_.clear();
  Flush();
  WriteRect(body_, left, top, right, bottom, BrushColor & 0xFFFFFF);
}

bool SvgCanvas::FirstAt(std::uint64_t key, std::initializer_list<int> place) {
  std::uint64_t hash = key * 0x9E3779B97F4A7C15u;
  for (const int v : place) hash = (hash ^ static_cast<std::uint32_t>(v)) * 0x100000001B3u;
  if (drawnAt_.size() < kRememberedPlaces) return drawnAt_.insert(hash).second;
  return !drawnAt_.contains(hash);
}

void SvgCanvas::Dot(int x, int y, TColor color) {
  color &= 0xFFFFFF;
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  if (!FirstAt(std::uint64_t{1} << 40 | static_cast<std::uint32_t>(color), {x, y})) return;
  std::string& path = dots_[color];
  path += 'M';
  AppendInt(path, x);
  path += ' ';
  AppendInt(path, y);
  path += "h1v1h-1z";
}

void SvgCanvas::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
}

void SvgCanvas::LineTo(int x, int y) {
  double x0 = penX_, y0 = penY_, x1 = x, y1 = y;
  const int fromX = penX_, fromY = penY_;
  penX_ = x;
  penY_ = y;
  const int width = std::max(PenWidth, 1);
  // A 1-pixel line leaves out its end point: one of no length draws nothing.
  if (width == 1 && fromX == x && fromY == y) return;
  const double margin = kMargin + width;
  if (!ClipSegment(x0, y0, x1, y1, -margin, -margin, width_ + margin, height_ + margin)) return;
  const TColor color = PenColor & 0xFFFFFF;
  const std::uint64_t pen = std::uint64_t{2} << 40 | std::uint64_t(width) << 24 | color;
  if (!FirstAt(pen, {fromX, fromY, x, y})) return;
  // A thin line runs through pixel centres; an even width is centred on pixel corners.
  const double shift = width == 1 || width % 2 == 1 ? 0.5 : 0.0;
  AddSegment(strokes_, color, width, LineClip, {Hundredths(x0 + shift), Hundredths(y0 + shift)},
             {Hundredths(x1 + shift), Hundredths(y1 + shift)});
}

void SvgCanvas::Flush() {
  for (const Stroke& stroke : strokes_) WriteStroke(stroke);
  strokes_.clear();
  for (const auto& [color, path] : dots_) {
    body_ += "<path fill=\"";
    AppendColor(body_, color);
    body_ += "\" d=\"";
    body_ += path;
    body_ += "\"/>\n";
  }
  dots_.clear();
}

// A 1-pixel line covers the pixels from its start up to, not including, its end along its major
// axis: both ends of a run are moved back half a pixel. A wider one has round caps, and a part
// of no length is a dot of the pen's width.
void SvgCanvas::WriteStroke(const Stroke& stroke) {
  body_ += "<path stroke=\"";
  AppendColor(body_, stroke.Color);
  body_ += '"';
  if (stroke.Width > 1) {
    AppendAttribute(body_, "stroke-width", stroke.Width);
    body_ += " stroke-linecap=\"round\"";
  }
  if (stroke.Clip) {
    body_ += " clip-path=\"url(#l";
    AppendInt(body_, ClipId(*stroke.Clip));
    body_ += ")\"";
  }
  body_ += " d=\"";
  constexpr std::int64_t kHalf = 50;
  const auto moved = [](Point p, Point from, Point to, std::int64_t by) {
    const std::int64_t dx = to.X - from.X;
    const std::int64_t dy = to.Y - from.Y;
    if (std::llabs(dy) > std::llabs(dx)) {
      p.Y -= dy > 0 ? by : -by;
    } else if (dx != 0) {
      p.X -= dx > 0 ? by : -by;
    }
    return p;
  };
  for (std::vector<Point> part : stroke.Parts) {
    const std::size_t n = part.size();
    if (stroke.Width == 1) {
      part[0] = moved(part[0], part[0], part[1], kHalf);
      part[n - 1] = moved(part[n - 1], part[n - 2], part[n - 1], kHalf);
    }
    body_ += 'M';
    AppendFixed(body_, part[0].X);
    body_ += ' ';
    AppendFixed(body_, part[0].Y);
    char command = 'M';
    for (std::size_t i = 1; i < n; ++i) {
      const std::int64_t dx = part[i].X - part[i - 1].X, dy = part[i].Y - part[i - 1].Y;
      if (dx == 0 && dy == 0 && n > 2) continue;
      AppendStep(body_, command, dx, dy);
    }
    if (n == 2 && part[0] == part[1]) body_ += "l0 0";
  }
  body_ += "\"/>\n";
}

// Right and bottom are inclusive: the clip holds those pixels whole.
int SvgCanvas::ClipId(const PixelRect& rect) {
  auto [it, added] = lineClips_.try_emplace({rect.Left, rect.Top, rect.Right, rect.Bottom},
                                            static_cast<int>(lineClips_.size()) + 1);
  if (added) {
    defs_ += "<clipPath id=\"l";
    AppendInt(defs_, it->second);
    defs_ += "\"><rect";
    AppendAttribute(defs_, "x", rect.Left);
    AppendAttribute(defs_, "y", rect.Top);
    AppendAttribute(defs_, "width", rect.Right + 1.0 - rect.Left);
    AppendAttribute(defs_, "height", rect.Bottom + 1.0 - rect.Top);
    defs_ += "/></clipPath>\n";
  }
  return it->second;
}

const std::string& SvgCanvas::FamilyList() {
  std::string key = Font.Name;
  key += static_cast<char>('0' + Font.Bold + 2 * Font.Italic + 4 * (Font.Charset == 2));
  auto [it, added] = families_.try_emplace(key);
  if (!added) return it->second;
  const FontFamily chosen = fonts_.FamilyOf(Font);
  std::string& list = it->second;
  if (!Font.Name.empty()) AppendFamily(list, Font.Name);
  if (!chosen.Name.empty() && !SameName(chosen.Name, Font.Name)) {
    if (!list.empty()) list += ',';
    AppendFamily(list, chosen.Name);
  }
  if (!list.empty()) list += ',';
  list += chosen.Generic;
  return list;
}

void SvgCanvas::WriteText(std::string& out, double x, double y, const TextLayout& layout,
                          double low, double high, const std::string& extra) {
  const double em = std::max(layout.Height, layout.PixelSize);
  std::string xs, text;
  for (const PlacedGlyph& g : layout.Glyphs) {
    const double gx = x + g.X;
    if (gx < low - em || gx > high + em) continue;
    if (!xs.empty()) xs += ' ';
    AppendNumber(xs, gx);
    AppendEscaped(text, g.Character);
  }
  if (text.empty()) return;
  out += "<text x=\"";
  out += xs;
  out += '"';
  AppendAttribute(out, "y", y + layout.Ascent);
  out += " font-family=\"";
  out += FamilyList();
  out += '"';
  AppendAttribute(out, "font-size", layout.PixelSize);
  if (Font.Bold) out += " font-weight=\"bold\"";
  if (Font.Italic) out += " font-style=\"italic\"";
  if (Font.Underline) out += " text-decoration=\"underline\"";
  out += " fill=\"";
  AppendColor(out, Font.Color & 0xFFFFFF);
  out += '"';
  out += extra;
  out += '>';
  out += text;
  out += "</text>\n";
}

// The cell is filled with the brush colour, as the raster canvas fills it; a curve's symbol
// seen before is one <symbol> placed by <use>.
void SvgCanvas::TextOut(int x, int y, std::string_view text) {
  Flush();
  const TextLayout layout = fonts_.Layout(Font, text);
  if (y + static_cast<double>(layout.Height) < -kMargin || y > height_ + kMargin) return;
  if (x + static_cast<double>(layout.Width) < -kMargin || x > width_ + kMargin) return;
  const TColor brush = BrushColor & 0xFFFFFF;
  if (IsOneCharacter(text)) {
    int& id = symbols_[TextKey(text, Font, brush)];
    if (id == 0) {
      id = -1;  // drawn once, as text
    } else {
      if (id < 0) {
        id = ++symbolCount_;
        defs_ += "<symbol id=\"s";
        AppendInt(defs_, id);
        defs_ += "\" overflow=\"visible\">";
        if (!Smooth) WriteRect(defs_, 0, 0, layout.Width, layout.Height, brush);
        WriteText(defs_, 0, 0, layout, 0, layout.Width);
        defs_ += "</symbol>\n";
      }
      if (!FirstAt(std::uint64_t{3} << 40 | static_cast<std::uint32_t>(id), {x, y})) return;
      body_ += "<use xlink:href=\"#s";
      AppendInt(body_, id);
      body_ += '"';
      AppendAttribute(body_, "x", x);
      AppendAttribute(body_, "y", y);
      body_ += "/>\n";
      return;
    }
  }
  if (!Smooth) {
    WriteRect(body_, x, y, x + static_cast<double>(layout.Width),
              y + static_cast<double>(layout.Height), brush);
  }
  if (!IsBlank(text)) WriteText(body_, x, y, layout, -kMargin, width_ + kMargin);
}

TextSize SvgCanvas::TextExtent(std::string_view text) {
  return fonts_.Extent(Font, text);
}

// The band as the raster copy fills it, and the text turned by a transform: it stays text.
void SvgCanvas::TextOutUp(int left, int bottom, int length, int offset, std::string_view text) {
  Flush();
  const TextLayout layout = fonts_.Layout(Font, text);
  const auto [base, from, to] = TurnedBandOf(bottom, length, height_, kMargin);
  if (from >= to || left > width_ || left + static_cast<double>(layout.Height) < 0) return;
  if (!Smooth) {
    WriteRect(body_, left, base - to, left + static_cast<double>(layout.Height), base - from,
              BrushColor & 0xFFFFFF);
  }
  std::string extra = " transform=\"translate(";
  AppendNumber(extra, left);
  extra += ' ';
  AppendNumber(extra, base);
  extra += ") rotate(-90)\"";
  // The band cuts the text where it is longer.
  if (offset < from || offset + static_cast<double>(layout.Width) > to) {
    ++clipCount_;
    defs_ += "<clipPath id=\"c";
    AppendInt(defs_, clipCount_);
    defs_ += "\"><rect";
    AppendAttribute(defs_, "x", from);
    AppendAttribute(defs_, "width", to - from);
    AppendAttribute(defs_, "height", layout.Height);
    defs_ += "/></clipPath>\n";
    extra += " clip-path=\"url(#c";
    AppendInt(extra, clipCount_);
    extra += ")\"";
  }
  if (!IsBlank(text)) WriteText(body_, offset, 0, layout, from, to, extra);
}

std::string SvgCanvas::Finish() {
  Flush();
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
      "version=\"1.1\"";
  out += " width=\"";
  AppendInt(out, width_);
  out += "px\" height=\"";
  AppendInt(out, height_);
  out += "px\" viewBox=\"0 0 ";
  AppendInt(out, width_);
  out += ' ';
  AppendInt(out, height_);
  // Only rectangles, texts and points are filled; lines meet round.
  out += "\" fill=\"none\" stroke-linejoin=\"round\" xml:space=\"preserve\">\n";
  if (!defs_.empty()) {
    out += "<defs>\n";
    out += defs_;
    out += "</defs>\n";
  }
  out += body_;
  out += "</svg>\n";
  defs_.clear();
  body_.clear();
  return out;
}

std::unique_ptr<DocumentCanvas> MakeSvgDocument(int width, int height, FontEngine& fonts) {
  return std::make_unique<SvgCanvas>(width, height, fonts);
}

}  // namespace kurvex
