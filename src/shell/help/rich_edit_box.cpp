#include "shell/help/rich_edit_box.h"

#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

namespace kurvex::shell {

int CodePointOffset(const QString& text, int utf16) {
  const int end = std::clamp(utf16, 0, static_cast<int>(text.size()));
  int count = 0;
  for (int i = 0; i < end; ++i) {
    // The low half of a pair belongs to the code point its high half started.
    if (!(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())) ++count;
  }
  return count;
}

int Utf16Offset(const QString& text, int codePoints) {
  int i = 0;
  const int size = static_cast<int>(text.size());
  for (int n = 0; n < codePoints && i < size; ++n) {
    i += (text[i].isHighSurrogate() && i + 1 < size && text[i + 1].isLowSurrogate()) ? 2 : 1;
  }
  return i;
}

RichEditBox::RichEditBox(QTextEdit& box) : box_(box), text_(box.toPlainText()) {}

std::string RichEditBox::Text() const {
  return text_.toStdString();
}

int RichEditBox::SelStart() const {
  return CodePointOffset(text_, box_.textCursor().selectionStart());
}

int RichEditBox::SelLength() const {
  const QTextCursor cursor = box_.textCursor();
  return CodePointOffset(text_, cursor.selectionEnd()) -
         CodePointOffset(text_, cursor.selectionStart());
}

void RichEditBox::SetSelection(int start, int length) {
  const int from = Utf16Offset(text_, start);
  QTextCursor cursor = box_.textCursor();
  cursor.setPosition(from);
  cursor.setPosition(Utf16Offset(text_, start + length), QTextCursor::KeepAnchor);
  box_.setTextCursor(cursor);
  box_.ensureCursorVisible();
}

}  // namespace kurvex::shell
