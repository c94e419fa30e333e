#include "common/error.h"

namespace kurvex {

std::string FormatMessage(const std::string& pattern, const std::string& argument) {
  const std::size_t at = pattern.find("%s");
  if (at == std::string::npos) return pattern;
  std::string message = pattern;
  message.replace(at, 2, argument);
  return message;
}

std::string MessageWithReason(const std::exception& error) {
  const auto* file = dynamic_cast<const FileError*>(&error);
  if (file == nullptr || file->Reason().empty()) return error.what();
  return std::string(error.what()) + ": " + file->Reason();
}

}  // namespace kurvex
