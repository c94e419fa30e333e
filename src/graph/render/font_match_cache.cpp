#include "graph/render/font_match_cache.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "common/error.h"
#include "common/text_file.h"

namespace kurvex {

namespace {

constexpr const char* kHeader = "kurvex font matches 1";

// Everything that fontconfig's answer depends on: its configuration and the font folders with
// its own caches. Installing or removing fonts touches at least one of them.
std::vector<std::string> WatchedPaths() {
  std::vector<std::string> paths = {
      "/etc/fonts",       "/etc/fonts/fonts.conf",  "/etc/fonts/conf.d",
      "/usr/share/fonts", "/usr/local/share/fonts", "/var/cache/fontconfig",
  };
  if (const char* home = std::getenv("HOME"); home && *home) {
    const std::string h = home;
    for (const char* p : {"/.fonts", "/.fonts.conf", "/.local/share/fonts", "/.config/fontconfig",
                          "/.config/fontconfig/fonts.conf", "/.cache/fontconfig"}) {
      paths.push_back(h + p);
    }
  }
  return paths;
}

bool Storable(const std::string& text) {
  return text.find_first_of("\t\r\n") == std::string::npos;
}

}  // namespace

FontMatchCache::FontMatchCache(std::string path, std::string stamp)
    : path_(std::move(path)), stamp_(std::move(stamp)) {
  if (path_.empty()) return;
  const std::optional<std::string> text = ReadTextFile(path_);
  if (!text) return;
  const std::vector<std::string> lines = SplitLines(*text);
  if (lines.size() < 2 || lines[0] != kHeader || lines[1] != stamp_) return;
  for (std::size_t i = 2; i < lines.size(); ++i) {
    std::istringstream row(lines[i]);
    std::string key;
    FaceSource s;
    int embolden = 0, sheared = 0;
    if (std::getline(row, key, '\t') && std::getline(row, s.File, '\t') &&
        row >> s.Index >> embolden >> sheared >> s.Matrix[0] >> s.Matrix[1] >> s.Matrix[2] >>
            s.Matrix[3]) {
      s.Embolden = embolden != 0;
      s.Sheared = sheared != 0;
      entries_.emplace(std::move(key), std::move(s));
    }
  }
}

FontMatchCache FontMatchCache::ForUser() {
  std::string folder;
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg == '/') {
    folder = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home == '/') {
    folder = std::string(home) + "/.cache";
  } else {
    return FontMatchCache("", "");
  }
  return FontMatchCache(folder + "/kurvex/font-matches", CurrentStamp());
}

std::optional<FaceSource> FontMatchCache::Find(const std::string& key) const {
  const auto it = entries_.find(key);
  if (it == entries_.end()) return std::nullopt;
  struct stat st {};
  if (stat(it->second.File.c_str(), &st) != 0) return std::nullopt;  // removed since
  return it->second;
}

void FontMatchCache::Put(const std::string& key, const FaceSource& source) {
  if (path_.empty() || !Storable(key) || !Storable(source.File)) return;
  entries_.insert_or_assign(key, source);
  dirty_ = true;
}

void FontMatchCache::Save() {
  if (!dirty_ || path_.empty()) return;
  dirty_ = false;
  std::ostringstream out;
  out.precision(17);
  out << kHeader << '\n' << stamp_ << '\n';
  for (const auto& [key, s] : entries_) {
    out << key << '\t' << s.File << '\t' << s.Index << ' ' << s.Embolden << ' ' << s.Sheared << ' '
        << s.Matrix[0] << ' ' << s.Matrix[1] << ' ' << s.Matrix[2] << ' ' << s.Matrix[3] << '\n';
  }
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
  try {
    WriteFileAtomic(path_, out.str(), FileSync::kNone);
  } catch (const FileError&) {
    // An unwritable cache folder or file: only speed is lost, the next run asks fontconfig again.
  }
}

std::string FontMatchCache::CurrentStamp() {
  std::ostringstream stamp;
  // fontconfig reads these too; another configuration must not reuse this one's choices.
  for (const char* variable : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT"}) {
    const char* value = std::getenv(variable);
    stamp << (value ? value : "") << '|';
  }
  for (const std::string& p : WatchedPaths()) {
    struct stat st {};
    if (stat(p.c_str(), &st) == 0) {
      stamp << st.st_mtim.tv_sec << '.' << st.st_mtim.tv_nsec << ':' << st.st_ino << ' ';
    } else {
      stamp << "- ";
    }
  }
  return stamp.str();
}

}  // namespace kurvex
