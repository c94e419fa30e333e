// The main window's part of the options files: its own keys, the "Data" section, and the
// load and save that wrap the graph sections in the same file.
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <filesystem>

#include "common/app_dir.h"
#include "graph/options_file.h"
#include "shell/data_page.h"
#include "shell/dialogs.h"
#include "shell/file_browser.h"
#include "shell/form_kurvex.h"
#include "shell/form_main.h"
#include "shell/guard.h"
#include "shell/loadini_page.h"
#include "shell/nav_tree.h"
#include "shell/notebook.h"
#include "shell/pages/environment_page.h"
#include "shell/pages/image_page.h"
#include "shell/panel_splitter.h"
#include "shell/qt_convert.h"

namespace kurvex::shell {

namespace {

constexpr const char* kEnvironment = "Environment";
constexpr const char* kData = "Data";

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
  // The graph sections are read whatever happened above; the pages are filled only after a
  // load that went through.
  graph_->LoadOptionsFile(file);
  if (failure) std::rethrow_exception(failure);
  SetVariables();
}

void TFormMain::ApplyWindowKeys(const ProfileFile& file) {
  switch (file.ReadInteger(kEnvironment, "WindowState", 0)) {
    case -1:
      setWindowState(Qt::WindowMinimized);
      break;
    case 0:
      setWindowState(Qt::WindowNoState);
      move(file.ReadInteger(kEnvironment, "WindowLeft", 200),
           file.ReadInteger(kEnvironment, "WindowTop", 120));
      resize(file.ReadInteger(kEnvironment, "WindowWidth", 1000),
             file.ReadInteger(kEnvironment, "WindowHeight", 600));
      break;
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
  SetPanelWidth(panelLeft_, file.ReadInteger(kEnvironment, "PanelLeftWidth", 165));
  // An index that names no item (the default among them) leaves no item selected and the load
  // goes on.
  if (QTreeWidgetItem* item = treeView_->ItemAt(file.ReadInteger(kEnvironment, "TreeItem", 23))) {
    treeView_->setCurrentItem(item);
  } else {
    treeView_->clearSelection();
  }
  notebookSetting_->ShowPage(Q(file.ReadString(kEnvironment, "ShowInRightPanel", "Data")));
  notebookImage_->ShowPage(Q(file.ReadString(kEnvironment, "ShowInMainPanel", "GraphImage")));
  SetPanelWidth(panelRight_, file.ReadInteger(kEnvironment, "PanelRightWidth", 177));
  environment_->CheckBoxAutoSave->setChecked(file.ReadBool(kEnvironment, "AutoSaveOptions", true));
}

void TFormMain::LoadDataKeys(const ProfileFile& file) {
  FileBrowser* browser = data_->Browser;
  Quietly([&] { browser->SetDirectory(Q(file.ReadString(kData, "DataPath", "Data"))); });
  const QString dataFile = Q(file.ReadString(kData, "DataFile", "*.*"));
  browser->Edit()->setText(dataFile);
  const QString name = browser->Edit()->text();
  QString path = JoinPath(browser->Directory(), name);
  if (!IsFile(path)) {
    const QString dataDir = Q(ApplicationDirectory()) + "Data";
    if (!IsFile(JoinPath(dataDir, name))) return;
    browser->SetDirectory(dataDir);
    browser->Edit()->setText(dataFile);
    path = JoinPath(dataDir, browser->Edit()->text());
  }
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
  file.WriteString(kData, "DataPath", S(data_->Browser->Directory()));
  file.WriteString(kData, "DataFile", S(data_->Browser->Edit()->text()));
  WriteOptionsSections(graph_->Model(), file);
  file.Save();
}

void TFormMain::SaveOtherOptions() {
  // The title stays English whatever the language: no language file names it.
  const SaveDialogOptions options{ApplicationDirectory() + "Setting", "Ini Files|*.ini|*.*|*.*",
                                  "ini", "Save environment options"};
  if (auto name = dialogs_.SaveFileName(options)) {
    SaveOptions(WithDefaultExtension(*name, options.DefaultExt));
  }
}

void TFormMain::SetVariables() {
  graph_->SetPaintEnabled(false);
  // The fill writes controls from the model: what it makes the handlers do is no user step.
  hub_->SetFilling(true);
  setUpdatesEnabled(false);
  try {
    FillEnvironmentPage();
    FillImagePage();
    FillGraphPages();
  } catch (...) {
    hub_->SetFilling(false);
    setUpdatesEnabled(true);
    throw;
  }
  hub_->SetFilling(false);
  setUpdatesEnabled(true);
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

void TFormMain::EditFileChange() {
  Quietly([this] {
    notebookImage_->ShowPage("GraphImage");
    graph_->LoadDataFile(S(data_->Browser->Files()->SelectedPath()));
  });
}

}  // namespace kurvex::shell
