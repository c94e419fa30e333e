#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kurvex {

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

}  // namespace kurvex
