#pragma once

#include <memory>
#include <string>

#include "graph/graph_image.h"

namespace kurvex {

class DocumentCanvas;
class GraphEngine;
class OverlayDrawing;

/// The picture kurvex-plot draws and writes: BMP and PNG on the engine's surface, SVG and PDF, and
/// BMP and PNG of a scale above 1, on a document of their own that takes the same drawing steps.
class PlotPicture {
 public:
  /// `scale`: how many pixels of a BMP or PNG to one of the layout.
  PlotPicture(GraphEngine& engine, ImageFormat format, int scale = 1);
  ~PlotPicture();

  /// Draws the engine's graph as its model says: in full, or in the curves-only mode only the
  /// curves over the picture so far.
  void Draw();

  /// Draws the engine's data as the next file of an overlay: the first starts the picture.
  void DrawOverlayFile(OverlayDrawing& overlay);
  /// The overlay's legend, once every file is drawn.
  void FinishOverlay(OverlayDrawing& overlay);

  /// Writes the picture to `path`; a vector picture starts anew afterwards. Throws Error.
  /// Returns "" or what the user should know of the picture: that it was cut to the largest
  /// size of its scale.
  std::string Write(const std::string& path);

 private:
  void StartDocument();
  bool OnDocument() const { return IsVectorFormat(format_) || scale_ > 1; }
  std::string CutNote(int width, int height) const;

  GraphEngine& engine_;
  ImageFormat format_;
  int scale_;
  std::unique_ptr<DocumentCanvas> document_;
};

}  // namespace kurvex
