#pragma once

#include <memory>
#include <string>

#include "graph/output/image_format.h"

namespace kurvex {

class Canvas;
class DocumentCanvas;
class FontEngine;
class GraphEngine;

/// An empty SVG or PDF document of the given size to draw on; throws Error when none can be
/// made. `format` is one of the two.
std::unique_ptr<DocumentCanvas> MakeDocument(ImageFormat format, int width, int height,
                                             FontEngine& fonts);

/// Draws the engine's graph (model and data text) on another canvas: in full whatever the
/// curves-only switch says, or with `curvesOnly` just the curves over what the canvas holds.
/// A failing step throws; what was drawn before stays.
void PaintGraph(GraphEngine& engine, Canvas& canvas, bool curvesOnly = false);

/// The bytes of the graph's picture file: BMP and PNG hold the surface as the last drawing left
/// it (ImageWidth x ImageHeight), SVG and PDF the full graph drawn now from the model and data.
std::string GraphImageBytes(GraphEngine& engine, ImageFormat format);

/// Writes GraphImageBytes to `path`, replacing the file at once; throws Error with the drawing's
/// message or "Unable to write to <path>".
void SaveGraphImage(GraphEngine& engine, const std::string& path, ImageFormat format);

}  // namespace kurvex
