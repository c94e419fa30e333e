#include "graph/data/data_error.h"

#include <cstdio>

namespace kurvex {

std::string DataErrorMessage(std::string_view fileName, const std::exception& error) {
  const auto* line = dynamic_cast<const DataLineError*>(&error);
  if (line == nullptr) return error.what();
  return std::string(fileName) + ':' + std::to_string(line->Line()) + ": " + error.what();
}

std::string DataErrorWithValue(std::string_view fileName, const std::exception& error) {
  const auto* undrawable = dynamic_cast<const UndrawableValue*>(&error);
  if (undrawable == nullptr) return DataErrorMessage(fileName, error);
  char value[32];
  std::snprintf(value, sizeof value, "%.15G", undrawable->Value());
  return std::string(fileName) + ':' + std::to_string(undrawable->Line()) + ": " + value +
         " cannot be drawn";
}

}  // namespace kurvex
