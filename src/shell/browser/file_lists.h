#pragma once

// The controls a file browser is made of: directory list, file list, drive and file-type
// choosers, the path label.

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>
#include <QWidget>
#include <utility>
#include <vector>

namespace kurvex::shell {

/// The directory the directory lists resolve relative paths against: the one last chosen in any
/// list, as a process's working directory would be, without changing the process's own.
QString BrowserCurrentDirectory();
void SetBrowserCurrentDirectory(const QString& directory);

/// Directory and name joined by one separator.
QString JoinPath(const QString& directory, const QString& name);

/// The chain of folders from the root down to the current directory, with its subfolders below.
class DirectoryList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit DirectoryList(const QString& objectName, QWidget* parent = nullptr);

  QString Directory() const { return directory_; }
  /// Makes `path` (relative ones against the browsers' current directory) the current directory;
  /// throws Error when it is not a directory, leaving everything as it was.
  void SetDirectory(const QString& path);
  /// Lists the subfolders again after a change on disk.
  void Rebuild();

 signals:
  void DirectoryChanged(const QString& directory);

 private:
  QString directory_;
};

/// The files of one directory that match a mask. It tells its edit the selected name, or the
/// mask after a re-read, which leaves nothing selected.
class FileList : public QListWidget {
  Q_OBJECT

 public:
  FileList(const QString& objectName, const QString& mask, QWidget* parent = nullptr);

  QString Directory() const { return directory_; }
  void SetDirectory(const QString& directory);
  QString Mask() const { return mask_; }
  void SetMask(const QString& mask);
  /// Ctrl+click and Shift+click select several files.
  void AllowSeveral();
  /// Directory + name of the selected file clicked last (of the first selected when that one
  /// was clicked away); empty when none is selected.
  QString SelectedPath() const;
  /// Every selected file, in the list's order.
  QStringList SelectedPaths() const;
  /// Selects the file of that name; false when the list does not hold it.
  bool SelectFile(const QString& name);
  /// Selects the next (+1) or previous (-1) file, stopping at either end; the first file when
  /// none is selected. False when nothing changed.
  bool SelectNeighbour(int direction);

  /// Whether a press of the mouse is being handled, the selection it made included.
  bool Pressing() const { return pressing_; }

  /// Reads the directory again after a change on disk: writes nothing into the edit and keeps
  /// the selection, also of a file deleted and created again in the meantime.
  void Refresh();

 signals:
  void EditTextChanged(const QString& text);
  /// The selection changed, also where the edit's name stays (a second file Ctrl+clicked off).
  void SelectionChanged();
  /// A press on the list, before the selection follows it.
  void Pressed();
  /// Why the directory could not be listed (it is shown empty).
  void Problem(const QString& message);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  /// A name wider than the list shows whole in a tooltip.
  bool viewportEvent(QEvent* event) override;

 private:
  void Reread();
  void Fill();
  /// The item the edit names: the one clicked last while selected, else the one named before
  /// while still selected, else the first selected.
  QListWidgetItem* ChosenItem() const;
  void ReportSelection();
  QString directory_;
  QString mask_;
  QString selectedName_;       // the user's choice, kept across refreshes
  QStringList selectedNames_;  // with the others of a selection of several
  bool deferReport_ = false;
  bool pressing_ = false;
  bool reportPending_ = false;
};

/// The file-system roots and mount points, where another platform would list drives.
class DriveComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveComboBox(const QString& objectName, QWidget* parent = nullptr);
  /// Shows the root that holds `directory`; runs nothing.
  void ShowDriveOf(const QString& directory);

 signals:
  void DriveChosen(const QString& root);
};

/// File types, each a label and the mask it gives the file list.
class FilterComboBox : public QComboBox {
  Q_OBJECT

 public:
  FilterComboBox(const QString& objectName, const std::vector<std::pair<QString, QString>>& types,
                 QWidget* parent = nullptr);

 signals:
  void MaskChosen(const QString& mask);
};

/// A path shortened in the middle to fit the label's width.
class PathLabel : public QLabel {
  Q_OBJECT

 public:
  explicit PathLabel(const QString& objectName, QWidget* parent = nullptr);
  void SetPath(const QString& path);
  QString Path() const { return path_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Elide();
  QString path_;
};

}  // namespace kurvex::shell
