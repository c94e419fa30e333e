#pragma once

#include <array>

namespace kurvex {

/// Windows' number for the Symbol encoding of symbol fonts (character set 2).
inline constexpr int kSymbolCodePage = 42;

/// Unicode of each byte of a single-byte code page; bytes the page leaves undefined are U+FFFD.
using CodePageTable = std::array<char32_t, 256>;

/// The table of a Windows (1250 to 1258, 874), DOS (437, 850, 852, 866) or the Symbol code
/// page, built once through iconv; an unknown number, or a page iconv lacks, gives the table of
/// Windows-1250, the program's own code page.
const CodePageTable& CodePage(int codePage);

/// Unicode of a character code of the Symbol encoding; codes without a counterpart map to
/// themselves.
char32_t SymbolToUnicode(char32_t code);

}  // namespace kurvex
