#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

/// What the texts of a graph may name of its data file: "{DataFile}", "{TextInDataFile}",
/// "{Column1}" to "{Column11}", "{XTitle}", "{YTitle}" and "{FileTitle}" (the title the file
/// gives itself, else its name). A name the file does not have is an empty text.
struct DataNames {
  std::string_view FileName;
  std::string_view FileTitle;
  std::string_view HeadText;
  const std::vector<std::string>* Columns = nullptr;  // the column names, from the head
  std::string_view XTitle;
  std::string_view YTitle;
};

/// The placeholder that `text` starts with: its length and its value; length 0 for none.
struct PlaceholderMatch {
  std::size_t Length = 0;
  std::string_view Value;
};
PlaceholderMatch MatchPlaceholder(std::string_view text, const DataNames& names);

/// The text with its placeholders replaced, as pieces of the texts themselves (a head text of
/// gigabytes is never copied). One pass, so that inserted text is never scanned again: a file
/// name holding "{TextInDataFile}" shows as it is, and no placeholder forms where an insertion
/// joins the text around it.
std::vector<std::string_view> PlaceholderPieces(std::string_view text, const DataNames& names);

/// The same pieces joined into one text.
std::string ExpandPlaceholders(std::string_view text, const DataNames& names);

/// Whether a text holds any placeholder (the picture then depends on the file).
bool HasPlaceholder(std::string_view text);

}  // namespace kurvex
