#include "graph/data/jcamp_asdf.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace kurvex {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == ';';
}

// End of the digits (and one point, when allowed) that start at `pos`.
std::size_t ScanDigits(std::string_view s, std::size_t pos, bool allowPoint) {
  bool point = !allowPoint;
  while (pos < s.size() && (IsDigit(s[pos]) || (s[pos] == '.' && !point))) {
    point |= s[pos] == '.';
    ++pos;
  }
  return pos;
}

// The value of `digits` (digits with at most one point, at least one digit) times 10^exponent.
// from_chars rounds correctly and does not look at the locale; it leaves the value alone when
// out of range, so the side is told by where the first significant digit sits.
double DecimalValue(bool negative, std::string_view digits, long exponent, std::string& buffer) {
  // Up to 15 digits without exponent, as tables are written: the digits as an integer and the
  // power of ten are exact doubles, so one division gives the correctly rounded value.
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (exponent == 0 && digits.size() <= 16) {
    std::uint64_t whole = 0;
    int count = 0;
    int decimals = 0;
    bool point = false;
    for (const char c : digits) {
      if (c == '.') {
        point = true;
        continue;
      }
      whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
      ++count;
      if (point) ++decimals;
    }
    if (count <= 15) {
      const double value = static_cast<double>(whole) / kPowers[decimals];
      return negative ? -value : value;
    }
  }
  buffer.assign(digits);
  buffer += 'e';
  buffer += std::to_string(exponent);
  double value = 0;
  const auto [end, error] = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
  if (error == std::errc::result_out_of_range) {
    const std::size_t point = std::min(digits.find('.'), digits.size());
    const std::size_t first = digits.find_first_not_of("0.");
    const long lead = first == std::string_view::npos ? 0
                      : first < point                 ? static_cast<long>(point - first)
                                                      : -static_cast<long>(first - point - 1);
    value = lead + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (error != std::errc() || end != buffer.data() + buffer.size()) {
    value = 0;  // not reached for the digit strings built here
  }
  return negative ? -value : value;
}

// Reads "E+nn" (or "e-nn"; with `bareExponent` also "E5") at `pos` into `exponent`, held at a
// size that already overflows any double.
std::size_t ScanExponent(std::string_view s, std::size_t pos, bool bareExponent, long& exponent) {
  exponent = 0;
  if (pos >= s.size() || (s[pos] != 'E' && s[pos] != 'e')) return pos;
  std::size_t at = pos + 1;
  bool negative = false;
  if (at < s.size() && (s[at] == '+' || s[at] == '-')) {
    negative = s[at] == '-';
    ++at;
  } else if (!bareExponent) {
    return pos;  // a letter E without a sign is SQZ's 5 in a compressed line
  }
  if (at >= s.size() || !IsDigit(s[at])) return pos;
  for (; at < s.size() && IsDigit(s[at]); ++at) {
    exponent = std::min(exponent * 10 + (s[at] - '0'), 100000L);
  }
  if (negative) exponent = -exponent;
  return at;
}

// An AFFN or PAC number at `pos`: sign, digits with one point, exponent. Nothing (and `pos`
// unmoved) when no digit follows the sign.
std::optional<double> ScanAffn(std::string_view s, std::size_t& pos, bool bareExponent,
                               std::string& buffer) {
  std::size_t at = pos;
  const bool negative = at < s.size() && s[at] == '-';
  if (at < s.size() && (s[at] == '+' || s[at] == '-')) ++at;
  const std::size_t end = ScanDigits(s, at, true);
  const std::string_view digits = s.substr(at, end - at);
  if (digits.find_first_of("0123456789") == std::string_view::npos) return std::nullopt;
  long exponent = 0;
  pos = ScanExponent(s, end, bareExponent, exponent);
  return DecimalValue(negative, digits, exponent, buffer);
}

std::string ShowCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 0x20 && byte < 0x7f) return std::string(1, c);
  static const char hex[] = "0123456789ABCDEF";
  return std::string("\\x") + hex[byte >> 4] + hex[byte & 15];
}

}  // namespace

std::optional<std::string> ReadAsdfLine(std::string_view line, std::vector<AsdfToken>& tokens) {
  tokens.clear();
  std::string buffer;
  std::string digits;
  std::size_t pos = 0;
  while (pos < line.size()) {
    const char c = line[pos];
    if (IsSeparator(c)) {
      ++pos;
      continue;
    }
    if (c == '?') {
      tokens.push_back({AsdfKind::Missing, 0, 0});
      ++pos;
      continue;
    }
    if (IsDigit(c) || c == '.' || c == '+' || c == '-') {
      const std::optional<double> value = ScanAffn(line, pos, false, buffer);
      if (!value) return "JCAMP-DX value '" + ShowCharacter(c) + "' has no digits";
      tokens.push_back({AsdfKind::Value, *value, 0});
      continue;
    }
    // The compressed forms: the first character holds the form, the sign and the first digit.
    AsdfKind kind = AsdfKind::Value;
    int lead = 0;
    bool negative = false;
    if (c == '@') {
      lead = 0;
    } else if (c >= 'A' && c <= 'I') {
      lead = c - 'A' + 1;
    } else if (c >= 'a' && c <= 'i') {
      lead = c - 'a' + 1;
      negative = true;
    } else if (c == '%') {
      kind = AsdfKind::Difference;
    } else if (c >= 'J' && c <= 'R') {
      kind = AsdfKind::Difference;
      lead = c - 'J' + 1;
    } else if (c >= 'j' && c <= 'r') {
      kind = AsdfKind::Difference;
      lead = c - 'j' + 1;
      negative = true;
    } else if ((c >= 'S' && c <= 'Z') || c == 's') {
      kind = AsdfKind::Repeat;
      lead = c == 's' ? 9 : c - 'S' + 1;
    } else {
      return "JCAMP-DX table holds an unknown character '" + ShowCharacter(c) + "'";
    }
    const std::size_t end = ScanDigits(line, pos + 1, kind != AsdfKind::Repeat);
    if (kind == AsdfKind::Repeat) {
      std::size_t count = static_cast<std::size_t>(lead);
      for (std::size_t i = pos + 1; i < end; ++i) {
        count = std::min(count * 10 + static_cast<std::size_t>(line[i] - '0'), kAsdfCountLimit);
      }
      tokens.push_back({kind, 0, count});
    } else {
      digits.assign(1, static_cast<char>('0' + lead));
      digits.append(line.substr(pos + 1, end - pos - 1));
      tokens.push_back({kind, DecimalValue(negative, digits, 0, buffer), 0});
    }
    pos = end;
  }
  return std::nullopt;
}

std::optional<double> LeadingAffnNumber(std::string_view text, std::size_t* end) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  std::string buffer;
  std::optional<double> value = ScanAffn(text, pos, true, buffer);
  if (end) *end = pos;
  return value;
}

std::string_view CutJcampComment(std::string_view line) {
  return line.substr(0, line.find("$$"));
}

}  // namespace kurvex
