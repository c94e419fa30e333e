#pragma once

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "graph/render/font_match_cache.h"

namespace kurvex {

/// A font file opened with FreeType, as fontconfig asked for it.
struct FontFace {
  FT_Face ft = nullptr;
  FaceSource source;
  int id = 0;
  bool embolden = false;
  bool symbolCmap = false;  // only a (3,0) symbol cmap: codes live at 0xF000 + byte
  int pixelSize = 0;        // size currently set on `ft`
};

/// The key of one family in one style, for the caches of faces and fonts.
std::string StyleKey(const std::string& family, bool bold, bool italic);

/// "serif", "sans-serif" or "monospace": what a face is, for a reader without it.
std::string GenericFamily(FT_Face ft);

/// Finds the faces of a requested family and style the way fontconfig matches names, and keeps
/// them open for the life of the font engine. Choices are remembered between runs in the user's
/// font match cache, so that fontconfig's configuration is loaded only when one is missing.
class FontFaces {
 public:
  FontFaces();
  ~FontFaces();
  FontFaces(const FontFaces&) = delete;
  FontFaces& operator=(const FontFaces&) = delete;

  /// The face fontconfig matches to the family and style; null when none can be loaded.
  FontFace* Primary(const std::string& family, bool bold, bool italic);
  /// A face with a character the family lacks, as close to the request as fontconfig finds.
  FontFace* Fallback(const std::string& family, bool bold, bool italic, char32_t codePoint);

 private:
  // fontconfig's order of all fonts for one requested family and style.
  struct Ranking {
    FcPattern* pattern = nullptr;
    FcFontSet* fonts = nullptr;
  };

  FcConfig* Config();
  static std::optional<FaceSource> SourceOf(FcPattern* pattern);
  FontFace* LoadFace(FcPattern* pattern);
  FontFace* LoadFace(const FaceSource& source);
  Ranking& RankingFor(const std::string& family, bool bold, bool italic);
  FontFace* FirstUsable(const Ranking& ranking, char32_t codePoint);

  FT_Library library_ = nullptr;
  FcConfig* config_ = nullptr;  // loaded on first need: most runs find their fonts in `matches_`
  bool configLoaded_ = false;
  FontMatchCache matches_ = FontMatchCache::ForUser();
  std::vector<std::unique_ptr<FontFace>> faces_;
  std::unordered_map<std::string, FontFace*> facesByFile_;
  std::unordered_map<std::string, FontFace*> facesByStyle_;
  std::unordered_map<std::string, FontFace*> fallbacks_;
  std::unordered_map<std::string, Ranking> rankings_;
};

}  // namespace kurvex
