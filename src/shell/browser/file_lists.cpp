#include "shell/browser/file_lists.h"

#include <dirent.h>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStorageInfo>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/error.h"
#include "shell/kit/guard.h"
#include "shell/kit/qt_convert.h"

namespace kurvex::shell {

namespace {

QString& CurrentDirectory() {
  static QString directory = QDir::currentPath();
  return directory;
}

bool IsSystemMount(const QString& root) {
  for (const char* prefix : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot/efi"}) {
    if (root == prefix || root.startsWith(QString(prefix) + '/')) return true;
  }
  return false;
}

// Why a directory cannot be listed, in the system's words; empty when it can.
QString ListingProblem(const QString& directory) {
  DIR* dir = ::opendir(QFile::encodeName(directory).constData());
  if (dir) {
    ::closedir(dir);
    return {};
  }
  return directory + ": " + QString::fromLocal8Bit(std::strerror(errno));
}

}  // namespace

QString BrowserCurrentDirectory() {
  return CurrentDirectory();
}

void SetBrowserCurrentDirectory(const QString& directory) {
  CurrentDirectory() = QDir::cleanPath(directory);
}

QString JoinPath(const QString& directory, const QString& name) {
  return directory.endsWith('/') ? directory + name : directory + '/' + name;
}

DirectoryList::DirectoryList(const QString& objectName, QWidget* parent) : QTreeWidget(parent) {
  setObjectName(objectName);
  setHeaderHidden(true);
  setIndentation(10);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  directory_ = BrowserCurrentDirectory();
  Rebuild();
  // The activated item is deleted by the rebuild, so the change waits until its signal is over.
  connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    const QString path = item->data(0, Qt::UserRole).toString();
    QTimer::singleShot(0, this, [this, path] { Quietly([&] { SetDirectory(path); }); });
  });
}

void DirectoryList::SetDirectory(const QString& path) {
  const QString absolute = QDir::cleanPath(QDir(BrowserCurrentDirectory()).absoluteFilePath(path));
  if (path.isEmpty() || !QFileInfo(absolute).isDir()) {
    throw Error("Directory \"" + S(path) + "\" does not exist");
  }
  directory_ = absolute;
  SetBrowserCurrentDirectory(absolute);
  Rebuild();
  emit DirectoryChanged(directory_);
}

void DirectoryList::Rebuild() {
  clear();
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  QStringList chain;
  for (QDir dir(directory_);;) {
    chain.prepend(dir.absolutePath());
    if (!dir.cdUp()) break;
  }
  QTreeWidgetItem* parent = nullptr;
  for (const QString& path : chain) {
    const QString name = QFileInfo(path).fileName();
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, name.isEmpty() ? path : name);
    item->setIcon(0, open);
    item->setData(0, Qt::UserRole, path);
    item->setExpanded(true);
    parent = item;
  }
  const QStringList children =
      QDir(directory_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& name : children) {
    auto* item = new QTreeWidgetItem(parent);
    item->setText(0, name);
    item->setIcon(0, closed);
    item->setData(0, Qt::UserRole, JoinPath(directory_, name));
  }
  setCurrentItem(parent);
}

FileList::FileList(const QString& objectName, const QString& mask, QWidget* parent)
    : QListWidget(parent), directory_(BrowserCurrentDirectory()), mask_(mask) {
  setObjectName(objectName);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Each row as wide as its name, so none is cut; laid out in batches, so ten thousand files
  // list without freezing the window.
  setLayoutMode(QListView::Batched);
  setBatchSize(500);
  Reread();
  connect(this, &QListWidget::itemSelectionChanged, this, [this] { ReportSelection(); });
}

void FileList::SetDirectory(const QString& directory) {
  directory_ = directory;
  Reread();
}

void FileList::SetMask(const QString& mask) {
  mask_ = mask;
  Reread();
}

void FileList::AllowSeveral() {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
}

QListWidgetItem* FileList::ChosenItem() const {
  if (QListWidgetItem* current = currentItem(); current && current->isSelected()) return current;
  const QList<QListWidgetItem*> selected = selectedItems();
  for (QListWidgetItem* item : selected) {
    if (item->text() == selectedName_) return item;
  }
  return selected.isEmpty() ? nullptr : selected.first();
}

QString FileList::SelectedPath() const {
  const QListWidgetItem* chosen = ChosenItem();
  return chosen ? JoinPath(directory_, chosen->text()) : QString();
}

QStringList FileList::SelectedPaths() const {
  QStringList paths;
  for (int i = 0; i < count(); ++i) {
    if (item(i)->isSelected()) paths << JoinPath(directory_, item(i)->text());
  }
  return paths;
}

bool FileList::SelectFile(const QString& name) {
  const QList<QListWidgetItem*> found = findItems(name, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  setCurrentItem(found.first());
  return true;
}

bool FileList::SelectNeighbour(int direction) {
  if (count() == 0) return false;
  const int current = selectedItems().isEmpty() ? -1 : row(selectedItems().first());
  const int next = current < 0 ? 0 : std::clamp(current + direction, 0, count() - 1);
  if (next == current) return false;
  setCurrentRow(next);
  scrollToItem(item(next));
  return true;
}

void FileList::mousePressEvent(QMouseEvent* event) {
  // The program's click handler runs with the new selection but before the list writes the
  // new name into the edit.
  pressing_ = true;
  const auto pressed = qScopeGuard([this] { pressing_ = false; });
  deferReport_ = true;
  QListWidget::mousePressEvent(event);
  deferReport_ = false;
  emit Pressed();
  if (reportPending_) {
    reportPending_ = false;
    ReportSelection();
  }
}

void FileList::Fill() {
  const QSignalBlocker blocker(this);
  clear();
  if (const QString problem = ListingProblem(directory_); !problem.isEmpty()) {
    emit Problem(problem);
    return;
  }
  // "*.*" means every file, one without an extension included; "*.jdx;*.dx" either ending.
  QStringList patterns;
  for (const QString& mask : mask_.split(';', Qt::SkipEmptyParts)) {
    patterns << (mask == "*.*" ? QStringLiteral("*") : mask);
  }
  const QStringList names =
      QDir(directory_).entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase);
  const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
  for (const QString& name : names) addItem(new QListWidgetItem(icon, name));
}

bool FileList::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QListWidget::viewportEvent(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QListWidgetItem* under = itemAt(help->pos());
  const int needed =
      under ? fontMetrics().horizontalAdvance(under->text()) + iconSize().width() : 0;
  if (under && needed > viewport()->width()) {
    QToolTip::showText(help->globalPos(), under->text(), viewport());
  } else {
    QToolTip::hideText();
    event->ignore();
  }
  return true;
}

void FileList::Reread() {
  selectedName_.clear();
  selectedNames_.clear();
  Fill();
  emit EditTextChanged(mask_);
}

void FileList::Refresh() {
  const int scroll = verticalScrollBar()->value();
  Fill();
  if (!selectedName_.isEmpty()) {
    const QSignalBlocker blocker(this);
    for (const QString& name : selectedNames_) {
      const QList<QListWidgetItem*> found = findItems(name, Qt::MatchExactly);
      if (!found.isEmpty()) found.first()->setSelected(true);
    }
    // The one clicked last stays the one the edit names.
    const QList<QListWidgetItem*> found = findItems(selectedName_, Qt::MatchExactly);
    if (!found.isEmpty()) setCurrentItem(found.first(), QItemSelectionModel::Select);
  }
  verticalScrollBar()->setValue(scroll);
}

void FileList::ReportSelection() {
  if (deferReport_) {
    reportPending_ = true;
    return;
  }
  const QListWidgetItem* chosen = ChosenItem();
  selectedName_ = chosen ? chosen->text() : QString();
  selectedNames_.clear();
  for (const QListWidgetItem* item : selectedItems()) selectedNames_ << item->text();
  emit EditTextChanged(chosen ? chosen->text() : mask_);
  emit SelectionChanged();
}

DriveComboBox::DriveComboBox(const QString& objectName, QWidget* parent) : QComboBox(parent) {
  setObjectName(objectName);
  QStringList roots{"/"};
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    const QString root = volume.rootPath();
    if (volume.isValid() && volume.isReady() && !IsSystemMount(root) && !roots.contains(root)) {
      roots << root;
    }
  }
  std::sort(roots.begin() + 1, roots.end());
  const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
  for (const QString& root : roots) addItem(icon, root);
  connect(this, &QComboBox::activated, this,
          [this](int index) { emit DriveChosen(itemText(index)); });
}

void DriveComboBox::ShowDriveOf(const QString& directory) {
  int best = 0;
  for (int i = 0; i < count(); ++i) {
    const QString root = itemText(i);
    const bool holds = directory == root || directory.startsWith(JoinPath(root, ""));
    if (holds && root.size() > itemText(best).size()) best = i;
  }
  const QSignalBlocker blocker(this);
  setCurrentIndex(best);
}

FilterComboBox::FilterComboBox(const QString& objectName,
                               const std::vector<std::pair<QString, QString>>& types,
                               QWidget* parent)
    : QComboBox(parent) {
  setObjectName(objectName);
  for (const auto& [label, mask] : types) addItem(label, mask);
  connect(this, &QComboBox::activated, this,
          [this](int index) { emit MaskChosen(itemData(index).toString()); });
}

PathLabel::PathLabel(const QString& objectName, QWidget* parent) : QLabel(parent) {
  setObjectName(objectName);
  setMinimumWidth(20);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void PathLabel::SetPath(const QString& path) {
  path_ = path;
  setToolTip(path);
  Elide();
}

void PathLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Elide();
}

void PathLabel::Elide() {
  setText(fontMetrics().elidedText(path_, Qt::ElideMiddle, width()));
}

}  // namespace kurvex::shell
