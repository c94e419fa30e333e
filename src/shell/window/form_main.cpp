#include "shell/window/form_main.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include "common/app_dir.h"
#include "shell/browser/data_page.h"
#include "shell/browser/data_watcher.h"
#include "shell/browser/file_browser.h"
#include "shell/browser/loadini_page.h"
#include "shell/graph_window/graph_mouse.h"
#include "shell/graph_window/graph_window.h"
#include "shell/graph_window/image_actions.h"
#include "shell/help/help_desk.h"
#include "shell/kit/dialogs.h"
#include "shell/kit/guard.h"
#include "shell/kit/message_line.h"
#include "shell/kit/nav_tree.h"
#include "shell/kit/notebook.h"
#include "shell/kit/page_parts.h"
#include "shell/kit/panel_splitter.h"
#include "shell/kit/qt_convert.h"
#include "shell/kit/tree_icons.h"
#include "shell/kit/window_fit.h"
#include "shell/pages/axis_line_page.h"
#include "shell/pages/axis_values_page.h"
#include "shell/pages/curves_page.h"
#include "shell/pages/environment_page.h"
#include "shell/pages/image_page.h"
#include "shell/pages/legend_page.h"
#include "shell/pages/page_hub.h"
#include "shell/pages/text_page.h"
#include "shell/pages/title_page.h"
#include "shell/window/data_files.h"
#include "shell/window/languages.h"
#include "shell/window/log_file.h"
#include "shell/window/main_menu.h"
#include "shell/window/options_actions.h"
#include "shell/window/tree_navigation.h"

namespace kurvex::shell {

namespace {

QVBoxLayout* PageLayout(QWidget* page, int margin = 0) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->setSpacing(0);
  return layout;
}

std::string LogPath() {
  return ApplicationPath(AppPath::LogFile);
}

// Where Page Down and Page Up keep their own meaning.
bool KeepsPageKeys(const QWidget* focus, const QWidget* tree) {
  if (!focus || focus == tree) return false;
  // The manual scrolls by page although it is read-only.
  return InTextField(focus) || qobject_cast<const QTextEdit*>(focus) ||
         qobject_cast<const QComboBox*>(focus) || qobject_cast<const QAbstractItemView*>(focus);
}

}  // namespace

TFormMain::TFormMain(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs) {
  setObjectName("FormMain");
  setWindowTitle("Kurvex");
  setWindowIcon(TreeStateImage(1));
  resize(1021, 611);
  // The directory lists start at the resources, so relative data paths such as "Data" find them.
  SetBrowserCurrentDirectory(Q(ApplicationPath(AppPath::Resources)));
  messages_ = new MessageLine(this);
  statusBar()->setObjectName("StatusBarMain");
  statusBar()->setSizeGripEnabled(false);
  statusBar()->addWidget(messages_, 1);
  hub_ = new PageHub(dialogs_, *messages_, this);
  BuildLayout();
  images_ = new ImageActions(*this, dialogs_);
  help_->BuildMainMenu(*this);
  setAcceptDrops(true);
  qApp->installEventFilter(this);
  FormCreate();
}

void TFormMain::BuildLayout() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  panelLeft_ = WhitePanel("PanelLeft", central);
  panelCenter_ = WhitePanel("PanelCenter", central);
  panelRight_ = WhitePanel("PanelRight", central);
  SetPanelWidth(panelLeft_, 185);
  SetPanelWidth(panelRight_, 269);
  splitterLeft_ = new PanelSplitter("SplitterLeft", panelLeft_, panelCenter_,
                                    PanelSplitter::Side::PanelOnLeft, kMinTreePanelWidth, central);
  splitterRight_ = new PanelSplitter("SplitterRight", panelRight_, panelCenter_,
                                     PanelSplitter::Side::PanelOnRight, kMinSettingsWidth, central);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(panelLeft_);
  row->addWidget(splitterLeft_);
  row->addWidget(panelCenter_, 1);
  row->addWidget(splitterRight_);
  row->addWidget(panelRight_);

  treeView_ = new NavTree(panelLeft_);
  QFont treeFont("Arial");
  treeFont.setPixelSize(13);
  treeView_->setFont(treeFont);
  treeView_->BuildItems();
  auto* left = new QVBoxLayout(panelLeft_);
  left->setContentsMargins(kTreePanelMargin, 4, 0, 0);
  left->addWidget(treeView_);

  notebookImage_ = new Notebook("NotebookImage", panelCenter_);
  PageLayout(panelCenter_)->addWidget(notebookImage_);
  notebookSetting_ = new Notebook("NotebookSetting", panelRight_);
  PageLayout(panelRight_)->addWidget(notebookSetting_);
  BuildCentralPages();
  BuildSettingPages();
}

void TFormMain::BuildCentralPages() {
  QWidget* graphPage = notebookImage_->AddPage("GraphImage");
  panelGraphImage_ = new QWidget(graphPage);
  panelGraphImage_->setObjectName("PanelGraphImage");
  PageLayout(panelGraphImage_);
  PageLayout(graphPage)->addWidget(panelGraphImage_);

  QWidget* about = notebookImage_->AddPage("About");
  QWidget* log = notebookImage_->AddPage("Log");
  auto* logTitle = new QLabel("Log file", log);
  logTitle->setObjectName("LabelLogTitle");
  logTitle->setMargin(6);
  memoLog_ = new QPlainTextEdit("Log is off", log);
  memoLog_->setObjectName("MemoLog");
  memoLog_->setReadOnly(true);
  memoLog_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memoLog_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* logLayout = PageLayout(log);
  logLayout->addWidget(logTitle);
  logLayout->addWidget(memoLog_, 1);

  help_ = new HelpDesk(about, notebookImage_->AddPage("Manual"), *notebookImage_, *treeView_,
                       dialogs_, this);
}

template <class Page, class... Args>
Page* TFormMain::AddSettingsPage(const char* name, Args&&... args) {
  auto* page = new Page(notebookSetting_->AddPage(name), std::forward<Args>(args)...);
  pages_.Settings.push_back(page);
  return page;
}

void TFormMain::BuildSettingPages() {
  PageSet& p = pages_;
  p.Environment = AddSettingsPage<EnvironmentPage>("Environment");
  p.Image = AddSettingsPage<ImagePage>("Image");
  p.GraphTitle = AddSettingsPage<TitlePage>("Graph Title", kGraphTitleNames);
  p.AxisXTitle = AddSettingsPage<TitlePage>("Axis X Title", kAxisXTitleNames);
  p.AxisXValues = AddSettingsPage<AxisValuesPage>("Axis X Values", kAxisXValuesNames);
  p.AxisXLine = AddSettingsPage<AxisLinePage>("Axis X Line", kAxisXLineNames);
  p.AxisYTitle = AddSettingsPage<TitlePage>("Axis Y Title", kAxisYTitleNames);
  p.AxisYValues = AddSettingsPage<AxisValuesPage>("Axis Y Values", kAxisYValuesNames);
  p.AxisYLine = AddSettingsPage<AxisLinePage>("Axis Y Line", kAxisYLineNames);
  p.Curves = AddSettingsPage<CurvesPage>("Curves");
  p.Legend = AddSettingsPage<LegendPage>("Legend");
  p.Text = AddSettingsPage<TextPage>("Text");
  p.Graph = {p.GraphTitle,  p.AxisXTitle, p.AxisXValues, p.AxisXLine, p.AxisYTitle,
             p.AxisYValues, p.AxisYLine,  p.Curves,      p.Legend,    p.Text};
  p.Image->SetAxisLengthFields(p.AxisXLine->LengthField(), p.AxisYLine->LengthField());
  p.Data = new DataPage(notebookSetting_->AddPage("Data"));
  p.LoadIni = new LoadIniPage(notebookSetting_->AddPage("LoadIni"));
  notebookSetting_->ShowPage("Data");
}

void TFormMain::UndoSettings() {
  if (!InTextField(QApplication::focusWidget())) hub_->Undo();
}

void TFormMain::RedoSettings() {
  if (!InTextField(QApplication::focusWidget())) hub_->Redo();
}

void TFormMain::FormCreate() {
  std::string log = S(memoLog_->toPlainText());
  Quietly([&] {
    if (auto text = ReadLogText(LogPath())) log = *text;
  });
  memoLog_->setPlainText(Q(AppendLogLine(log, "")));
  memoLog_->moveCursor(QTextCursor::End);
  SetDefaultCaptions(captions_);
  Languages::ListLanguages(*pages_.Environment->ComboBoxLocalize);
  treeView_->SetTreeImages();
  help_->FillLicence();
}

void TFormMain::SetGraphWindow(TFormKurvex& graph) {
  graph_ = &graph;
  hub_->SetGraph(graph);
  images_->Attach(graph, *treeView_, *pages_.Image->CheckBoxSmooth, *pages_.Image->ComboBoxScale);
  BuildCollaborators();
  for (SettingsPage* page : pages_.Settings) page->Bind(*hub_);
  menu_ = new MainMenu(
      *this, dialogs_,
      {pages_, *hub_, *loader_, *options_, *navigation_, *languages_, *messages_, *notebookImage_,
       *images_, *help_, [this] { UndoSettings(); }, [this] { RedoSettings(); }});
  new GraphMouse(*this, graph, {*hub_, pages_, *messages_, captions_, *images_});
  // The graph's context menu offers the styles too, after the view's own entries.
  images_->AddEntry(menu_->StyleMenu()->menuAction());
  images_->AddEntry(menu_->ColumnsAction());
  ConnectSignals();
}

void TFormMain::BuildCollaborators() {
  TFormKurvex& graph = *graph_;
  languages_ =
      new Languages(*this, graph, captions_, *treeView_, pages_, help_->Manual(), *images_, this);
  const WindowPanels panels{*this,      *panelLeft_,     *panelCenter_,    *panelRight_,
                            *treeView_, *notebookImage_, *notebookSetting_};
  options_ = new OptionsActions(panels, pages_, graph, *hub_, *languages_, *images_, *messages_,
                                dialogs_, this);
  hub_->FillPages = [this] { options_->FillPages(); };
  loader_ = new DataFiles(graph, *hub_, pages_, *notebookImage_, *notebookSetting_, *messages_,
                          captions_, options_->Recent(), this);
  navigation_ =
      new TreeNavigation(panels, captions_, graph, *help_, *pages_.LoadIni, *options_, this);
}

void TFormMain::ConnectSignals() {
  connect(treeView_, &QTreeWidget::itemSelectionChanged, this,
          [this] { Guard(dialogs_, [&] { navigation_->TreeViewChange(treeView_->Selected()); }); });
  connect(treeView_, &NavTree::MouseDown, this, [this](Qt::MouseButton button, QPoint pos) {
    Guard(dialogs_, [&] { navigation_->TreeViewMouseDown(button, pos); });
  });
  ConnectGuarded(navigation_, dialogs_, treeView_, &NavTree::MouseMoved,
                 &TreeNavigation::TreeViewMouseMove);
  QComboBox* localize = pages_.Environment->ComboBoxLocalize;
  ConnectGuarded(languages_, dialogs_, localize, &QComboBox::activated,
                 &Languages::ComboBoxLocalizeChange);
  ConnectGuarded(languages_, dialogs_, localize->lineEdit(), &QLineEdit::textEdited,
                 &Languages::ComboBoxLocalizeChange);
  FileBrowser* data = pages_.Data->Browser;
  FileBrowser* loadIni = pages_.LoadIni->Browser;
  ConnectGuarded(options_, dialogs_, loadIni->Edit(), &QLineEdit::textChanged,
                 &OptionsActions::EditFileIniChange);
  ConnectGuarded(loader_, dialogs_, data->Edit(), &QLineEdit::textChanged,
                 &DataFiles::EditFileChange);
  ConnectGuarded(loader_, dialogs_, data->Files(), &FileList::Pressed,
                 &DataFiles::FileListBoxClick);
  ConnectGuarded(loader_, dialogs_, data->Files(), &FileList::SelectionChanged,
                 &DataFiles::FileSelectionChange);
  ConnectGuarded(loader_, dialogs_, loadIni->Files(), &FileList::Pressed,
                 &DataFiles::FileListBoxClick);
  for (FileBrowser* browser : {data, loadIni}) {
    connect(browser, &FileBrowser::Problem, messages_,
            [this](const QString& message) { messages_->ShowMessage(message); });
  }
  connect(graph_, &TFormKurvex::DataProblem, messages_,
          [this](const QString& message) { messages_->ShowMessage(message); });
  connect(&loader_->Watcher(), &DataWatcher::Changed, this, [this](const QString& path) {
    Guard(dialogs_, [&] { loader_->DataFileChanged(path); });
  });
  connect(data->Directories(), &DirectoryList::DirectoryChanged, options_,
          &OptionsActions::RememberDataPath);
  // Every load names its file in the graph's data edit, whoever loaded it.
  connect(graph_->EditDataFile(), &QLineEdit::textChanged, this, &TFormMain::FollowDataFile);
}

void TFormMain::FollowDataFile() {
  const GraphEngine& engine = graph_->Engine();
  setWindowTitle(engine.DataFilePath().empty()
                     ? QStringLiteral("Kurvex")
                     : Q(engine.DataFileName()) + QStringLiteral(" — Kurvex"));
}

void TFormMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  Guard(dialogs_, [this] { FormShow(); });
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    closed_ = true;
    FormClose();
  }
  event->accept();
}

void TFormMain::FormShow() {
  graph_->SetPaintEnabled(false);
  pages_.Environment->CheckBoxLoadAllOptions->setChecked(true);
  // A broken options file must not leave a window without its graph: report and go on.
  Guard(dialogs_, [this] { options_->LoadStartOptions(ApplicationPath(AppPath::OptionsFile)); });
  graph_->SetPaintEnabled(false);
  Guard(dialogs_, [this] { KurvexShow(); });
  // The remembered data file is followed on disk like one the user picked.
  loader_->WatchLoadedFile();
  if (!startDataFile_.isEmpty()) Guard(dialogs_, [this] { loader_->OpenFile(startDataFile_); });
  if (QTreeWidgetItem* item = treeView_->Selected();
      item && S(item->text(0)) == captions_.FastStart) {
    help_->ShowManualTopic(captions_.FastStart);
  }
  delete treeView_->ItemAt(kLogItemIndex);
  treeView_->expandAll();
}

void TFormMain::KurvexShow() {
  graph_->SetPaintEnabled(false);
  panelGraphImage_->layout()->addWidget(graph_->ScrollBoxGraph());
  graph_->ScrollBoxGraph()->show();
  panelGraphImage_->layout()->addWidget(graph_->StatusBar());
  graph_->SetStatusBarVisible(graph_->StatusBarVisible());

  QLineEdit* edit = graph_->EditDataFile();
  DataPage& data = *pages_.Data;
  edit->setParent(data.PanelData);
  data.LabelDataFile->setBuddy(edit);
  data.PanelDataResize();
  edit->show();
  QPlainTextEdit* memo = graph_->MemoData();
  memo->setParent(data.PanelData);
  memo->setGeometry(8, 32, 200, 49);
  memo->show();

  graph_->SetPaintEnabled(true);
  // The image goes to its place also when the drawing fails.
  const auto place = qScopeGuard([this] { graph_->PlaceImage(); });
  graph_->RepaintIfAuto();
}

void TFormMain::FormClose() {
  if (pages_.Environment->CheckBoxAutoSave->isChecked()) {
    Guard(dialogs_, [this] {
      if (const auto line = options_->SaveAtClose(ApplicationPath(AppPath::OptionsFile))) {
        memoLog_->setPlainText(Q(AppendLogLine(S(memoLog_->toPlainText()), *line)));
      }
    });
  }
  Guard(dialogs_, [this] { WriteLog(LogPath(), S(memoLog_->toPlainText())); });
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!loader_ || urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  const QString path = urls.first().toLocalFile();
  Guard(dialogs_, [&] { loader_->OpenFile(path); });
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !isActiveWindow() || !loader_) {
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
  Guard(dialogs_, [&] { loader_->FlipDataFile(direction); });
  return true;
}

}  // namespace kurvex::shell
