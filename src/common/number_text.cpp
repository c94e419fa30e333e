#include "common/number_text.h"

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/error.h"
#include "common/text_utils.h"

namespace kurvex {

namespace {

constexpr const char* kInvalidFloat = "'%s' is not a valid floating point value";
constexpr const char* kInvalidInteger = "'%s' is not a valid integer value";

char separatorOverride = 0;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The "C" locale for the parsers, whatever LC_NUMERIC the user has.
locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

// A field of a binary file can be megabytes long and hold control bytes: the message shows a
// readable start of it.
std::string Printable(std::string_view text) {
  constexpr std::size_t kShown = 60;
  std::string out;
  for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    out.push_back(c < 0x20 || c == 0x7F ? '?' : text[i]);
  }
  if (text.size() > kShown) {
    while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0x80) out.pop_back();
    if (!out.empty() && static_cast<unsigned char>(out.back()) >= 0xC0) out.pop_back();
    out += "...";
  }
  return out;
}

[[noreturn]] void ThrowInvalidFloat(std::string_view text) {
  throw Error(FormatMessage(kInvalidFloat, Printable(text)));
}

// A decimal number as significant digits d0 d1 d2 ... meaning d0.d1d2... x 10^exponent.
struct Decimal {
  bool negative = false;
  std::string digits;  // empty for zero
  int exponent = 0;
};

// The value with `significant` digits, rounded by the C library (exactly, ties to even).
Decimal ToDecimal(long double value, int significant) {
  Decimal d;
  d.negative = std::signbit(value);
  if (value == 0) return d;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*Le", significant - 1, std::fabs(value));
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (IsDigit(*p)) d.digits += *p;
  }
  d.exponent = std::atoi(p + 1);
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// Keeps `keep` significant digits (none or fewer makes the value 0 or one unit of the next
// place), rounding half away from zero as people expect of shown numbers.
void RoundDigits(Decimal& d, int keep) {
  if (keep >= static_cast<int>(d.digits.size())) return;
  if (keep < 0 || (keep == 0 && d.digits[0] < '5')) {
    d.digits.clear();
    return;
  }
  const bool up = d.digits[keep] >= '5';
  d.digits.resize(keep);
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
    if (i >= 0) {
      ++d.digits[i];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exponent;
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

char DigitAt(const Decimal& d, int index) {
  return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[index] : '0';
}

// Fixed notation with exactly `decimals` places; a value that shows only zeros has no minus.
std::string FixedText(const Decimal& d, int decimals) {
  std::string text;
  if (d.negative && !d.digits.empty()) text += '-';
  const int integerDigits = std::max(1, d.exponent + 1);
  for (int i = 0; i < integerDigits; ++i) text += DigitAt(d, d.exponent + 1 - integerDigits + i);
  if (decimals > 0) {
    text += DecimalSeparator();
    for (int i = 1; i <= decimals; ++i) text += DigitAt(d, d.exponent + i);
  }
  return text;
}

// "d.dddE-5": the separator after the first digit, no "+" and no leading zeros in the exponent.
std::string ScientificText(const Decimal& d) {
  std::string text = d.negative ? "-" : "";
  text += d.digits[0];
  if (d.digits.size() > 1) {
    text += DecimalSeparator();
    text.append(d.digits, 1);
  }
  text += 'E';
  text += std::to_string(d.exponent);
  return text;
}

std::string NonFiniteText(long double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

}  // namespace

char DecimalSeparatorOf(std::string_view localePoint) {
  // A multi-byte point (U+066B in ps_AF) cut to its first byte would write invalid UTF-8, and
  // an options file holding it is then read as Windows-1250, garbling every other text in it.
  const bool oneAsciiCharacter =
      localePoint.size() == 1 && static_cast<unsigned char>(localePoint[0]) < 0x80;
  return oneAsciiCharacter ? localePoint[0] : '.';
}

char DecimalSeparator() {
  if (separatorOverride != 0) return separatorOverride;
  const char* point = std::localeconv()->decimal_point;
  return DecimalSeparatorOf(point != nullptr ? point : "");
}

void SetDecimalSeparator(char separator) {
  separatorOverride = separator;
}

std::string FloatToText(long double value) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  Decimal d = ToDecimal(value, 15);
  if (d.digits.empty()) return "0";
  if (d.exponent < -4 || d.exponent >= 15) return ScientificText(d);
  return FixedText(d, std::max(0, static_cast<int>(d.digits.size()) - 1 - d.exponent));
}

namespace {

long double ParseFloat(std::string_view text, bool pointOrComma) {
  const std::string_view body = TrimBlanks(text);
  const char separator = DecimalSeparator();
  const auto isSeparator = [&](char c) {
    return c == separator || (pointOrComma && (c == '.' || c == ','));
  };
  // Rewritten with a point for the C library, after checking the grammar here, so that the
  // C library's own extras (hexadecimal, "inf", the locale's separator) never slip through.
  std::string plain;
  std::size_t i = 0;
  if (i < body.size() && (body[i] == '+' || body[i] == '-')) plain += body[i++];
  int mantissaDigits = 0;
  for (; i < body.size() && IsDigit(body[i]); ++i, ++mantissaDigits) plain += body[i];
  if (i < body.size() && isSeparator(body[i])) {
    plain += '.';
    for (++i; i < body.size() && IsDigit(body[i]); ++i, ++mantissaDigits) plain += body[i];
  }
  if (mantissaDigits == 0) ThrowInvalidFloat(text);
  if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) plain += body[i++];
    int exponentDigits = 0;
    for (; i < body.size() && IsDigit(body[i]); ++i, ++exponentDigits) plain += body[i];
    if (exponentDigits == 0) ThrowInvalidFloat(text);
  }
  if (i != body.size()) ThrowInvalidFloat(text);
  const long double value = strtold_l(plain.c_str(), nullptr, CLocale());
  if (!std::isfinite(value)) ThrowInvalidFloat(text);
  return value;
}

}  // namespace

long double TextToFloat(std::string_view text) {
  return ParseFloat(text, false);
}

long double OptionTextToFloat(std::string_view text) {
  return ParseFloat(text, true);
}

int32_t TextToInt(std::string_view text) {
  const std::string_view body = TrimBlanks(text);
  const auto fail = [&]() -> int32_t {
    throw Error(FormatMessage(kInvalidInteger, std::string(text)));
  };
  std::size_t i = 0;
  bool negative = false;
  if (i < body.size() && (body[i] == '+' || body[i] == '-')) negative = body[i++] == '-';
  int base = 10;
  if (i < body.size() && body[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < body.size() && body[i] == '0' && (body[i + 1] == 'x' || body[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  const std::string_view digits = body.substr(i);
  if (digits.empty()) return fail();
  uint64_t magnitude = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return fail();
  if (base == 16) {
    // Hexadecimal is a bit pattern: $FFFFFFFF is -1.
    if (magnitude > 0xFFFFFFFFULL) return fail();
    const auto pattern = static_cast<uint32_t>(negative ? 0U - magnitude : magnitude);
    return static_cast<int32_t>(pattern);
  }
  const uint64_t limit = negative ? 2147483648ULL : 2147483647ULL;
  if (magnitude > limit) return fail();
  return negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                  : static_cast<int32_t>(magnitude);
}

bool TryParseDataField(std::string_view field, double& value) {
  std::string_view number = TrimBlanks(field);
  bool negative = false;
  if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
    negative = number.front() == '-';
    number.remove_prefix(1);
  }
  // from_chars would also take "inf" and "nan"; a number starts with a digit or a point.
  if (number.empty() || !(IsDigit(number.front()) || number.front() == '.')) return false;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (end != number.data() + number.size()) return false;
  if (error == std::errc::result_out_of_range) {
    // Too small is zero (or a denormal), too large has no value.
    const std::string copy(number);
    value = strtod_l(copy.c_str(), nullptr, CLocale());
    if (!std::isfinite(value)) return false;
  } else if (error != std::errc()) {
    return false;
  }
  if (negative) value = -value;
  return true;
}

double ParseDataField(std::string_view field) {
  double value = 0;
  if (!TryParseDataField(field, value)) ThrowInvalidFloat(field);
  return value;
}

std::string FormatAxisValue(long double value, int decDigits) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  decDigits = std::clamp(decDigits, 0, 30);
  constexpr int kSignificant = 5;
  Decimal d = ToDecimal(value, 21);
  RoundDigits(d, std::min(kSignificant, d.exponent + 1 + decDigits));
  if (!d.digits.empty() && d.exponent >= kSignificant) return ScientificText(d);
  return FixedText(d, decDigits);
}

namespace {

Decimal FixedDecimal(long double value, int decimals) {
  Decimal d = ToDecimal(value, 21);
  RoundDigits(d, 10);
  RoundDigits(d, d.exponent + 1 + std::clamp(decimals, 0, 30));
  return d;
}

}  // namespace

std::string FormatFixed(long double value, int decimals) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  return FixedText(FixedDecimal(value, decimals), std::clamp(decimals, 0, 30));
}

long double RoundFixed(long double value, int decimals) {
  if (!std::isfinite(value)) return value;
  const Decimal d = FixedDecimal(value, decimals);
  if (d.digits.empty()) return 0.0L;  // "0.00" shows no sign
  // At most 10 digits, an exact integer; scaled by an exact power of ten, the one rounding of
  // the product or quotient is the correctly rounded value the C library reads from the text.
  long double mantissa = 0;
  for (const char c : d.digits) mantissa = mantissa * 10 + (c - '0');
  const int power = d.exponent + 1 - static_cast<int>(d.digits.size());
  long double scale = 1;
  for (int i = 0; i < std::abs(power); ++i) scale *= 10;  // exact up to 10^27
  long double result;
  if (std::abs(power) <= 27) {
    result = power >= 0 ? mantissa * scale : mantissa / scale;
  } else {
    const std::string text = d.digits + "e" + std::to_string(power);
    result = strtold_l(text.c_str(), nullptr, CLocale());
  }
  return d.negative ? -result : result;
}

}  // namespace kurvex
