#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kurvex {

/// The decimal separator of the user's locale (LC_NUMERIC; "." in the C locale). The one place
/// that decides it for options files, float edits and number labels.
char DecimalSeparator();

/// The separator a locale's decimal point gives: itself when it is one ASCII character, else the
/// point.
char DecimalSeparatorOf(std::string_view localePoint);

/// Overrides the separator (tests, and a future setting); 0 returns to the locale's.
void SetDecimalSeparator(char separator);

/// General format with at most 15 significant digits: fixed for 1E-4 <= |v| < 1E15, otherwise
/// scientific ("1E15", "9.9999999999989E-5").
std::string FloatToText(long double value);

/// Parses fixed or scientific text with the locale's separator; throws
/// Error("'<text>' is not a valid floating point value").
long double TextToFloat(std::string_view text);

/// Parses an options-file value: as TextToFloat, but "." and "," both serve as the decimal
/// separator (a value holds one number), so files move between locales.
long double OptionTextToFloat(std::string_view text);

/// Parses a decimal or "$"/"0x" hexadecimal signed 32-bit integer; throws
/// Error("'<text>' is not a valid integer value").
int32_t TextToInt(std::string_view text);

/// Parses a data field (always with a point); throws the floating point message.
double ParseDataField(std::string_view field);
/// The same without an exception: false where ParseDataField throws.
bool TryParseDataField(std::string_view field, double& value);

/// Tick label and readout text: exactly `decDigits` decimals, at most 5 significant digits
/// (1234.5678, 2 -> "1234.60"), scientific for more than 5 integer digits.
std::string FormatAxisValue(long double value, int decDigits);

/// Fixed text with `decimals` decimals of the value rounded to 10 significant digits, as the
/// minimum and maximum edits show it.
std::string FormatFixed(long double value, int decimals);

/// The number FormatFixed(value, decimals) shows, exactly as TextToFloat reads that text back:
/// what an edit showing the value stores, without the text. Not finite: the value itself.
long double RoundFixed(long double value, int decimals);

}  // namespace kurvex
