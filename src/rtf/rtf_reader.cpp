#include "rtf/rtf_reader.h"

#include <algorithm>
#include <climits>

#include "common/code_page.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "common/utf8.h"
#include "rtf/rtf_font_table.h"
#include "rtf/rtf_text_builder.h"
#include "rtf/rtf_words.h"

namespace kurvex {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr int kDefaultCodePage = 1250;
constexpr int kDefaultHalfPoints = RtfCharFormat{}.HalfPoints;
constexpr int kMaxHalfPoints = 2000;  // 1000 points, the largest size the engine draws
// Real documents nest a few dozen groups; deeper ones are dropped with their content, so that
// the state stack stays small whatever the file.
constexpr std::size_t kMaxDepth = 1024;
constexpr int kMaxUnicodeSkip = 1000;
constexpr int kMaxTwips = 31680;  // 22 inches, wider than any page

enum class Destination : uint8_t { kText, kSkip, kFontTable, kColorTable };

struct GroupState {
  RtfCharFormat format;
  RtfParagraphStyle paragraph;
  Destination destination = Destination::kText;
  int unicodeSkip = 1;  // fallback characters that follow each \uN
};

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Parser {
 public:
  explicit Parser(std::string_view in) : in_(in) {}

  RtfDocument Parse() {
    stack_.push_back(GroupState{});
    while (pos_ < in_.size()) {
      const char c = in_[pos_++];
      if (c == '{') {
        OpenGroup();
      } else if (c == '}') {
        if (CloseGroup()) break;
      } else if (c == '\\') {
        Control();
      } else {
        --pos_;
        Span();
      }
    }
    return text_.Finish(fonts_.Names(), closed_ ? lastParagraph_ : State().paragraph);
  }

 private:
  GroupState& State() { return stack_.back(); }
  bool Skipping() const { return dropped_ > 0 || stack_.back().destination == Destination::kSkip; }

  void OpenGroup() {
    pendingSkip_ = 0;
    if (dropped_ > 0 || stack_.size() > kMaxDepth) {
      ++dropped_;
    } else {
      stack_.push_back(stack_.back());
    }
  }

  // True when the document's outermost group closed: what follows it is not part of it.
  bool CloseGroup() {
    pendingSkip_ = 0;
    if (dropped_ > 0) {
      --dropped_;
      return false;
    }
    if (stack_.size() <= 1) return false;
    if (stack_.size() == 2) {
      closed_ = true;
      lastParagraph_ = stack_.back().paragraph;
    }
    stack_.pop_back();
    tableCache_ = nullptr;  // the restored state may use another font
    return stack_.size() == 1;
  }

  // Text bytes up to the next brace or backslash.
  void Span() {
    const std::size_t start = pos_;
    while (pos_ < in_.size() && in_[pos_] != '\\' && in_[pos_] != '{' && in_[pos_] != '}') ++pos_;
    if (Skipping()) return;
    const char* p = in_.data() + start;
    const char* const end = in_.data() + pos_;
    if (State().destination != Destination::kText) {
      for (; p < end; ++p) {
        if (*p != '\r' && *p != '\n') Byte(static_cast<unsigned char>(*p));
      }
      return;
    }
    while (p < end) {
      const auto b = static_cast<unsigned char>(*p);
      if (b == '\r' || b == '\n') {  // line ends of the file are not part of the text
        ++p;
      } else if (pendingSkip_ > 0) {
        --pendingSkip_;
        ++p;
      } else if (b >= 0x20 && b < 0x7F) {
        const char* q = p + 1;
        while (q < end && static_cast<unsigned char>(*q) >= 0x20 &&
               static_cast<unsigned char>(*q) < 0x7F) {
          ++q;
        }
        text_.AppendAscii(std::string_view(p, static_cast<std::size_t>(q - p)), State().format);
        p = q;
      } else {
        text_.Append(Table()[b], State().format);
        ++p;
      }
    }
  }

  // After a backslash: a control word with its parameter, or a control symbol.
  void Control() {
    if (pos_ >= in_.size()) return;
    if (!IsLetter(in_[pos_])) {
      Symbol(in_[pos_++]);
      return;
    }
    const std::size_t nameStart = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
    const std::string_view name = in_.substr(nameStart, pos_ - nameStart);
    bool hasParam = false;
    int64_t value = 0;
    bool negative = false;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      hasParam = true;
      value = std::min<int64_t>(value * 10 + (in_[pos_++] - '0'), int64_t{INT_MAX} + 1);
    }
    if (negative) value = -value;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    Word(LookUpRtfWord(name), hasParam,
         static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX)));
  }

  void Symbol(char c) {
    switch (c) {
      case '\'': {
        int byte = -1;
        for (int i = 0; i < 2 && pos_ < in_.size() && HexValue(in_[pos_]) >= 0; ++i) {
          byte = std::max(byte, 0) * 16 + HexValue(in_[pos_++]);
        }
        if (byte >= 0) {
          Byte(static_cast<unsigned char>(byte));
        } else {
          Ignored();
        }
        break;
      }
      case '\\':
      case '{':
      case '}':
        Byte(static_cast<unsigned char>(c));
        break;
      case '~':
        Unicode(0x00A0);
        break;
      case '_':
        Unicode(0x2011);
        break;
      case '*':
        if (!Skipping() && !ConsumedAsFallback()) State().destination = Destination::kSkip;
        break;
      case '\r':
      case '\n':
        Unicode('\n');
        break;
      case '\t':
        Unicode('\t');
        break;
      default:  // the optional hyphen, index subentries, formulas: nothing to show
        Ignored();
    }
  }

  void Word(const RtfWord& word, bool hasParam, int param) {
    if (word.action == RtfAction::kBin) {
      // Binary data is never text, whatever state the reader is in.
      if (param > 0) pos_ += std::min(static_cast<std::size_t>(param), in_.size() - pos_);
      Ignored();
      return;
    }
    if (Skipping() || ConsumedAsFallback()) return;
    GroupState& state = State();
    RtfCharFormat& format = state.format;
    RtfParagraphStyle& paragraph = state.paragraph;
    const int twips = std::clamp(param, -kMaxTwips, kMaxTwips);
    switch (word.action) {
      case RtfAction::kNone:
      case RtfAction::kBin:
        break;
      case RtfAction::kCharacter:
        Unicode(word.character);
        break;
      case RtfAction::kParagraph:
        if (state.destination == Destination::kText) {
          text_.EndParagraph(format, paragraph);
        } else {
          Unicode('\n');
        }
        break;
      case RtfAction::kParagraphDefault:
        paragraph = RtfParagraphStyle{};
        break;
      case RtfAction::kLeftIndent:
        paragraph.LeftIndent = twips;
        break;
      case RtfAction::kFirstIndent:
        paragraph.FirstIndent = twips;
        break;
      case RtfAction::kSpaceBefore:
        paragraph.SpaceBefore = std::max(0, twips);
        break;
      case RtfAction::kSpaceAfter:
        paragraph.SpaceAfter = std::max(0, twips);
        break;
      case RtfAction::kAlignLeft:
      case RtfAction::kAlignCenter:
      case RtfAction::kAlignRight:
      case RtfAction::kAlignJustify:
        // The four words follow each other in the action list as in the alignment list.
        paragraph.Alignment = static_cast<RtfParagraphStyle::Align>(
            static_cast<int>(word.action) - static_cast<int>(RtfAction::kAlignLeft));
        break;
      case RtfAction::kSkipDestination:
        state.destination = Destination::kSkip;
        break;
      case RtfAction::kFontTable:
        state.destination = Destination::kFontTable;
        break;
      case RtfAction::kColorTable:
        state.destination = Destination::kColorTable;
        break;
      case RtfAction::kAnsiCodePage:
        documentCodePage_ = param;
        tableCache_ = nullptr;
        break;
      case RtfAction::kDefaultFont:
        defaultFont_ = param;
        format.Font = param;
        tableCache_ = nullptr;
        break;
      case RtfAction::kFont:
        if (state.destination == Destination::kFontTable) {
          fonts_.Define(param);
          tableCache_ = nullptr;
        } else {
          format.Font = param;
          tableCache_ = nullptr;
        }
        break;
      case RtfAction::kCharset:
        if (state.destination == Destination::kFontTable) {
          fonts_.SetCharset(param);
          tableCache_ = nullptr;
        }
        break;
      case RtfAction::kRed:
        red_ = std::clamp(param, 0, 255);
        break;
      case RtfAction::kGreen:
        green_ = std::clamp(param, 0, 255);
        break;
      case RtfAction::kBlue:
        blue_ = std::clamp(param, 0, 255);
        break;
      case RtfAction::kBold:
        format.Bold = !hasParam || param != 0;
        break;
      case RtfAction::kItalic:
        format.Italic = !hasParam || param != 0;
        break;
      case RtfAction::kUnderline:
        format.Underline = !hasParam || param != 0;
        break;
      case RtfAction::kUnderlineNone:
        format.Underline = false;
        break;
      case RtfAction::kHidden:
        format.Hidden = !hasParam || param != 0;
        break;
      case RtfAction::kFontSize:
        format.HalfPoints = param > 0 ? std::min(param, kMaxHalfPoints) : kDefaultHalfPoints;
        break;
      case RtfAction::kColor:
        format.Color = param >= 0 && static_cast<std::size_t>(param) < colors_.size()
                           ? colors_[static_cast<std::size_t>(param)]
                           : 0;
        break;
      case RtfAction::kPlain:
        format = RtfCharFormat{};
        format.Font = defaultFont_;
        tableCache_ = nullptr;
        break;
      case RtfAction::kUnicodeSkip:
        state.unicodeSkip = std::clamp(param, 0, kMaxUnicodeSkip);
        break;
      case RtfAction::kUnicode: {
        const int64_t code = param < 0 ? int64_t{param} + 65536 : param;
        Unicode(code < 0 ? kReplacement : static_cast<char32_t>(code));
        pendingSkip_ = state.unicodeSkip;
        break;
      }
    }
  }

  // A control symbol or word that stands in the fallback text of a \uN is part of it.
  bool ConsumedAsFallback() {
    if (pendingSkip_ == 0) return false;
    --pendingSkip_;
    return true;
  }

  void Ignored() {
    if (!Skipping()) ConsumedAsFallback();
  }

  // An 8-bit character of the file, in the code page of the current font.
  void Byte(unsigned char b) {
    if (Skipping() || ConsumedAsFallback()) return;
    switch (State().destination) {
      case Destination::kText:
        text_.Append(Table()[b], State().format);
        break;
      case Destination::kFontTable:
        fonts_.NameChar(b == ';' ? U';' : CodePage(fonts_.DefiningCodePage(documentCodePage_))[b]);
        break;
      case Destination::kColorTable:
        if (b == ';') {
          colors_.push_back(static_cast<uint32_t>(red_) | static_cast<uint32_t>(green_) << 8 |
                            static_cast<uint32_t>(blue_) << 16);
          red_ = green_ = blue_ = 0;
        }
        break;
      case Destination::kSkip:
        break;
    }
  }

  void Unicode(char32_t cp) {
    if (Skipping() || ConsumedAsFallback()) return;
    if (State().destination == Destination::kText) {
      text_.Append(cp, State().format);
    } else if (State().destination == Destination::kFontTable) {
      fonts_.NameChar(cp);
    }
  }

  // The code page of the current font, looked up once per change of font or font table.
  const CodePageTable& Table() {
    if (tableCache_ == nullptr) {
      tableCache_ = &CodePage(fonts_.CodePageOf(State().format.Font, documentCodePage_));
    }
    return *tableCache_;
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::vector<GroupState> stack_;  // the bottom entry holds the state outside every group
  std::size_t dropped_ = 0;        // open groups beyond kMaxDepth
  int pendingSkip_ = 0;            // fallback characters of the last \uN still to skip
  int documentCodePage_ = kDefaultCodePage;
  int defaultFont_ = 0;
  RtfFontTable fonts_;
  const CodePageTable* tableCache_ = nullptr;
  std::vector<uint32_t> colors_;
  int red_ = 0;
  int green_ = 0;
  int blue_ = 0;
  RtfTextBuilder text_;
  bool closed_ = false;              // the document's outermost group has closed
  RtfParagraphStyle lastParagraph_;  // the layout in force when it closed
};

RtfDocument PlainText(std::string_view bytes) {
  RtfDocument doc;
  doc.Text = ReplaceAll(ReplaceAll(DecodeText(std::string(bytes)), "\r\n", "\n"), "\r", "\n");
  if (!doc.Text.empty()) {
    doc.Runs.push_back({0, Utf8Length(doc.Text), RtfStyle{}});
    doc.Paragraphs.push_back({});
  }
  return doc;
}

}  // namespace

RtfDocument ParseRtf(std::string_view rtf) {
  if (rtf.starts_with("\xEF\xBB\xBF")) rtf.remove_prefix(3);  // a byte-order mark some tools add
  const std::size_t start = rtf.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos || !rtf.substr(start).starts_with("{\\rtf")) {
    return PlainText(rtf);
  }
  return Parser(rtf.substr(start)).Parse();
}

RtfDocument ReadRtfFile(const std::string& path) {
  return ParseRtf(ReadFileOrThrow(path));
}

}  // namespace kurvex
