#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kurvex {

/// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

/// Number of code points of valid UTF-8 text.
std::size_t Utf8Length(std::string_view text);

/// Byte offset of the code point with index `chars` (the text's size when beyond its end).
std::size_t Utf8ByteOffset(std::string_view text, std::size_t chars);

/// Decodes the code point at `pos` and advances `pos`; invalid bytes give U+FFFD.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

/// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace kurvex
