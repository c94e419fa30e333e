#pragma once

#include <QString>
#include <QWidget>
#include <utility>
#include <vector>

#include "shell/browser/file_lists.h"

class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QSplitter;
class QTimer;

namespace kurvex::shell {

/// Object names of one browser's controls.
struct BrowserNames {
  QString PanelTop, LabelFile, Edit, LabelPath, LabelDir, Directories, Splitter, Files, PanelBottom,
      LabelDisk, Drive, LabelFilter, Filter;
};

/// A file browser: edit, directory list, file list with mask, drive and file-type choosers.
class FileBrowser : public QWidget {
  Q_OBJECT

 public:
  FileBrowser(const BrowserNames& names, const QString& mask,
              const std::vector<std::pair<QString, QString>>& types, QWidget* parent = nullptr);

  /// Throws Error when `path` is not a directory.
  void SetDirectory(const QString& path);
  QString Directory() const { return directories_->Directory(); }

  QLineEdit* Edit() const { return edit_; }
  DirectoryList* Directories() const { return directories_; }
  FileList* Files() const { return files_; }
  PathLabel* DirLabel() const { return labelDir_; }
  DriveComboBox* Drive() const { return drive_; }
  FilterComboBox* Filter() const { return filter_; }
  QSplitter* Splitter() const { return splitter_; }

  /// After a language change: the lists are read out by the captions of the file edit and the
  /// path.
  void CaptionsChanged();

 signals:
  /// Something the user should know about the folder shown (unreadable, removed).
  void Problem(const QString& message);

 protected:
  /// A narrow panel stacks the two lists instead of squeezing them side by side.
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Watch(const QString& directory);
  void FollowDisk();

  QLineEdit* edit_;
  QLabel* labelFile_;
  QLabel* labelPath_;
  PathLabel* labelDir_;
  DirectoryList* directories_;
  QSplitter* splitter_;
  FileList* files_;
  DriveComboBox* drive_;
  FilterComboBox* filter_;
  QFileSystemWatcher* watcher_;
  QTimer* refresh_;
};

}  // namespace kurvex::shell
