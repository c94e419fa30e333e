#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kurvex {

// The steps of the data preparation that a reading in pieces needs one by one.

/// A line whose first character after its blanks (not tabs) can start a number: the first such
/// line ends the head.
bool IsNumberLine(std::string_view line);

/// What commas are in the data: kept, column separators, or decimal commas.
enum class CommaRule { kKeep, kToBlank, kToPoint };

/// Decides the comma rule over data given in pieces, in order.
class CommaRuleScan {
 public:
  void Add(std::string_view data);
  CommaRule Rule() const;

 private:
  bool comma_ = false;
  bool point_ = false;
  bool separator_ = false;
  bool blankInside_ = false;  // a blank after the start of a line
  bool lineStart_ = true;
};

/// Rewrites buffer[from, end) into buffer[0, ...) in one pass: a lone CR becomes '\n' (CR LF
/// stays), leading blanks go, separators become blanks and runs of blanks shrink to one.
/// `from` must start a line.
void CleanUpInPlace(std::string& buffer, std::size_t from, CommaRule rule);

/// Drops the empty line after a final line break.
void DropFinalEmptyLine(std::string& buffer);

}  // namespace kurvex
