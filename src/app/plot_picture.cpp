#include "app/plot_picture.h"

#include "common/error.h"
#include "common/text_file.h"
#include "graph/graph_engine.h"
#include "graph/output/image_file.h"
#include "graph/overlay_drawing.h"
#include "graph/render/canvas.h"

namespace kurvex {

PlotPicture::PlotPicture(GraphEngine& engine, ImageFormat format, int scale)
    : engine_(engine), format_(format), scale_(scale) {}

PlotPicture::~PlotPicture() = default;

void PlotPicture::Draw() {
  if (!OnDocument()) {
    engine_.RepaintGraph();
    return;
  }
  const bool curvesOnly = engine_.Model.OnlyCurves && document_;
  if (!curvesOnly) StartDocument();
  PaintGraph(engine_, *document_, curvesOnly);
}

void PlotPicture::StartDocument() {
  document_ = MakeDocument(format_, engine_.Model.ImageWidth, engine_.Model.ImageHeight,
                           engine_.Fonts(), scale_);
}

// BMP and PNG draw on the engine's surface, which the overlay takes when given no document.
void PlotPicture::DrawOverlayFile(OverlayDrawing& overlay) {
  if (OnDocument() && overlay.First()) StartDocument();
  overlay.DrawFile(document_.get());
}

void PlotPicture::FinishOverlay(OverlayDrawing& overlay) {
  overlay.DrawLegend(document_.get());
}

std::string PlotPicture::Write(const std::string& path) {
  if (!OnDocument()) {
    SaveGraphImage(engine_, path, format_);
    return {};
  }
  std::unique_ptr<DocumentCanvas> document = std::move(document_);
  const int width = engine_.Model.ImageWidth, height = engine_.Model.ImageHeight;
  if (!document || width <= 0 || height <= 0) {
    throw FileError("Unable to write to " + path, InvalidImageSize(width, height));
  }
  WriteFileAtomic(path, document->Finish(), FileSync::kNone);
  return IsVectorFormat(format_) ? std::string() : CutNote(width, height);
}

// The picture of scale 1 is cut to the surface; one drawn larger is cut in the same place, and
// says so, as its size is not the one asked for.
std::string PlotPicture::CutNote(int width, int height) const {
  const int cutWidth = PictureSide(width, scale_), cutHeight = PictureSide(height, scale_);
  if (cutWidth == width * scale_ && cutHeight == height * scale_) return {};
  const std::string limit = std::to_string(GraphEngine::kSurfaceSize);
  return "the picture is cut to " + std::to_string(cutWidth) + " x " + std::to_string(cutHeight) +
         " pixels, the largest of scale 1 (" + limit + " x " + limit + ") times " +
         std::to_string(scale_);
}

}  // namespace kurvex
