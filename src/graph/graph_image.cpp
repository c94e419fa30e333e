#include "graph/graph_image.h"

#include <array>

#include "common/error.h"
#include "common/text_file.h"
#include "graph/graph_engine.h"
#include "graph/image_file.h"
#include "graph/painter.h"
#include "graph/vector_canvas.h"

namespace kurvex {
namespace {

constexpr std::array<const char*, 4> kNames = {"bmp", "png", "svg", "pdf"};

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char c = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    if (c != b[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<ImageFormat> ImageFormatNamed(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (SameLetters(name, kNames[i])) return static_cast<ImageFormat>(i);
  }
  return std::nullopt;
}

std::optional<ImageFormat> ImageFormatOfPath(std::string_view path) {
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) {
    return std::nullopt;
  }
  return ImageFormatNamed(path.substr(dot + 1));
}

std::string ImageFormatName(ImageFormat format) {
  return kNames[static_cast<std::size_t>(format)];
}

bool IsVectorFormat(ImageFormat format) {
  return format == ImageFormat::kSvg || format == ImageFormat::kPdf;
}

void PaintGraph(GraphEngine& engine, Canvas& canvas, bool curvesOnly) {
  GraphModel model = engine.Model;
  model.OnlyCurves = curvesOnly;
  std::vector<std::string> textBlockLines;
  GraphPainter(model, canvas, engine.Fonts(), engine.Data(), engine.DataFileName(), textBlockLines)
      .RepaintGraph();
}

std::string GraphImageBytes(GraphEngine& engine, ImageFormat format) {
  const int width = engine.Model.ImageWidth;
  const int height = engine.Model.ImageHeight;
  if (width <= 0 || height <= 0) return {};
  switch (format) {
    case ImageFormat::kBmp:
      return EncodeBmp(engine.Pixels(), width, height);
    case ImageFormat::kPng:
      return EncodePng(engine.Pixels(), width, height);
    case ImageFormat::kSvg:
    case ImageFormat::kPdf: {
      VectorCanvas canvas(format == ImageFormat::kSvg ? VectorFormat::kSvg : VectorFormat::kPdf,
                          width, height, engine.Fonts());
      PaintGraph(engine, canvas);
      return canvas.Finish();
    }
  }
  return {};
}

void SaveGraphImage(GraphEngine& engine, const std::string& path, ImageFormat format) {
  std::string bytes;
  try {
    bytes = GraphImageBytes(engine, format);
  } catch (const std::bad_alloc&) {
    throw Error(FormatMessage("Unable to write to %s", path));
  }
  if (bytes.empty()) throw Error(FormatMessage("Unable to write to %s", path));
  WriteFileAtomic(path, bytes, FileSync::kNone);
}

}  // namespace kurvex
