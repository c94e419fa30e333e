#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kurvex {

class DocumentCanvas;
class FontEngine;
class PixelBuffer;

/// 96 dots per inch, the resolution font sizes are converted at, as pictures record it.
inline constexpr std::uint32_t kPixelsPerMetre = 3780;

/// Writes the top-left width x height of the pixels as a 24-bit Windows bitmap, replacing the
/// file at once; throws Error("Unable to write to <path>") on failure.
void WriteBmp(const PixelBuffer& pixels, int width, int height, const std::string& path);

/// The same pixels as a PNG file.
void WritePng(const PixelBuffer& pixels, int width, int height, const std::string& path);

/// The bytes WriteBmp writes; empty when the area is. A picture drawn larger records as many
/// more pixels to the metre, so that it prints at the size of the one drawn at 96 dpi.
std::string EncodeBmp(const PixelBuffer& pixels, int width, int height,
                      std::uint32_t pixelsPerMetre = kPixelsPerMetre);

/// The bytes WritePng writes: 8-bit RGB; empty when the area is.
std::string EncodePng(const PixelBuffer& pixels, int width, int height,
                      std::uint32_t pixelsPerMetre = kPixelsPerMetre);

/// An SVG document of width x height pixels, one to a unit, to draw on (svg_canvas.cpp): texts
/// are <text> elements a reader selects, lines of one pen in a row one <path>, a curve's symbol
/// seen again one <symbol> placed by <use>.
std::unique_ptr<DocumentCanvas> MakeSvgDocument(int width, int height, FontEngine& fonts);

/// The image name of a data file: its extension (from the last "." of the file-name part)
/// replaced by `extension` ("run.1.xy" -> "run.1.bmp", "data" -> "data.bmp").
std::string ImageFileName(const std::string& dataFileName, const std::string& extension = ".bmp");

}  // namespace kurvex
