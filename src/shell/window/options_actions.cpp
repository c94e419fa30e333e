#include "shell/window/options_actions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QScopeGuard>
#include <QScreen>
#include <filesystem>

#include "common/app_dir.h"
#include "common/error.h"
#include "common/ini_file.h"
#include "common/text_file.h"
#include "graph/style_sections.h"
#include "shell/browser/data_page.h"
#include "shell/browser/file_browser.h"
#include "shell/browser/loadini_page.h"
#include "shell/graph_window/graph_window.h"
#include "shell/graph_window/image_actions.h"
#include "shell/kit/captions.h"
#include "shell/kit/dialogs.h"
#include "shell/kit/guard.h"
#include "shell/kit/message_line.h"
#include "shell/kit/nav_tree.h"
#include "shell/kit/notebook.h"
#include "shell/kit/panel_splitter.h"
#include "shell/kit/qt_convert.h"
#include "shell/kit/window_fit.h"
#include "shell/pages/environment_page.h"
#include "shell/pages/image_page.h"
#include "shell/pages/page_hub.h"
#include "shell/pages/page_set.h"
#include "shell/window/languages.h"

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

// The bytes decide, not the time: a second instance may save within the same second.
std::optional<std::size_t> FileHash(const std::string& fileName) {
  const std::optional<std::string> bytes = ReadFileBytes(fileName);
  if (!bytes) return std::nullopt;
  return std::hash<std::string>{}(*bytes);
}

}  // namespace

OptionsActions::OptionsActions(const WindowPanels& panels, const PageSet& pages, TFormKurvex& graph,
                               PageHub& hub, Languages& languages, ImageActions& images,
                               MessageLine& messages, Dialogs& dialogs, QObject* parent)
    : QObject(parent),
      panels_(panels),
      pages_(pages),
      graph_(graph),
      hub_(hub),
      languages_(languages),
      images_(images),
      messages_(messages),
      dialogs_(dialogs) {}

bool OptionsActions::OnLoadIniPage() const {
  return panels_.Settings.ActivePage().compare("LoadIni", Qt::CaseInsensitive) == 0;
}

void OptionsActions::LoadOptions(const std::string& fileName) {
  ReadOptions(fileName, false);
}

void OptionsActions::LoadStartOptions(const std::string& fileName) {
  startFile_ = fileName;
  NoteOnDisk(fileName);
  Quietly([&] { recent_.Read(ProfileFile(fileName)); });
  ReadOptions(fileName, true);
}

void OptionsActions::NoteOnDisk(const std::string& fileName) {
  std::error_code error;
  if (fileName == startFile_ || std::filesystem::equivalent(fileName, startFile_, error)) {
    startFileHash_ = FileHash(startFile_);
  }
}

std::optional<std::string> OptionsActions::SaveAtClose(const std::string& fileName) {
  if (fileName != startFile_ || FileHash(fileName) == startFileHash_) {
    WriteOptions(fileName, true);
    return std::nullopt;
  }
  const ItemCaptions& c = languages_.Captions();
  if (dialogs_.Attended()) {
    const OptionsConflictQuestion question{FormatMessage(c.OptionsChanged, {fileName}), c.KeepMine,
                                           c.KeepTheirs};
    if (dialogs_.AskOptionsConflict(question) == OptionsConflictAnswer::kKeepMine) {
      WriteOptions(fileName, true);
    }
    return std::nullopt;
  }
  const std::string unsaved = fileName + ".unsaved";
  std::error_code error;
  // Only this window's settings: nothing of an older copy may mix in.
  std::filesystem::remove(unsaved, error);
  WriteOptions(unsaved, true);
  return FormatMessage(c.OptionsKeptTheirs, {fileName, unsaved});
}

void OptionsActions::ReadOptions(const std::string& fileName, bool firstLoad) {
  const ProfileFile file(fileName);
  std::exception_ptr failure;
  try {
    if (pages_.Environment->CheckBoxLoadAllOptions->isChecked()) {
      if (!OnLoadIniPage()) ApplyWindowKeys(file);
      LoadDataKeys(file);
    }
    languages_.ApplyStoredLanguage(file, firstLoad);
  } catch (const std::exception&) {
    failure = std::current_exception();
  }
  // The graph sections are read whatever happened above. A later load fills the pages only
  // when it went through; the first has no working style to keep, so its keys after a fault
  // take their defaults and the pages show that style.
  try {
    graph_.LoadOptionsFile(file, firstLoad ? AfterFailure::kDefaults : AfterFailure::kKeepPrevious);
  } catch (const Error& e) {
    if (firstLoad) backupPending_ = fileName;
    if (!failure) failure = std::make_exception_ptr(Error(fileName + ": " + e.what()));
  }
  if (failure && !firstLoad) std::rethrow_exception(failure);
  SetVariables();
  if (failure) std::rethrow_exception(failure);
}

void OptionsActions::ApplyWindowKeys(const ProfileFile& file) {
  QMainWindow& window = panels_.Window;
  switch (file.ReadInteger(kEnvironment, "WindowState", 0)) {
    case -1:
      window.setWindowState(Qt::WindowMinimized);
      break;
    case 0:
      window.setWindowState(Qt::WindowNoState);
      {
        // A window stored off every screen (a monitor since removed) comes back onto this one.
        const QRect bounds = OnScreen(QRect(file.ReadInteger(kEnvironment, "WindowLeft", 200),
                                            file.ReadInteger(kEnvironment, "WindowTop", 120),
                                            file.ReadInteger(kEnvironment, "WindowWidth", 1000),
                                            file.ReadInteger(kEnvironment, "WindowHeight", 600)),
                                      window.minimumSizeHint());
        window.move(bounds.topLeft());
        window.resize(bounds.size());
        PlaceFrameWhenFramed(window, bounds.topLeft());
        break;
      }
    case 1:
      window.move(0, 0);
      if (const QScreen* s = window.screen() ? window.screen() : QGuiApplication::primaryScreen()) {
        window.resize(s->geometry().size());
      }
      window.setWindowState(Qt::WindowMaximized);
      break;
    default:
      break;
  }
  // An index that names no item (the default among them) leaves no item selected and the load
  // goes on.
  if (QTreeWidgetItem* item = panels_.Tree.ItemAt(file.ReadInteger(kEnvironment, "TreeItem", 23))) {
    panels_.Tree.setCurrentItem(item);
  } else {
    panels_.Tree.clearSelection();
  }
  panels_.Settings.ShowPage(Q(file.ReadString(kEnvironment, "ShowInRightPanel", "Data")));
  panels_.Central.ShowPage(Q(file.ReadString(kEnvironment, "ShowInMainPanel", "GraphImage")));
  ApplyPanelWidths(file);
  pages_.Environment->CheckBoxAutoSave->setChecked(
      file.ReadBool(kEnvironment, "AutoSaveOptions", true));
  pages_.Environment->CheckBoxMenuBarVisible->setChecked(
      file.ReadBool(kEnvironment, "MenuBarVisible", true));
  pages_.Environment->CheckBoxFitAxes->setChecked(
      file.ReadBool(kEnvironment, "FitAxesToData", false));
  // A format this version does not know reads as the one every version writes.
  pages_.Environment->SetAutoSaveFormat(
      ImageFormatNamed(file.ReadString(kEnvironment, "AutoSaveImageFormat", "bmp"))
          .value_or(ImageFormat::kBmp));
}

// Each of the tree, the graph and the settings keeps a usable width, whatever the file says:
// a huge panel would widen the window beyond every screen, a negative one hide the tree.
void OptionsActions::ApplyPanelWidths(const ProfileFile& file) {
  const PanelWidths widths =
      FitPanelWidths(file.ReadInteger(kEnvironment, "PanelLeftWidth", 165),
                     file.ReadInteger(kEnvironment, "PanelRightWidth", 177), panels_.Window.width(),
                     panels_.Center.minimumSizeHint().width());
  SetPanelWidth(&panels_.Left, widths.Left);
  SetPanelWidth(&panels_.Right, widths.Right);
}

void OptionsActions::LoadDataKeys(const ProfileFile& file) {
  images_.SetFolder(Q(file.ReadString(kData, "ImagePath", "")));
  images_.SetScale(file.ReadInteger(kData, "ImageScale", 0));
  FileBrowser* browser = pages_.Data->Browser;
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
  if (IsMask(dataFile)) {
    // The list shows what the mask says, so "*.*" lists files without an extension too.
    FilterComboBox* filter = browser->Filter();
    if (const int type = filter->findData(dataFile); type >= 0) filter->setCurrentIndex(type);
    browser->Files()->SetMask(dataFile);
  }
  browser->Edit()->setText(dataFile);
  const QString name = browser->Edit()->text();
  QString path = JoinPath(browser->Directory(), name);
  if (!IsFile(path)) {
    const QString dataDir = Q(ApplicationPath(AppPath::Data));
    if (!IsFile(JoinPath(dataDir, name))) {
      dataPath_ = rememberedPath;
      // Else the sample spectrum still drawn would pass for the user's data.
      if (!name.isEmpty() && !IsMask(name))
        messages_.ShowMessage(Q(FormatMessage(languages_.Captions().FileNotFound,
                                              {S(JoinPath(rememberedPath, name))})));
      return;
    }
    browser->SetDirectory(dataDir);
    browser->Edit()->setText(dataFile);
    path = JoinPath(dataDir, browser->Edit()->text());
  }
  dataPath_ = rememberedPath;
  graph_.LoadDataFile(S(path));
  // Show which file is loaded; the name is already in the edit, so nothing runs again.
  const QSignalBlocker blocker(browser->Files());
  browser->Files()->SelectFile(QFileInfo(path).fileName());
}

void OptionsActions::WriteOptions(const std::string& fileName, bool ownFile) {
  KeepBackupBeforeSaving(fileName);
  ProfileFile file(fileName);
  const QMainWindow& window = panels_.Window;
  if (window.isMinimized()) {
    file.WriteInteger(kEnvironment, "WindowState", -1);
  } else if (window.isMaximized()) {
    file.WriteInteger(kEnvironment, "WindowState", 1);
  } else {
    file.WriteInteger(kEnvironment, "WindowState", 0);
    file.WriteInteger(kEnvironment, "WindowLeft", window.x());
    file.WriteInteger(kEnvironment, "WindowTop", window.y());
    file.WriteInteger(kEnvironment, "WindowWidth", window.width());
    file.WriteInteger(kEnvironment, "WindowHeight", window.height());
  }
  file.WriteInteger(kEnvironment, "PanelLeftWidth", PanelWidth(&panels_.Left));
  file.WriteInteger(kEnvironment, "TreeItem", panels_.Tree.AbsoluteIndex(panels_.Tree.Selected()));
  file.WriteString(kEnvironment, "ShowInRightPanel", S(panels_.Settings.ActivePage()));
  file.WriteString(kEnvironment, "ShowInMainPanel", S(panels_.Central.ActivePage()));
  file.WriteInteger(kEnvironment, "PanelRightWidth", PanelWidth(&panels_.Right));
  file.WriteBool(kEnvironment, "AutoSaveOptions",
                 pages_.Environment->CheckBoxAutoSave->isChecked());
  file.WriteInteger(kEnvironment, "Language", languages_.LanguageIndex());
  // New keys come after the old ones, so a file written now still reads as before.
  file.WriteBool(kEnvironment, "FitAxesToData", pages_.Environment->CheckBoxFitAxes->isChecked());
  file.WriteString(kEnvironment, "AutoSaveImageFormat",
                   ImageFormatName(pages_.Environment->AutoSaveFormat()));
  // The name keeps its meaning when language files come or go; the index stays for older readers.
  file.WriteString(kEnvironment, "LanguageName", languages_.LanguageName());
  file.WriteBool(kEnvironment, "MenuBarVisible",
                 pages_.Environment->CheckBoxMenuBarVisible->isChecked());
  file.WriteString(kData, "DataPath",
                   S(dataPath_.isEmpty() ? pages_.Data->Browser->Directory() : dataPath_));
  file.WriteString(kData, "DataFile", S(pages_.Data->Browser->Edit()->text()));
  file.WriteString(kData, "ImagePath", S(images_.Folder()));
  file.WriteInteger(kData, "ImageScale", images_.Scale());
  WriteOptionsSections(graph_.Model(), file);
  if (ownFile) recent_.Write(file);
  file.Save();
  NoteOnDisk(fileName);
}

void OptionsActions::KeepBackupBeforeSaving(const std::string& fileName) {
  if (backupPending_.empty()) return;
  std::error_code error;
  if (!std::filesystem::equivalent(fileName, backupPending_, error)) return;
  // Without the copy the user's only version would be replaced: no copy, no save.
  if (const std::optional<std::string> original = ReadFileBytes(backupPending_)) {
    WriteFileAtomic(backupPending_ + ".bak", *original);
  }
  backupPending_.clear();
}

void OptionsActions::SaveOtherOptions() {
  // The title stays English whatever the language: no language file names it.
  const SaveDialogOptions options{ApplicationPath(AppPath::Styles), "Ini Files|*.ini|*.*|*.*",
                                  "ini", "Save environment options"};
  if (auto name = dialogs_.SaveFileName(options)) {
    SaveOptions(WithDefaultExtension(*name, options.DefaultExt));
  }
}

void OptionsActions::SetVariables() {
  graph_.SetPaintEnabled(false);
  {
    const PageHub::Filling filling(hub_);
    panels_.Window.setUpdatesEnabled(false);
    const auto updatesBack = qScopeGuard([this] { panels_.Window.setUpdatesEnabled(true); });
    FillPages();
  }
  graph_.SetPaintEnabled(true);
  graph_.RepaintIfAuto();
}

void OptionsActions::FillPages() {
  FillEnvironmentPage();
  FillImagePage();
  FillGraphPages();
}

void OptionsActions::FillEnvironmentPage() {
  pages_.Environment->FillEnvironment(OnLoadIniPage());
  // The box on the Data page belongs to the style; filling it reads no file again.
  const QSignalBlocker blocker(pages_.Data->CheckBoxFindDataBlock);
  pages_.Data->CheckBoxFindDataBlock->setChecked(graph_.Model().FindDataBlock);
}

void OptionsActions::FillGraphPages() {
  for (SettingsPage* page : pages_.Graph) page->Fill();
}

void OptionsActions::FillImagePage() {
  pages_.Image->Fill();
}

void OptionsActions::LoadStyle(const std::string& fileName) {
  hub_.Step([&] {
    const ProfileFile file(fileName);
    try {
      graph_.LoadOptionsFile(file, AfterFailure::kKeepPrevious);
    } catch (const Error& e) {
      throw Error(fileName + ": " + e.what());
    }
    SetVariables();
    currentStyle_ = fileName;
  });
}

void OptionsActions::EditFileIniChange() {
  FileList* files = pages_.LoadIni->Browser->Files();
  // With no file picked there is nothing to load; loading "" would reset every setting.
  // A whole load is one step the user can take back.
  if (const QString path = files->SelectedPath(); !path.isEmpty()) {
    hub_.Step([&] { LoadOptions(S(path)); });
    currentStyle_ = S(path);
  }
  panels_.Settings.ShowPage("LoadIni");
  files->setFocus();
}

}  // namespace kurvex::shell
