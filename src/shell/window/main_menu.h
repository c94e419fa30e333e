#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

namespace kurvex::shell {

class DataFiles;
class Dialogs;
class HelpDesk;
class ImageActions;
class Languages;
class MessageLine;
class Notebook;
class OptionsActions;
class PageHub;
class TreeNavigation;
struct ItemCaptions;
struct PageSet;

/// What the menu's items run, handed in by the main window.
struct MenuParts {
  const PageSet& Pages;
  PageHub& Hub;
  DataFiles& Files;
  OptionsActions& Options;
  TreeNavigation& Navigation;
  Languages& Language;
  MessageLine& Messages;
  /// The centre notebook: graph, manual, log, About.
  Notebook& Central;
  ImageActions& Images;
  HelpDesk& Help;
  /// Edit ▸ Undo and Redo.
  std::function<void()> Undo;
  std::function<void()> Redo;
};

/// The menu bar: File, Edit, View and Help. Each item runs what the tree, a page's button or
/// one of the graph's actions runs; items whose keys already belong to another action (F1,
/// Ctrl+F, F3, Ctrl+Shift+S) show that action itself, so no key is registered twice.
class MainMenu : public QObject {
  Q_OBJECT

 public:
  /// Builds the bar into `window`; the keys work through actions the window holds.
  MainMenu(QMainWindow& window, Dialogs& dialogs, MenuParts parts);

  /// File ▸ Open…: a data file chosen in a dialog loads as a click in the data list would.
  void OpenClick();
  /// File ▸ Open recent ▸ a file; one that is gone leaves the list with a note.
  void OpenRecent(const QString& path);
  /// Edit ▸ Fit to data: both axes fitted as their pages' Fit buttons do, one undo step.
  void FitToDataClick();
  /// Edit ▸ Reverse x axis: as the axis page's Reverse button does.
  void ReverseXClick();
  /// View ▸ Menu bar and Ctrl+M: the box on the Environment page decides, the bar follows it.
  void ToggleMenuBar();

  QMenuBar* Bar() const { return bar_; }
  QMenu* Recent() const { return recent_; }
  QMenu* LanguageMenu() const { return language_; }
  QMenu* StyleMenu() const { return style_; }
  /// Data ▸ Columns…, which the graph's context menu offers too.
  QAction* ColumnsAction() const { return columns_; }

 private:
  QAction* Add(QMenu* menu, const char* name, const char* text, const QKeySequence& key = {});
  void BuildFile();
  void BuildEdit();
  void BuildView();
  void BuildData();
  void BuildHelp();
  void FillRecent();
  void FillLanguages();
  /// The shipped styles and the user's, the one loaded last checked.
  void FillStyles();
  void FollowStatusBar();
  void FollowMenuBarBox();

  QMainWindow& window_;
  Dialogs& dialogs_;
  MenuParts parts_;
  QAction* open_ = nullptr;
  QAction* manual_ = nullptr;
  QMenuBar* bar_;
  QMenu* recent_ = nullptr;
  QMenu* language_ = nullptr;
  QMenu* style_ = nullptr;
  QAction* columns_ = nullptr;
  QAction* statusBar_ = nullptr;
  QAction* menuBar_ = nullptr;
};

}  // namespace kurvex::shell
