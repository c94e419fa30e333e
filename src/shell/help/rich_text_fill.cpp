#include "shell/help/rich_text_fill.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "shell/qt_convert.h"

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
  cursor.endEditBlock();
  box.moveCursor(QTextCursor::Start);
}

}  // namespace kurvex::shell
