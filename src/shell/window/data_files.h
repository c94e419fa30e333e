#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "graph/axis_fit.h"

namespace kurvex {
class Canvas;
class GraphEngine;
class ProfileFile;
}  // namespace kurvex

namespace kurvex::shell {

class DataWatcher;
class Dialogs;
class FileList;
class MessageLine;
class Notebook;
class PageHub;
class TFormKurvex;
struct ItemCaptions;
struct PageSet;

/// The data files the user opened last, newest first, as File ▸ Open recent lists them.
class RecentFiles {
 public:
  static constexpr int kMaxFiles = 10;

  /// Puts `path` first; an older entry of the same file goes, the eleventh drops out.
  void Add(const std::string& path);
  void Remove(const std::string& path);
  const std::vector<std::string>& Paths() const { return paths_; }

  /// Section `RecentFiles`, keys File1…File10: empty keys and repeated files are skipped.
  void Read(const ProfileFile& file);
  /// Every key File1…File10, the unused ones empty, so a shorter list leaves no old name behind.
  void Write(ProfileFile& file) const;

 private:
  std::vector<std::string> paths_;
};

/// The data files: the data-load sequence, the picture saved after it, files dropped or given on
/// the command line, flipping through a folder and following a file that changes on disk.
class DataFiles : public QObject {
  Q_OBJECT

 public:
  /// Loads into `graph`; `central` brings the graph to the front, `settings` the browser a file
  /// opens in. What the program writes into the pages is no step of `hub`'s undo history. A file
  /// the user picks (a click in the list, File ▸ Open…, the command line) enters `recent`.
  DataFiles(TFormKurvex& graph, PageHub& hub, const PageSet& pages, Notebook& central,
            Notebook& settings, MessageLine& messages, const ItemCaptions& captions,
            RecentFiles& recent, QObject* parent = nullptr);

  /// The data-load sequence: the graph page to the front, the file selected in the list loaded
  /// and drawn, then the picture saved when the user asked for it.
  void EditFileChange();
  /// The data list's selection changed where its edit's name did not: loads what it shows now.
  void FileSelectionChange();
  /// A press in either file list while the data edit still shows a mask loads the data list's
  /// selection at once.
  void FileListBoxClick();
  /// Saves the picture of the freshly drawn graph when "Auto save images" is on; several files
  /// drawn together are saved by the user alone.
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
  /// Follows the loaded data file on disk, as one the user picked.
  void WatchLoadedFile();

  DataWatcher& Watcher() const { return *watcher_; }

  /// "Find the data in instrument files": the style's switch, then the file read again.
  void FindDataBlockClick();
  /// Data ▸ Columns…: the loaded file's columns by name, x and the curves chosen in `dialogs`;
  /// the choice is read by the block finder, and is one undo step.
  void ColumnsClick(Dialogs& dialogs);

 private:
  /// After a load the user asked for, what they should know of how the file was read: a file
  /// the data finder would read, the engine's note, or data wholly outside the axes.
  void NoteHowItRead();
  bool NamesDifferFromLegend() const;
  FileList* DataList() const;

  TFormKurvex& graph_;
  PageHub& hub_;
  const PageSet& pages_;
  Notebook& central_;
  Notebook& settings_;
  MessageLine& messages_;
  const ItemCaptions& captions_;
  RecentFiles& recent_;
  DataWatcher* watcher_;
  // A file given from outside is being selected: its load is the user's pick.
  bool opening_ = false;
  // The selection the last load took in; several files are drawn together.
  QStringList shownFiles_;
  // The data problem the last drawing told of, "si.txt:12: …"; empty when it told none.
  QString lastProblem_;
};

}  // namespace kurvex::shell
