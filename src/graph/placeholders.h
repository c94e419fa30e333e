#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

/// What the texts of a graph may name of its data file: "{DataFile}", "{TextInDataFile}",
/// "{Column1}" to "{Column11}", "{XTitle}" and "{YTitle}". A name the file does not have is an
/// empty text.
struct DataNames {
  std::string_view FileName;
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

/// A text with every placeholder replaced, in one pass: inserted text is never scanned again.
std::string ExpandPlaceholders(std::string_view text, const DataNames& names);

/// Whether a text holds any placeholder (the picture then depends on the file).
bool HasPlaceholder(std::string_view text);

}  // namespace kurvex
