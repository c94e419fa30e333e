#include "graph/graph_image.h"

#include "common/error.h"
#include "common/text_file.h"
#include "graph/graph_engine.h"
#include "graph/output/image_file.h"
#include "graph/output/svg_canvas.h"
#include "graph/painter.h"
#include "graph/render/vector_canvas.h"

namespace kurvex {

// PDF keeps cairo's glyph outlines and subset fonts; SVG names its fonts and stays text.
std::unique_ptr<DocumentCanvas> MakeDocument(ImageFormat format, int width, int height,
                                             FontEngine& fonts) {
  if (format == ImageFormat::kSvg) return std::make_unique<SvgCanvas>(width, height, fonts);
  return std::make_unique<VectorCanvas>(width, height, fonts);
}

void PaintGraph(GraphEngine& engine, Canvas& canvas, bool curvesOnly) {
  // Another canvas finds out its own state; the curves alone draw on the engine's axes.
  DrawingState state = curvesOnly ? engine.State() : DrawingState{};
  const DataNames names = engine.Names();
  GraphPainter(engine.Model, canvas, engine.Fonts(),
               {engine.Columns(), engine.DataFileName(), engine.HeadText(), engine.SymbolsOnly(),
                &names},
               state)
      .RepaintGraph(curvesOnly);
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
      const std::unique_ptr<DocumentCanvas> document =
          MakeDocument(format, width, height, engine.Fonts());
      PaintGraph(engine, *document);
      return document->Finish();
    }
  }
  return {};
}

void SaveGraphImage(GraphEngine& engine, const std::string& path, ImageFormat format) {
  std::string bytes;
  try {
    bytes = GraphImageBytes(engine, format);
  } catch (const std::bad_alloc&) {
    throw FileError("Unable to write to " + path, "out of memory");
  }
  if (bytes.empty()) {
    throw FileError("Unable to write to " + path,
                    InvalidImageSize(engine.Model.ImageWidth, engine.Model.ImageHeight));
  }
  WriteFileAtomic(path, bytes, FileSync::kNone);
}

}  // namespace kurvex
