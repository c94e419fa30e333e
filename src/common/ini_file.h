#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kurvex {

/// An INI profile held in memory: names compare without case, the first match counts, values
/// are trimmed and lose one pair of enclosing quotes, reads return at most 1023 characters.
/// Writes replace a key where it stands or append it to its section (a missing section is
/// appended to the file); lines nobody writes are kept. Save() replaces the file at once.
class ProfileFile {
 public:
  /// Reads the file; a missing or unreadable file is an empty profile.
  explicit ProfileFile(std::string path);

  /// A profile of a file's bytes, decoded as a read of the file would decode them; its Path()
  /// is empty, so it is only ever written by ToText().
  static ProfileFile FromBytes(std::string bytes);

  const std::string& Path() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  /// Decimal, "0x"/"0X" or "$" hexadecimal; anything else gives the default.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
  /// Read as an integer: non-zero is true; not an integer gives the default.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  /// Removes every section of that name with its lines; one that ended the file takes the blank
  /// line a write put before it, so that a write and an erase leave the text as it was.
  void EraseSection(std::string_view section);

  /// The whole profile as file text (lines ended by CR LF).
  std::string ToText() const;

  /// Writes the profile to Path() atomically; throws Error("Unable to write to <path>").
  void Save() const;

 private:
  struct Section {
    std::size_t header;  // line index of "[name]"; the section runs to the next header
  };
  const Section* FindSection(std::string_view section) const;
  std::size_t SectionEnd(const Section& section) const;
  const std::string* FindValueLine(std::string_view section, std::string_view key,
                                   std::size_t* lineIndex) const;
  ProfileFile() = default;
  void Reindex();

  std::string path_;
  std::vector<std::string> lines_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> firstSection_;  // lower-case name -> sections_ index
};

}  // namespace kurvex
