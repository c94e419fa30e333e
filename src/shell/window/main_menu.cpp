#include "shell/window/main_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "common/app_dir.h"
#include "shell/browser/data_page.h"
#include "shell/browser/file_browser.h"
#include "shell/graph_window/image_actions.h"
#include "shell/help/help_desk.h"
#include "shell/kit/captions.h"
#include "shell/kit/dialogs.h"
#include "shell/kit/guard.h"
#include "shell/kit/message_line.h"
#include "shell/kit/notebook.h"
#include "shell/kit/qt_convert.h"
#include "shell/pages/axis_values_page.h"
#include "shell/pages/environment_page.h"
#include "shell/pages/page_hub.h"
#include "shell/pages/page_set.h"
#include "shell/window/data_files.h"
#include "shell/window/languages.h"
#include "shell/window/options_actions.h"
#include "shell/window/tree_navigation.h"

namespace kurvex::shell {

namespace {

// The dialog's title is the item's text without its mnemonic and ellipsis.
std::string TitleOf(const QAction* action) {
  return S(action->text().remove(QStringLiteral("…")).remove('&').trimmed());
}

}  // namespace

MainMenu::MainMenu(QMainWindow& window, Dialogs& dialogs, MenuParts parts)
    : QObject(&window),
      window_(window),
      dialogs_(dialogs),
      parts_(std::move(parts)),
      bar_(window.menuBar()) {
  bar_->setObjectName("MenuBarMain");
  bar_->setAccessibleName("Menu bar");
  BuildFile();
  BuildEdit();
  BuildView();
  BuildData();
  BuildHelp();
  EnvironmentPage& environment = *parts_.Pages.Environment;
  connect(environment.CheckBoxMenuBarVisible, &QCheckBox::toggled, this,
          [this] { FollowMenuBarBox(); });
  connect(environment.CheckBoxStatusBarVisible, &QCheckBox::toggled, this,
          [this] { FollowStatusBar(); });
  FollowMenuBarBox();
  FollowStatusBar();
}

QAction* MainMenu::Add(QMenu* menu, const char* name, const char* text, const QKeySequence& key) {
  auto* action = new QAction(text, &window_);
  action->setObjectName(name);
  if (!key.isEmpty()) {
    action->setShortcut(key);
    // The keys work with the bar hidden too: the window holds the action as well.
    window_.addAction(action);
  }
  menu->addAction(action);
  return action;
}

void MainMenu::BuildFile() {
  QMenu* file = bar_->addMenu("&File");
  file->setObjectName("MenuFile");
  open_ = Add(file, "MenuOpen", "&Open…", QKeySequence(Qt::CTRL | Qt::Key_O));
  connect(open_, &QAction::triggered, this, [this] { Guard(dialogs_, [this] { OpenClick(); }); });
  recent_ = file->addMenu("Open &recent");
  recent_->setObjectName("MenuOpenRecent");
  connect(recent_, &QMenu::aboutToShow, this, [this] { FillRecent(); });
  file->addSeparator();
  QAction* load = Add(file, "MenuLoadStyle", "&Load style…");
  connect(load, &QAction::triggered, this,
          [this] { Guard(dialogs_, [this] { parts_.Navigation.LoadOther(); }); });
  QAction* save = Add(file, "MenuSaveStyle", "Sa&ve style as…");
  connect(save, &QAction::triggered, this,
          [this] { Guard(dialogs_, [this] { parts_.Options.SaveOtherOptions(); }); });
  file->addSeparator();
  file->addAction(parts_.Images.SaveAs());
  file->addAction(parts_.Images.Copy());
  file->addSeparator();
  QAction* quit = Add(file, "MenuQuit", "&Quit", QKeySequence(Qt::CTRL | Qt::Key_Q));
  connect(quit, &QAction::triggered, &window_, &QWidget::close);
}

void MainMenu::BuildEdit() {
  QMenu* edit = bar_->addMenu("&Edit");
  edit->setObjectName("MenuEdit");
  // A text field keeps its own Ctrl+Z: it takes the key before any action sees it.
  QAction* undo = Add(edit, "MenuUndo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
  connect(undo, &QAction::triggered, this, [this] { parts_.Undo(); });
  QAction* redo = Add(edit, "MenuRedo", "&Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  connect(redo, &QAction::triggered, this, [this] { parts_.Redo(); });
  edit->addSeparator();
  QAction* fit =
      Add(edit, "MenuFitToData", "&Fit to data", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
  connect(fit, &QAction::triggered, this, [this] { FitToDataClick(); });
  QAction* reverse = Add(edit, "MenuReverseX", "Reverse &x axis");
  connect(reverse, &QAction::triggered, this, [this] { ReverseXClick(); });
}

void MainMenu::BuildView() {
  QMenu* view = bar_->addMenu("&View");
  view->setObjectName("MenuView");
  statusBar_ = Add(view, "MenuStatusBar", "&Status bar");
  statusBar_->setCheckable(true);
  connect(statusBar_, &QAction::triggered, this,
          [this] { parts_.Pages.Environment->SetStatusBarVisible(statusBar_->isChecked()); });
  // Smooth drawing is the graph's own switch; it shows here once the graph offers it.
  view->addAction(parts_.Images.Smooth());
  menuBar_ = Add(view, "MenuMenuBar", "&Menu bar", QKeySequence(Qt::CTRL | Qt::Key_M));
  menuBar_->setCheckable(true);
  connect(menuBar_, &QAction::triggered, this, [this] { ToggleMenuBar(); });
  view->addSeparator();
  manual_ = Add(view, "MenuManual", "M&anual");
  connect(manual_, &QAction::triggered, this, [this] { parts_.Central.ShowPage("Manual"); });
  QAction* log = Add(view, "MenuLog", "&Log");
  connect(log, &QAction::triggered, this, [this] { parts_.Central.ShowPage("Log"); });
  style_ = view->addMenu("S&tyle");
  style_->setObjectName("MenuStyle");
  connect(style_, &QMenu::aboutToShow, this, [this] { FillStyles(); });
  language_ = view->addMenu("L&anguage");
  language_->setObjectName("MenuLanguage");
  connect(language_, &QMenu::aboutToShow, this, [this] { FillLanguages(); });
}

void MainMenu::BuildData() {
  QMenu* data = bar_->addMenu("&Data");
  data->setObjectName("MenuData");
  columns_ = Add(data, "MenuColumns", "&Columns…");
  connect(columns_, &QAction::triggered, this,
          [this] { Guard(dialogs_, [this] { parts_.Files.ColumnsClick(dialogs_); }); });
}

void MainMenu::BuildHelp() {
  QMenu* help = bar_->addMenu("&Help");
  help->setObjectName("MenuHelpMenu");
  // F1, Ctrl+F and F3 belong to the help's own actions: shown here, not registered again.
  help->addAction(parts_.Help.HelpAction());
  help->addAction(manual_);
  help->addAction(parts_.Help.FindFirstAction());
  help->addAction(parts_.Help.FindNextAction());
  help->addSeparator();
  QAction* about = Add(help, "MenuAbout", "&About Kurvex");
  connect(about, &QAction::triggered, this, [this] { parts_.Central.ShowPage("About"); });
}

void MainMenu::OpenClick() {
  FileBrowser& browser = *parts_.Pages.Data->Browser;
  OpenDialogOptions options;
  options.InitialDir = S(browser.Directory());
  options.Title = TitleOf(open_);
  // The types as the list names them, in the language chosen.
  const FilterComboBox* filter = browser.Filter();
  for (int i = 0; i < filter->count(); ++i) {
    options.NameFilters.push_back(
        S(DialogNameFilter(filter->itemText(i), filter->itemData(i).toString())));
  }
  // The dialog offers the type the list shows first.
  options.SelectedFilter = browser.Filter()->currentIndex();
  if (const std::optional<std::string> path = dialogs_.OpenFileName(options)) {
    parts_.Files.OpenFile(Q(*path));
  }
}

void MainMenu::OpenRecent(const QString& path) {
  if (QFileInfo(path).isFile()) {
    parts_.Files.OpenFile(path);
    return;
  }
  parts_.Options.Recent().Remove(S(path));
  const ItemCaptions& c = parts_.Language.Captions();
  parts_.Messages.ShowMessage(Q(FormatMessage(c.RecentFileGone, {S(path)})));
}

void MainMenu::FillRecent() {
  recent_->clear();
  const std::vector<std::string>& paths = parts_.Options.Recent().Paths();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const QString path = Q(paths[i]);
    // Numbered for the keyboard; the name first, the folder after it.
    const QString text = QString("&%1 %2  (%3)")
                             .arg((i + 1) % 10)
                             .arg(QFileInfo(path).fileName(), QFileInfo(path).absolutePath());
    QAction* action = recent_->addAction(text);
    action->setObjectName(QString("MenuRecent%1").arg(i + 1));
    action->setToolTip(path);
    connect(action, &QAction::triggered, this,
            [this, path] { Guard(dialogs_, [&] { OpenRecent(path); }); });
  }
  if (paths.empty()) {
    QAction* none = recent_->addAction(Q(parts_.Language.Captions().NoRecentFiles));
    none->setObjectName("MenuRecentNone");
    none->setEnabled(false);
  }
}

void MainMenu::FillLanguages() {
  language_->clear();
  QComboBox& box = *parts_.Pages.Environment->ComboBoxLocalize;
  auto* group = new QActionGroup(language_);
  for (int i = 0; i < box.count(); ++i) {
    QAction* action = language_->addAction(box.itemText(i));
    action->setObjectName("MenuLanguage" + box.itemText(i));
    action->setCheckable(true);
    action->setChecked(i == box.currentIndex() && box.currentText() == box.itemText(i));
    group->addAction(action);
    // The same as a pick in the Environment page's list.
    connect(action, &QAction::triggered, this,
            [this, i] { Guard(dialogs_, [&] { parts_.Language.Choose(i); }); });
  }
}

void MainMenu::FillStyles() {
  style_->clear();
  auto* group = new QActionGroup(style_);
  const std::string& current = parts_.Options.CurrentStyle();
  const QString currentPath = QFileInfo(Q(current)).absoluteFilePath();
  // The user's styles first; a shipped one of the same name is the user's copy of it.
  QStringList names;
  for (const AppPath folder : {AppPath::Styles, AppPath::Resources}) {
    QString dir = Q(ApplicationPath(folder));
    if (folder == AppPath::Resources) dir += "Setting/";
    for (const QFileInfo& file : QDir(dir).entryInfoList({"*.ini"}, QDir::Files, QDir::Name)) {
      const QString name = file.completeBaseName();
      if (names.contains(name)) continue;
      names.append(name);
      QAction* action = style_->addAction(name);
      action->setObjectName("MenuStyle" + name);
      action->setToolTip(file.absoluteFilePath());
      action->setCheckable(true);
      action->setChecked(!current.empty() && file.absoluteFilePath() == currentPath);
      group->addAction(action);
      const std::string path = S(file.absoluteFilePath());
      connect(action, &QAction::triggered, this,
              [this, path] { Guard(dialogs_, [&] { parts_.Options.LoadStyle(path); }); });
    }
  }
}

void MainMenu::FitToDataClick() {
  parts_.Hub.Step([this] {
    parts_.Pages.AxisXValues->FitToData();
    parts_.Pages.AxisYValues->FitToData();
  });
}

void MainMenu::ReverseXClick() {
  parts_.Hub.Run("ButtonAxisXReverse", [this] { parts_.Pages.AxisXValues->Reverse(); });
}

void MainMenu::ToggleMenuBar() {
  EnvironmentPage& environment = *parts_.Pages.Environment;
  environment.SetMenuBarVisible(!environment.CheckBoxMenuBarVisible->isChecked());
}

void MainMenu::FollowMenuBarBox() {
  const bool visible = parts_.Pages.Environment->CheckBoxMenuBarVisible->isChecked();
  bar_->setVisible(visible);
  menuBar_->setChecked(visible);
}

void MainMenu::FollowStatusBar() {
  statusBar_->setChecked(parts_.Pages.Environment->CheckBoxStatusBarVisible->isChecked());
}

}  // namespace kurvex::shell
