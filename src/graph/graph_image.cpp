#include "graph/graph_image.h"

#include <algorithm>
#include <cmath>

#include "common/error.h"
#include "common/text_file.h"
#include "graph/data/data_error.h"
#include "graph/graph_engine.h"
#include "graph/output/image_file.h"
#include "graph/painter.h"
#include "graph/render/vector_canvas.h"

namespace kurvex {

namespace {

struct PictureStore {
  PixelBuffer Pixels;
};

// A BMP or PNG drawn by cairo onto pixels of its own, `scale` of them to the unit of the layout.
class ScaledPicture : private PictureStore, public VectorCanvas {
 public:
  ScaledPicture(ImageFormat format, int width, int height, double scale, FontEngine& fonts)
      : PictureStore{PixelBuffer(PictureSide(width, scale), PictureSide(height, scale))},
        VectorCanvas(Pixels, width, height, scale, fonts),
        format_(format),
        scale_(scale) {}

  bool AlwaysSmooth() const override { return true; }

  std::string Finish() override {
    Flush();
    const auto density = static_cast<std::uint32_t>(std::lround(kPixelsPerMetre * scale_));
    return format_ == ImageFormat::kBmp
               ? EncodeBmp(Pixels, Pixels.Width(), Pixels.Height(), density)
               : EncodePng(Pixels, Pixels.Width(), Pixels.Height(), density);
  }

 private:
  ImageFormat format_;
  double scale_;
};

}  // namespace

// A larger scale draws the same picture finer, so it is cut where the picture of scale 1 is.
int PictureSide(int side, double scale) {
  const int kept = std::clamp(side, 1, GraphEngine::kSurfaceSize);
  return static_cast<int>(std::lround(kept * scale));
}

// PDF keeps cairo's glyph outlines and subset fonts; SVG names its fonts and stays text.
std::unique_ptr<DocumentCanvas> MakeDocument(ImageFormat format, int width, int height,
                                             FontEngine& fonts, double scale) {
  switch (format) {
    case ImageFormat::kSvg:
      return MakeSvgDocument(width, height, fonts);
    case ImageFormat::kPdf:
      return std::make_unique<VectorCanvas>(width, height, fonts);
    case ImageFormat::kBmp:
    case ImageFormat::kPng:
      break;
  }
  // Cairo draws on at most 32767 pixels a side.
  if (std::max(PictureSide(width, scale), PictureSide(height, scale)) > 32767) {
    throw Error(InvalidImageSize(width, height));
  }
  return std::make_unique<ScaledPicture>(format, width, height, scale, fonts);
}

void PaintGraph(GraphEngine& engine, Canvas& canvas, bool curvesOnly) {
  // Another canvas finds out its own state; the curves alone draw on the engine's axes.
  DrawingState state = curvesOnly ? engine.State() : DrawingState{};
  const DataNames names = engine.Names();
  try {
    GraphPainter(
        engine.Model, canvas, engine.Fonts(),
        {engine.Columns(), engine.DataFileName(), engine.HeadText(), engine.SymbolsOnly(), &names},
        state)
        .RepaintGraph(curvesOnly);
  } catch (DataLineError& e) {
    e.MoveDown(engine.HeadLineCount());  // the user counts lines in the file, head included
    throw;
  }
}

namespace {

void DrawAnew(GraphEngine& engine, Canvas& canvas) {
  if (engine.DrawPicture) {
    engine.DrawPicture(canvas);
  } else {
    PaintGraph(engine, canvas);
  }
}

}  // namespace

std::string GraphImageBytes(GraphEngine& engine, ImageFormat format, double scale) {
  const int width = engine.Model.ImageWidth;
  const int height = engine.Model.ImageHeight;
  if (width <= 0 || height <= 0) return {};
  // The surface of smooth drawing may hold the screen's pixels rather than the picture's.
  if (!IsVectorFormat(format) && (scale != 1 || engine.Surface().Scale() != 1)) {
    const std::unique_ptr<DocumentCanvas> picture =
        MakeDocument(format, width, height, engine.Fonts(), scale);
    DrawAnew(engine, *picture);
    return picture->Finish();
  }
  switch (format) {
    case ImageFormat::kBmp:
      return EncodeBmp(engine.Pixels(), width, height);
    case ImageFormat::kPng:
      return EncodePng(engine.Pixels(), width, height);
    case ImageFormat::kSvg:
    case ImageFormat::kPdf: {
      const std::unique_ptr<DocumentCanvas> document =
          MakeDocument(format, width, height, engine.Fonts());
      DrawAnew(engine, *document);
      return document->Finish();
    }
  }
  return {};
}

std::string SaveGraphImage(GraphEngine& engine, const std::string& path, ImageFormat format,
                           double scale) {
  std::string bytes;
  try {
    bytes = GraphImageBytes(engine, format, scale);
  } catch (const std::bad_alloc&) {
    throw FileError("Unable to write to " + path, "out of memory");
  }
  if (bytes.empty()) {
    throw FileError("Unable to write to " + path,
                    InvalidImageSize(engine.Model.ImageWidth, engine.Model.ImageHeight));
  }
  return WriteFileAtomic(path, bytes, FileSync::kNone);
}

}  // namespace kurvex
