#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

/// What one value of a JCAMP-DX table line stands for. The first character of a value tells
/// its form, so one reader takes free numbers (AFFN) and every compressed form (PAC, SQZ, DIF,
/// DUP) alike, mixed in any order.
enum class AsdfKind {
  Value,       // an ordinate or abscissa as written (AFFN, PAC or SQZ)
  Difference,  // DIF: the value to add to the one before
  Repeat,      // DUP: the token before stands Count times in all
  Missing,     // "?": a value the instrument did not give
};

struct AsdfToken {
  AsdfKind Kind = AsdfKind::Value;
  double Number = 0;      // Value and Difference
  std::size_t Count = 0;  // Repeat, at least 1, held at kAsdfCountLimit
};

/// Repeat counts are held at this (no file can justify more points than this anyway).
inline constexpr std::size_t kAsdfCountLimit = std::size_t{1} << 40;

/// Splits one table line, its "$$" comment already cut, into tokens. Blanks, tabs, commas and
/// semicolons separate values; '+' and '-' start one. Returns the error message, naming the
/// offending character, for a character that starts no value.
std::optional<std::string> ReadAsdfLine(std::string_view line, std::vector<AsdfToken>& tokens);

/// The number at the start of a labelled record's value (blanks before it skipped), as AFFN
/// writes it: sign, digits, one point, and an exponent "E+nn". Nothing when there is none;
/// `end`, when given, receives where the number ends.
std::optional<double> LeadingAffnNumber(std::string_view text, std::size_t* end = nullptr);

/// The text before "$$", whose rest of the line is a comment.
std::string_view CutJcampComment(std::string_view line);

}  // namespace kurvex
