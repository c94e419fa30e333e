#pragma once

#include <string>
#include <string_view>

namespace kurvex {

/// The platform's directory separator, appended by AddBackslash.
inline constexpr char kPathSeparator = '/';

/// The text with one trailing directory separator ("" stays "/").
std::string AddBackslash(std::string_view text);

/// Cuts `rest` at the first `delimiter`: the part before it goes to `head`, `rest` keeps the part
/// after it. Without a delimiter (or with an empty one), `head` takes everything and `rest`
/// becomes empty.
void SplitAt(std::string_view delimiter, std::string& rest, std::string& head);

/// The same cut on views, for hot loops: returns the head and shortens `rest`.
std::string_view SplitAt(std::string_view delimiter, std::string_view& rest);

/// Every occurrence of `search` replaced by `replacement`, left to right, never re-scanning
/// inserted text; an empty `search` leaves the text unchanged.
std::string ReplaceAll(std::string_view text, std::string_view search,
                       std::string_view replacement);

/// Whether `c` is a blank inside a line of text: a space or a tab.
constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

/// The text without the spaces and tabs at its ends.
std::string_view TrimBlanks(std::string_view text);

/// Whether two texts are equal when ASCII letters are compared without case (INI names).
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

/// ASCII upper case; for language 1029 (Czech) and 1051 (Slovak) the 44 accented letters fold to
/// their plain capitals. UTF-8 in and out, the number of characters is kept.
std::string FoldUpperCase(int languageId, std::string_view text);

/// A multi-line text box as the find function sees it; positions count characters.
class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual std::string Text() const = 0;
  virtual int SelStart() const = 0;
  virtual int SelLength() const = 0;
  virtual void SetSelection(int start, int length) = 0;
};

/// Finds `needle` after the current selection ignoring case and Slovak accents and selects it;
/// not found puts the caret at 0 and returns false. An empty needle returns true.
bool FindInRichEdit(TextBox& box, std::string_view needle);

}  // namespace kurvex
