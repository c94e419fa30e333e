#pragma once

#include <optional>
#include <string>
#include <unordered_map>

namespace kurvex {

/// The font file fontconfig chose for one requested family and style, with what it asked for
/// the face: a synthetic bold and a shear for a synthetic italic.
struct FaceSource {
  std::string File;
  int Index = 0;
  bool Embolden = false;
  bool Sheared = false;
  double Matrix[4] = {1, 0, 0, 1};  // xx, xy, yx, yy

  bool operator==(const FaceSource&) const = default;
};

/// Remembers fontconfig's choices between runs, so that a short run (one kurvex-plot call)
/// need not load the whole fontconfig configuration, which costs more than drawing the graph.
/// The stored choices count only while the font configuration and font folders are unchanged.
class FontMatchCache {
 public:
  /// Reads the cache file (a missing or stale file is an empty cache).
  FontMatchCache(std::string path, std::string stamp);
  /// The cache in the user's cache folder, stamped with the font configuration's state.
  static FontMatchCache ForUser();

  std::optional<FaceSource> Find(const std::string& key) const;
  void Put(const std::string& key, const FaceSource& source);
  /// Writes the file when something was added; failures are ignored (the cache is optional).
  void Save();

  /// A text that changes whenever fonts or the font configuration change.
  static std::string CurrentStamp();

 private:
  std::string path_;
  std::string stamp_;
  std::unordered_map<std::string, FaceSource> entries_;
  bool dirty_ = false;
};

}  // namespace kurvex
