// Start-up, shutdown, the log file and the graph area as the user meets them.
#include <QAccessible>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>

#include "shell/kit/message_line.h"
#include "shell/kit/panel_splitter.h"
#include "shell/pages/environment_page.h"
#include "shell/shell_fixture.h"

namespace kurvex::shell {
namespace {

using WindowTest = ShellTest;

void MoveMouse(QWidget* widget, QPoint pos) {
  QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

TEST_F(WindowTest, FirstRunLogHoldsTheDesignLineAndOneEmptyLine) {
  Start();
  EXPECT_EQ(main_->MemoLog()->toPlainText(), "Log is off\n\n");
  main_->close();
  EXPECT_EQ(Read("Kurvex.log"), "Log is off\r\n\r\n");
}

TEST_F(WindowTest, EveryRunAddsExactlyOneEmptyLineWhateverTheLineEnds) {
  Write("Kurvex.log", "first\nsecond\r\n");
  Start();
  main_->close();
  EXPECT_EQ(Read("Kurvex.log"), "first\r\nsecond\r\n\r\n");
}

TEST_F(WindowTest, StartShowsTheGraphWithTheDefaultsOfAFreshInstallation) {
  Start();
  EXPECT_EQ(main_->windowTitle(), "Kurvex");
  // Never larger than the screen (800 x 600 on the test platform).
  const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
  EXPECT_EQ(main_->geometry().size(), QSize(1000, 600).boundedTo(screen));
  EXPECT_EQ(main_->PanelLeft()->width(), 165);
  EXPECT_EQ(main_->PanelRight()->width(), 177);
  EXPECT_EQ(SettingPage(), "Data");
  EXPECT_EQ(CentralPage(), "GraphImage");
  EXPECT_EQ(main_->TreeView()->Selected(), nullptr);
  EXPECT_TRUE(dialogs_.Errors.empty());

  // The graph window's widgets now live in the main window's panels.
  EXPECT_EQ(graph_->ScrollBoxGraph()->parentWidget(), main_->PanelGraphImage());
  EXPECT_EQ(graph_->StatusBar()->parentWidget(), main_->PanelGraphImage());
  EXPECT_EQ(graph_->EditDataFile()->parentWidget()->objectName(), "PanelData");
  EXPECT_EQ(graph_->MemoData()->geometry(), QRect(8, 32, 200, 49));
  EXPECT_TRUE(graph_->PaintEnabled());
  EXPECT_EQ(Model().ImageWidth, 600);
}

TEST_F(WindowTest, NamedWidgetsCarryTheirNames) {
  Start();
  for (const char* name : {"PanelLeft",
                           "SplitterLeft",
                           "NotebookImage",
                           "SplitterRight",
                           "PanelRight",
                           "NotebookSetting",
                           "TreeView",
                           "PanelGraphImage",
                           "ScrollBoxGraph",
                           "ImageGraph",
                           "StatusBar",
                           "EditDataFile",
                           "MemoData",
                           "MemoLog",
                           "LabelLogTitle",
                           "RichEditAbout",
                           "PanelData",
                           "LabelDataFile",
                           "SplitterData",
                           "LabelEnvironment",
                           "ComboBoxLocalize",
                           "LabelLanguage",
                           "CheckBoxLoadAllOptions",
                           "CheckBoxAutoSave",
                           "LabelBackGroundColor",
                           "PanelBackGroundColor",
                           "CheckBoxStatusBarVisible",
                           "CheckBoxAutoRepaint",
                           "CheckBoxOnlyCurves",
                           "CheckBoxAutoSaveImage",
                           "CheckBoxSaveImageToDataDir",
                           "LabelImage",
                           "LabelImageLeft",
                           "EditGraphLeft",
                           "UpDownGraphLeft",
                           "LabelImageTop",
                           "EditGraphTop",
                           "UpDownGraphTop",
                           "LabelImageWidth",
                           "EditGraphWidth",
                           "UpDownGraphWidth",
                           "LabelImageHeight",
                           "EditGraphHeight",
                           "UpDownGraphHeight",
                           "LabelImageColor",
                           "PanelImageColor",
                           "CheckBoxGraphBorder",
                           "LabelBorderWidth",
                           "EditBorderWidth",
                           "UpDownBorderWidth",
                           "LabelBorderColor",
                           "PanelBorderColor",
                           "LabelData",
                           "PanelFilesTop",
                           "LabelFile",
                           "EditFile",
                           "LabelPath",
                           "LabelDir",
                           "DirectoryListBox",
                           "SplitterDir",
                           "FileListBox",
                           "PanelFilesBottom",
                           "LabelDisk",
                           "DriveComboBox1",
                           "LabelFilesFilter",
                           "FilterComboBox1",
                           "PanelFilesTopIni",
                           "LabelFileIni",
                           "EditFileIni",
                           "LabelPathIni",
                           "LabelDirIni",
                           "DirectoryListBoxIni",
                           "SplitterDirIni",
                           "FileListBoxIni",
                           "PanelLoadIniBottom",
                           "LabelDiskIni",
                           "DriveComboBoxIni",
                           "LabelFilesFilterIni",
                           "FilterComboBoxIni"}) {
    EXPECT_NE(main_->findChild<QWidget*>(name), nullptr) << name;
  }
}

TEST_F(WindowTest, TreeLosesTheLogItemAndIsFullyExpandedWithLocalCaptions) {
  Start();
  NavTree* tree = main_->TreeView();
  EXPECT_EQ(tree->ItemCount(), 21);
  EXPECT_EQ(Item(7)->text(0), "Description");
  EXPECT_EQ(Item(11)->text(0), "Description");
  EXPECT_EQ(Item(3)->text(0), "Load other");
  for (int i = 0; i < tree->ItemCount(); ++i) {
    EXPECT_TRUE(Item(i)->childCount() == 0 || Item(i)->isExpanded()) << i;
  }
  for (int i : {0, 1, 3, 4, 17, 19}) EXPECT_FALSE(Item(i)->icon(0).isNull()) << i;
}

TEST_F(WindowTest, TreeHasNoRootDecorationAndTheLogItemGoesEvenWhenSelected) {
  Write("Kurvex.ini", "[Environment]\nTreeItem=21\n");
  Start();
  EXPECT_FALSE(main_->TreeView()->rootIsDecorated());
  EXPECT_EQ(main_->TreeView()->ItemCount(), 21);
  EXPECT_TRUE(dialogs_.Errors.empty());
  main_->Options().SaveOptions(Path("after.ini"));
  EXPECT_EQ(ProfileFile(Path("after.ini")).ReadInteger("Environment", "TreeItem", -5),
            main_->TreeView()->AbsoluteIndex(main_->TreeView()->Selected()));
}

TEST_F(WindowTest, BrokenOptionsFileIsReportedAndTheWindowStillWorks) {
  Write("Kurvex.ini", "[Environment]\nTreeItem=14\n[AxisX]\nMinimum=abc\n");
  Start();
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  EXPECT_EQ(
      dialogs_.Errors[0],
      Path("Kurvex.ini") + ": [AxisX] Minimum=abc: 'abc' is not a valid floating point value");
  EXPECT_EQ(graph_->ScrollBoxGraph()->parentWidget(), main_->PanelGraphImage());
  EXPECT_EQ(main_->TreeView()->ItemCount(), 21);
  EXPECT_TRUE(graph_->PaintEnabled());
}

TEST_F(WindowTest, AutoSaveOffLeavesTheOptionsFileUntouched) {
  const std::string ini = "[Environment]\nAutoSaveOptions=0\nWindowWidth=900\n";
  Write("Kurvex.ini", ini);
  Start();
  main_->close();
  EXPECT_EQ(Read("Kurvex.ini"), ini);
  EXPECT_TRUE(Exists("Kurvex.log"));
}

TEST_F(WindowTest, FailedWritesAtCloseAreReportedAndTheLogIsStillWritten) {
  QDir().mkpath(QString::fromStdString(Path("Kurvex.ini")));  // a folder cannot be replaced
  Start();
  main_->close();
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  EXPECT_EQ(dialogs_.Errors[0],
            "Unable to write to " + Path("Kurvex.ini") + ": not a regular file");
  EXPECT_EQ(Read("Kurvex.log"), "Log is off\r\n\r\n");
}

TEST_F(WindowTest, GraphAreaShowsTheCanvasAtTheImagePosition) {
  Write("Kurvex.ini", "[Environment]\nBackGroundColor=255\n[Image]\nLeft=30\nTop=20\n");
  Start();
  QWidget* image = graph_->ImageGraph();
  EXPECT_EQ(image->geometry(), QRect(30, 20, 600, 500));
  const QImage shown = image->grab().toImage();
  const PixelBuffer& pixels = graph_->Engine().Pixels();
  for (QPoint p : {QPoint(0, 0), QPoint(70, 370), QPoint(300, 300), QPoint(599, 499)}) {
    const TColor c = pixels.At(p.x(), p.y());
    EXPECT_EQ(shown.pixelColor(p), QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)) << p.x();
  }
  EXPECT_EQ(graph_->ScrollBoxGraph()->Client()->palette().color(QPalette::Window), QColor(Qt::red));
}

TEST_F(WindowTest, MouseOverTheImageShowsTheReadoutAndElsewhereClearsIt) {
  Start();
  MoveMouse(graph_->ImageGraph(), {320, 230});
  EXPECT_EQ(graph_->StatusText(), "Position in coordinate system:   X=650;   Y=1.00");
  MoveMouse(graph_->ScrollBoxGraph()->Client(), {2, 2});
  EXPECT_EQ(graph_->StatusText(), "Position in coordinate system:   X=?;   Y=?");
  MoveMouse(graph_->ImageGraph(), {70, 370});
  MoveMouse(main_->TreeView()->viewport(), {5, 5});
  EXPECT_EQ(graph_->StatusText(), "Position in coordinate system:   X=?;   Y=?");
}

std::vector<std::pair<QAccessible::Event, QObject*>> g_accessibleEvents;

// A screen reader hears each message the moment it comes: the line is an alert named by its
// text, and every new message tells it so.
TEST_F(WindowTest, MessageLineIsAnAlertThatTellsScreenReadersEachMessage) {
  Start();
  g_accessibleEvents.clear();
  QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
    g_accessibleEvents.emplace_back(event->type(), event->object());
  });
  const auto restore = qScopeGuard([] { QAccessible::installUpdateHandler(nullptr); });
  MessageLine* line = main_->Messages();
  const auto namesSaid = [&] {
    return std::count(g_accessibleEvents.begin(), g_accessibleEvents.end(),
                      std::make_pair(QAccessible::NameChanged, static_cast<QObject*>(line)));
  };
  auto* edit = Find<QLineEdit>("EditGraphLeft");
  edit->setText("12a");
  EXPECT_EQ(line->text(), "'12a' is not a valid integer value");
  EXPECT_EQ(namesSaid(), 1);
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(line);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->role(), QAccessible::AlertMessage);
  EXPECT_EQ(face->text(QAccessible::Name), "'12a' is not a valid integer value");
  EXPECT_EQ(face->text(QAccessible::Description), "'12a' is not a valid integer value");
  main_->Loader().OpenFile("/no/such.xy");
  EXPECT_EQ(face->text(QAccessible::Name), "/no/such.xy: file not found");
  EXPECT_EQ(namesSaid(), 2);
  main_->Loader().OpenFile("/no/such.xy");  // the same message again is news again
  EXPECT_EQ(namesSaid(), 3);
}

TEST_F(WindowTest, SplitterDragResizesThePanelWithinItsMinimum) {
  Start();
  auto* splitter = Find<PanelSplitter>("SplitterRight");
  const QPoint at = splitter->rect().center();
  QTest::mousePress(splitter, Qt::LeftButton, {}, at);
  QMouseEvent drag(QEvent::MouseMove, at + QPoint(-50, 0),
                   splitter->mapToGlobal(at + QPoint(-50, 0)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(splitter, &drag);
  EXPECT_EQ(main_->PanelRight()->minimumWidth(), 227);
  QMouseEvent far(QEvent::MouseMove, at + QPoint(500, 0),
                  splitter->mapToGlobal(at + QPoint(500, 0)), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(splitter, &far);
  EXPECT_EQ(main_->PanelRight()->minimumWidth(), 100);
}

}  // namespace
}  // namespace kurvex::shell
