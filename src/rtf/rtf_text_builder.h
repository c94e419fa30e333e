#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rtf/rtf_document.h"

namespace kurvex {

/// Character formatting as the RTF reader tracks it; the font is its number in the font table.
struct RtfCharFormat {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Hidden = false;  // \v: index entries, field codes, notes to the editor
  int HalfPoints = 24;
  uint32_t Color = 0;
  int Font = 0;
  bool operator==(const RtfCharFormat&) const = default;
};

/// Collects the text the RTF reader finds, with one run per stretch of equal formatting.
/// Surrogate halves join into one character (a half without its partner becomes U+FFFD); control
/// codes other than tab and line break, and hidden text, are left out.
class RtfTextBuilder {
 public:
  /// Appends one character.
  void Append(char32_t cp, const RtfCharFormat& format);
  /// Ends the current paragraph ("\n") and records the layout it had; nothing in hidden text.
  void EndParagraph(const RtfCharFormat& format, const RtfParagraphStyle& style);
  /// Appends printable ASCII, the bulk of most documents, at once.
  void AppendAscii(std::string_view text, const RtfCharFormat& format);
  /// The document, each run's font number replaced by its name (none for numbers not listed);
  /// a last paragraph without its end takes `lastStyle`.
  RtfDocument Finish(const std::unordered_map<int, std::string>& fontNames,
                     const RtfParagraphStyle& lastStyle);

 private:
  struct Run {
    std::size_t start;
    std::size_t length;
    RtfCharFormat format;
  };

  void AppendCode(char32_t cp, const RtfCharFormat& format);
  void Grow(std::size_t chars, const RtfCharFormat& format);
  void RecordParagraph(const RtfParagraphStyle& style);

  std::string text_;
  std::size_t chars_ = 0;
  std::vector<Run> runs_;
  std::vector<RtfParagraphs> paragraphs_;
  std::size_t paragraphStart_ = 0;
  char32_t highSurrogate_ = 0;
  RtfCharFormat highSurrogateFormat_;
};

}  // namespace kurvex
