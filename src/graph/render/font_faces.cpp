#include "graph/render/font_faces.h"

#include FT_TRUETYPE_TABLES_H

namespace kurvex {

std::string StyleKey(const std::string& family, bool bold, bool italic) {
  return std::string(1, static_cast<char>('0' + bold + 2 * italic)) + family;
}

// Panose tells a face's kind where it is filled in (family kind 2, Latin text: serif styles
// 11 to 13 are sans serif); the family name tells it otherwise.
std::string GenericFamily(FT_Face ft) {
  if (FT_IS_FIXED_WIDTH(ft)) return "monospace";
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->panose[0] == 2) {
    const int serif = os2->panose[1];
    if (serif >= 11 && serif <= 13) return "sans-serif";
    if (serif >= 2 && serif <= 10) return "serif";
  }
  const std::string name = ft->family_name ? ft->family_name : "";
  if (name.find("Mono") != std::string::npos) return "monospace";
  return name.find("Sans") != std::string::npos ? "sans-serif" : "serif";
}

FontFaces::FontFaces() {
  if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
}

FontFaces::~FontFaces() {
  matches_.Save();
  for (auto& [key, ranking] : rankings_) {
    if (ranking.fonts) FcFontSetDestroy(ranking.fonts);
    if (ranking.pattern) FcPatternDestroy(ranking.pattern);
  }
  for (auto& face : faces_) FT_Done_Face(face->ft);
  if (library_) FT_Done_FreeType(library_);
  if (config_) FcConfigDestroy(config_);
}

FcConfig* FontFaces::Config() {
  if (!configLoaded_) {
    configLoaded_ = true;
    config_ = FcInitLoadConfigAndFonts();
  }
  return config_;
}

std::optional<FaceSource> FontFaces::SourceOf(FcPattern* pattern) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
  FaceSource source;
  source.File = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(pattern, FC_INDEX, 0, &source.Index);
  FcBool embolden = FcFalse;
  FcPatternGetBool(pattern, FC_EMBOLDEN, 0, &embolden);
  source.Embolden = embolden;
  FcMatrix* matrix = nullptr;
  source.Sheared = FcPatternGetMatrix(pattern, FC_MATRIX, 0, &matrix) == FcResultMatch;
  if (source.Sheared) {
    source.Matrix[0] = matrix->xx;
    source.Matrix[1] = matrix->xy;
    source.Matrix[2] = matrix->yx;
    source.Matrix[3] = matrix->yy;
  }
  return source;
}

FontFace* FontFaces::LoadFace(FcPattern* pattern) {
  const std::optional<FaceSource> source = SourceOf(pattern);
  return source ? LoadFace(*source) : nullptr;
}

FontFace* FontFaces::LoadFace(const FaceSource& source) {
  if (!library_) return nullptr;
  const char* file = source.File.c_str();
  const int index = source.Index;
  const bool embolden = source.Embolden;
  const bool sheared = source.Sheared;
  std::string key = std::to_string(index) + (embolden ? "b" : "r") + (sheared ? "s" : "u") + file;
  if (auto it = facesByFile_.find(key); it != facesByFile_.end()) return it->second;

  FT_Face ft = nullptr;
  if (FT_New_Face(library_, file, index, &ft) != 0) {
    return nullptr;
  }
  auto face = std::make_unique<FontFace>();
  face->ft = ft;
  face->source = source;
  face->id = static_cast<int>(faces_.size());
  face->embolden = embolden;
  if (FT_Select_Charmap(ft, FT_ENCODING_UNICODE) != 0 &&
      FT_Select_Charmap(ft, FT_ENCODING_MS_SYMBOL) == 0) {
    face->symbolCmap = true;
  }
  if (sheared) {
    // fontconfig asks for a synthetic oblique when the family has no italic.
    const double* m = source.Matrix;
    FT_Matrix shear{static_cast<FT_Fixed>(m[0] * 0x10000), static_cast<FT_Fixed>(m[1] * 0x10000),
                    static_cast<FT_Fixed>(m[2] * 0x10000), static_cast<FT_Fixed>(m[3] * 0x10000)};
    FT_Set_Transform(ft, &shear, nullptr);
  }
  FontFace* raw = face.get();
  faces_.push_back(std::move(face));
  facesByFile_.emplace(std::move(key), raw);
  return raw;
}

FontFaces::Ranking& FontFaces::RankingFor(const std::string& family, bool bold, bool italic) {
  auto [it, added] = rankings_.try_emplace(StyleKey(family, bold, italic));
  if (!added) return it->second;
  FcConfig* config = Config();
  FcPattern* pattern = config ? FcPatternCreate() : nullptr;
  if (!pattern) return it->second;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  it->second.pattern = pattern;
  it->second.fonts = FcFontSort(config, pattern, FcTrue, nullptr, &result);
  return it->second;
}

// The best-ranked font that loads and, unless `codePoint` is 0, has that character.
FontFace* FontFaces::FirstUsable(const Ranking& ranking, char32_t codePoint) {
  for (int i = 0; ranking.fonts && i < ranking.fonts->nfont; ++i) {
    FcPattern* candidate = ranking.fonts->fonts[i];
    FcCharSet* chars = nullptr;
    if (codePoint != 0 && (FcPatternGetCharSet(candidate, FC_CHARSET, 0, &chars) != FcResultMatch ||
                           !FcCharSetHasChar(chars, codePoint))) {
      continue;
    }
    FcPattern* prepared = FcFontRenderPrepare(config_, ranking.pattern, candidate);
    if (!prepared) continue;
    FontFace* face = LoadFace(prepared);
    FcPatternDestroy(prepared);
    if (face) return face;
  }
  return nullptr;
}

FontFace* FontFaces::Primary(const std::string& family, bool bold, bool italic) {
  if (!library_) return nullptr;
  std::string key = StyleKey(family, bold, italic);
  if (auto it = facesByStyle_.find(key); it != facesByStyle_.end()) return it->second;
  FontFace* face = nullptr;
  if (const std::optional<FaceSource> known = matches_.Find(key)) face = LoadFace(*known);
  if (!face) {
    const Ranking& ranking = RankingFor(family, bold, italic);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match =
            ranking.pattern ? FcFontMatch(config_, ranking.pattern, &result) : nullptr) {
      if (const std::optional<FaceSource> source = SourceOf(match)) {
        face = LoadFace(*source);
        if (face) matches_.Put(key, *source);
      }
      FcPatternDestroy(match);
    }
    if (!face) face = FirstUsable(ranking, 0);
  }
  facesByStyle_.emplace(std::move(key), face);
  return face;
}

FontFace* FontFaces::Fallback(const std::string& family, bool bold, bool italic,
                              char32_t codePoint) {
  std::string key = std::to_string(codePoint) + ":" + StyleKey(family, bold, italic);
  if (auto it = fallbacks_.find(key); it != fallbacks_.end()) return it->second;
  FontFace* face = FirstUsable(RankingFor(family, bold, italic), codePoint);
  fallbacks_.emplace(std::move(key), face);
  return face;
}

}  // namespace kurvex
