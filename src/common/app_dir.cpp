#include "common/app_dir.h"

#include <unistd.h>

#include <climits>

#include "common/text_utils.h"

namespace kurvex {

namespace {

std::string ProgramDirectory() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer) {
    const std::string path(buffer, static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind(kPathSeparator);
    if (slash != std::string::npos) return AddBackslash(path.substr(0, slash));
  }
  // Without /proc the working directory is the best remaining guess.
  if (getcwd(buffer, sizeof buffer) != nullptr) return AddBackslash(buffer);
  return AddBackslash(".");
}

std::string& Directory() {
  static std::string directory = ProgramDirectory();
  return directory;
}

}  // namespace

const std::string& ApplicationDirectory() {
  return Directory();
}

void SetApplicationDirectory(const std::string& directory) {
  Directory() = AddBackslash(directory);
}

}  // namespace kurvex
