#include "rtf/rtf_text_builder.h"

#include "common/utf8.h"

namespace kurvex {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

// \uN writes characters beyond the 16-bit range as two surrogate halves.
void RtfTextBuilder::Append(char32_t cp, const RtfCharFormat& format) {
  if (format.Hidden) return;
  if (cp >= 0xD800 && cp <= 0xDBFF) {
    if (highSurrogate_ != 0) AppendCode(kReplacement, highSurrogateFormat_);
    highSurrogate_ = cp;
    highSurrogateFormat_ = format;
    return;
  }
  if (cp >= 0xDC00 && cp <= 0xDFFF) {
    cp = highSurrogate_ != 0 ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (cp - 0xDC00)
                             : kReplacement;
    highSurrogate_ = 0;
  } else if (highSurrogate_ != 0) {
    AppendCode(kReplacement, highSurrogateFormat_);
  }
  if (cp < 0x20 && cp != '\t' && cp != '\n') return;
  AppendCode(cp, format);
}

void RtfTextBuilder::EndParagraph(const RtfCharFormat& format, const RtfParagraphStyle& style) {
  if (format.Hidden) return;
  Append('\n', format);
  RecordParagraph(style);
}

// Consecutive paragraphs of one layout share an entry, so a long document of plain paragraphs
// costs one.
void RtfTextBuilder::RecordParagraph(const RtfParagraphStyle& style) {
  if (paragraphs_.empty() || !(paragraphs_.back().Style == style)) {
    paragraphs_.push_back({paragraphStart_, style});
  }
  paragraphStart_ = chars_;
}

void RtfTextBuilder::AppendAscii(std::string_view text, const RtfCharFormat& format) {
  if (format.Hidden || text.empty()) return;
  if (highSurrogate_ != 0) AppendCode(kReplacement, highSurrogateFormat_);
  Grow(text.size(), format);
  text_.append(text);
}

RtfDocument RtfTextBuilder::Finish(const std::unordered_map<int, std::string>& fontNames,
                                   const RtfParagraphStyle& lastStyle) {
  if (highSurrogate_ != 0) AppendCode(kReplacement, highSurrogateFormat_);
  if (chars_ > paragraphStart_) RecordParagraph(lastStyle);
  RtfDocument doc;
  doc.Text = std::move(text_);
  doc.Paragraphs = std::move(paragraphs_);
  doc.Runs.reserve(runs_.size());
  for (const Run& run : runs_) {
    RtfStyle style;
    style.Bold = run.format.Bold;
    style.Italic = run.format.Italic;
    style.Underline = run.format.Underline;
    style.FontSize = run.format.HalfPoints / 2.0;
    style.Color = run.format.Color;
    if (const auto found = fontNames.find(run.format.Font); found != fontNames.end()) {
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

void RtfTextBuilder::AppendCode(char32_t cp, const RtfCharFormat& format) {
  highSurrogate_ = 0;
  Grow(1, format);
  AppendUtf8(text_, cp);
}

void RtfTextBuilder::Grow(std::size_t chars, const RtfCharFormat& format) {
  if (runs_.empty() || !(runs_.back().format == format)) runs_.push_back({chars_, 0, format});
  runs_.back().length += chars;
  chars_ += chars;
}

}  // namespace kurvex
