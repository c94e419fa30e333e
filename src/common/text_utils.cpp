#include "common/text_utils.h"

#include <algorithm>
#include <array>
#include <climits>
#include <utility>

#include "common/utf8.h"

namespace kurvex {

namespace {

constexpr int kCzech = 1029;
constexpr int kSlovak = 1051;

// The Czech and Slovak accented letters (as code points, sorted) and the plain capital each
// folds to; the table of the 8-bit code page these files once used, carried over to Unicode.
constexpr std::array<std::pair<char32_t, char>, 44> kAccentFold = {{
    {0x00C1, 'A'}, {0x00C4, 'A'}, {0x00C9, 'E'}, {0x00CD, 'I'}, {0x00D3, 'O'}, {0x00D4, 'O'},
    {0x00D6, 'O'}, {0x00DA, 'U'}, {0x00DC, 'U'}, {0x00DD, 'Y'}, {0x00E1, 'A'}, {0x00E4, 'A'},
    {0x00E9, 'E'}, {0x00ED, 'I'}, {0x00F3, 'O'}, {0x00F4, 'O'}, {0x00F6, 'O'}, {0x00FA, 'U'},
    {0x00FC, 'U'}, {0x00FD, 'Y'}, {0x010C, 'C'}, {0x010D, 'C'}, {0x010E, 'D'}, {0x010F, 'D'},
    {0x011A, 'E'}, {0x011B, 'E'}, {0x0139, 'L'}, {0x013A, 'L'}, {0x013D, 'L'}, {0x013E, 'L'},
    {0x0147, 'N'}, {0x0148, 'N'}, {0x0154, 'R'}, {0x0155, 'R'}, {0x0158, 'R'}, {0x0159, 'R'},
    {0x0160, 'S'}, {0x0161, 'S'}, {0x0164, 'T'}, {0x0165, 'T'}, {0x016E, 'U'}, {0x016F, 'U'},
    {0x017D, 'Z'}, {0x017E, 'Z'},
}};

char FoldAccent(char32_t cp) {
  const auto it =
      std::lower_bound(kAccentFold.begin(), kAccentFold.end(), cp,
                       [](const auto& entry, char32_t key) { return entry.first < key; });
  return it != kAccentFold.end() && it->first == cp ? it->second : '\0';
}

}  // namespace

std::string AddBackslash(std::string_view text) {
  std::string result(text);
  if (result.empty() || result.back() != kPathSeparator) result += kPathSeparator;
  return result;
}

// An empty delimiter finds nothing, as with ReplaceAll: "found" at 0 it would cut nothing and a
// caller looping until the rest is empty would never end.
void SplitAt(std::string_view delimiter, std::string& rest, std::string& head) {
  const std::size_t at = delimiter.empty() ? std::string::npos : rest.find(delimiter);
  if (at == std::string::npos) {
    head = std::move(rest);
    rest.clear();
    return;
  }
  head = rest.substr(0, at);
  rest.erase(0, at + delimiter.size());
}

std::string_view SplitAt(std::string_view delimiter, std::string_view& rest) {
  const std::size_t at = delimiter.empty() ? std::string_view::npos : rest.find(delimiter);
  if (at == std::string_view::npos) {
    const std::string_view head = rest;
    rest = {};
    return head;
  }
  const std::string_view head = rest.substr(0, at);
  rest.remove_prefix(at + delimiter.size());
  return head;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string ReplaceAll(std::string_view text, std::string_view search,
                       std::string_view replacement) {
  if (search.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at = text.find(search); at != std::string_view::npos;
       at = text.find(search, from)) {
    result.append(text, from, at - from);
    result.append(replacement);
    from = at + search.size();
  }
  result.append(text, from);
  return result;
}

std::string FoldUpperCase(int languageId, std::string_view text) {
  const bool foldAccents = languageId == kCzech || languageId == kSlovak;
  std::string result;
  result.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    if (static_cast<unsigned char>(c) < 0x80) {
      result += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
      ++pos;
      continue;
    }
    const std::size_t start = pos;
    const char32_t cp = NextCodePoint(text, pos);
    const char plain = foldAccents ? FoldAccent(cp) : '\0';
    if (plain != '\0') {
      result += plain;
    } else {
      // Copied as it stands, so that even broken bytes keep their count of characters.
      result.append(text, start, pos - start);
    }
  }
  return result;
}

bool FindInRichEdit(TextBox& box, std::string_view needle) {
  if (needle.empty()) return true;
  const std::string text = box.Text();
  const long long selectionEnd =
      std::max(0LL, static_cast<long long>(box.SelStart())) + std::max(0, box.SelLength());
  const auto start = static_cast<int>(std::min<long long>(selectionEnd, INT_MAX));
  const std::string_view tail = std::string_view(text).substr(Utf8ByteOffset(text, start));
  const std::string foldedTail = FoldUpperCase(kSlovak, tail);
  const std::size_t found = foldedTail.find(FoldUpperCase(kSlovak, needle));
  if (found == std::string::npos) {
    box.SetSelection(0, 0);
    return false;
  }
  const auto offset = static_cast<int>(Utf8Length(std::string_view(foldedTail).substr(0, found)));
  box.SetSelection(start + offset, static_cast<int>(Utf8Length(needle)));
  return true;
}

}  // namespace kurvex
