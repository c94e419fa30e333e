#include "shell/browser/file_browser.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QLineEdit>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/kit/guard.h"

namespace kurvex::shell {

FileBrowser::FileBrowser(const BrowserNames& names, const QString& mask,
                         const std::vector<std::pair<QString, QString>>& types, QWidget* parent)
    : QWidget(parent) {
  auto* top = new QWidget(this);
  top->setObjectName(names.PanelTop);
  auto* topGrid = new QGridLayout(top);
  topGrid->setContentsMargins(0, 0, 0, 0);
  labelFile_ = new QLabel("File", top);
  labelFile_->setObjectName(names.LabelFile);
  edit_ = new QLineEdit(mask, top);
  edit_->setObjectName(names.Edit);
  edit_->setReadOnly(true);
  auto* labelPath = new QLabel("Path:", top);
  labelPath->setObjectName(names.LabelPath);
  labelDir_ = new PathLabel(names.LabelDir, top);
  topGrid->addWidget(labelFile_, 0, 0);
  topGrid->addWidget(edit_, 0, 1);
  topGrid->addWidget(labelPath, 1, 0);
  topGrid->addWidget(labelDir_, 1, 1);

  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName(names.Splitter);
  splitter_->setChildrenCollapsible(false);
  directories_ = new DirectoryList(names.Directories, splitter_);
  files_ = new FileList(names.Files, mask, splitter_);
  splitter_->addWidget(directories_);
  splitter_->addWidget(files_);
  // A wider panel is room for longer file names.
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);

  auto* bottom = new QWidget(this);
  bottom->setObjectName(names.PanelBottom);
  auto* bottomGrid = new QGridLayout(bottom);
  bottomGrid->setContentsMargins(0, 0, 0, 0);
  auto* labelDisk = new QLabel("Disk", bottom);
  labelDisk->setObjectName(names.LabelDisk);
  drive_ = new DriveComboBox(names.Drive, bottom);
  auto* labelFilter = new QLabel("Typ", bottom);
  labelFilter->setObjectName(names.LabelFilter);
  filter_ = new FilterComboBox(names.Filter, types, bottom);
  bottomGrid->addWidget(labelDisk, 0, 0);
  bottomGrid->addWidget(drive_, 0, 1);
  bottomGrid->addWidget(labelFilter, 1, 0);
  bottomGrid->addWidget(filter_, 1, 1);
  bottomGrid->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(top);
  layout->addWidget(splitter_, 1);
  layout->addWidget(bottom);

  // Each control is read out by the caption beside it.
  labelFile_->setBuddy(edit_);
  labelPath_ = labelPath;
  labelPath->setBuddy(directories_);
  labelDisk->setBuddy(drive_);
  labelFilter->setBuddy(filter_);
  CaptionsChanged();
  labelDir_->SetPath(directories_->Directory());
  drive_->ShowDriveOf(directories_->Directory());
  connect(directories_, &DirectoryList::DirectoryChanged, this, [this](const QString& dir) {
    labelDir_->SetPath(dir);
    drive_->ShowDriveOf(dir);
    Watch(dir);
    files_->SetDirectory(dir);
  });
  connect(files_, &FileList::EditTextChanged, edit_, &QLineEdit::setText);
  connect(files_, &FileList::Problem, this, &FileBrowser::Problem);

  // The lists follow their folder on disk; bursts of changes (a copy of many files) are taken
  // together.
  watcher_ = new QFileSystemWatcher(this);
  refresh_ = new QTimer(this);
  refresh_->setSingleShot(true);
  refresh_->setInterval(150);
  connect(watcher_, &QFileSystemWatcher::directoryChanged, refresh_, qOverload<>(&QTimer::start));
  connect(refresh_, &QTimer::timeout, this, [this] { Quietly([this] { FollowDisk(); }); });
  Watch(directories_->Directory());
  connect(filter_, &FilterComboBox::MaskChosen, files_, &FileList::SetMask);
  connect(drive_, &DriveComboBox::DriveChosen, this,
          [this](const QString& root) { Quietly([&] { SetDirectory(root); }); });
}

void FileBrowser::CaptionsChanged() {
  files_->setAccessibleName(labelFile_->text());
  directories_->setAccessibleName(labelPath_->text());
}

void FileBrowser::SetDirectory(const QString& path) {
  directories_->SetDirectory(path);
}

void FileBrowser::Watch(const QString& directory) {
  if (const QStringList watched = watcher_->directories(); !watched.isEmpty()) {
    watcher_->removePaths(watched);
  }
  watcher_->addPath(directory);
}

void FileBrowser::FollowDisk() {
  const QString shown = Directory();
  if (QFileInfo(shown).isDir()) {
    directories_->Rebuild();
    files_->Refresh();
    return;
  }
  // The folder is gone: show the nearest one that still exists.
  QString parent = shown;
  while (!QFileInfo(parent).isDir() && parent != "/") parent = QFileInfo(parent).path();
  emit Problem(shown + ": " + QString::fromLocal8Bit(std::strerror(ENOENT)));
  SetDirectory(parent);
}

void FileBrowser::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const Qt::Orientation orientation = width() < 300 ? Qt::Vertical : Qt::Horizontal;
  if (splitter_->orientation() != orientation) {
    splitter_->setOrientation(orientation);
    const int extent = orientation == Qt::Vertical ? splitter_->height() : splitter_->width();
    splitter_->setSizes({extent / 2, extent - extent / 2});
  }
}

}  // namespace kurvex::shell
