#include "graph/output/image_format.h"

#include <array>

namespace kurvex {

namespace {

constexpr std::array<const char*, 4> kNames = {"bmp", "png", "svg", "pdf"};

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char c = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    if (c != b[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<ImageFormat> ImageFormatNamed(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (SameLetters(name, kNames[i])) return static_cast<ImageFormat>(i);
  }
  return std::nullopt;
}

std::optional<ImageFormat> ImageFormatOfPath(std::string_view path) {
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) {
    return std::nullopt;
  }
  return ImageFormatNamed(path.substr(dot + 1));
}

std::string ImageFormatName(ImageFormat format) {
  return kNames[static_cast<std::size_t>(format)];
}

bool IsVectorFormat(ImageFormat format) {
  return format == ImageFormat::kSvg || format == ImageFormat::kPdf;
}

}  // namespace kurvex
