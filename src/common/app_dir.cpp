#include "common/app_dir.h"

#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>

#include "common/text_utils.h"

#ifndef KURVEX_RELATIVE_RESOURCES
#define KURVEX_RELATIVE_RESOURCES "../share/kurvex"
#endif

namespace kurvex {

namespace fs = std::filesystem;

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

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

// The shipped resources are the example styles and the sample data.
bool HoldsResources(const std::string& dir) {
  return IsDirectory(dir + "Setting") || IsDirectory(dir + "Data");
}

bool Writable(const std::string& dir) {
  return access(dir.c_str(), W_OK) == 0;
}

std::string HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr) return entry->pw_dir;
  return "/";
}

// A base folder from an XDG variable; relative values are invalid and ignored.
std::string XdgFolder(const char* variable, const std::string& fallback) {
  const char* value = std::getenv(variable);
  const std::string base = value != nullptr && value[0] == '/' ? value : HomeDirectory() + fallback;
  return AddBackslash(base) + "kurvex" + kPathSeparator;
}

AppLayout PortableLayout(const std::string& dir) {
  const std::string folder = AddBackslash(dir);
  return {folder, folder, folder, false};
}

std::string WithoutSeparator(std::string folder) {
  if (folder.size() > 1 && folder.back() == kPathSeparator) folder.pop_back();
  return folder;
}

AppLayout& Layout() {
  static AppLayout layout = [] {
    const std::string dir = ProgramDirectory();
    return ChooseLayout(dir, dir + KURVEX_RELATIVE_RESOURCES, UserHomesFromEnvironment());
  }();
  return layout;
}

// Copies the example styles into a fresh folder beside `target` and renames it into place, so
// an interrupted first start leaves no half-filled styles folder behind.
void CopyStyles(const std::string& examples, const std::string& target) {
  std::error_code ec;
  const std::string staging = target + ".new";
  fs::remove_all(staging, ec);
  if (!fs::create_directories(staging, ec)) return;
  std::error_code listing;  // no examples leaves an empty styles folder
  for (const auto& entry : fs::directory_iterator(examples, listing)) {
    std::error_code kind;
    if (!entry.is_regular_file(kind)) continue;
    fs::copy_file(entry.path(), fs::path(staging) / entry.path().filename(), ec);
    if (ec) break;
  }
  if (!ec) fs::rename(staging, target, ec);
  if (ec) fs::remove_all(staging, ec);
}

}  // namespace

UserHomes UserHomesFromEnvironment() {
  return {XdgFolder("XDG_CONFIG_HOME", "/.config"), XdgFolder("XDG_DATA_HOME", "/.local/share")};
}

AppLayout ChooseLayout(const std::string& programDir, const std::string& installedResources,
                       const UserHomes& homes) {
  const std::string dir = AddBackslash(programDir);
  const bool installed = !HoldsResources(dir) && IsDirectory(installedResources);
  // A bare program with no resources anywhere keeps its files beside itself, as it always did.
  if (!installed && Writable(dir)) return PortableLayout(dir);
  const std::string resources =
      installed ? AddBackslash(fs::path(installedResources).lexically_normal().string()) : dir;
  return {resources, AddBackslash(homes.ConfigHome), AddBackslash(homes.DataHome), true};
}

const AppLayout& ApplicationLayout() {
  return Layout();
}

void SetApplicationLayout(const AppLayout& layout) {
  Layout() = {AddBackslash(layout.Resources), AddBackslash(layout.Config),
              AddBackslash(layout.UserData), layout.Installed};
}

void SetApplicationDirectory(const std::string& directory) {
  Layout() = PortableLayout(directory);
}

std::string ApplicationPath(AppPath what) {
  const AppLayout& l = Layout();
  switch (what) {
    case AppPath::Resources:
      return WithoutSeparator(l.Resources);
    case AppPath::OptionsFile:
      return l.Config + "Kurvex.ini";
    case AppPath::LogFile:
      return l.Config + "Kurvex.log";
    case AppPath::GraphImages:
      return l.UserData + "GraphImages";
    case AppPath::Styles:
      return l.UserData + "Setting";
    case AppPath::Data:
      return l.Resources + "Data";
    case AppPath::Localize:
      return l.Resources + "Localize";
  }
  return l.Resources;
}

const std::string& ApplicationDirectory() {
  return Layout().Resources;
}

void PrepareUserFolders(const AppLayout& layout) {
  if (!layout.Installed) return;
  std::error_code ec;
  fs::create_directories(layout.Config, ec);
  fs::create_directories(layout.UserData + "GraphImages", ec);
  const std::string styles = layout.UserData + "Setting";
  if (!fs::exists(styles, ec) && !ec) CopyStyles(layout.Resources + "Setting", styles);
}

}  // namespace kurvex
