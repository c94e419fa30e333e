#pragma once

#include <string>
#include <unordered_map>

namespace kurvex {

/// The font table of an RTF document as its reader fills it: names and code pages by font
/// number. Bounded whatever the file: at most a few thousand fonts with names of Windows' length.
class RtfFontTable {
 public:
  /// Starts the entry of a font (\fN inside the table), replacing an earlier one.
  void Define(int number);
  /// The character set (\fcharsetN) of the font being defined.
  void SetCharset(int charset);
  /// One character of the font being defined; ';' ends its name.
  void NameChar(char32_t cp);
  /// The code page of a font, or `documentCodePage` for fonts without a single-byte page.
  int CodePageOf(int number, int documentCodePage) const;
  /// The code page of the font being defined, for the characters of its name.
  int DefiningCodePage(int documentCodePage) const;
  /// Every font's name, without the blanks around it.
  std::unordered_map<int, std::string> Names() const;

 private:
  struct Font {
    std::string name;
    std::size_t nameChars = 0;
    bool nameDone = false;
    int codePage = 0;  // 0: the document's
  };

  std::unordered_map<int, Font> fonts_;
  Font* defining_ = nullptr;
};

}  // namespace kurvex
