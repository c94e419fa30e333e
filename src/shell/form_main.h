#pragma once

#include <QMainWindow>
#include <string>

#include "common/profile_file.h"
#include "shell/captions.h"

class QLabel;
class QPlainTextEdit;
class QTextEdit;
class QTreeWidgetItem;

namespace kurvex::shell {

class DataPage;
class Dialogs;
class EnvironmentPage;
class ImagePage;
class LoadIniPage;
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

  /// Shows a note to the user in the main window's message line; an empty text clears it.
  void ShowMessage(const QString& text);
  QLabel* LabelMessage() const { return labelMessage_; }

  // --- options files (form_main_options.cpp) ------------------------------------------------
  void LoadOptions(const std::string& fileName);
  void SaveOptions(const std::string& fileName);
  void SaveOtherOptions();
  /// Fills every settings page from the model with painting off, then redraws.
  void SetVariables();
  void FillEnvironmentPage();
  void FillImagePage();
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
  void ListLanguages();
  void ComboBoxLocalizeChange();
  /// Applies the captions of the chosen language to the tree and the page titles.
  void LocalizeKurvex();

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

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildLayout();
  void BuildCentralPages();
  void BuildSettingPages();
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
  bool shown_ = false;
  bool closed_ = false;
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
  EnvironmentPage* environment_ = nullptr;
  ImagePage* image_ = nullptr;
  DataPage* data_ = nullptr;
  LoadIniPage* loadIni_ = nullptr;
  QLabel* labelMessage_ = nullptr;
};

}  // namespace kurvex::shell
