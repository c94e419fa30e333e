#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kurvex {

/// Character formatting of a stretch of rich text.
struct RtfStyle {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  double FontSize = 12;  // points
  uint32_t Color = 0;    // 0x00BBGGRR; the colour table's "auto" entry reads as black
  std::string FontName;  // from the font table; empty when the font is not in it
  bool operator==(const RtfStyle&) const = default;
};

/// One stretch of text in one style; positions count code points of the document's text.
struct RtfRun {
  std::size_t Start = 0;
  std::size_t Length = 0;
  RtfStyle Style;
  bool operator==(const RtfRun&) const = default;
};

/// How a paragraph is laid out; lengths in twips (a twentieth of a point), as RTF gives them.
struct RtfParagraphStyle {
  enum class Align : uint8_t { Left, Center, Right, Justify };
  int LeftIndent = 0;   // \li
  int FirstIndent = 0;  // \fi, from the left indent; negative for a hanging first line
  int SpaceBefore = 0;  // \sb
  int SpaceAfter = 0;   // \sa
  Align Alignment = Align::Left;
  bool operator==(const RtfParagraphStyle&) const = default;
};

/// The paragraphs from `Start` (the first code point of a paragraph) up to the next entry share
/// one layout.
struct RtfParagraphs {
  std::size_t Start = 0;
  RtfParagraphStyle Style;
  bool operator==(const RtfParagraphs&) const = default;
};

/// Rich text as plain text plus formatting.
struct RtfDocument {
  std::string Text;          // UTF-8; paragraphs and line breaks end with "\n"
  std::vector<RtfRun> Runs;  // in order, covering the text without gaps or empty runs
  // In order, the first at 0, a new entry only where the layout changes; empty for no text.
  std::vector<RtfParagraphs> Paragraphs;
};

}  // namespace kurvex
