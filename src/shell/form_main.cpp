#include "shell/form_main.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QStatusBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include "common/app_dir.h"
#include "shell/browser/data_watcher.h"
#include "shell/browser/file_browser.h"
#include "shell/color_panel.h"
#include "shell/data_page.h"
#include "shell/dialogs.h"
#include "shell/form_kurvex.h"
#include "shell/guard.h"
#include "shell/image_actions.h"
#include "shell/loadini_page.h"
#include "shell/log_file.h"
#include "shell/message_line.h"
#include "shell/nav_tree.h"
#include "shell/notebook.h"
#include "shell/page_parts.h"
#include "shell/pages/axis_line_page.h"
#include "shell/pages/axis_values_page.h"
#include "shell/pages/curves_page.h"
#include "shell/pages/environment_page.h"
#include "shell/pages/image_page.h"
#include "shell/pages/legend_page.h"
#include "shell/pages/text_page.h"
#include "shell/pages/title_page.h"
#include "shell/panel_splitter.h"
#include "shell/qt_convert.h"
#include "shell/tree_icons.h"
#include "shell/window_fit.h"

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
  hub_->FillPages = [this] {
    FillEnvironmentPage();
    FillImagePage();
    FillGraphPages();
  };
  dataWatcher_ = new DataWatcher(this);
  BuildLayout();
  BuildShortcuts();
  images_ = new ImageActions(*this, dialogs_);
  BuildMainMenu();
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
                                    PanelSplitter::Side::PanelOnLeft, kMinTreeWidth, central);
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
  left->setContentsMargins(4, 4, 0, 0);
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

  BuildHelpPages(about, notebookImage_->AddPage("Manual"));
}

template <class Page, class... Args>
Page* TFormMain::AddSettingsPage(const char* name, Args&&... args) {
  auto* page = new Page(notebookSetting_->AddPage(name), std::forward<Args>(args)...);
  settingsPages_.push_back(page);
  return page;
}

void TFormMain::BuildSettingPages() {
  environment_ = AddSettingsPage<EnvironmentPage>("Environment");
  image_ = AddSettingsPage<ImagePage>("Image");
  // One line a page, in the order the fill runs.
  graphPages_ = {
      AddSettingsPage<TitlePage>("Graph Title", kGraphTitleNames),
      AddSettingsPage<TitlePage>("Axis X Title", kAxisXTitleNames),
      AddSettingsPage<AxisValuesPage>("Axis X Values", kAxisXValuesNames),
      AddSettingsPage<AxisLinePage>("Axis X Line", kAxisXLineNames),
      AddSettingsPage<TitlePage>("Axis Y Title", kAxisYTitleNames),
      AddSettingsPage<AxisValuesPage>("Axis Y Values", kAxisYValuesNames),
      AddSettingsPage<AxisLinePage>("Axis Y Line", kAxisYLineNames),
      curves_ = AddSettingsPage<CurvesPage>("Curves"),
      AddSettingsPage<LegendPage>("Legend"),
      AddSettingsPage<TextPage>("Text"),
  };
  image_->SetAxisLengthFields(static_cast<AxisLinePage*>(graphPages_[3])->LengthField(),
                              static_cast<AxisLinePage*>(graphPages_[6])->LengthField());
  data_ = new DataPage(notebookSetting_->AddPage("Data"));
  loadIni_ = new LoadIniPage(notebookSetting_->AddPage("LoadIni"));
  notebookSetting_->ShowPage("Data");
}

void TFormMain::BuildShortcuts() {
  auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
  undo->setObjectName("ShortcutUndo");
  connect(undo, &QShortcut::activated, this, &TFormMain::UndoSettings);
  auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
  redo->setObjectName("ShortcutRedo");
  connect(redo, &QShortcut::activated, this, &TFormMain::RedoSettings);
}

void TFormMain::UndoSettings() {
  if (!InTextField(QApplication::focusWidget())) hub_->Undo();
}

void TFormMain::RedoSettings() {
  if (!InTextField(QApplication::focusWidget())) hub_->Redo();
}

void TFormMain::ShowMessage(const QString& text) {
  if (text.isEmpty()) {
    messages_->Clear();
  } else {
    messages_->ShowMessage(text);
  }
}

void TFormMain::FormCreate() {
  std::string log = S(memoLog_->toPlainText());
  Quietly([&] {
    if (auto text = ReadLogText(LogPath())) log = *text;
  });
  memoLog_->setPlainText(Q(AppendLogLine(log, "")));
  memoLog_->moveCursor(QTextCursor::End);
  SetDefaultCaptions(captions_);
  ListLanguages();
  SetTreeImages();
  FillLicence();
}

template <class Sender, class Signal>
void TFormMain::Connect(Sender* sender, Signal signal, void (TFormMain::*handler)()) {
  ConnectGuarded(this, dialogs_, sender, signal, handler);
}

void TFormMain::SetGraphWindow(TFormKurvex& graph) {
  graph_ = &graph;
  hub_->SetGraph(graph);
  images_->Attach(graph, *treeView_);
  for (SettingsPage* page : settingsPages_) page->Bind(*hub_);
  connect(treeView_, &QTreeWidget::itemSelectionChanged, this,
          [this] { Guard(dialogs_, [&] { TreeViewChange(treeView_->Selected()); }); });
  connect(treeView_, &NavTree::MouseDown, this, [this](Qt::MouseButton button, QPoint pos) {
    Guard(dialogs_, [&] { TreeViewMouseDown(button, pos); });
  });
  Connect(treeView_, &NavTree::MouseMoved, &TFormMain::TreeViewMouseMove);
  Connect(environment_->ComboBoxLocalize, &QComboBox::activated,
          &TFormMain::ComboBoxLocalizeChange);
  Connect(environment_->ComboBoxLocalize->lineEdit(), &QLineEdit::textEdited,
          &TFormMain::ComboBoxLocalizeChange);
  Connect(loadIni_->Browser->Edit(), &QLineEdit::textChanged, &TFormMain::EditFileIniChange);
  Connect(data_->Browser->Edit(), &QLineEdit::textChanged, &TFormMain::EditFileChange);
  Connect(data_->Browser->Files(), &FileList::Pressed, &TFormMain::FileListBoxClick);
  Connect(loadIni_->Browser->Files(), &FileList::Pressed, &TFormMain::FileListBoxClick);
  for (FileBrowser* browser : {data_->Browser, loadIni_->Browser}) {
    connect(browser, &FileBrowser::Problem, messages_,
            [this](const QString& message) { messages_->ShowMessage(message); });
  }
  connect(dataWatcher_, &DataWatcher::Changed, this,
          [this](const QString& path) { Guard(dialogs_, [&] { DataFileChanged(path); }); });
  connect(data_->Browser->Directories(), &DirectoryList::DirectoryChanged, this,
          [this](const QString& directory) { dataPath_ = directory; });
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
  environment_->CheckBoxLoadAllOptions->setChecked(true);
  // A broken options file must not leave a window without its graph: report and go on.
  Guard(dialogs_, [this] { LoadStartOptions(ApplicationPath(AppPath::OptionsFile)); });
  graph_->SetPaintEnabled(false);
  Guard(dialogs_, [this] { KurvexShow(); });
  // The remembered data file is followed on disk like one the user picked.
  dataWatcher_->Watch(Q(graph_->Engine().DataFilePath()));
  if (!startDataFile_.isEmpty()) Guard(dialogs_, [this] { OpenFile(startDataFile_); });
  if (QTreeWidgetItem* item = treeView_->Selected();
      item && S(item->text(0)) == captions_.FastStart) {
    ShowManualTopic(captions_.FastStart);
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
  edit->setParent(data_->PanelData);
  data_->PanelDataResize();
  edit->show();
  QPlainTextEdit* memo = graph_->MemoData();
  memo->setParent(data_->PanelData);
  memo->setGeometry(8, 32, 200, 49);
  memo->show();

  graph_->SetPaintEnabled(true);
  try {
    graph_->RepaintIfAuto();
  } catch (...) {
    graph_->PlaceImage();
    throw;
  }
  graph_->PlaceImage();
}

void TFormMain::FormClose() {
  if (environment_->CheckBoxAutoSave->isChecked()) {
    Guard(dialogs_, [this] { SaveOptions(ApplicationPath(AppPath::OptionsFile)); });
  }
  Guard(dialogs_, [this] { WriteLog(LogPath(), S(memoLog_->toPlainText())); });
}

}  // namespace kurvex::shell
