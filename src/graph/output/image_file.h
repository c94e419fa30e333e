#pragma once

#include <cstdint>
#include <string>

namespace kurvex {

class PixelBuffer;

/// 96 dots per inch, the resolution font sizes are converted at, as pictures record it.
inline constexpr std::uint32_t kPixelsPerMetre = 3780;

/// Writes the top-left width x height of the pixels as a 24-bit Windows bitmap, replacing the
/// file at once; throws Error("Unable to write to <path>") on failure.
void WriteBmp(const PixelBuffer& pixels, int width, int height, const std::string& path);

/// The same pixels as a PNG file.
void WritePng(const PixelBuffer& pixels, int width, int height, const std::string& path);

/// The bytes WriteBmp writes; empty when the area is.
std::string EncodeBmp(const PixelBuffer& pixels, int width, int height);

/// The bytes WritePng writes: 8-bit RGB; empty when the area is.
std::string EncodePng(const PixelBuffer& pixels, int width, int height);

/// The image name of a data file: its extension (from the last "." of the file-name part)
/// replaced by `extension` ("run.1.xy" -> "run.1.bmp", "data" -> "data.bmp").
std::string ImageFileName(const std::string& dataFileName, const std::string& extension = ".bmp");

}  // namespace kurvex
