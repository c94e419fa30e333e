#pragma once

#include <stdexcept>
#include <string>

namespace kurvex {

/// The one exception type of the program; its message is the text shown to the user.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Replaces the first "%s" of a message template by an argument ("'%s' is not ...").
std::string FormatMessage(const std::string& pattern, const std::string& argument);

}  // namespace kurvex
