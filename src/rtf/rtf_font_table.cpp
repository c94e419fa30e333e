#include "rtf/rtf_font_table.h"

#include "common/code_page.h"
#include "common/utf8.h"

namespace kurvex {

namespace {

// Enough for any real document; more definitions are ignored so that a hostile font table
// cannot allocate without bound.
constexpr std::size_t kMaxFonts = 4096;
constexpr std::size_t kMaxNameChars = 31;  // the longest face name Windows stores

// Code page of a font's character set; 0 for sets without a single-byte page of their own.
int CharsetCodePage(int charset) {
  switch (charset) {
    case 0:
      return 1252;
    case 2:
      return kSymbolCodePage;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 204:
      return 1251;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 255:
      return 437;
    default:
      return 0;
  }
}

std::string Trimmed(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

}  // namespace

void RtfFontTable::Define(int number) {
  defining_ = nullptr;
  if (fonts_.size() >= kMaxFonts && !fonts_.contains(number)) return;
  defining_ = &fonts_[number];
  *defining_ = Font{};
}

void RtfFontTable::SetCharset(int charset) {
  if (defining_ != nullptr) defining_->codePage = CharsetCodePage(charset);
}

void RtfFontTable::NameChar(char32_t cp) {
  if (defining_ == nullptr || defining_->nameDone) return;
  if (cp == U';') {
    defining_->nameDone = true;
  } else if (defining_->nameChars < kMaxNameChars && cp >= 0x20) {
    AppendUtf8(defining_->name, cp);
    ++defining_->nameChars;
  }
}

int RtfFontTable::CodePageOf(int number, int documentCodePage) const {
  const auto found = fonts_.find(number);
  return found != fonts_.end() && found->second.codePage != 0 ? found->second.codePage
                                                              : documentCodePage;
}

int RtfFontTable::DefiningCodePage(int documentCodePage) const {
  return defining_ != nullptr && defining_->codePage != 0 ? defining_->codePage : documentCodePage;
}

std::unordered_map<int, std::string> RtfFontTable::Names() const {
  std::unordered_map<int, std::string> names;
  for (const auto& [number, font] : fonts_) names.emplace(number, Trimmed(font.name));
  return names;
}

}  // namespace kurvex
