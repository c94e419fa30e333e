#pragma once

#include <QString>
#include <string>

#include "common/text_utils.h"

class QTextEdit;

namespace kurvex::shell {

/// The code points in the first `utf16` units of `text` (a surrogate pair counts once).
int CodePointOffset(const QString& text, int utf16);

/// The UTF-16 position of code point `codePoints` of `text`, clamped to its length.
int Utf16Offset(const QString& text, int codePoints);

/// A rich-text box as the find function sees it: the engine counts code points, the box
/// UTF-16 units, so positions are converted at this boundary.
class RichEditBox : public TextBox {
 public:
  explicit RichEditBox(QTextEdit& box);
  std::string Text() const override;
  int SelStart() const override;
  int SelLength() const override;
  void SetSelection(int start, int length) override;

 private:
  QTextEdit& box_;
  QString text_;  // read once: the box does not change while one find runs
};

}  // namespace kurvex::shell
