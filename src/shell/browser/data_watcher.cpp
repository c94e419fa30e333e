#include "shell/browser/data_watcher.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace kurvex::shell {

DataWatcher::DataWatcher(QObject* parent) : QObject(parent) {
  watcher_ = new QFileSystemWatcher(this);
  settle_ = new QTimer(this);
  settle_->setSingleShot(true);
  settle_->setInterval(kSettleMs);
  connect(watcher_, &QFileSystemWatcher::fileChanged, settle_, qOverload<>(&QTimer::start));
  // A file replaced by rename, or deleted and created again, is seen through its folder.
  connect(watcher_, &QFileSystemWatcher::directoryChanged, settle_, qOverload<>(&QTimer::start));
  connect(settle_, &QTimer::timeout, this, &DataWatcher::Check);
}

void DataWatcher::Watch(const QString& path) {
  if (const QStringList watched = watcher_->files() + watcher_->directories(); !watched.isEmpty()) {
    watcher_->removePaths(watched);
  }
  settle_->stop();
  path_ = path;
  const QFileInfo info(path);
  modified_ = info.lastModified();
  size_ = info.exists() ? info.size() : -1;
  if (!path.isEmpty()) Rewatch();
}

void DataWatcher::Rewatch() {
  if (QFileInfo::exists(path_) && !watcher_->files().contains(path_)) watcher_->addPath(path_);
  const QString folder = QFileInfo(path_).absolutePath();
  if (!watcher_->directories().contains(folder)) watcher_->addPath(folder);
}

void DataWatcher::Check() {
  if (path_.isEmpty()) return;
  Rewatch();
  const QFileInfo info(path_);
  if (!info.exists()) return;
  // Other files of the folder changing is no reason to reload this one.
  if (info.lastModified() == modified_ && info.size() == size_) return;
  modified_ = info.lastModified();
  size_ = info.size();
  emit Changed(path_);
}

}  // namespace kurvex::shell
