#pragma once

#include <QObject>
#include <string>

class QAction;
class QWidget;

namespace kurvex::shell {

class AboutPage;
class Dialogs;
class ManualPage;
class NavTree;
class Notebook;

/// The manual and the About page as the main window uses them: context help for the tree, the
/// find keys, and the way from the About banner back to the graph.
class HelpDesk : public QObject {
  Q_OBJECT

 public:
  /// Builds the About page into `about` and the manual into `manual`, two pages of `central`;
  /// `tree` is asked for the item F1 explains.
  HelpDesk(QWidget* about, QWidget* manual, Notebook& central, NavTree& tree, Dialogs& dialogs,
           QObject* parent = nullptr);

  /// The hidden menu whose shortcuts act anywhere in `window`: F1, Ctrl+F and F3.
  void BuildMainMenu(QWidget& window);
  /// F1, Ctrl+F and F3, once BuildMainMenu has made them.
  QAction* HelpAction() const { return help_; }
  QAction* FindFirstAction() const { return findFirst_; }
  QAction* FindNextAction() const { return findNext_; }
  void FillLicence();

  /// The manual's help for a tree caption; does nothing until the manual has that topic.
  void ShowManualTopic(const std::string& caption);
  /// The manual at the first mention of `text`, topic or not.
  void ShowFirstMention(const std::string& text);
  /// F1: the manual's topic of the tree's selected item.
  void MenuHelpClick();
  /// Ctrl+F: the manual with the focus in its find field.
  void MenuFindFirstClick();
  /// F3: the manual at the next match of the find text.
  void MenuFindNextClick();
  /// A click on the About banner shows the graph again.
  void PanelAboutClick();

  ManualPage& Manual() const { return *manual_; }
  AboutPage& About() const { return *about_; }

 private:
  Notebook& central_;
  NavTree& tree_;
  Dialogs& dialogs_;
  QAction* help_ = nullptr;
  QAction* findFirst_ = nullptr;
  QAction* findNext_ = nullptr;
  AboutPage* about_;
  ManualPage* manual_;
};

}  // namespace kurvex::shell
