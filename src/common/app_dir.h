#pragma once

#include <string>

namespace kurvex {

/// The files and folders the program works with by fixed name.
enum class AppPath {
  Resources,    // the shipped Setting/, Data/ and Localize/; relative data paths start here
  OptionsFile,  // "Kurvex.ini", loaded at start and saved at close
  LogFile,      // "Kurvex.log"
  GraphImages,  // where saved graph images go
  Styles,       // where "Load other" and "Save other" start
  Data,         // the default data folder
  Localize,     // language files and manuals
};

/// Where the program's files live. All folders end with a separator.
struct AppLayout {
  std::string Resources;   // read-only in an installed copy
  std::string Config;      // options file and log
  std::string UserData;    // GraphImages/ and the user's own Setting/
  bool Installed = false;  // user files kept apart from the resources
};

/// The user's base folders, from HOME, XDG_CONFIG_HOME and XDG_DATA_HOME.
struct UserHomes {
  std::string ConfigHome;  // "$XDG_CONFIG_HOME/kurvex/" or "~/.config/kurvex/"
  std::string DataHome;    // "$XDG_DATA_HOME/kurvex/" or "~/.local/share/kurvex/"
};

/// The program's folders under the current environment's user base folders.
UserHomes UserHomesFromEnvironment();

/// The one rule for where files live. A program folder that holds the resources and can be
/// written keeps everything (the build tree, a portable copy). Otherwise the resources come from
/// `installedResources` (the installation's share folder) when it exists, and the options
/// file, log, images and user styles go to the user's folders.
AppLayout ChooseLayout(const std::string& programDir, const std::string& installedResources,
                       const UserHomes& homes);

/// The layout of the running program, decided once from its own location.
const AppLayout& ApplicationLayout();

/// Replaces the layout (tests run the program's logic in temporary folders).
void SetApplicationLayout(const AppLayout& layout);

/// A layout that keeps everything in `directory`, as a portable copy does.
void SetApplicationDirectory(const std::string& directory);

/// Where `what` lives in the current layout; folders come without a trailing separator.
std::string ApplicationPath(AppPath what);

/// The resources folder with a trailing separator.
const std::string& ApplicationDirectory();

/// For an installed layout: creates the user's folders and, on first start, fills the user's
/// styles folder with copies of the example styles. Failures are silent: a missing folder shows
/// up later as the error of the file that needed it.
void PrepareUserFolders(const AppLayout& layout);

}  // namespace kurvex
