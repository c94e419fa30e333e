#include "common/error.h"

namespace kurvex {

std::string FormatMessage(const std::string& pattern, const std::string& argument) {
  const std::size_t at = pattern.find("%s");
  if (at == std::string::npos) return pattern;
  std::string message = pattern;
  message.replace(at, 2, argument);
  return message;
}

std::string InvalidImageSize(int width, int height) {
  return "invalid image size " + std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace kurvex
