#include "shell/pages/text_page.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "shell/kit/color_panel.h"
#include "shell/kit/qt_convert.h"
#include "shell/pages/page_graph.h"

namespace kurvex::shell {

QString MemoText(const std::string& text) {
  QString memo = Q(text);
  memo.replace("\r\n", "\n");
  memo.replace('\r', '\n');
  return memo;
}

std::string ModelText(const QString& memo) {
  return S(memo.split('\n').join("\r\n"));
}

TextPage::TextPage(QWidget* page) : SettingsPage(page, "ScrollBoxText", "ScrollBoxTextContent") {
  heading_ = Heading("LabelText", "Text");
  visible_ = Check("CheckBoxTextVisible", "Visible");
  left_ = Spin("LabelTextLeft", "Left", "EditTextLeft", "UpDownTextLeft", 10, 2000, 10, 10,
               "CheckBoxTextLeftAuto");
  top_ = Spin("LabelTextTop", "Top", "EditTextTop", "UpDownTextTop", 0, 2000, 1, 8,
              "CheckBoxTextTopAuto");
  auto* panel = new QWidget(Parent());
  panel->setObjectName("PanelGraphText");
  panel->setMinimumSize(40, 40);
  memo_ = new QPlainTextEdit(panel);
  memo_->setObjectName("MemoGraphText");
  memo_->setAccessibleName("Graph text");
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setTabChangesFocus(true);
  memo_->setMinimumHeight(80);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 4, 0, 0);
  layout->addWidget(memo_);
  Row(panel, true);
}

void TextPage::Connect() {
  On(visible_, &QCheckBox::toggled, &TextPage::CheckBoxTextVisibleClick);
  On(heading_, &ClickLabel::Clicked, &TextPage::SpeedButtonTextFontClick);
  heading_->setCursor(Qt::PointingHandCursor);
  On(left_.Auto, &QCheckBox::toggled, &TextPage::CheckBoxTextLeftAutoClick);
  On(left_.Edit, &QLineEdit::textChanged, &TextPage::EditTextLeftChange);
  On(top_.Auto, &QCheckBox::toggled, &TextPage::CheckBoxTextTopAutoClick);
  On(top_.Edit, &QLineEdit::textChanged, &TextPage::EditTextTopChange);
  On(memo_, &QPlainTextEdit::textChanged, &TextPage::MemoGraphTextChange);
}

void TextPage::Fill() {
  const TMyTitle text = Model().Text;
  // The memo reports every replacement as a change; the same text must run nothing.
  if (const QString shown = MemoText(text.Text); memo_->toPlainText() != shown) {
    memo_->setPlainText(shown);
  }
  SetChecked(visible_, text.Visible);
  SetPlacement(left_, top_, text);
}

void TextPage::CheckBoxTextVisibleClick() {
  StoreCheck(visible_, Model().Text.Visible);
}

void TextPage::SpeedButtonTextFontClick() {
  EditFont(Model().Text.Font);
}

void TextPage::CheckBoxTextLeftAutoClick() {
  ApplyAuto(left_, Model().Text.LeftAuto);
}

void TextPage::EditTextLeftChange() {
  StoreInt(left_.Edit, Model().Text.Left);
}

void TextPage::CheckBoxTextTopAutoClick() {
  ApplyAuto(top_, Model().Text.TopAuto);
}

void TextPage::EditTextTopChange() {
  StoreInt(top_.Edit, Model().Text.Top);
}

void TextPage::MemoGraphTextChange() {
  Model().Text.Text = ModelText(memo_->toPlainText());
  // The text block is drawn at once, even with auto repaint off.
  Graph().Engine().DrawTextBlock();
}

}  // namespace kurvex::shell
