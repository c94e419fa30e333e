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

class AxisLinePage;
class AxisValuesPage;
class CurvesPage;
class DataPage;
class Dialogs;
class EnvironmentPage;
class ImagePage;
class LoadIniPage;
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
  void EditFileChange();

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
  void ShowMessage(const QString& text);

  /// Goes back one settings step (Ctrl+Z) or forward again (Ctrl+Shift+Z); nothing while the
  /// focus is in a text field, which keeps its own undo.
  void UndoSettings();
  void RedoSettings();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildLayout();
  void BuildCentralPages();
  void BuildSettingPages();
  void BuildShortcuts();
  template <class Page, class... Args>
  Page* AddSettingsPage(const char* name, Args&&... args);
  void FormCreate();
  /// Binds a signal to a handler that runs inside the error guard.
  template <class Sender, class Signal>
  void Connect(Sender* sender, Signal signal, void (TFormMain::*handler)());

  void ApplyWindowKeys(const ProfileFile& file);
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
  EnvironmentPage* environment_ = nullptr;
  ImagePage* image_ = nullptr;
  DataPage* data_ = nullptr;
  LoadIniPage* loadIni_ = nullptr;
  CurvesPage* curves_ = nullptr;
  std::vector<SettingsPage*> graphPages_;
  std::vector<SettingsPage*> settingsPages_;
  MessageLine* messages_ = nullptr;
  PageHub* hub_ = nullptr;
};

}  // namespace kurvex::shell
