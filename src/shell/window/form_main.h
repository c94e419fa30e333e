#pragma once

#include <QMainWindow>
#include <string>

#include "shell/kit/captions.h"
#include "shell/pages/page_set.h"

class QPlainTextEdit;

namespace kurvex::shell {

class DataFiles;
class Dialogs;
class HelpDesk;
class ImageActions;
class Languages;
class MainMenu;
class MessageLine;
class NavTree;
class Notebook;
class OptionsActions;
class PageHub;
class PanelSplitter;
class TFormKurvex;
class TreeNavigation;

/// The main window: navigation tree on the left, graph and text pages in the centre, settings
/// pages on the right. It lays them out, builds the collaborators that do the work (data files,
/// options files, languages, help, tree navigation) and routes every signal to its handler.
class TFormMain : public QMainWindow {
  Q_OBJECT

 public:
  /// Builds the window and runs its creation steps (log, captions, languages, tree images,
  /// licence). The graph window does not exist yet.
  explicit TFormMain(Dialogs& dialogs, QWidget* parent = nullptr);

  /// Joins the graph window, created after this one, to the pages and builds what works on it.
  void SetGraphWindow(TFormKurvex& graph);

  /// Runs once, when the window is first shown: loads "Kurvex.ini" and takes in the graph.
  void FormShow();
  /// Moves the graph window's widgets into this window and draws the graph.
  void KurvexShow();
  /// Saves the options (when auto save is on) and the log; the close always goes through.
  void FormClose();
  /// Remembers the data file named on the command line (an absolute path), to open at start.
  void OpenDataFileAtStart(const QString& path) { startDataFile_ = path; }

  /// Goes back one settings step (Edit ▸ Undo, Ctrl+Z) or forward again (Ctrl+Shift+Z); nothing
  /// while the focus is in a text field, which keeps its own undo.
  void UndoSettings();
  void RedoSettings();

  // The collaborators; all but the help exist once the graph window has joined.
  DataFiles& Loader() const { return *loader_; }
  OptionsActions& Options() const { return *options_; }
  Languages& Language() const { return *languages_; }
  TreeNavigation& Navigation() const { return *navigation_; }
  HelpDesk& Help() const { return *help_; }

  const ItemCaptions& Captions() const { return captions_; }
  TFormKurvex* Graph() const { return graph_; }
  const PageSet& Pages() const { return pages_; }
  NavTree* TreeView() const { return treeView_; }
  Notebook* NotebookImage() const { return notebookImage_; }
  Notebook* NotebookSetting() const { return notebookSetting_; }
  QWidget* PanelLeft() const { return panelLeft_; }
  QWidget* PanelRight() const { return panelRight_; }
  QWidget* PanelGraphImage() const { return panelGraphImage_; }
  QPlainTextEdit* MemoLog() const { return memoLog_; }
  PageHub& Hub() const { return *hub_; }
  /// The main window's message line.
  MessageLine* Messages() const { return messages_; }
  /// "Copy image" and "Save image as…".
  ImageActions* Images() const { return images_; }
  /// The menu bar; exists once the graph window has joined.
  MainMenu* Menu() const { return menu_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  /// Alt+Down/Alt+Up anywhere and Page Down/Page Up outside text fields, lists, combo boxes and
  /// the manual flip through the data folder.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  void BuildCentralPages();
  /// Builds the settings pages in the order the tree lists them, with "Data" in front.
  void BuildSettingPages();
  template <class Page, class... Args>
  Page* AddSettingsPage(const char* name, Args&&... args);
  void FormCreate();
  /// Builds the collaborators that work on the graph window.
  void BuildCollaborators();
  void ConnectSignals();
  /// "si.xy — Kurvex" for the loaded file; "Kurvex" while the built-in sample shows.
  void FollowDataFile();

  Dialogs& dialogs_;
  TFormKurvex* graph_ = nullptr;
  ItemCaptions captions_;
  bool shown_ = false;
  bool closed_ = false;
  QString startDataFile_;

  QWidget* panelLeft_ = nullptr;
  QWidget* panelCenter_ = nullptr;
  QWidget* panelRight_ = nullptr;
  PanelSplitter* splitterLeft_ = nullptr;
  PanelSplitter* splitterRight_ = nullptr;
  NavTree* treeView_ = nullptr;
  Notebook* notebookImage_ = nullptr;
  Notebook* notebookSetting_ = nullptr;
  QWidget* panelGraphImage_ = nullptr;
  QPlainTextEdit* memoLog_ = nullptr;
  PageSet pages_;
  MessageLine* messages_ = nullptr;
  PageHub* hub_ = nullptr;
  ImageActions* images_ = nullptr;

  HelpDesk* help_ = nullptr;
  Languages* languages_ = nullptr;
  OptionsActions* options_ = nullptr;
  DataFiles* loader_ = nullptr;
  TreeNavigation* navigation_ = nullptr;
  MainMenu* menu_ = nullptr;
};

}  // namespace kurvex::shell
