#include "graph/output/image_file.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "graph/render/pixel_buffer.h"

namespace kurvex {
namespace {

struct Area {
  int width;
  int height;
};

Area AreaOf(const PixelBuffer& pixels, int width, int height) {
  const Area area{std::min(width, pixels.Width()), std::min(height, pixels.Height())};
  return area.width <= 0 || area.height <= 0 ? Area{0, 0} : area;
}

std::string Checked(std::string bytes, const std::string& path, int width, int height) {
  if (bytes.empty()) throw FileError("Unable to write to " + path, InvalidImageSize(width, height));
  return bytes;
}

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string EncodeBmp(const PixelBuffer& pixels, int width, int height,
                      std::uint32_t pixelsPerMetre) {
  const Area area = AreaOf(pixels, width, height);
  if (area.width == 0) return {};
  const std::size_t rowBytes = (static_cast<std::size_t>(area.width) * 3 + 3) & ~std::size_t{3};
  const std::size_t imageBytes = rowBytes * area.height;
  constexpr std::uint32_t kHeaderBytes = 14 + 40;

  std::string data;
  data.reserve(kHeaderBytes + imageBytes);
  data += "BM";
  PutLittleEndian(data, static_cast<std::uint32_t>(kHeaderBytes + imageBytes), 4);
  PutLittleEndian(data, 0, 4);  // reserved
  PutLittleEndian(data, kHeaderBytes, 4);
  PutLittleEndian(data, 40, 4);  // BITMAPINFOHEADER
  PutLittleEndian(data, static_cast<std::uint32_t>(area.width), 4);
  PutLittleEndian(data, static_cast<std::uint32_t>(area.height), 4);  // positive: bottom-up
  PutLittleEndian(data, 1, 2);                                        // planes
  PutLittleEndian(data, 24, 2);                                       // bits per pixel
  PutLittleEndian(data, 0, 4);                                        // BI_RGB
  PutLittleEndian(data, static_cast<std::uint32_t>(imageBytes), 4);
  PutLittleEndian(data, pixelsPerMetre, 4);
  PutLittleEndian(data, pixelsPerMetre, 4);
  PutLittleEndian(data, 0, 4);  // colours used
  PutLittleEndian(data, 0, 4);  // important colours

  std::string row(rowBytes, '\0');
  for (int y = area.height - 1; y >= 0; --y) {
    const TColor* source = pixels.Row(y);
    for (int x = 0; x < area.width; ++x) {
      const auto color = static_cast<std::uint32_t>(source[x]);
      row[3 * x] = static_cast<char>((color >> 16) & 0xFF);
      row[3 * x + 1] = static_cast<char>((color >> 8) & 0xFF);
      row[3 * x + 2] = static_cast<char>(color & 0xFF);
    }
    data += row;
  }
  return data;
}

void WriteBmp(const PixelBuffer& pixels, int width, int height, const std::string& path) {
  WriteFileAtomic(path, Checked(EncodeBmp(pixels, width, height), path, width, height),
                  FileSync::kNone);
}

void WritePng(const PixelBuffer& pixels, int width, int height, const std::string& path) {
  WriteFileAtomic(path, Checked(EncodePng(pixels, width, height), path, width, height),
                  FileSync::kNone);
}

std::string ImageFileName(const std::string& dataFileName, const std::string& extension) {
  const std::size_t separator = dataFileName.find_last_of(kPathSeparator);
  const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  const std::size_t dot = dataFileName.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && dot >= nameStart;
  return (hasExtension ? dataFileName.substr(0, dot) : dataFileName) + extension;
}

}  // namespace kurvex
