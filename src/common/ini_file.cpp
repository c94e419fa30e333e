#include "common/ini_file.h"

#include <optional>

#include "common/error.h"
#include "common/number_text.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "common/utf8.h"

namespace kurvex {

namespace {

constexpr std::size_t kMaxValueChars = 1023;

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = LowerAscii(c);
  return result;
}

// "[name]" with blanks allowed around the name and the brackets; anything after "]" is ignored.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(1, close - 1));
}

// The key of a "key=value" line; comments and lines without "=" hold none.
std::optional<std::string_view> KeyName(std::string_view line, std::size_t* equals = nullptr) {
  const std::size_t at = line.find('=');
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view key = TrimBlanks(line.substr(0, at));
  if (key.empty() || key.front() == ';') return std::nullopt;
  if (equals != nullptr) *equals = at;
  return key;
}

std::string ValueOf(const std::string& line) {
  std::string_view value = TrimBlanks(std::string_view(line).substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, Utf8ByteOffset(value, kMaxValueChars)));
}

// A line break inside a name or value would split its line; it is written as a blank instead.
std::string OneLine(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return result;
}

// Reading trims a value and takes off one pair of enclosing quotes, so a value that would lose
// something that way is written inside a pair of quotes of its own.
std::string Quoted(std::string text) {
  const bool blankAtEnd = !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
  const bool quotedAlready = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                             text.back() == text.front();
  if (!blankAtEnd && !quotedAlready) return text;
  std::string quoted(1, '"');
  quoted.append(text).push_back('"');
  return quoted;
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {
  if (const std::optional<std::string> text = ReadTextFile(path_)) lines_ = SplitLines(*text);
  Reindex();
}

ProfileFile ProfileFile::FromBytes(std::string bytes) {
  ProfileFile file;
  file.lines_ = SplitLines(DecodeText(std::move(bytes)));
  file.Reindex();
  return file;
}

void ProfileFile::Reindex() {
  sections_.clear();
  firstSection_.clear();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (const auto name = SectionName(lines_[i])) {
      sections_.push_back({i});
      firstSection_.emplace(Lower(*name), sections_.size() - 1);
    }
  }
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view section) const {
  const auto it = firstSection_.find(Lower(TrimBlanks(section)));
  return it == firstSection_.end() ? nullptr : &sections_[it->second];
}

std::size_t ProfileFile::SectionEnd(const Section& section) const {
  const std::size_t next = static_cast<std::size_t>(&section - sections_.data()) + 1;
  return next < sections_.size() ? sections_[next].header : lines_.size();
}

const std::string* ProfileFile::FindValueLine(std::string_view section, std::string_view key,
                                              std::size_t* lineIndex) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return nullptr;
  key = TrimBlanks(key);
  const std::size_t end = SectionEnd(*found);
  for (std::size_t i = found->header + 1; i < end; ++i) {
    const auto name = KeyName(lines_[i]);
    if (name && EqualsIgnoringCase(*name, key)) {
      if (lineIndex != nullptr) *lineIndex = i;
      return &lines_[i];
    }
  }
  return nullptr;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  const std::string* line = FindValueLine(section, key, nullptr);
  return line != nullptr ? ValueOf(*line) : std::string(defaultValue);
}

int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                 int32_t defaultValue) const {
  const std::string* line = FindValueLine(section, key, nullptr);
  if (line == nullptr) return defaultValue;
  try {
    return TextToInt(ValueOf(*line));
  } catch (const Error&) {
    return defaultValue;
  }
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key,
                           bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  const std::string text = Quoted(OneLine(value));
  std::size_t lineIndex = 0;
  if (FindValueLine(section, key, &lineIndex) != nullptr) {
    std::string& line = lines_[lineIndex];
    line.replace(line.find('=') + 1, std::string::npos, text);
    return;
  }
  const std::string keyLine = OneLine(TrimBlanks(key)) + "=" + text;

  if (const Section* found = FindSection(section)) {
    // After the section's last key, so that blank lines and comments before the next section
    // stay where they are.
    std::size_t at = found->header + 1;
    const std::size_t end = SectionEnd(*found);
    for (std::size_t i = at; i < end; ++i) {
      if (KeyName(lines_[i])) at = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), keyLine);
    for (auto next = sections_.begin() + (found - sections_.data()) + 1; next != sections_.end();
         ++next) {
      ++next->header;
    }
    return;
  }

  const std::string name(TrimBlanks(OneLine(section)));
  if (!lines_.empty() && !TrimBlanks(lines_.back()).empty()) lines_.emplace_back();
  lines_.push_back("[" + name + "]");
  sections_.push_back({lines_.size() - 1});
  firstSection_.emplace(Lower(name), sections_.size() - 1);
  lines_.push_back(keyLine);
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void ProfileFile::EraseSection(std::string_view section) {
  while (const Section* found = FindSection(section)) {
    std::size_t from = found->header;
    const std::size_t to = SectionEnd(*found);
    if (to == lines_.size() && from > 0 && TrimBlanks(lines_[from - 1]).empty()) --from;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(from),
                 lines_.begin() + static_cast<std::ptrdiff_t>(to));
    Reindex();
  }
}

std::string ProfileFile::ToText() const {
  std::string text;
  std::size_t size = 0;
  for (const std::string& line : lines_) size += line.size() + 2;
  text.reserve(size);
  for (const std::string& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void ProfileFile::Save() const {
  WriteFileAtomic(path_, ToText());
}

}  // namespace kurvex
