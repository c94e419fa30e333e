#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kurvex {

class Canvas;
class GraphEngine;

/// The picture formats the graph is saved in.
enum class ImageFormat { kBmp, kPng, kSvg, kPdf };

/// The format of a name ("bmp", "png", "svg", "pdf", any letter case); none for others.
std::optional<ImageFormat> ImageFormatNamed(std::string_view name);

/// The format a path's extension names (".bmp", ".png", ".svg", ".pdf", any letter case).
std::optional<ImageFormat> ImageFormatOfPath(std::string_view path);

/// "bmp", "png", "svg" or "pdf": the name and the file extension without its dot.
std::string ImageFormatName(ImageFormat format);

/// SVG and PDF are drawn from the model; BMP and PNG copy the surface.
bool IsVectorFormat(ImageFormat format);

/// Draws the engine's graph (model and data text) on another canvas: in full whatever the
/// curves-only switch says, or with `curvesOnly` just the curves over what the canvas holds.
/// The engine's model is left as it was. A failing step throws; what was drawn before stays.
void PaintGraph(GraphEngine& engine, Canvas& canvas, bool curvesOnly = false);

/// The bytes of the graph's picture file: BMP and PNG hold the surface as the last drawing left
/// it (ImageWidth x ImageHeight), SVG and PDF the full graph drawn now from the model and data.
std::string GraphImageBytes(GraphEngine& engine, ImageFormat format);

/// Writes GraphImageBytes to `path`, replacing the file at once; throws Error with the drawing's
/// message or "Unable to write to <path>".
void SaveGraphImage(GraphEngine& engine, const std::string& path, ImageFormat format);

}  // namespace kurvex
