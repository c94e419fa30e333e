#include "common/utf8.h"

#include <cstdint>
#include <cstring>

namespace kurvex {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Length of the well-formed sequence starting at `pos`, or 0 when the bytes there are not one.
// The ranges of the second byte exclude overlong forms, surrogates and code points past U+10FFFF.
std::size_t SequenceLength(std::string_view bytes, std::size_t pos) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[pos + i]); };
  const unsigned char lead = at(0);
  const std::size_t left = bytes.size() - pos;
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;
  if (lead < 0xE0) return left >= 2 && IsContinuation(at(1)) ? 2 : 0;
  if (lead < 0xF0) {
    if (left < 3 || !IsContinuation(at(2))) return 0;
    const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
    return at(1) >= low && at(1) <= high ? 3 : 0;
  }
  if (lead < 0xF5) {
    if (left < 4 || !IsContinuation(at(2)) || !IsContinuation(at(3))) return 0;
    const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
    return at(1) >= low && at(1) <= high ? 4 : 0;
  }
  return 0;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  const std::size_t size = bytes.size();
  std::size_t pos = 0;
  while (pos < size) {
    // Data files are mostly ASCII: skip eight such bytes per step.
    while (pos + 8 <= size) {
      uint64_t word;
      std::memcpy(&word, bytes.data() + pos, 8);
      if (word & 0x8080808080808080ULL) break;
      pos += 8;
    }
    if (pos >= size) break;
    if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
      ++pos;
      continue;
    }
    const std::size_t length = SequenceLength(bytes, pos);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

std::size_t Utf8Length(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    if (!IsContinuation(static_cast<unsigned char>(c))) ++count;
  }
  return count;
}

std::size_t Utf8ByteOffset(std::string_view text, std::size_t chars) {
  std::size_t pos = 0;
  while (chars > 0 && pos < text.size()) {
    ++pos;
    while (pos < text.size() && IsContinuation(static_cast<unsigned char>(text[pos]))) ++pos;
    --chars;
  }
  return pos;
}

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  if (pos >= text.size()) return kReplacement;
  const std::size_t length = SequenceLength(text, pos);
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
  char32_t cp;
  switch (length) {
    case 1:
      cp = byte(0);
      break;
    case 2:
      cp = (char32_t(byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
      break;
    case 3:
      cp = (char32_t(byte(0) & 0x0F) << 12) | (char32_t(byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
      break;
    case 4:
      cp = (char32_t(byte(0) & 0x07) << 18) | (char32_t(byte(1) & 0x3F) << 12) |
           (char32_t(byte(2) & 0x3F) << 6) | (byte(3) & 0x3F);
      break;
    default:
      ++pos;
      return kReplacement;
  }
  pos += length;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = kReplacement;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace kurvex
