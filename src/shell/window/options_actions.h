#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <string>

#include "shell/window/data_files.h"

class QMainWindow;
class QWidget;

namespace kurvex {
class ProfileFile;
}

namespace kurvex::shell {

class Dialogs;
class ImageActions;
class Languages;
class MessageLine;
class NavTree;
class Notebook;
class PageHub;
class TFormKurvex;
struct PageSet;

/// What the "Environment" keys place and measure: the window, its three panels, the tree's
/// selection and the page in front of each notebook.
struct WindowPanels {
  QMainWindow& Window;
  QWidget& Left;
  QWidget& Center;
  QWidget& Right;
  NavTree& Tree;
  Notebook& Central;
  Notebook& Settings;
};

/// The options files: the window's own keys and the "Data" section, and the load and save that
/// wrap the graph sections in the same file; the pages filled from what was loaded.
class OptionsActions : public QObject {
  Q_OBJECT

 public:
  /// A load applies the saved language through `languages` and the picture folder to `images`;
  /// a whole load the user asks for is one undo step of `hub`.
  OptionsActions(const WindowPanels& panels, const PageSet& pages, TFormKurvex& graph, PageHub& hub,
                 Languages& languages, ImageActions& images, MessageLine& messages,
                 Dialogs& dialogs, QObject* parent = nullptr);

  void LoadOptions(const std::string& fileName);
  /// The load at start: a value that does not convert leaves the keys after it at their
  /// defaults, the pages are filled all the same, and the file is backed up before it is saved.
  void LoadStartOptions(const std::string& fileName);
  void SaveOptions(const std::string& fileName) { WriteOptions(fileName, false); }
  /// The save at close over the options file loaded at start. When another program (a second
  /// Kurvex in the same folder) changed it since, the user decides whose settings stay; with
  /// nobody to ask the file stays theirs and the window's settings go to "<file>.unsaved", and
  /// the returned line for the log says so.
  std::optional<std::string> SaveAtClose(const std::string& fileName);
  void SaveOtherOptions();
  /// A pick in the "LoadIni" list loads that file.
  void EditFileIniChange();
  /// View ▸ Style: the graph sections of a style file, as a pick on the "LoadIni" page reads
  /// them but without the window's and the data's keys (the shown file stays); one undo step.
  void LoadStyle(const std::string& fileName);
  /// The style file loaded last from the "LoadIni" page or the Style menu; empty before.
  const std::string& CurrentStyle() const { return currentStyle_; }
  /// The data files opened last: read from and written to the options file of the start (and
  /// its ".unsaved" stand-in) only, never to or from a style.
  RecentFiles& Recent() { return recent_; }

  /// The folder the user chose in the data browser: "DataPath" from now on.
  void RememberDataPath(const QString& folder) { dataPath_ = folder; }

  /// Fills every settings page from the model with painting off, then redraws.
  void SetVariables();
  /// "Environment", "Image" and the graph pages, in that order.
  void FillPages();
  void FillEnvironmentPage();
  void FillImagePage();
  /// The graph pages from "Graph Title" to "Text", in that order.
  void FillGraphPages();

 private:
  void ReadOptions(const std::string& fileName, bool firstLoad);
  /// `ownFile`: the options file of the start or its stand-in, which keeps the recent files.
  void WriteOptions(const std::string& fileName, bool ownFile);
  /// Keeps the user's file as "<name>.bak" before the first save over a file that failed to load.
  void KeepBackupBeforeSaving(const std::string& fileName);
  void ApplyWindowKeys(const ProfileFile& file);
  void ApplyPanelWidths(const ProfileFile& file);
  void LoadDataKeys(const ProfileFile& file);
  bool OnLoadIniPage() const;
  /// Remembers how the start options file is on disk now: after the load and after each save.
  void NoteOnDisk(const std::string& fileName);

  const WindowPanels panels_;
  const PageSet& pages_;
  TFormKurvex& graph_;
  PageHub& hub_;
  Languages& languages_;
  ImageActions& images_;
  MessageLine& messages_;
  Dialogs& dialogs_;
  // What "DataPath" holds: the folder the user last chose, or the stored one while it is
  // missing; a fallback folder chosen by the program does not replace it.
  QString dataPath_;
  // The options file whose load failed at start, until its backup is made.
  std::string backupPending_;
  // The options file loaded at start and a hash of its bytes as last read or written by this
  // window; nothing for a file that did not exist.
  std::string startFile_;
  std::string currentStyle_;
  std::optional<std::size_t> startFileHash_;
  RecentFiles recent_;
};

}  // namespace kurvex::shell
