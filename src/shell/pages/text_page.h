#pragma once

#include "shell/pages/settings_page.h"

class QPlainTextEdit;

namespace kurvex::shell {

/// "Text": the free text block, its font and where it is drawn.
class TextPage : public SettingsPage {
  Q_OBJECT

 public:
  explicit TextPage(QWidget* page);
  /// Moved to (left, top) on the graph; see MovePlaced.
  void MoveTo(int left, int top) { MovePlaced(left_, top_, Model().Text, left, top); }
  void Fill() override;

 private:
  void Connect() override;

  void CheckBoxTextVisibleClick();
  void SpeedButtonTextFontClick();
  void CheckBoxTextLeftAutoClick();
  void EditTextLeftChange();
  void CheckBoxTextTopAutoClick();
  void EditTextTopChange();
  void MemoGraphTextChange();

  ClickLabel* heading_;
  QCheckBox* visible_;
  SpinField left_;
  SpinField top_;
  QPlainTextEdit* memo_;
};

/// The model's text ("\r\n" between lines) as the memo shows it, and back.
QString MemoText(const std::string& text);
std::string ModelText(const QString& memo);

}  // namespace kurvex::shell
