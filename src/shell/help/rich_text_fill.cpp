#include "shell/help/rich_text_fill.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "shell/kit/qt_convert.h"

namespace kurvex::shell {

namespace {

QTextCharFormat CharFormat(const RtfStyle& style) {
  QTextCharFormat format;
  format.setFontWeight(style.Bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(style.Italic);
  format.setFontUnderline(style.Underline);
  if (style.FontSize > 0) format.setFontPointSize(style.FontSize);
  format.setForeground(ToQColor(style.Color));
  if (!style.FontName.empty()) format.setFontFamilies({Q(style.FontName)});
  return format;
}

QTextBlockFormat BlockFormat(const RtfParagraphStyle& style, double pixelsPerTwip) {
  QTextBlockFormat format;
  format.setLeftMargin(style.LeftIndent * pixelsPerTwip);
  format.setTextIndent(style.FirstIndent * pixelsPerTwip);
  format.setTopMargin(style.SpaceBefore * pixelsPerTwip);
  format.setBottomMargin(style.SpaceAfter * pixelsPerTwip);
  using A = RtfParagraphStyle::Align;
  format.setAlignment(style.Alignment == A::Center    ? Qt::AlignHCenter
                      : style.Alignment == A::Right   ? Qt::AlignRight
                      : style.Alignment == A::Justify ? Qt::AlignJustify
                                                      : Qt::AlignLeft);
  // A hanging first line (a bullet and a tab) has its tab stop where the other lines begin;
  // the box measures tab stops from the start of the first line.
  if (style.FirstIndent < 0) {
    format.setTabPositions(
        {QTextOption::Tab(-style.FirstIndent * pixelsPerTwip, QTextOption::LeftTab)});
  }
  return format;
}

// Lays out each stretch of paragraphs; the entries count code points, the box UTF-16 units.
void ApplyParagraphs(QTextEdit& box, const QString& text,
                     const std::vector<RtfParagraphs>& paragraphs) {
  const double pixelsPerTwip = box.logicalDpiX() / 1440.0;
  QTextCursor cursor(box.document());
  qsizetype position = 0;
  std::size_t codePoint = 0;
  const auto advanceTo = [&](std::size_t target) {
    while (codePoint < target && position < text.size()) {
      position += (text[position].isHighSurrogate() && position + 1 < text.size()) ? 2 : 1;
      ++codePoint;
    }
    return static_cast<int>(position);
  };
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    const int from = advanceTo(paragraphs[i].Start);
    const int to = i + 1 < paragraphs.size() ? advanceTo(paragraphs[i + 1].Start) - 1
                                             : static_cast<int>(text.size());
    cursor.setPosition(from);
    cursor.setPosition(std::max(from, to), QTextCursor::KeepAnchor);
    cursor.setBlockFormat(BlockFormat(paragraphs[i].Style, pixelsPerTwip));
  }
}

}  // namespace

void FillRichText(QTextEdit& box, const RtfDocument& document) {
  const QString text = Q(document.Text);
  QTextDocument* target = box.document();
  target->setUndoRedoEnabled(false);
  target->clear();
  QTextCursor cursor(target);
  cursor.beginEditBlock();
  // The runs follow each other without gaps and count code points; walking them once keeps
  // a long manual linear.
  qsizetype position = 0;
  for (const RtfRun& run : document.Runs) {
    qsizetype end = position;
    for (std::size_t n = 0; n < run.Length && end < text.size(); ++n) {
      end += (text[end].isHighSurrogate() && end + 1 < text.size()) ? 2 : 1;
    }
    cursor.insertText(text.mid(position, end - position), CharFormat(run.Style));
    position = end;
  }
  if (position < text.size()) cursor.insertText(text.mid(position));
  ApplyParagraphs(box, text, document.Paragraphs);
  cursor.endEditBlock();
  box.moveCursor(QTextCursor::Start);
}

}  // namespace kurvex::shell
