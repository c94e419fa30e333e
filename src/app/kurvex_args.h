#pragma once

#include <string>
#include <vector>

namespace kurvex {

/// What a kurvex command line asks for.
struct KurvexArguments {
  bool Help = false;
  bool Version = false;
  std::vector<std::string> DataFiles;
};

/// Parses the arguments (without the program name). Qt's own options (-platform X, -style X,
/// -reverse, ...) are passed over, so they reach Qt untouched; anything else that starts with
/// "-" throws std::invalid_argument naming it. Needs no display.
KurvexArguments ParseKurvexArguments(const std::vector<std::string>& args);

/// The usage text.
std::string KurvexUsage();

}  // namespace kurvex
