#pragma once

#include <string>
#include <vector>

namespace kurvex {
class ProfileFile;
}

namespace kurvex::shell {

/// The data files the user opened last, newest first, as File ▸ Open recent lists them.
class RecentFiles {
 public:
  static constexpr int kMaxFiles = 10;

  /// Puts `path` first; an older entry of the same file goes, the eleventh drops out.
  void Add(const std::string& path);
  void Remove(const std::string& path);
  const std::vector<std::string>& Paths() const { return paths_; }

  /// Section `RecentFiles`, keys File1…File10: empty keys and repeated files are skipped.
  void Read(const ProfileFile& file);
  /// Every key File1…File10, the unused ones empty, so a shorter list leaves no old name behind.
  void Write(ProfileFile& file) const;

 private:
  std::vector<std::string> paths_;
};

}  // namespace kurvex::shell
