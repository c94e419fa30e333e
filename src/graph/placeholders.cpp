#include "graph/placeholders.h"

#include <array>

namespace kurvex {

namespace {

constexpr std::string_view kColumn = "{Column";

}  // namespace

PlaceholderMatch MatchPlaceholder(std::string_view text, const DataNames& names) {
  const std::array<std::pair<std::string_view, std::string_view>, 5> fixed = {{
      {"{DataFile}", names.FileName},
      {"{FileTitle}", names.FileTitle.empty() ? names.FileName : names.FileTitle},
      {"{TextInDataFile}", names.HeadText},
      {"{XTitle}", names.XTitle},
      {"{YTitle}", names.YTitle},
  }};
  for (const auto& [name, value] : fixed) {
    if (text.starts_with(name)) return {name.size(), value};
  }
  if (!text.starts_with(kColumn)) return {};
  // {Column1} to {Column11}: x, then up to ten curves.
  std::size_t pos = kColumn.size();
  std::size_t number = 0;
  while (pos < text.size() && pos < kColumn.size() + 2 && text[pos] >= '0' && text[pos] <= '9') {
    number = number * 10 + static_cast<std::size_t>(text[pos] - '0');
    ++pos;
  }
  if (pos == kColumn.size() || pos >= text.size() || text[pos] != '}' || number < 1 ||
      number > 11 || text[kColumn.size()] == '0') {
    return {};
  }
  std::string_view value;
  if (names.Columns && number <= names.Columns->size()) value = (*names.Columns)[number - 1];
  return {pos + 1, value};
}

std::vector<std::string_view> PlaceholderPieces(std::string_view text, const DataNames& names) {
  std::vector<std::string_view> pieces;
  std::size_t copied = 0;
  for (std::size_t at = text.find('{'); at != std::string_view::npos; at = text.find('{', at)) {
    const PlaceholderMatch match = MatchPlaceholder(text.substr(at), names);
    if (match.Length == 0) {
      ++at;
      continue;
    }
    pieces.push_back(text.substr(copied, at - copied));
    pieces.push_back(match.Value);
    at += match.Length;
    copied = at;
  }
  pieces.push_back(text.substr(copied));
  return pieces;
}

std::string ExpandPlaceholders(std::string_view text, const DataNames& names) {
  std::string out;
  for (const std::string_view piece : PlaceholderPieces(text, names)) out.append(piece);
  return out;
}

bool HasPlaceholder(std::string_view text) {
  for (std::size_t at = text.find('{'); at != std::string_view::npos; at = text.find('{', at + 1)) {
    if (MatchPlaceholder(text.substr(at), DataNames{}).Length != 0) return true;
  }
  return false;
}

}  // namespace kurvex
