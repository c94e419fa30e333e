#include "shell/help/help_desk.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTextEdit>

#include "shell/help/about_page.h"
#include "shell/help/licence.h"
#include "shell/help/manual_page.h"
#include "shell/kit/color_panel.h"
#include "shell/kit/guard.h"
#include "shell/kit/nav_tree.h"
#include "shell/kit/notebook.h"
#include "shell/kit/qt_convert.h"

namespace kurvex::shell {

HelpDesk::HelpDesk(QWidget* about, QWidget* manual, Notebook& central, NavTree& tree,
                   Dialogs& dialogs, QObject* parent)
    : QObject(parent), central_(central), tree_(tree), dialogs_(dialogs) {
  about_ = new AboutPage(about);
  ConnectGuarded(this, dialogs_, about_->PanelAbout, &ClickLabel::Clicked,
                 &HelpDesk::PanelAboutClick);
  manual_ = new ManualPage(manual, dialogs_);
}

void HelpDesk::BuildMainMenu(QWidget& window) {
  // No menu bar shows: its shortcuts reach the window through actions the window holds, where
  // the language files find them by name.
  auto* bar = new QMenuBar(&window);
  bar->setObjectName("MainMenu1");
  bar->hide();
  const auto add = [&](QWidget* owner, const char* name, const char* text, const QKeySequence& key,
                       void (HelpDesk::*handler)()) {
    auto* action = new QAction(text, &window);
    action->setObjectName(name);
    action->setShortcut(key);
    owner->addAction(action);
    window.addAction(action);
    ConnectGuarded(this, dialogs_, action, &QAction::triggered, handler);
    return action;
  };
  help_ = add(bar, "MenuHelp", "Help", Qt::Key_F1, &HelpDesk::MenuHelpClick);
  QMenu* find = bar->addMenu("Find");
  find->setObjectName("MenuFind");
  findFirst_ =
      add(find, "MenuFindFirst", "FindFirst", Qt::CTRL | Qt::Key_F, &HelpDesk::MenuFindFirstClick);
  findNext_ = add(find, "MenuFindNext", "FindNext", Qt::Key_F3, &HelpDesk::MenuFindNextClick);
}

void HelpDesk::FillLicence() {
  about_->FillLicence(LicenceText());
}

void HelpDesk::ShowManualTopic(const std::string& caption) {
  const int marker = manual_->TopicPosition(caption);
  if (marker < 0) return;
  central_.ShowPage("Manual");
  manual_->SelectTopic(marker + 1, static_cast<int>(Q(caption).size()));
}

void HelpDesk::ShowFirstMention(const std::string& text) {
  central_.ShowPage("Manual");
  manual_->ScrollNearTop(static_cast<int>(manual_->RichEditAbout->toPlainText().indexOf(Q(text))));
}

void HelpDesk::MenuHelpClick() {
  if (QTreeWidgetItem* item = tree_.Selected()) ShowManualTopic(S(item->text(0)));
}

void HelpDesk::MenuFindFirstClick() {
  central_.ShowPage("Manual");
  manual_->EditFind->setFocus();
}

void HelpDesk::MenuFindNextClick() {
  central_.ShowPage("Manual");
  manual_->FindNext();
  manual_->EditFind->setFocus();
}

void HelpDesk::PanelAboutClick() {
  central_.ShowPage("GraphImage");
}

}  // namespace kurvex::shell
