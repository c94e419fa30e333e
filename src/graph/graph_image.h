#pragma once

#include <memory>
#include <string>

#include "graph/output/image_format.h"

namespace kurvex {

class Canvas;
class DocumentCanvas;
class FontEngine;
class GraphEngine;

/// The pixels along a side of `side` layout pixels that a BMP or PNG picture of `scale` has: as
/// many as the surface holds at scale 1 (GraphEngine::kSurfaceSize, the rest is cut off), times
/// the scale.
int PictureSide(int side, double scale);

/// An empty picture of the given size to draw on: an SVG or PDF document, or a BMP or PNG
/// picture `scale` times larger with the same layout, drawn smooth. Throws Error when none can
/// be made.
std::unique_ptr<DocumentCanvas> MakeDocument(ImageFormat format, int width, int height,
                                             FontEngine& fonts, double scale = 1);

/// Draws the engine's graph (model and data text) on another canvas: in full whatever the
/// curves-only switch says, or with `curvesOnly` just the curves over what the canvas holds.
/// A failing step throws; what was drawn before stays.
void PaintGraph(GraphEngine& engine, Canvas& canvas, bool curvesOnly = false);

/// The bytes of the graph's picture file: BMP and PNG hold the surface as the last drawing left
/// it (ImageWidth x ImageHeight), SVG and PDF the full graph drawn now from the model and data.
/// A BMP or PNG of another scale is drawn now too, that many times larger and smooth.
std::string GraphImageBytes(GraphEngine& engine, ImageFormat format, double scale = 1);

/// Writes GraphImageBytes to `path`, replacing the file at once; throws Error with the drawing's
/// message or "Unable to write to <path>". Returns what WriteFileAtomic says of the save.
std::string SaveGraphImage(GraphEngine& engine, const std::string& path, ImageFormat format,
                           double scale = 1);

}  // namespace kurvex
