// The manual and the About page as the main window uses them: context help for the tree,
// the hidden menu with its shortcuts, and loading a language's manual.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTextEdit>

#include "rtf/rtf_reader.h"
#include "shell/color_panel.h"
#include "shell/form_main.h"
#include "shell/guard.h"
#include "shell/help/about_page.h"
#include "shell/help/manual_page.h"
#include "shell/help/rich_text_fill.h"
#include "shell/licence.h"
#include "shell/nav_tree.h"
#include "shell/notebook.h"
#include "shell/qt_convert.h"

namespace kurvex::shell {

void TFormMain::BuildHelpPages(QWidget* about, QWidget* manual) {
  about_ = new AboutPage(about);
  memoLicence_ = about_->MemoLicence;
  ConnectGuarded(this, dialogs_, about_->PanelAbout, &ClickLabel::Clicked,
                 &TFormMain::PanelAboutClick);
  manual_ = new ManualPage(manual, dialogs_);
  richEditAbout_ = manual_->RichEditAbout;
}

void TFormMain::BuildMainMenu() {
  // No menu bar shows: its shortcuts reach the window through actions the window holds.
  auto* bar = new QMenuBar(this);
  bar->setObjectName("MainMenu1");
  bar->hide();
  const auto add = [this](QWidget* owner, const char* name, const char* text,
                          const QKeySequence& key, void (TFormMain::*handler)()) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcut(key);
    owner->addAction(action);
    addAction(action);
    ConnectGuarded(this, dialogs_, action, &QAction::triggered, handler);
  };
  add(bar, "MenuHelp", "Help", Qt::Key_F1, &TFormMain::MenuHelpClick);
  QMenu* find = bar->addMenu("Find");
  find->setObjectName("MenuFind");
  add(find, "MenuFindFirst", "FindFirst", Qt::CTRL | Qt::Key_F, &TFormMain::MenuFindFirstClick);
  add(find, "MenuFindNext", "FindNext", Qt::Key_F3, &TFormMain::MenuFindNextClick);
}

void TFormMain::FillLicence() {
  about_->FillLicence(LicenceText());
}

void TFormMain::LoadManual(const std::string& rtfPath) {
  // Read whole before the box changes, so a file that cannot be read leaves the old manual.
  const RtfDocument document = ReadRtfFile(rtfPath);
  FillRichText(*richEditAbout_, document);
}

void TFormMain::ShowManualTopic(const std::string& caption) {
  const int marker = manual_->TopicPosition(caption);
  if (marker < 0) return;
  notebookImage_->ShowPage("Manual");
  manual_->SelectTopic(marker + 1, static_cast<int>(Q(caption).size()));
}

void TFormMain::MenuHelpClick() {
  if (QTreeWidgetItem* item = treeView_->Selected()) ShowManualTopic(S(item->text(0)));
}

void TFormMain::MenuFindFirstClick() {
  notebookImage_->ShowPage("Manual");
  manual_->EditFind->setFocus();
}

void TFormMain::MenuFindNextClick() {
  notebookImage_->ShowPage("Manual");
  manual_->FindNext();
  manual_->EditFind->setFocus();
}

void TFormMain::PanelAboutClick() {
  notebookImage_->ShowPage("GraphImage");
}

}  // namespace kurvex::shell
