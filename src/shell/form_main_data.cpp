// The data files of the main window: the data-load sequence, the picture saved after it, files
// dropped or given on the command line, flipping through a folder and following a file that
// changes on disk.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTextEdit>

#include "common/app_dir.h"
#include "graph/axis_fit.h"
#include "graph/graph_image.h"
#include "graph/output/image_file.h"
#include "shell/browser/data_watcher.h"
#include "shell/browser/file_browser.h"
#include "shell/data_page.h"
#include "shell/form_kurvex.h"
#include "shell/form_main.h"
#include "shell/guard.h"
#include "shell/image_actions.h"
#include "shell/loadini_page.h"
#include "shell/message_line.h"
#include "shell/nav_tree.h"
#include "shell/notebook.h"
#include "shell/page_parts.h"
#include "shell/pages/axis_values_page.h"
#include "shell/pages/environment_page.h"
#include "shell/pages/page_hub.h"
#include "shell/qt_convert.h"

namespace kurvex::shell {

bool TFormMain::LoadData(const std::string& path, bool reload) {
  GraphEngine& engine = graph_->Engine();
  if (!environment_->CheckBoxFitAxes->isChecked()) {
    return reload ? engine.ReloadDataFile(path) : engine.LoadDataFile(path);
  }
  // The fit comes before the drawing, so the picture saved after it is the fitted one.
  bool taken = false;
  {
    const bool painting = graph_->PaintEnabled();
    graph_->SetPaintEnabled(false);
    const auto paintingBack = qScopeGuard([&] { graph_->SetPaintEnabled(painting); });
    taken = reload ? engine.ReloadDataFile(path) : engine.LoadDataFile(path);
    if (taken && engine.DataFilePath() == path) {
      FitModelAxes(MeasureData(engine.Data()), true, true, graph_->Model());
      // The pages show the fitted ranges; what the program does by itself is no undo step.
      const PageHub::Filling filling(*hub_);
      for (SettingsPage* page : graphPages_) {
        if (auto* values = qobject_cast<AxisValuesPage*>(page)) values->Fill();
      }
    }
  }
  graph_->RepaintIfAuto();
  return taken;
}

void TFormMain::EditFileChange() {
  Quietly([this] {
    notebookImage_->ShowPage("GraphImage");
    const std::string path = S(data_->Browser->Files()->SelectedPath());
    dataWatcher_->Watch(Q(path));
    // A note about an earlier file no longer applies once the user's data is drawn.
    if (LoadData(path, false) && !path.empty()) ShowMessage({});
    AfterDataLoad(S(data_->Browser->Files()->SelectedPath()));
  });
}

void TFormMain::FileListBoxClick() {
  if (data_->Browser->Edit()->text().contains('*')) EditFileChange();
}

void TFormMain::AfterDataLoad(const std::string& fileName) {
  // With no file there is nothing to name a picture after.
  if (fileName.empty() || !environment_->CheckBoxAutoSaveImage->isChecked()) return;
  const ImageFormat format = AutoSavedFormat(environment_->AutoSaveFormat(), graph_->Model());
  const QFileInfo data(Q(ImageFileName(fileName, ImageExtension(format))));
  QString folder = data.absolutePath();
  if (!environment_->CheckBoxSaveImageToDataDir->isChecked()) {
    folder = Q(ApplicationPath(AppPath::GraphImages));
    // The user asked for pictures: a missing folder is made rather than the pictures dropped.
    QDir().mkpath(folder);
  }
  const std::string target = S(JoinPath(folder, data.fileName()));
  try {
    SaveGraphImage(graph_->Engine(), target, format);
    failedImageFolders_.removeAll(folder);
  } catch (const std::exception& e) {
    if (failedImageFolders_.contains(folder)) return;
    failedImageFolders_ << folder;
    messages_->ShowMessage(Q(e.what()));
  }
}

void TFormMain::OpenFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile()) {
    messages_->ShowMessage(path + ": file not found");
    return;
  }
  const bool options = info.suffix().compare("ini", Qt::CaseInsensitive) == 0;
  FileBrowser* browser = options ? loadIni_->Browser : data_->Browser;
  browser->SetDirectory(info.absolutePath());
  FileList* files = browser->Files();
  if (!files->SelectFile(info.fileName())) {
    // A file the chosen type hides: show every file so it can be selected.
    FilterComboBox* filter = browser->Filter();
    filter->setCurrentIndex(filter->count() - 1);
    files->SetMask(filter->currentData().toString());
    files->SelectFile(info.fileName());
  }
  // The new folder wrote the mask into the edit and the selection its name, so the same
  // handlers ran as for a user's pick.
  notebookSetting_->ShowPage(options ? "LoadIni" : "Data");
}

void TFormMain::FlipDataFile(int direction) {
  notebookSetting_->ShowPage("Data");
  data_->Browser->Files()->SelectNeighbour(direction);
}

void TFormMain::DataFileChanged(const QString& path) {
  if (S(path) != graph_->Engine().DataFilePath()) return;
  if (LoadData(S(path), true)) AfterDataLoad(S(path));
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  const QString path = urls.first().toLocalFile();
  Guard(dialogs_, [&] { OpenFile(path); });
}

namespace {

// Where Page Down and Page Up keep their own meaning.
bool KeepsPageKeys(const QWidget* focus, const QWidget* tree) {
  if (!focus || focus == tree) return false;
  // The manual scrolls by page although it is read-only.
  return InTextField(focus) || qobject_cast<const QTextEdit*>(focus) ||
         qobject_cast<const QComboBox*>(focus) || qobject_cast<const QAbstractItemView*>(focus);
}

}  // namespace

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !isActiveWindow()) {
    return QMainWindow::eventFilter(watched, event);
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return QMainWindow::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
  int direction = 0;
  if (modifiers == Qt::AltModifier && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up)) {
    direction = key->key() == Qt::Key_Down ? 1 : -1;
  } else if (modifiers == Qt::NoModifier &&
             (key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp) &&
             !KeepsPageKeys(QApplication::focusWidget(), treeView_)) {
    direction = key->key() == Qt::Key_PageDown ? 1 : -1;
  }
  if (direction == 0) return QMainWindow::eventFilter(watched, event);
  Guard(dialogs_, [&] { FlipDataFile(direction); });
  return true;
}

}  // namespace kurvex::shell
