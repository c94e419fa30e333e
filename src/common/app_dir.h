#pragma once

#include <string>

namespace kurvex {

/// Directory of the running program with a trailing separator; files such as "Kurvex.ini" and
/// folders such as "Setting" are taken relative to it.
const std::string& ApplicationDirectory();

/// Replaces the application directory (tests run the program's logic in a temporary folder).
void SetApplicationDirectory(const std::string& directory);

}  // namespace kurvex
