#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

namespace kurvex::shell {

class Dialogs;
class TFormMain;

/// The menu bar: File, Edit, View and Help. Each item runs what the tree, a page's button or
/// one of the graph's actions runs; items whose keys already belong to another action (F1,
/// Ctrl+F, F3, Ctrl+Shift+S) show that action itself, so no key is registered twice.
class MainMenu : public QObject {
  Q_OBJECT

 public:
  /// Builds the bar into `window`, whose collaborators exist once its graph window has joined.
  MainMenu(TFormMain& window, Dialogs& dialogs);

  /// File ▸ Open…: a data file chosen in a dialog loads as a click in the data list would.
  void OpenClick();
  /// File ▸ Open recent ▸ a file; one that is gone leaves the list with a note.
  void OpenRecent(const QString& path);
  /// Edit ▸ Fit to data: both axis pages' Fit buttons, one undo step.
  void FitToDataClick();
  /// Edit ▸ Reverse x axis: the axis page's Reverse button.
  void ReverseXClick();
  /// View ▸ Menu bar and Ctrl+M: the box on the Environment page decides, the bar follows it.
  void ToggleMenuBar();

  QMenuBar* Bar() const { return bar_; }
  QMenu* Recent() const { return recent_; }
  QMenu* LanguageMenu() const { return language_; }

 private:
  QAction* Add(QMenu* menu, const char* name, const char* text, const QKeySequence& key = {});
  /// Adds an action of the window found by name; false when it does not exist (yet).
  bool Show(QMenu* menu, const char* name);
  void BuildFile();
  void BuildEdit();
  void BuildView();
  void BuildHelp();
  void FillRecent();
  void FillLanguages();
  void FollowStatusBar();
  void FollowMenuBarBox();

  TFormMain& window_;
  Dialogs& dialogs_;
  QMenuBar* bar_;
  QMenu* recent_ = nullptr;
  QMenu* language_ = nullptr;
  QAction* statusBar_ = nullptr;
  QAction* menuBar_ = nullptr;
};

}  // namespace kurvex::shell
