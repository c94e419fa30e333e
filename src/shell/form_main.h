#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "common/profile_file.h"
#include "shell/captions.h"

class QLabel;
class QPlainTextEdit;
class QTextEdit;
class QTreeWidgetItem;

namespace kurvex::shell {

class AboutPage;
class AxisLinePage;
class AxisValuesPage;
class CurvesPage;
class DataPage;
class DataWatcher;
class Dialogs;
class EnvironmentPage;
class ImageActions;
class ImagePage;
class LoadIniPage;
class ManualPage;
class MessageLine;
class PageHub;
class SettingsPage;
class NavTree;
class Notebook;
class PanelSplitter;
class TFormKurvex;

/// The main window: navigation tree on the left, graph and text pages in the centre, settings
/// pages on the right. Everything the user does runs in one of its handlers.
class TFormMain : public QMainWindow {
  Q_OBJECT

 public:
  /// Builds the window and runs its creation steps (log, captions, languages, tree images,
  /// licence). The graph window does not exist yet.
  explicit TFormMain(Dialogs& dialogs, QWidget* parent = nullptr);

  /// Joins the graph window, created after this one, to the pages.
  void SetGraphWindow(TFormKurvex& graph);

  // --- start-up and shutdown (form_main.cpp) ----------------------------------------------
  /// Runs once, when the window is first shown: loads "Kurvex.ini" and takes in the graph.
  void FormShow();
  /// Moves the graph window's widgets into this window and draws the graph.
  void KurvexShow();
  /// Saves the options (when auto save is on) and the log; the close always goes through.
  void FormClose();
  /// Remembers the data file named on the command line (an absolute path), to open at start.
  void OpenDataFileAtStart(const QString& path) { startDataFile_ = path; }

  // --- options files (form_main_options.cpp) ------------------------------------------------
  void LoadOptions(const std::string& fileName);
  void SaveOptions(const std::string& fileName);
  void SaveOtherOptions();
  /// Fills every settings page from the model with painting off, then redraws.
  void SetVariables();
  void FillEnvironmentPage();
  void FillImagePage();
  /// The graph pages from "Graph Title" to "Text", in that order.
  void FillGraphPages();
  void EditFileIniChange();

  // --- data files (form_main_data.cpp) -----------------------------------------------------
  /// The data-load sequence: the graph page to the front, the file selected in the list loaded
  /// and drawn, then the picture saved when the user asked for it.
  void EditFileChange();
  /// A press in either file list while the data edit still shows a mask loads the data list's
  /// selection at once.
  void FileListBoxClick();
  /// Saves the picture of the freshly drawn graph when "Auto save images" is on.
  void AfterDataLoad(const std::string& fileName);
  /// A file given from outside (dropped, on the command line): a data file loads as a click
  /// in the data list would, an options file as a pick on the "LoadIni" page.
  void OpenFile(const QString& path);
  /// Selects and loads the next (+1) or previous (-1) file of the data list.
  void FlipDataFile(int direction);
  /// The loaded data file changed on disk: reloaded when all of it converts.
  void DataFileChanged(const QString& path);
  /// Loads (or reloads) a data file, fitted to the axes first when the user asked for it;
  /// returns whether the file was taken.
  bool LoadData(const std::string& path, bool reload);

  // --- navigation (form_main_tree.cpp) ------------------------------------------------------
  void ShowSelectedItem();
  void TreeViewChange(QTreeWidgetItem* node);
  void TreeViewMouseDown(Qt::MouseButton button, const QPoint& pos);
  void TreeViewMouseMove();
  /// The manual's help for a tree caption; does nothing until the manual exists.
  void ShowManualTopic(const std::string& caption);
  void SetTreeImages();

  // --- languages (form_main_localize.cpp) ---------------------------------------------------
  /// Fills the language selector from the files "Localize/*.ini", sorted by file name, and
  /// selects the first entry without applying it.
  void ListLanguages();
  /// Applies the selected language (the built-in texts when the box shows no entry of its list)
  /// and loads its manual.
  void ComboBoxLocalizeChange();
  /// Applies one language file to the item captions, the tree, the controls and the readout
  /// prefix; the pages are laid out again afterwards, also after a failure.
  void LocalizeKurvex(const std::string& fileName);
  /// Loads the manual of a language into the manual box; a missing file changes nothing.
  void LoadManual(const std::string& rtfPath);
  /// The index `Environment.Language` is saved with: the entry last picked or loaded, kept while
  /// the list has no entry of that index.
  int LanguageIndex() const { return language_; }

  // --- manual and About page (help/form_main_help.cpp) -------------------------------------
  /// F1: the manual's topic of the tree's selected item.
  void MenuHelpClick();
  /// Ctrl+F: the manual with the focus in its find field.
  void MenuFindFirstClick();
  /// F3: the manual at the next match of the find text.
  void MenuFindNextClick();
  /// A click on the About banner shows the graph again.
  void PanelAboutClick();
  ManualPage* Manual() const { return manual_; }
  AboutPage* About() const { return about_; }

  const ItemCaptions& Captions() const { return captions_; }
  TFormKurvex* Graph() const { return graph_; }

  NavTree* TreeView() const { return treeView_; }
  Notebook* NotebookImage() const { return notebookImage_; }
  Notebook* NotebookSetting() const { return notebookSetting_; }
  QWidget* PanelLeft() const { return panelLeft_; }
  QWidget* PanelRight() const { return panelRight_; }
  QWidget* PanelGraphImage() const { return panelGraphImage_; }
  QPlainTextEdit* MemoLog() const { return memoLog_; }
  QTextEdit* RichEditAbout() const { return richEditAbout_; }
  EnvironmentPage* Environment() const { return environment_; }
  ImagePage* Image() const { return image_; }
  DataPage* Data() const { return data_; }
  LoadIniPage* LoadIni() const { return loadIni_; }
  CurvesPage* Curves() const { return curves_; }
  /// The settings pages of the graph, in the order they are filled.
  const std::vector<SettingsPage*>& GraphPages() const { return graphPages_; }
  PageHub& Hub() const { return *hub_; }
  /// The main window's message line.
  MessageLine* Messages() const { return messages_; }
  /// "Copy image" and "Save image as…".
  ImageActions* Images() const { return images_; }
  void ShowMessage(const QString& text);

  /// Goes back one settings step (Ctrl+Z) or forward again (Ctrl+Shift+Z); nothing while the
  /// focus is in a text field, which keeps its own undo.
  void UndoSettings();
  void RedoSettings();

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
  void BuildSettingPages();
  void BuildShortcuts();
  void BuildHelpPages(QWidget* about, QWidget* manual);
  void BuildMainMenu();
  void FillLicence();
  template <class Page, class... Args>
  Page* AddSettingsPage(const char* name, Args&&... args);
  void FormCreate();
  /// Binds a signal to a handler that runs inside the error guard.
  template <class Sender, class Signal>
  void Connect(Sender* sender, Signal signal, void (TFormMain::*handler)());

  /// The load at start: a value that does not convert leaves the keys after it at their
  /// defaults, the pages are filled all the same, and the file is backed up before it is saved.
  void LoadStartOptions(const std::string& fileName);
  void ReadOptions(const std::string& fileName, bool firstLoad);
  /// Keeps the user's file as "<name>.bak" before the first save over a file that failed to load.
  void KeepBackupBeforeSaving(const std::string& fileName);
  void ApplyWindowKeys(const ProfileFile& file);
  void ApplyPanelWidths(const ProfileFile& file);
  void LoadDataKeys(const ProfileFile& file);
  void ApplyLanguage(const ProfileFile& file);
  void ShowSetting(const std::string& page);
  bool OnLoadIniPage() const;

  Dialogs& dialogs_;
  TFormKurvex* graph_ = nullptr;
  ItemCaptions captions_;
  int language_ = 0;
  bool shown_ = false;
  bool closed_ = false;
  QString startDataFile_;
  DataWatcher* dataWatcher_ = nullptr;
  // Folders whose picture could not be written and has been reported; said once until a
  // picture is written there again.
  QStringList failedImageFolders_;
  // What "DataPath" holds: the folder the user last chose, or the stored one while it is
  // missing; a fallback folder chosen by the program does not replace it.
  QString dataPath_;
  // The options file whose load failed at start, until its backup is made.
  std::string backupPending_;

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
  QTextEdit* memoLicence_ = nullptr;
  QTextEdit* richEditAbout_ = nullptr;
  ManualPage* manual_ = nullptr;
  AboutPage* about_ = nullptr;
  EnvironmentPage* environment_ = nullptr;
  ImagePage* image_ = nullptr;
  DataPage* data_ = nullptr;
  LoadIniPage* loadIni_ = nullptr;
  CurvesPage* curves_ = nullptr;
  std::vector<SettingsPage*> graphPages_;
  std::vector<SettingsPage*> settingsPages_;
  MessageLine* messages_ = nullptr;
  PageHub* hub_ = nullptr;
  ImageActions* images_ = nullptr;
};

}  // namespace kurvex::shell
