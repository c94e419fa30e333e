#include "graph/data/data_error.h"

namespace kurvex {

std::string DataErrorMessage(std::string_view fileName, const std::exception& error) {
  const auto* line = dynamic_cast<const DataLineError*>(&error);
  if (line == nullptr) return error.what();
  return std::string(fileName) + ':' + std::to_string(line->Line()) + ": " + error.what();
}

}  // namespace kurvex
