#include "shell/recent_files.h"

#include <algorithm>

#include "common/profile_file.h"

namespace kurvex::shell {

namespace {

constexpr const char* kSection = "RecentFiles";

std::string Key(int index) {
  return "File" + std::to_string(index + 1);
}

}  // namespace

void RecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  Remove(path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kMaxFiles) paths_.resize(kMaxFiles);
}

void RecentFiles::Remove(const std::string& path) {
  paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

void RecentFiles::Read(const ProfileFile& file) {
  paths_.clear();
  for (int i = 0; i < kMaxFiles; ++i) {
    const std::string path = file.ReadString(kSection, Key(i), "");
    // A file edited by hand may repeat a name; the first place counts.
    if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end()) {
      paths_.push_back(path);
    }
  }
}

void RecentFiles::Write(ProfileFile& file) const {
  for (int i = 0; i < kMaxFiles; ++i) {
    file.WriteString(kSection, Key(i), i < static_cast<int>(paths_.size()) ? paths_[i] : "");
  }
}

}  // namespace kurvex::shell
