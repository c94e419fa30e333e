#include "rtf/rtf_words.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kurvex {

namespace {

using A = RtfAction;

// In alphabetical order, for the reader.
constexpr std::array kWords = std::to_array<RtfWord>({
    {"aftncn", A::kSkipDestination},
    {"aftnsep", A::kSkipDestination},
    {"aftnsepc", A::kSkipDestination},
    {"annotation", A::kSkipDestination},
    {"ansicpg", A::kAnsiCodePage},
    {"atnauthor", A::kSkipDestination},
    {"atnid", A::kSkipDestination},
    {"author", A::kSkipDestination},
    {"b", A::kBold},
    {"bin", A::kBin},
    {"bkmkend", A::kSkipDestination},
    {"bkmkstart", A::kSkipDestination},
    {"blue", A::kBlue},
    {"bullet", A::kCharacter, 0x2022},
    {"buptim", A::kSkipDestination},
    {"cell", A::kCharacter, '\t'},
    {"cf", A::kColor},
    {"colorschememapping", A::kSkipDestination},
    {"colortbl", A::kColorTable},
    {"comment", A::kSkipDestination},
    {"company", A::kSkipDestination},
    {"creatim", A::kSkipDestination},
    {"datastore", A::kSkipDestination},
    {"deff", A::kDefaultFont},
    {"doccomm", A::kSkipDestination},
    {"docvar", A::kSkipDestination},
    {"emdash", A::kCharacter, 0x2014},
    {"emspace", A::kCharacter, 0x2003},
    {"endash", A::kCharacter, 0x2013},
    {"enspace", A::kCharacter, 0x2002},
    {"f", A::kFont},
    {"fchars", A::kSkipDestination},
    {"fcharset", A::kCharset},
    {"fi", A::kFirstIndent},
    {"filetbl", A::kSkipDestination},
    {"fldinst", A::kSkipDestination},
    {"fonttbl", A::kFontTable},
    {"footer", A::kSkipDestination},
    {"footerf", A::kSkipDestination},
    {"footerl", A::kSkipDestination},
    {"footerr", A::kSkipDestination},
    {"footnote", A::kSkipDestination},
    {"fs", A::kFontSize},
    {"ftncn", A::kSkipDestination},
    {"ftnsep", A::kSkipDestination},
    {"ftnsepc", A::kSkipDestination},
    {"generator", A::kSkipDestination},
    {"green", A::kGreen},
    {"header", A::kSkipDestination},
    {"headerf", A::kSkipDestination},
    {"headerl", A::kSkipDestination},
    {"headerr", A::kSkipDestination},
    {"i", A::kItalic},
    {"info", A::kSkipDestination},
    {"keywords", A::kSkipDestination},
    {"latentstyles", A::kSkipDestination},
    {"lchars", A::kSkipDestination},
    {"ldblquote", A::kCharacter, 0x201C},
    {"li", A::kLeftIndent},
    {"line", A::kCharacter, '\n'},
    {"listoverridetable", A::kSkipDestination},
    {"listtable", A::kSkipDestination},
    {"lquote", A::kCharacter, 0x2018},
    {"ltrmark", A::kCharacter, 0x200E},
    {"mmathPr", A::kSkipDestination},
    {"nonshppict", A::kSkipDestination},
    {"objclass", A::kSkipDestination},
    {"objdata", A::kSkipDestination},
    {"operator", A::kSkipDestination},
    {"page", A::kCharacter, '\n'},
    {"par", A::kParagraph},
    {"pard", A::kParagraphDefault},
    {"pgdsctbl", A::kSkipDestination},
    {"pict", A::kSkipDestination},
    {"plain", A::kPlain},
    {"pn", A::kSkipDestination},
    {"pnseclvl", A::kSkipDestination},
    {"pntxta", A::kSkipDestination},
    {"pntxtb", A::kSkipDestination},
    {"printim", A::kSkipDestination},
    {"private", A::kSkipDestination},
    {"qc", A::kAlignCenter},
    {"qj", A::kAlignJustify},
    {"ql", A::kAlignLeft},
    {"qmspace", A::kCharacter, 0x2005},
    {"qr", A::kAlignRight},
    {"rdblquote", A::kCharacter, 0x201D},
    {"red", A::kRed},
    {"revtbl", A::kSkipDestination},
    {"revtim", A::kSkipDestination},
    {"row", A::kCharacter, '\n'},
    {"rquote", A::kCharacter, 0x2019},
    {"rsidtbl", A::kSkipDestination},
    {"rtlmark", A::kCharacter, 0x200F},
    {"sa", A::kSpaceAfter},
    {"sb", A::kSpaceBefore},
    {"sect", A::kCharacter, '\n'},
    {"stylesheet", A::kSkipDestination},
    {"subject", A::kSkipDestination},
    {"tab", A::kCharacter, '\t'},
    {"tc", A::kSkipDestination},
    {"template", A::kSkipDestination},
    {"themedata", A::kSkipDestination},
    {"title", A::kSkipDestination},
    {"txe", A::kSkipDestination},
    {"u", A::kUnicode},
    {"uc", A::kUnicodeSkip},
    {"ul", A::kUnderline},
    {"uld", A::kUnderline},
    {"uldash", A::kUnderline},
    {"uldb", A::kUnderline},
    {"ulnone", A::kUnderlineNone},
    {"ulth", A::kUnderline},
    {"ulw", A::kUnderline},
    {"ulwave", A::kUnderline},
    {"userprops", A::kSkipDestination},
    {"v", A::kHidden},
    {"xe", A::kSkipDestination},
    {"xmlnstbl", A::kSkipDestination},
    {"zwj", A::kCharacter, 0x200D},
    {"zwnj", A::kCharacter, 0x200C},
});

constexpr RtfWord kUnknown{};
constexpr std::size_t kLongestName = [] {
  std::size_t longest = 0;
  for (const RtfWord& word : kWords) longest = std::max(longest, word.name.size());
  return longest;
}();

// Open addressing over a power of two well above the word count: a control word costs one hash
// and, as a rule, one comparison, which matters in files that are mostly markup.
constexpr std::size_t kSlots = 512;
static_assert(kWords.size() < kSlots / 2);

std::size_t Slot(std::string_view name) {
  uint32_t hash = 2166136261u;
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash & (kSlots - 1);
}

const std::array<int16_t, kSlots>& Slots() {
  static const std::array<int16_t, kSlots> slots = [] {
    std::array<int16_t, kSlots> table;
    table.fill(-1);
    for (std::size_t i = 0; i < kWords.size(); ++i) {
      std::size_t slot = Slot(kWords[i].name);
      while (table[slot] >= 0) slot = (slot + 1) & (kSlots - 1);
      table[slot] = static_cast<int16_t>(i);
    }
    return table;
  }();
  return slots;
}

}  // namespace

const RtfWord& LookUpRtfWord(std::string_view name) {
  if (name.size() > kLongestName) return kUnknown;
  const auto& slots = Slots();
  for (std::size_t slot = Slot(name); slots[slot] >= 0; slot = (slot + 1) & (kSlots - 1)) {
    const RtfWord& word = kWords[static_cast<std::size_t>(slots[slot])];
    if (word.name == name) return word;
  }
  return kUnknown;
}

}  // namespace kurvex
