#include "graph/rtf_reader.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

#include "common/code_page.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "common/utf8.h"
#include "graph/rtf_words.h"

namespace kurvex {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr int kDefaultCodePage = 1250;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxHalfPoints = 2000;  // 1000 points, the largest size the engine draws
// Real documents nest a few dozen groups; deeper ones are dropped with their content, so that
// the state stack stays small whatever the file.
constexpr std::size_t kMaxDepth = 1024;
// Enough for any real document; more definitions are ignored so that a hostile font table
// cannot allocate without bound.
constexpr std::size_t kMaxFonts = 4096;
constexpr std::size_t kMaxFontNameChars = 31;  // the longest face name Windows stores
constexpr int kMaxUnicodeSkip = 1000;

struct CharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool hidden = false;  // \v: index entries, field codes, notes to the editor
  int halfPoints = kDefaultHalfPoints;
  uint32_t color = 0;
  int font = 0;
  bool operator==(const CharFormat&) const = default;
};

enum class Destination : uint8_t { kText, kSkip, kFontTable, kColorTable };

struct GroupState {
  CharFormat format;
  Destination destination = Destination::kText;
  int unicodeSkip = 1;  // fallback characters that follow each \uN
};

struct Font {
  std::string name;
  std::size_t nameChars = 0;
  bool nameDone = false;  // the ';' after the name came
  int codePage = 0;       // 0: the document's
};

struct Run {
  std::size_t start;
  std::size_t length;
  CharFormat format;
};

// Code page of a font's character set; 0 for sets without a single-byte page of their own.
int CharsetCodePage(int charset) {
  switch (charset) {
    case 0:
      return 1252;
    case 2:
      return kSymbolCodePage;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 204:
      return 1251;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 255:
      return 437;
    default:
      return 0;
  }
}

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

std::string Trimmed(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
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
    if (highSurrogate_ != 0) EmitCode(kReplacement);
    return Finish();
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
        EmitAscii(p, static_cast<std::size_t>(q - p));
        p = q;
      } else {
        Emit(Table()[b]);
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
    CharFormat& format = state.format;
    switch (word.action) {
      case RtfAction::kNone:
      case RtfAction::kBin:
        break;
      case RtfAction::kCharacter:
        Unicode(word.character);
        break;
      case RtfAction::kSkipDestination:
        state.destination = Destination::kSkip;
        break;
      case RtfAction::kFontTable:
        state.destination = Destination::kFontTable;
        tableFont_ = nullptr;
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
        format.font = param;
        tableCache_ = nullptr;
        break;
      case RtfAction::kFont:
        if (state.destination == Destination::kFontTable) {
          DefineFont(param);
        } else {
          format.font = param;
          tableCache_ = nullptr;
        }
        break;
      case RtfAction::kCharset:
        if (state.destination == Destination::kFontTable && tableFont_ != nullptr) {
          tableFont_->codePage = CharsetCodePage(param);
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
        format.bold = !hasParam || param != 0;
        break;
      case RtfAction::kItalic:
        format.italic = !hasParam || param != 0;
        break;
      case RtfAction::kUnderline:
        format.underline = !hasParam || param != 0;
        break;
      case RtfAction::kUnderlineNone:
        format.underline = false;
        break;
      case RtfAction::kHidden:
        format.hidden = !hasParam || param != 0;
        break;
      case RtfAction::kFontSize:
        format.halfPoints = param > 0 ? std::min(param, kMaxHalfPoints) : kDefaultHalfPoints;
        break;
      case RtfAction::kColor:
        format.color = param >= 0 && static_cast<std::size_t>(param) < colors_.size()
                           ? colors_[static_cast<std::size_t>(param)]
                           : 0;
        break;
      case RtfAction::kPlain:
        format = CharFormat{};
        format.font = defaultFont_;
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
        Emit(Table()[b]);
        break;
      case Destination::kFontTable:
        FontNameChar(b == ';' ? U';' : CodePage(FontCodePage(tableFont_))[b]);
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
      Emit(cp);
    } else if (State().destination == Destination::kFontTable) {
      FontNameChar(cp);
    }
  }

  void DefineFont(int number) {
    tableFont_ = nullptr;
    if (fonts_.size() >= kMaxFonts && !fonts_.contains(number)) return;
    tableFont_ = &fonts_[number];
    *tableFont_ = Font{};
    tableCache_ = nullptr;
  }

  void FontNameChar(char32_t cp) {
    if (tableFont_ == nullptr || tableFont_->nameDone) return;
    if (cp == U';') {
      tableFont_->nameDone = true;
    } else if (tableFont_->nameChars < kMaxFontNameChars && cp >= 0x20) {
      AppendUtf8(tableFont_->name, cp);
      ++tableFont_->nameChars;
    }
  }

  int FontCodePage(const Font* font) const {
    return font != nullptr && font->codePage != 0 ? font->codePage : documentCodePage_;
  }

  // The code page of the current font, looked up once per change of font or font table.
  const CodePageTable& Table() {
    if (tableCache_ == nullptr) {
      const auto found = fonts_.find(State().format.font);
      tableCache_ = &CodePage(FontCodePage(found == fonts_.end() ? nullptr : &found->second));
    }
    return *tableCache_;
  }

  // Surrogate pairs, as \uN writes characters beyond the 16-bit range, join into one; halves
  // without their partner become U+FFFD.
  void Emit(char32_t cp) {
    if (State().format.hidden) return;
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      if (highSurrogate_ != 0) EmitCode(kReplacement);
      highSurrogate_ = cp;
      return;
    }
    if (cp >= 0xDC00 && cp <= 0xDFFF) {
      cp = highSurrogate_ != 0 ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (cp - 0xDC00)
                               : kReplacement;
      highSurrogate_ = 0;
    } else if (highSurrogate_ != 0) {
      EmitCode(kReplacement);
    }
    if (cp < 0x20 && cp != '\t' && cp != '\n') return;  // other control codes show nothing
    EmitCode(cp);
  }

  void EmitCode(char32_t cp) {
    highSurrogate_ = 0;
    Grow(1);
    AppendUtf8(text_, cp);
  }

  void EmitAscii(const char* p, std::size_t length) {
    if (State().format.hidden) return;
    if (highSurrogate_ != 0) EmitCode(kReplacement);
    Grow(length);
    text_.append(p, length);
  }

  void Grow(std::size_t chars) {
    const CharFormat& format = State().format;
    if (runs_.empty() || !(runs_.back().format == format)) runs_.push_back({chars_, 0, format});
    runs_.back().length += chars;
    chars_ += chars;
  }

  RtfDocument Finish() {
    std::unordered_map<int, std::string> names;
    for (const auto& [number, font] : fonts_) names.emplace(number, Trimmed(font.name));
    RtfDocument doc;
    doc.Text = std::move(text_);
    doc.Runs.reserve(runs_.size());
    for (const Run& run : runs_) {
      RtfStyle style;
      style.Bold = run.format.bold;
      style.Italic = run.format.italic;
      style.Underline = run.format.underline;
      style.FontSize = run.format.halfPoints / 2.0;
      style.Color = run.format.color;
      if (const auto found = names.find(run.format.font); found != names.end()) {
        style.FontName = found->second;
      }
      // Fonts missing from the table, or two numbers for one face, can make neighbours equal.
      if (!doc.Runs.empty() && doc.Runs.back().Style == style) {
        doc.Runs.back().Length += run.length;
      } else {
        doc.Runs.push_back({run.start, run.length, std::move(style)});
      }
    }
    return doc;
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::vector<GroupState> stack_;  // the bottom entry holds the state outside every group
  std::size_t dropped_ = 0;        // open groups beyond kMaxDepth
  int pendingSkip_ = 0;            // fallback characters of the last \uN still to skip
  char32_t highSurrogate_ = 0;
  int documentCodePage_ = kDefaultCodePage;
  int defaultFont_ = 0;
  std::unordered_map<int, Font> fonts_;
  Font* tableFont_ = nullptr;  // the font the font table is defining
  const CodePageTable* tableCache_ = nullptr;
  std::vector<uint32_t> colors_;
  int red_ = 0;
  int green_ = 0;
  int blue_ = 0;
  std::string text_;
  std::size_t chars_ = 0;
  std::vector<Run> runs_;
};

RtfDocument PlainText(std::string_view bytes) {
  RtfDocument doc;
  doc.Text = ReplaceAll(ReplaceAll(DecodeText(std::string(bytes)), "\r\n", "\n"), "\r", "\n");
  if (!doc.Text.empty()) doc.Runs.push_back({0, Utf8Length(doc.Text), RtfStyle{}});
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
  return ParseRtf(ReadFileBytes(path));
}

}  // namespace kurvex
