// The menu bar as the user meets it: each key once, items that run what the tree runs, the
// recent files and the window title.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <fstream>
#include <iterator>
#include <map>

#include "shell/browser/data_page.h"
#include "shell/browser/file_browser.h"
#include "shell/browser/loadini_page.h"
#include "shell/kit/columns_dialog.h"
#include "shell/kit/message_line.h"
#include "shell/kit/qt_convert.h"
#include "shell/pages/environment_page.h"
#include "shell/pages/page_hub.h"
#include "shell/shell_fixture.h"
#include "shell/window/main_menu.h"

namespace kurvex::shell {
namespace {

constexpr const char* kSpectrum = "400 1.5\n500 1.6\n600 1.4\n";

class MenuTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Write("Kurvex.ini", "[Data]\nDataPath=" + Path("spectra") + "\nDataFile=*.xy\n");
    for (const char* name : {"spectra/a.xy", "spectra/b.xy", "spectra/c.xy"})
      Write(name, kSpectrum);
  }

  void StartActive() {
    Start();
    main_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
  }

  QAction* Action(const char* name) const {
    auto* action = main_->findChild<QAction*>(name);
    EXPECT_NE(action, nullptr) << name;
    return action;
  }
  FileList* Files() const { return main_->Pages().Data->Browser->Files(); }
  QString Message() const { return main_->Messages()->text(); }
  std::vector<std::string> Recent() const { return main_->Options().Recent().Paths(); }

  void ClickFile(const QString& name) {
    const QList<QListWidgetItem*> found = Files()->findItems(name, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << name.toStdString();
    QTest::mouseClick(Files()->viewport(), Qt::LeftButton, {},
                      Files()->visualItemRect(found.first()).center());
  }

  void OpenThroughDialog(const std::string& path) {
    dialogs_.OpenAnswer = path;
    Action("MenuOpen")->trigger();
  }
};

// Qt drops a key that two actions claim, and then neither runs: every key runs its handler once,
// whether the bar shows or not.
TEST_F(MenuTest, EachKeyRunsItsOneHandlerOnceWithTheBarShownAndHidden) {
  StartActive();
  const std::vector<std::pair<QKeySequence, const char*>> keys = {
      {QKeySequence("Ctrl+O"), "MenuOpen"},
      {QKeySequence("Ctrl+Shift+S"), "ActionSaveImageAs"},
      {QKeySequence("Ctrl+C"), "ActionCopyImage"},
      {QKeySequence("Ctrl+Z"), "MenuUndo"},
      {QKeySequence("Ctrl+Shift+Z"), "MenuRedo"},
      {QKeySequence("Ctrl+Shift+F"), "MenuFitToData"},
      {QKeySequence("F1"), "MenuHelp"},
      {QKeySequence("Ctrl+F"), "MenuFindFirst"},
      {QKeySequence("F3"), "MenuFindNext"},
      {QKeySequence("Ctrl+M"), "MenuMenuBar"},
      {QKeySequence("Ctrl+Q"), "MenuQuit"},
  };
  std::map<QString, int> runs;
  for (QAction* action : main_->findChildren<QAction*>()) {
    QObject::connect(action, &QAction::triggered, action,
                     [&runs, action] { ++runs[action->objectName()]; });
  }
  QCheckBox* barBox = main_->Pages().Environment->CheckBoxMenuBarVisible;
  for (const bool barShown : {true, false}) {
    SCOPED_TRACE(barShown ? "bar shown" : "bar hidden");
    for (const auto& [key, name] : keys) {
      SCOPED_TRACE(name);
      barBox->setChecked(barShown);
      ASSERT_EQ(main_->menuBar()->isVisible(), barShown);
      runs.clear();
      main_->TreeView()->setFocus();
      const QKeyCombination combination = key[0];
      QTest::keyClick(main_->TreeView(), combination.key(), combination.keyboardModifiers());
      EXPECT_EQ(runs, (std::map<QString, int>{{name, 1}}));
      if (!main_->isVisible()) {
        // Quit closed the window: it comes back for the next round.
        main_->show();
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
      }
    }
  }
  // Ctrl+M turns the bar off and on as the box does.
  barBox->setChecked(true);
  QTest::keyClick(main_->TreeView(), Qt::Key_M, Qt::ControlModifier);
  EXPECT_FALSE(barBox->isChecked());
  EXPECT_FALSE(main_->menuBar()->isVisible());
  EXPECT_FALSE(Action("MenuMenuBar")->isChecked());
}

// Each item does exactly what its tree item does: the same pages in front, the same dialog.
TEST_F(MenuTest, ItemsRunWhatTheTreeRuns) {
  Write("Setting/Style.ini", "");
  StartActive();
  struct Row {
    const char* Action;
    int TreeItem;
  };
  const std::vector<Row> rows = {
      {"MenuLoadStyle", 3}, {"MenuSaveStyle", 4}, {"MenuAbout", 18}, {"MenuManual", 19}};
  const auto state = [&] {
    return std::tuple(
        SettingPage(), CentralPage(), main_->Pages().LoadIni->Browser->Directory(),
        dialogs_.SaveRequests.size() > 0 ? dialogs_.SaveRequests.back().InitialDir : std::string(),
        dialogs_.SaveRequests.size());
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Action);
    const auto reset = [&] {
      main_->NotebookSetting()->ShowPage("Data");
      main_->NotebookImage()->ShowPage("GraphImage");
      main_->Pages().LoadIni->Browser->SetDirectory(Q(Path("spectra")));
      dialogs_.SaveRequests.clear();
      main_->TreeView()->clearSelection();
    };
    reset();
    Click(Item(row.TreeItem));
    const auto byTree = state();
    reset();
    Action(row.Action)->trigger();
    EXPECT_EQ(state(), byTree);
  }
  EXPECT_EQ(dialogs_.Errors, std::vector<std::string>());
}

TEST_F(MenuTest, FitToDataFitsBothAxesAsOneStepTakenBackByOneUndo) {
  StartActive();
  ClickFile("a.xy");
  const GraphModel before = Model();
  Action("MenuFitToData")->trigger();
  EXPECT_EQ(Model().AxisX.Minimum, 400);
  EXPECT_EQ(Model().AxisX.Maximum, 600);
  EXPECT_LE(Model().AxisY.Minimum, 1.4);
  EXPECT_GE(Model().AxisY.Maximum, 1.6);
  EXPECT_LT(Model().AxisY.Maximum - Model().AxisY.Minimum, 1);
  Action("MenuUndo")->trigger();
  EXPECT_TRUE(Model() == before);
}

// View › Style lists the user's styles; a pick loads the style alone (the file shown and its
// folder stay) as one step that one undo takes back, and the menu checks it from then on.
TEST_F(MenuTest, StyleMenuLoadsAStyleAsOneStepAndChecksIt) {
  Write("Setting/Wide.ini", "[Image]\nWidth=777\n[Data]\nDataFile=b.xy\n");
  StartActive();
  ClickFile("a.xy");
  const GraphModel before = Model();
  QMenu* styles = main_->Menu()->StyleMenu();
  emit styles->aboutToShow();
  QAction* wide = main_->findChild<QAction*>("MenuStyleWide");
  ASSERT_NE(wide, nullptr);
  EXPECT_FALSE(wide->isChecked());
  wide->trigger();
  EXPECT_EQ(Model().ImageWidth, 777);
  EXPECT_EQ(graph_->Engine().DataFilePath(), Path("spectra/a.xy"));
  emit styles->aboutToShow();
  EXPECT_TRUE(main_->findChild<QAction*>("MenuStyleWide")->isChecked());
  Action("MenuUndo")->trigger();
  EXPECT_TRUE(Model() == before);
  EXPECT_TRUE(dialogs_.Errors.empty());
}

// The Files style picked in the window reads an infrared spectrum as kurvex-plot draws it: its
// wavenumbers falling.
TEST_F(MenuTest, FilesStyleRunsAnInfraredSpectrumFalling) {
  for (const auto& [from, to] :
       {std::pair{"/resources/Setting/Files.ini", "Setting/Files.ini"},
        std::pair{"/tests/data/jcamp/ir_polystyrene_difdup.jdx", "spectra/ir.jdx"}}) {
    std::ifstream in(std::string(KURVEX_SOURCE_DIR) + from, std::ios::binary);
    Write(to, std::string(std::istreambuf_iterator<char>(in), {}));
  }
  // "Load all options": the style brings its way of reading files.
  Write("Kurvex.ini", "[Environment]\nLoadAllOptions=1\n[Data]\nDataPath=" + Path("spectra") +
                          "\nDataFile=*.xy\n");
  StartActive();
  emit main_->Menu()->StyleMenu()->aboutToShow();
  QAction* files = main_->findChild<QAction*>("MenuStyleFiles");
  ASSERT_NE(files, nullptr);
  files->trigger();
  main_->Loader().OpenFile(Q(Path("spectra/ir.jdx")));
  EXPECT_GT(Model().AxisX.Minimum, Model().AxisX.Maximum);
  EXPECT_TRUE(dialogs_.Errors.empty());
}

// Data › Columns… offers the loaded file's columns by name; the choice is drawn through the
// block finder and is one step that one undo takes back.
TEST_F(MenuTest, ColumnsChosenByNameAreDrawnAsOneStep) {
  Write("spectra/r.xy", "Pixel,Raman Shift,Raw,Processed\n1,100,5,0.5\n2,200,6,0.6\n");
  StartActive();
  Action("MenuColumns")->trigger();
  EXPECT_EQ(Message(), Q(FormatMessage(main_->Captions().NoColumns, {"Demo1.txt"})));
  ClickFile("r.xy");
  const GraphModel before = Model();
  dialogs_.ColumnsChoice = ColumnsAnswer{1, {3}};
  Action("MenuColumns")->trigger();
  ASSERT_EQ(dialogs_.ColumnsQuestions.size(), 1u);
  EXPECT_EQ(dialogs_.ColumnsQuestions[0].Names,
            (std::vector<std::string>{"Pixel", "Raman Shift", "Raw", "Processed"}));
  EXPECT_EQ(Model().XColumn, "2");
  EXPECT_EQ(Model().YColumns, "4");
  EXPECT_TRUE(main_->Pages().Data->CheckBoxFindDataBlock->isChecked());
  const NumericColumns& drawn = graph_->Engine().Columns();
  ASSERT_EQ(drawn.CurveCount(), 1);
  EXPECT_EQ(drawn.Value(0, 0), 100);
  EXPECT_EQ(drawn.Value(1, 1), 0.6);
  Action("MenuUndo")->trigger();
  EXPECT_TRUE(Model() == before);
  EXPECT_TRUE(dialogs_.Errors.empty());
}

// Open…, a click and the command line add a file; flipping through the folder and a reload
// after a change on disk do not. Newest first, ten at most, kept in Kurvex.ini alone.
TEST_F(MenuTest, RecentFilesKeepThePicksNewestFirstTenAtMostInKurvexIniOnly) {
  for (int i = 0; i < 11; ++i) Write("more/m" + std::to_string(i) + ".xy", kSpectrum);
  Start();
  OpenThroughDialog(Path("spectra/b.xy"));
  ASSERT_EQ(dialogs_.OpenRequests.size(), 1u);
  EXPECT_EQ(dialogs_.OpenRequests[0].InitialDir, Path("spectra"));
  EXPECT_EQ(dialogs_.OpenRequests[0].NameFilters.front(), "*.xy (*.xy)");
  EXPECT_EQ(Files()->SelectedPath(), Q(Path("spectra/b.xy")));
  EXPECT_EQ(main_->windowTitle(), QString("b.xy — Kurvex"));
  ClickFile("a.xy");
  main_->Loader().FlipDataFile(1);
  EXPECT_EQ(graph_->Engine().DataFilePath(), Path("spectra/b.xy"));
  EXPECT_EQ(Recent(), (std::vector{Path("spectra/a.xy"), Path("spectra/b.xy")}));
  Write("spectra/b.xy", "1 2\n3 4\n");
  main_->Loader().DataFileChanged(Q(Path("spectra/b.xy")));
  ClickFile("b.xy");  // already loaded: moves to the front
  EXPECT_EQ(Recent(), (std::vector{Path("spectra/b.xy"), Path("spectra/a.xy")}));

  for (int i = 0; i < 11; ++i) OpenThroughDialog(Path("more/m" + std::to_string(i) + ".xy"));
  ASSERT_EQ(Recent().size(), 10u);
  EXPECT_EQ(Recent().front(), Path("more/m10.xy"));
  EXPECT_EQ(Recent().back(), Path("more/m1.xy"));

  // A style saved or loaded has no say in the list.
  dialogs_.SaveAnswer = Path("style.ini");
  main_->Options().SaveOtherOptions();
  EXPECT_EQ(Read("style.ini").find("RecentFiles"), std::string::npos);
  Write("other.ini", "[RecentFiles]\nFile1=" + Path("spectra/c.xy") + "\n");
  main_->Options().LoadOptions(Path("other.ini"));
  EXPECT_EQ(Recent().front(), Path("more/m10.xy"));
  main_->close();
  const std::string ini = Read("Kurvex.ini");
  EXPECT_NE(ini.find("[RecentFiles]\r\nFile1=" + Path("more/m10.xy") + "\r\n"), std::string::npos);
  EXPECT_NE(ini.find("File10=" + Path("more/m1.xy")), std::string::npos);

  // The next start lists them in the same order; one deleted since goes with a note.
  main_.reset();
  graph_.reset();
  QFile::remove(Q(Path("more/m9.xy")));
  Start();
  main_->Menu()->Recent()->aboutToShow();
  const QList<QAction*> items = main_->Menu()->Recent()->actions();
  ASSERT_EQ(items.size(), 10);
  EXPECT_EQ(items[0]->toolTip(), Q(Path("more/m10.xy")));
  EXPECT_EQ(items[1]->toolTip(), Q(Path("more/m9.xy")));
  items[1]->trigger();
  EXPECT_EQ(Message(),
            Q(Path("more/m9.xy") + ": file not found; it is no longer among the recent files"));
  EXPECT_EQ(Recent().size(), 9u);
  items[2]->trigger();
  EXPECT_EQ(graph_->Engine().DataFilePath(), Path("more/m8.xy"));
  EXPECT_EQ(Recent().front(), Path("more/m8.xy"));
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(MenuTest, TitleNamesTheLoadedFileAndTheMenuBarStaysAsLeft) {
  Start();
  EXPECT_EQ(main_->windowTitle(), "Kurvex");
  EXPECT_TRUE(main_->menuBar()->isVisible());
  main_->Loader().OpenFile(Q(Path("spectra/c.xy")));
  EXPECT_EQ(main_->windowTitle(), QString("c.xy — Kurvex"));
  main_->Pages().Environment->CheckBoxMenuBarVisible->click();
  EXPECT_FALSE(main_->menuBar()->isVisible());
  main_->close();
  // A new key comes after the ones older versions write.
  const std::string ini = Read("Kurvex.ini");
  const std::size_t language = ini.find("\r\nLanguageName=");
  ASSERT_NE(language, std::string::npos);
  EXPECT_EQ(ini.find("\r\nMenuBarVisible=0\r\n"), ini.find("\r\n", language + 2));
  main_.reset();
  graph_.reset();
  Start();
  EXPECT_FALSE(main_->menuBar()->isVisible());
  EXPECT_FALSE(main_->Pages().Environment->CheckBoxMenuBarVisible->isChecked());
}

}  // namespace
}  // namespace kurvex::shell
