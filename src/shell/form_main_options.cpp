// The main window's part of the options files: its own keys, the "Data" section, and the
// load and save that wrap the graph sections in the same file.
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScreen>
#include <filesystem>

#include "common/app_dir.h"
#include "common/error.h"
#include "common/text_file.h"
#include "graph/options_file.h"
#include "shell/browser/file_browser.h"
#include "shell/data_page.h"
#include "shell/dialogs.h"
#include "shell/form_kurvex.h"
#include "shell/form_main.h"
#include "shell/guard.h"
#include "shell/image_actions.h"
#include "shell/loadini_page.h"
#include "shell/nav_tree.h"
#include "shell/notebook.h"
#include "shell/pages/environment_page.h"
#include "shell/pages/image_page.h"
#include "shell/pages/page_hub.h"
#include "shell/panel_splitter.h"
#include "shell/qt_convert.h"
#include "shell/window_fit.h"

namespace kurvex::shell {

namespace {

constexpr const char* kEnvironment = "Environment";
constexpr const char* kData = "Data";

bool IsMask(const QString& name) {
  return name.contains('*') || name.contains('?');
}

bool IsFile(const QString& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(S(path), error);
}

// The width a panel was given; its geometry lags behind until the window is laid out.
int PanelWidth(const QWidget* panel) {
  return panel->minimumWidth();
}

}  // namespace

bool TFormMain::OnLoadIniPage() const {
  return notebookSetting_->ActivePage().compare("LoadIni", Qt::CaseInsensitive) == 0;
}

void TFormMain::LoadOptions(const std::string& fileName) {
  ReadOptions(fileName, false);
}

void TFormMain::LoadStartOptions(const std::string& fileName) {
  ReadOptions(fileName, true);
}

void TFormMain::ReadOptions(const std::string& fileName, bool firstLoad) {
  const ProfileFile file(fileName);
  std::exception_ptr failure;
  try {
    if (environment_->CheckBoxLoadAllOptions->isChecked()) {
      if (!OnLoadIniPage()) ApplyWindowKeys(file);
      LoadDataKeys(file);
    }
    ApplyLanguage(file);
  } catch (...) {
    failure = std::current_exception();
  }
  // The graph sections are read whatever happened above. A later load fills the pages only
  // when it went through; the first has no working style to keep, so its keys after a fault
  // take their defaults and the pages show that style.
  try {
    graph_->LoadOptionsFile(file,
                            firstLoad ? AfterFailure::kDefaults : AfterFailure::kKeepPrevious);
  } catch (const Error& e) {
    if (firstLoad) backupPending_ = fileName;
    if (!failure) failure = std::make_exception_ptr(Error(fileName + ": " + e.what()));
  }
  if (failure && !firstLoad) std::rethrow_exception(failure);
  SetVariables();
  if (failure) std::rethrow_exception(failure);
}

void TFormMain::ApplyWindowKeys(const ProfileFile& file) {
  switch (file.ReadInteger(kEnvironment, "WindowState", 0)) {
    case -1:
      setWindowState(Qt::WindowMinimized);
      break;
    case 0:
      setWindowState(Qt::WindowNoState);
      {
        // A window stored off every screen (a monitor since removed) comes back onto this one.
        const QRect bounds = OnScreen(QRect(file.ReadInteger(kEnvironment, "WindowLeft", 200),
                                            file.ReadInteger(kEnvironment, "WindowTop", 120),
                                            file.ReadInteger(kEnvironment, "WindowWidth", 1000),
                                            file.ReadInteger(kEnvironment, "WindowHeight", 600)),
                                      minimumSizeHint());
        move(bounds.topLeft());
        resize(bounds.size());
        break;
      }
    case 1:
      move(0, 0);
      if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        resize(s->geometry().size());
      }
      setWindowState(Qt::WindowMaximized);
      break;
    default:
      break;
  }
  // An index that names no item (the default among them) leaves no item selected and the load
  // goes on.
  if (QTreeWidgetItem* item = treeView_->ItemAt(file.ReadInteger(kEnvironment, "TreeItem", 23))) {
    treeView_->setCurrentItem(item);
  } else {
    treeView_->clearSelection();
  }
  notebookSetting_->ShowPage(Q(file.ReadString(kEnvironment, "ShowInRightPanel", "Data")));
  notebookImage_->ShowPage(Q(file.ReadString(kEnvironment, "ShowInMainPanel", "GraphImage")));
  ApplyPanelWidths(file);
  environment_->CheckBoxAutoSave->setChecked(file.ReadBool(kEnvironment, "AutoSaveOptions", true));
  environment_->CheckBoxFitAxes->setChecked(file.ReadBool(kEnvironment, "FitAxesToData", false));
  // A format this version does not know reads as the one every version writes.
  environment_->SetAutoSaveFormat(
      ImageFormatNamed(file.ReadString(kEnvironment, "AutoSaveImageFormat", "bmp"))
          .value_or(ImageFormat::kBmp));
}

// Each of the tree, the graph and the settings keeps a usable width, whatever the file says:
// a huge panel would widen the window beyond every screen, a negative one hide the tree.
void TFormMain::ApplyPanelWidths(const ProfileFile& file) {
  const PanelWidths widths = FitPanelWidths(file.ReadInteger(kEnvironment, "PanelLeftWidth", 165),
                                            file.ReadInteger(kEnvironment, "PanelRightWidth", 177),
                                            width(), panelCenter_->minimumSizeHint().width());
  SetPanelWidth(panelLeft_, widths.Left);
  SetPanelWidth(panelRight_, widths.Right);
}

void TFormMain::LoadDataKeys(const ProfileFile& file) {
  images_->SetFolder(Q(file.ReadString(kData, "ImagePath", "")));
  FileBrowser* browser = data_->Browser;
  const QString storedPath = Q(file.ReadString(kData, "DataPath", "Data"));
  bool storedPathShown = false;
  Quietly([&] {
    browser->SetDirectory(storedPath);
    storedPathShown = true;
  });
  // A folder that is missing now (an unplugged disk) stays remembered, and so does the stored
  // one when the data file is found in the program's own folder instead.
  const QString rememberedPath = storedPathShown ? browser->Directory() : storedPath;
  const QString dataFile = Q(file.ReadString(kData, "DataFile", "*.*"));
  browser->Edit()->setText(dataFile);
  const QString name = browser->Edit()->text();
  QString path = JoinPath(browser->Directory(), name);
  if (!IsFile(path)) {
    const QString dataDir = Q(ApplicationPath(AppPath::Data));
    if (!IsFile(JoinPath(dataDir, name))) {
      dataPath_ = rememberedPath;
      // Else the sample spectrum still drawn would pass for the user's data.
      if (!name.isEmpty() && !IsMask(name))
        ShowMessage(JoinPath(rememberedPath, name) + ": file not found");
      return;
    }
    browser->SetDirectory(dataDir);
    browser->Edit()->setText(dataFile);
    path = JoinPath(dataDir, browser->Edit()->text());
  }
  dataPath_ = rememberedPath;
  graph_->LoadDataFile(S(path));
  // Show which file is loaded; the name is already in the edit, so nothing runs again.
  const QSignalBlocker blocker(browser->Files());
  browser->Files()->SelectFile(QFileInfo(path).fileName());
}

void TFormMain::ApplyLanguage(const ProfileFile& file) {
  // Kept as read until the user picks an entry: a language file missing for a while must not
  // cost the setting.
  language_ = file.ReadInteger(kEnvironment, "Language", 0);
  QComboBox* box = environment_->ComboBoxLocalize;
  const int index = language_ >= 0 && language_ < box->count() ? language_ : -1;
  if (index != box->currentIndex()) {
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(index);
  }
  ComboBoxLocalizeChange();
}

void TFormMain::SaveOptions(const std::string& fileName) {
  KeepBackupBeforeSaving(fileName);
  ProfileFile file(fileName);
  if (isMinimized()) {
    file.WriteInteger(kEnvironment, "WindowState", -1);
  } else if (isMaximized()) {
    file.WriteInteger(kEnvironment, "WindowState", 1);
  } else {
    file.WriteInteger(kEnvironment, "WindowState", 0);
    file.WriteInteger(kEnvironment, "WindowLeft", x());
    file.WriteInteger(kEnvironment, "WindowTop", y());
    file.WriteInteger(kEnvironment, "WindowWidth", width());
    file.WriteInteger(kEnvironment, "WindowHeight", height());
  }
  file.WriteInteger(kEnvironment, "PanelLeftWidth", PanelWidth(panelLeft_));
  file.WriteInteger(kEnvironment, "TreeItem", treeView_->AbsoluteIndex(treeView_->Selected()));
  file.WriteString(kEnvironment, "ShowInRightPanel", S(notebookSetting_->ActivePage()));
  file.WriteString(kEnvironment, "ShowInMainPanel", S(notebookImage_->ActivePage()));
  file.WriteInteger(kEnvironment, "PanelRightWidth", PanelWidth(panelRight_));
  file.WriteBool(kEnvironment, "AutoSaveOptions", environment_->CheckBoxAutoSave->isChecked());
  file.WriteInteger(kEnvironment, "Language", language_);
  // New keys come after the old ones, so a file written now still reads as before.
  file.WriteBool(kEnvironment, "FitAxesToData", environment_->CheckBoxFitAxes->isChecked());
  file.WriteString(kEnvironment, "AutoSaveImageFormat",
                   ImageFormatName(environment_->AutoSaveFormat()));
  file.WriteString(kData, "DataPath",
                   S(dataPath_.isEmpty() ? data_->Browser->Directory() : dataPath_));
  file.WriteString(kData, "DataFile", S(data_->Browser->Edit()->text()));
  file.WriteString(kData, "ImagePath", S(images_->Folder()));
  WriteOptionsSections(graph_->Model(), file);
  file.Save();
}

void TFormMain::KeepBackupBeforeSaving(const std::string& fileName) {
  if (backupPending_.empty()) return;
  std::error_code error;
  if (!std::filesystem::equivalent(fileName, backupPending_, error)) return;
  // Without the copy the user's only version would be replaced: no copy, no save.
  if (const std::optional<std::string> original = ReadFileBytes(backupPending_)) {
    WriteFileAtomic(backupPending_ + ".bak", *original);
  }
  backupPending_.clear();
}

void TFormMain::SaveOtherOptions() {
  // The title stays English whatever the language: no language file names it.
  const SaveDialogOptions options{ApplicationPath(AppPath::Styles), "Ini Files|*.ini|*.*|*.*",
                                  "ini", "Save environment options"};
  if (auto name = dialogs_.SaveFileName(options)) {
    SaveOptions(WithDefaultExtension(*name, options.DefaultExt));
  }
}

void TFormMain::SetVariables() {
  graph_->SetPaintEnabled(false);
  {
    const PageHub::Filling filling(*hub_);
    setUpdatesEnabled(false);
    const auto updatesBack = qScopeGuard([this] { setUpdatesEnabled(true); });
    FillEnvironmentPage();
    FillImagePage();
    FillGraphPages();
  }
  graph_->SetPaintEnabled(true);
  graph_->RepaintIfAuto();
}

void TFormMain::FillEnvironmentPage() {
  environment_->FillEnvironment(OnLoadIniPage());
}

void TFormMain::FillGraphPages() {
  for (SettingsPage* page : graphPages_) page->Fill();
}

void TFormMain::FillImagePage() {
  image_->Fill();
}

void TFormMain::EditFileIniChange() {
  FileList* files = loadIni_->Browser->Files();
  // With no file picked there is nothing to load; loading "" would reset every setting.
  // A whole load is one step the user can take back.
  if (const QString path = files->SelectedPath(); !path.isEmpty()) {
    hub_->Step([&] { LoadOptions(S(path)); });
  }
  notebookSetting_->ShowPage("LoadIni");
  files->setFocus();
}

}  // namespace kurvex::shell
