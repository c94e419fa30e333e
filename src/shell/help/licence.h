#pragma once

#include <string>

namespace kurvex::shell {

/// The program's version, as the build sets it.
const char* ProgramVersion();

/// The kind of licence the program is given under.
const char* LicenceKind();

/// The licence text of the About page.
std::string LicenceText();

}  // namespace kurvex::shell
