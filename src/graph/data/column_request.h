#pragma once

#include <string>

namespace kurvex {

/// The columns a user asks for: x and the y columns, each by name or by number from 1 (the y
/// columns separated by commas); empty for the program's own choice.
struct ColumnRequest {
  std::string X;
  std::string Y;
  bool operator==(const ColumnRequest&) const = default;
};

}  // namespace kurvex
