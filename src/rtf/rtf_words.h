#pragma once

#include <string_view>

namespace kurvex {

/// What the RTF reader does on a control word.
enum class RtfAction {
  kNone,             // a word the reader has no use for
  kCharacter,        // stands for one character (\par, \tab, \emdash, ...)
  kSkipDestination,  // a group whose text is not part of the document (\info, \pict, ...)
  kFontTable,
  kColorTable,
  kBin,
  kAnsiCodePage,
  kDefaultFont,
  kFont,
  kCharset,
  kRed,
  kGreen,
  kBlue,
  kBold,
  kItalic,
  kUnderline,
  kUnderlineNone,
  kHidden,
  kFontSize,
  kColor,
  kPlain,
  kUnicodeSkip,
  kUnicode,
  kParagraph,         // \par: ends a paragraph in the current paragraph layout
  kParagraphDefault,  // \pard
  kLeftIndent,
  kFirstIndent,
  kSpaceBefore,
  kSpaceAfter,
  kAlignLeft,
  kAlignCenter,
  kAlignRight,
  kAlignJustify,
};

/// A control word the reader knows.
struct RtfWord {
  std::string_view name;
  RtfAction action = RtfAction::kNone;
  char32_t character = 0;  // for kCharacter
};

/// The entry of a control word's name (case-sensitive); a word with action kNone when unknown.
const RtfWord& LookUpRtfWord(std::string_view name);

}  // namespace kurvex
