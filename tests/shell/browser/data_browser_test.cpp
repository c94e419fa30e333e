// The data browser as a user works it: picking files, types and folders, auto-saved pictures,
// files dropped from a file manager, flipping through a folder and files that change on disk.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QToolTip>
#include <QUrl>
#include <fstream>
#include <functional>
#include <iterator>

#include "graph/graph_image.h"
#include "graph/overlay_drawing.h"
#include "shell/browser/data_page.h"
#include "shell/browser/data_watcher.h"
#include "shell/browser/file_browser.h"
#include "shell/kit/message_line.h"
#include "shell/kit/panel_splitter.h"
#include "shell/kit/qt_convert.h"
#include "shell/pages/environment_page.h"
#include "shell/pages/page_hub.h"
#include "shell/shell_fixture.h"

namespace kurvex::shell {
namespace {

constexpr const char* kSpectrum = "# head\n400 1.5 0.2\n500 1.6 0.1\n600 1.4 -0.3\n";

class DataBrowserTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Write("Kurvex.ini", "[Data]\nDataPath=" + Path("spectra") + "\nDataFile=*.xy\n");
    for (const char* name : {"spectra/a.xy", "spectra/b.xy", "spectra/c.xy", "spectra/run.1.xy"}) {
      Write(name, kSpectrum);
    }
    Write("spectra/notes.txt", kSpectrum);
    Start();
  }

  FileBrowser* Browser() const { return main_->Pages().Data->Browser; }
  FileList* Files() const { return Browser()->Files(); }
  QString Message() const { return main_->Messages()->text(); }
  void AutoSave(bool on, bool toDataDir = false) {
    main_->Pages().Environment->CheckBoxAutoSaveImage->setChecked(on);
    main_->Pages().Environment->CheckBoxSaveImageToDataDir->setChecked(toDataDir);
  }

  /// A press on the row of that file, as the mouse gives it.
  void ClickFile(const QString& name, Qt::KeyboardModifiers modifiers = {}) {
    const QList<QListWidgetItem*> found = Files()->findItems(name, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << name.toStdString();
    Files()->scrollToItem(found.first());
    QTest::mouseClick(Files()->viewport(), Qt::LeftButton, modifiers,
                      Files()->visualItemRect(found.first()).center());
  }

  void Drop(const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(main_.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(main_.get(), &drop);
  }

  std::string LoadedFile() { return graph_->Engine().DataFilePath(); }
};

TEST_F(DataBrowserTest, PicturesGoWhereTheUserAsked) {
  struct Case {
    bool autoSave, toDataDir;
    const char* file;
    const char* picture;  // empty: none anywhere
  };
  const Case cases[] = {
      {true, false, "a.xy", "GraphImages/a.bmp"},
      {true, true, "b.xy", "spectra/b.bmp"},
      {true, false, "run.1.xy", "GraphImages/run.1.bmp"},
      {false, false, "c.xy", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    AutoSave(c.autoSave, c.toDataDir);
    ClickFile(c.file);
    EXPECT_EQ(LoadedFile(), Path("spectra/") + c.file);
    EXPECT_EQ(graph_->EditDataFile()->text(), c.file);  // the name follows every load
    EXPECT_EQ(CentralPage(), "GraphImage");
    if (*c.picture) {
      const std::string bmp = Read(c.picture);
      ASSERT_GT(bmp.size(), 54u);
      EXPECT_EQ(bmp.substr(0, 2), "BM");
    }
  }
  EXPECT_FALSE(Exists("GraphImages/c.bmp"));
  EXPECT_FALSE(Exists("spectra/c.bmp"));
  EXPECT_FALSE(Exists("GraphImages/.bmp"));
}

// Ctrl+click and Shift+click draw files together as kurvex-plot --overlay draws them; the data,
// its name and the watcher follow the file clicked last, Fit to data takes in every file, and
// only a single file's picture is saved by itself.
TEST_F(DataBrowserTest, SeveralFilesAreDrawnTogetherAndTheOneClickedLastLeads) {
  Write("spectra/c.xy", "100 -5 1\n900 7 2\n");
  AutoSave(true);
  ClickFile("a.xy");
  ClickFile("c.xy", Qt::ControlModifier);
  const QStringList ac = {Q(Path("spectra/a.xy")), Q(Path("spectra/c.xy"))};
  EXPECT_EQ(Files()->SelectedPaths(), ac);
  EXPECT_EQ(LoadedFile(), Path("spectra/c.xy"));
  EXPECT_EQ(Browser()->Edit()->text(), "c.xy");
  EXPECT_EQ(main_->Loader().Watcher().Path(), Q(Path("spectra/c.xy")));
  EXPECT_EQ(main_->windowTitle(), QString("c.xy — Kurvex"));
  EXPECT_TRUE(Exists("GraphImages/a.bmp"));
  EXPECT_FALSE(Exists("GraphImages/c.bmp"));

  GraphEngine alone;
  alone.Model = Model();
  OverlayDrawing overlay(alone);
  for (const QString& path : ac) {
    alone.LoadDataFile(S(path));
    overlay.DrawFile();
  }
  overlay.DrawLegend();
  const PixelBuffer& shown = graph_->Engine().Pixels();
  ASSERT_EQ(alone.State().CurveCount, 2);
  int differing = 0;
  for (int y = 0; y < Model().ImageHeight; ++y) {
    for (int x = 0; x < Model().ImageWidth; ++x)
      differing += shown.Row(y)[x] != alone.Pixels().Row(y)[x];
  }
  EXPECT_EQ(differing, 0);
  // A picture drawn anew shows every file too, as the window does.
  const std::string svg = GraphImageBytes(graph_->Engine(), ImageFormat::kSvg);
  for (const char* row : {">a Tan(Psi)<", ">c Cos(Del)<"}) {
    EXPECT_NE(svg.find(row), std::string::npos) << row;
  }

  ClickFile("b.xy", Qt::ShiftModifier);
  EXPECT_EQ(Files()->SelectedPaths(), QStringList({Q(Path("spectra/a.xy")), Q(Path("spectra/b.xy")),
                                                   Q(Path("spectra/c.xy"))}));
  EXPECT_EQ(LoadedFile(), Path("spectra/b.xy"));
  main_->findChild<QAction*>("MenuFitToData")->trigger();
  EXPECT_LE(Model().AxisX.Minimum, 100);
  EXPECT_GE(Model().AxisX.Maximum, 900);
  EXPECT_LE(Model().AxisY.Minimum, -5);
  EXPECT_FALSE(Exists("GraphImages/b.bmp"));

  QFile::remove(Q(Path("GraphImages/a.bmp")));
  ClickFile("a.xy");
  EXPECT_EQ(Files()->SelectedPaths(), QStringList({Q(Path("spectra/a.xy"))}));
  EXPECT_TRUE(Exists("GraphImages/a.bmp"));
  EXPECT_TRUE(dialogs_.Errors.empty());
}

// What the user learns after loading an instrument file: the switch that reads it, the
// engine's note, or data lying wholly outside the axes.
TEST_F(DataBrowserTest, InstrumentFilesSayHowTheyWereRead) {
  std::ifstream jcamp(std::string(KURVEX_SOURCE_DIR) + "/tests/data/jcamp/ir_polystyrene_link.jdx",
                      std::ios::binary);
  Write("spectra/link.jdx", std::string(std::istreambuf_iterator<char>(jcamp), {}));
  Write("spectra/trailer.txt", "Sample 7\n1 2\n3 4\n5 6\nEnd of run 12:00\n");
  Write("spectra/far.xy", "1e6 1e6\n2e6 2e6\n");
  struct Case {
    const char* file;
    bool findData;
    const char* message;
  };
  const Case cases[] = {
      {"trailer.txt", false,
       "trailer.txt: line 5 is not data; 'Find the data in instrument files' reads this file"},
      // Read as found, the file names its columns, and the legend names others.
      {"trailer.txt", true,
       "trailer.txt: Files style: titles and ranges from the file \u2014 View \u203a Style"},
      {"link.jdx", false, "link.jdx: the file holds 2 blocks of data; the first is drawn"},
      {"far.xy", false,
       "far.xy: no point lies inside the axes; Fit to data (Ctrl+Shift+F) shows them; Files "
       "style: titles and ranges from the file \u2014 View \u203a Style"},
  };
  QCheckBox* findData = main_->Pages().Data->CheckBoxFindDataBlock;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + (c.findData ? " found" : ""));
    Model().AxisX.Minimum = Real48::From(0);
    Model().AxisX.Maximum = Real48::From(1000);
    Model().AxisY.Minimum = Real48::From(-10);
    Model().AxisY.Maximum = Real48::From(10);
    if (findData->isChecked() != c.findData) findData->click();
    main_->Loader().OpenFile(Q(Path("spectra/") + c.file));
    EXPECT_EQ(LoadedFile(), Path("spectra/") + c.file);
    EXPECT_EQ(Model().FindDataBlock, c.findData);
    EXPECT_EQ(Message(), c.message);
  }
  // The fourth type lists both endings of JCAMP-DX files.
  FilterComboBox* filter = Browser()->Filter();
  ASSERT_EQ(filter->count(), 4);
  EXPECT_EQ(filter->itemText(3), "JCAMP-DX (*.jdx *.dx)");
  Write("spectra/raman.DX", "");
  filter->setCurrentIndex(3);
  emit filter->activated(3);
  QStringList names;
  for (int i = 0; i < Files()->count(); ++i) names << Files()->item(i)->text();
  EXPECT_EQ(names, QStringList({"link.jdx", "raman.DX"}));
}

// Long names show whole, and a name wider than the list shows in a tooltip; a wider settings
// panel goes to the file list.
TEST_F(DataBrowserTest, FileNamesShowWholeAndTheListTakesTheWiderPanel) {
  const QString longName = "2026-12-07 ellipsometry sample 17, 70 degrees, second run.xy";
  Write("spectra/" + S(longName), kSpectrum);
  Browser()->SetDirectory(Q(Path("spectra")));
  QApplication::processEvents();  // the list lays its rows out
  EXPECT_EQ(Browser()->DirLabel()->toolTip(), Q(Path("spectra")));
  const QList<QListWidgetItem*> found = Files()->findItems(longName, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1);
  const QRect row = Files()->visualItemRect(found.first());
  EXPECT_GE(row.width(), Files()->fontMetrics().horizontalAdvance(longName));
  const auto tipAt = [&](const QString& name) {
    QToolTip::hideText();
    const QListWidgetItem* item = Files()->findItems(name, Qt::MatchExactly).first();
    Files()->scrollToItem(item);
    const QPoint at = Files()->visualItemRect(item).center();
    QHelpEvent help(QEvent::ToolTip, at, Files()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(Files()->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(tipAt("a.xy"), "");
  EXPECT_EQ(tipAt(longName), longName);

  SetPanelWidth(main_->PanelRight(), 320);
  QApplication::processEvents();
  const int directories = Browser()->Directories()->width();
  const int files = Files()->width();
  SetPanelWidth(main_->PanelRight(), 400);
  QApplication::processEvents();
  EXPECT_EQ(Browser()->Directories()->width(), directories);
  EXPECT_EQ(Files()->width(), files + 80);
}

TEST_F(DataBrowserTest, AutoSavedPictureTakesTheChosenFormatOrPngWhenTheSurfaceIsNoFullGraph) {
  struct Case {
    const char* format;  // as the box shows it
    bool autoRepaint, onlyCurves;
    const char* file;
    const char* picture;
    ImageFormat written;
  };
  const Case cases[] = {
      {"BMP", true, false, "a.xy", "GraphImages/a.bmp", ImageFormat::kBmp},
      {"PNG", true, false, "b.xy", "GraphImages/b.png", ImageFormat::kPng},
      {"SVG", true, false, "c.xy", "GraphImages/c.svg", ImageFormat::kSvg},
      {"PDF", true, false, "run.1.xy", "GraphImages/run.1.pdf", ImageFormat::kPdf},
      {"SVG", false, false, "a.xy", "GraphImages/a.png", ImageFormat::kPng},
      {"PDF", true, true, "b.xy", "GraphImages/b.png", ImageFormat::kPng},
  };
  AutoSave(true);
  QComboBox* format = main_->Pages().Environment->ComboBoxAutoSaveFormat;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.format) + " " + c.file);
    format->setCurrentIndex(format->findText(c.format));
    main_->Pages().Environment->CheckBoxAutoRepaint->setChecked(c.autoRepaint);
    main_->Pages().Environment->CheckBoxOnlyCurves->setChecked(c.onlyCurves);
    ClickFile(c.file);
    EXPECT_TRUE(HasImageSignature(Read(c.picture), c.written));
  }
  EXPECT_FALSE(Exists("GraphImages/a.svg"));
  EXPECT_FALSE(Exists("GraphImages/b.pdf"));
  EXPECT_TRUE(dialogs_.Errors.empty());
  EXPECT_EQ(Message(), "");
}

TEST_F(DataBrowserTest, FirstClickAfterAMaskLoadsTwiceAndANewTypeShowsTheMask) {
  QSignalSpy painted(graph_.get(), &TFormKurvex::Painted);
  ASSERT_EQ(Browser()->Edit()->text(), "*.xy");
  ClickFile("a.xy");
  EXPECT_EQ(painted.count(), 2);
  EXPECT_EQ(Browser()->Edit()->text(), "a.xy");
  ClickFile("b.xy");
  EXPECT_EQ(painted.count(), 3);

  Browser()->Filter()->setCurrentIndex(1);
  emit Browser()->Filter()->activated(1);
  EXPECT_EQ(Browser()->Edit()->text(), "*.txt");
  EXPECT_EQ(Files()->SelectedPath(), "");
  EXPECT_EQ(Files()->count(), 1);
}

TEST_F(DataBrowserTest, PictureFolderIsMadeWhenMissingAndEveryLostPictureIsSaid) {
  AutoSave(true);
  ClickFile("a.xy");
  EXPECT_TRUE(Exists("GraphImages/a.bmp"));

  // A file where the folder should be: nothing can be written there.
  QDir(QString::fromStdString(Path("GraphImages"))).removeRecursively();
  Write("GraphImages", "not a folder");
  const auto lost = [&](const char* picture) {
    return "Unable to write to " + Path("GraphImages/") + picture + ": Not a directory";
  };
  ClickFile("b.xy");
  EXPECT_EQ(Message().toStdString(), lost("b.bmp"));
  main_->Messages()->Clear();
  ClickFile("c.xy");
  EXPECT_EQ(Message().toStdString(), lost("c.bmp")) << "the same folder fails again";
  // The first click after a mask loads twice; the second load must not take the news back.
  emit Browser()->Filter()->activated(0);
  ASSERT_EQ(Browser()->Edit()->text(), "*.xy");
  ClickFile("run.1.xy");
  EXPECT_EQ(Message().toStdString(), lost("run.1.bmp"));
  EXPECT_TRUE(dialogs_.Errors.empty());
}

// Data that does not convert is the file's fault: said with its line on the message line,
// never in a box, whichever way the file came, and at start not before the window.
TEST_F(DataBrowserTest, DataThatDoesNotConvertIsSaidOnTheMessageLineWhereverItCameFrom) {
  Write("spectra/bad.xy", "# head\n400 1.5 0.2\n500 1.2.3 0.1\n");
  Write("bad.ini", "[Data]\nDataPath=" + Path("spectra") + "\nDataFile=bad.xy\n");
  const std::string said = "bad.xy:3: '1.2.3' is not a valid floating point value";
  struct Case {
    const char* way;
    std::function<void()> load;
    std::string message;
    const char* loaded;
  };
  const auto restart = [&](const char* dataFile, const char* commandLine) {
    Write("Kurvex.ini", "[Data]\nDataPath=" + Path("spectra") + "\nDataFile=" + dataFile + "\n");
    TearDown();
    Start(false);
    if (commandLine) main_->OpenDataFileAtStart(QString::fromStdString(Path(commandLine)));
    main_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
  };
  const Case cases[] = {
      {"a click in the list", [&] { ClickFile("bad.xy"); }, said, "spectra/bad.xy"},
      {"a file dropped", [&] { Drop(Path("spectra/bad.xy")); }, said, "spectra/bad.xy"},
      {"Page Down",
       [&] {
         ClickFile("b.xy");
         main_->TreeView()->setFocus();
         QTest::keyClick(main_->TreeView(), Qt::Key_PageDown);
       },
       said, "spectra/bad.xy"},
      {"an options file naming it",
       [&] {
         main_->Pages().Environment->CheckBoxLoadAllOptions->setChecked(true);
         main_->Loader().OpenFile(QString::fromStdString(Path("bad.ini")));
       },
       said, "spectra/bad.xy"},
      {"remembered at start", [&] { restart("bad.xy", nullptr); }, said, "spectra/bad.xy"},
      {"remembered, another on the command line", [&] { restart("bad.xy", "spectra/a.xy"); }, "",
       "spectra/a.xy"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.way);
    restart("*.xy", nullptr);
    c.load();
    EXPECT_EQ(Message().toStdString(), c.message);
    EXPECT_EQ(LoadedFile(), Path(c.loaded));
    EXPECT_TRUE(dialogs_.Errors.empty());
  }
}

TEST_F(DataBrowserTest, DroppedFilesLoadAsAPickWould) {
  AutoSave(true);
  Write("elsewhere/scan.dat", kSpectrum);  // a type the list does not show
  Drop(Path("elsewhere/scan.dat"));
  EXPECT_EQ(LoadedFile(), Path("elsewhere/scan.dat"));
  EXPECT_EQ(Files()->SelectedPath().toStdString(), Path("elsewhere/scan.dat"));
  EXPECT_TRUE(Exists("GraphImages/scan.bmp"));

  Write("styles/wide.ini", "[Image]\nWidth=900\n");
  Drop(Path("styles/wide.ini"));
  EXPECT_EQ(Model().ImageWidth, 900);
  EXPECT_EQ(SettingPage(), "LoadIni");

  Drop(Path("missing.xy"));
  EXPECT_EQ(Message().toStdString(), Path("missing.xy") + ": file not found");
}

TEST_F(DataBrowserTest, PageDownTurnsAFolderIntoPictures) {
  AutoSave(true);
  main_->TreeView()->setFocus();
  for (int i = 0; i < 6; ++i) QTest::keyClick(main_->TreeView(), Qt::Key_PageDown);
  for (const char* picture : {"a.bmp", "b.bmp", "c.bmp", "run.1.bmp"}) {
    EXPECT_TRUE(Exists(std::string("GraphImages/") + picture)) << picture;
  }
  EXPECT_EQ(LoadedFile(), Path("spectra/run.1.xy"));  // stops at the last
  QTest::keyClick(main_->TreeView(), Qt::Key_Up, Qt::AltModifier);
  EXPECT_EQ(LoadedFile(), Path("spectra/c.xy"));
  // In a text field Page Down stays the field's own.
  auto* edit = main_->findChild<QLineEdit*>("EditTitle");
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_PageDown);
  EXPECT_EQ(LoadedFile(), Path("spectra/c.xy"));
}

TEST_F(DataBrowserTest, WatchedFileIsReloadedOnlyWhenItConvertsAgain) {
  AutoSave(true);
  ClickFile("a.xy");
  const std::string before = Read("GraphImages/a.bmp");
  QSignalSpy painted(graph_.get(), &TFormKurvex::Painted);

  Write("spectra/a.xy", "# head\n400 1.5 0.2\n500 1.6");  // caught half written
  QTest::qWait(800);
  EXPECT_EQ(painted.count(), 0);
  EXPECT_TRUE(dialogs_.Errors.empty());

  Write("spectra/a.xy", "# head\n400 1.5 0.2\n500 1.6 0.1\n600 2.5 0.9\n700 2.0 0.5\n");
  EXPECT_TRUE(Eventually([&] { return painted.count() == 1; })) << "painted.count()";
  EXPECT_NE(Read("GraphImages/a.bmp"), before);

  // An editor that writes a new file and renames it over the old one.
  Write("spectra/a.xy.tmp", "# head\n400 0.5 0.2\n800 0.6 0.1\n");
  QFile::remove(QString::fromStdString(Path("spectra/a.xy")));
  QFile::rename(QString::fromStdString(Path("spectra/a.xy.tmp")),
                QString::fromStdString(Path("spectra/a.xy")));
  EXPECT_TRUE(Eventually([&] { return painted.count() == 2; })) << "painted.count()";
}

TEST_F(DataBrowserTest, ListFollowsItsFolderWithoutLoadingAnything) {
  ClickFile("b.xy");
  QSignalSpy painted(graph_.get(), &TFormKurvex::Painted);
  Write("spectra/new.xy", kSpectrum);
  EXPECT_TRUE(
      Eventually([&] { return !Files()->findItems("new.xy", Qt::MatchExactly).isEmpty(); }));
  QFile::remove(QString::fromStdString(Path("spectra/b.xy")));
  EXPECT_TRUE(Eventually([&] { return Files()->findItems("b.xy", Qt::MatchExactly).isEmpty(); }));
  Write("spectra/b.xy", kSpectrum);
  EXPECT_TRUE(Eventually([&] { return !Files()->findItems("b.xy", Qt::MatchExactly).isEmpty(); }));
  EXPECT_EQ(Files()->SelectedPath().toStdString(), Path("spectra/b.xy"));
  EXPECT_EQ(Browser()->Edit()->text(), "b.xy");

  // The folder shown is removed: the nearest one left is shown, and the user is told.
  Write("spectra/sub/x.xy", kSpectrum);
  Browser()->SetDirectory(QString::fromStdString(Path("spectra/sub")));
  QDir(QString::fromStdString(Path("spectra/sub"))).removeRecursively();
  EXPECT_TRUE(Eventually([&] { return Browser()->Directory().toStdString() == Path("spectra"); }))
      << "Browser()->Directory().toStdString()";
  EXPECT_TRUE(Message().contains("No such file or directory"));
}

TEST_F(DataBrowserTest, FitAxesToEachFileBeforeItIsDrawnAndSaved) {
  main_->Pages().Environment->CheckBoxFitAxes->setChecked(true);
  AutoSave(true);
  Write("spectra/ftir.xy", "4000 1200\n2000 2950\n550 1800\n");
  EXPECT_TRUE(
      Eventually([&] { return !Files()->findItems("ftir.xy", Qt::MatchExactly).isEmpty(); }));
  ClickFile("ftir.xy");
  const GraphModel& m = Model();
  EXPECT_LE(static_cast<long double>(m.AxisX.Minimum), 550.0L);
  EXPECT_GE(static_cast<long double>(m.AxisX.Maximum), 4000.0L);
  EXPECT_LE(static_cast<long double>(m.AxisY.Minimum), 1200.0L);
  EXPECT_GE(static_cast<long double>(m.AxisY.Maximum), 2950.0L);
  EXPECT_EQ(main_->findChild<QLineEdit*>("EditAxisXMax")->text().toDouble(),
            static_cast<double>(m.AxisX.Maximum));
  EXPECT_FALSE(main_->Hub().History().CanUndo());  // the program's own fit is no user step
  EXPECT_TRUE(Exists("GraphImages/ftir.bmp"));

  main_->Pages().Environment->CheckBoxFitAxes->setChecked(false);
  ClickFile("a.xy");  // the style's ranges hold again
  EXPECT_GE(static_cast<long double>(Model().AxisX.Maximum), 4000.0L);

  main_->Pages().Environment->CheckBoxFitAxes->setChecked(true);
  main_->close();
  EXPECT_TRUE(ProfileFile(Path("Kurvex.ini")).ReadBool("Environment", "FitAxesToData", false));
}

TEST_F(DataBrowserTest, FileNamedOnTheCommandLineOpensAsAClickWould) {
  Write("elsewhere/cmd.xy", kSpectrum);
  main_.reset();
  graph_.reset();
  Start(false);
  main_->OpenDataFileAtStart(QString::fromStdString(Path("elsewhere/cmd.xy")));
  main_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
  EXPECT_EQ(LoadedFile(), Path("elsewhere/cmd.xy"));
  EXPECT_EQ(Browser()->Directory().toStdString(), Path("elsewhere"));
  EXPECT_EQ(Files()->SelectedPath().toStdString(), Path("elsewhere/cmd.xy"));
}

TEST_F(DataBrowserTest, RememberedFileIsSelectedAndLoadedAtStart) {
  Write("Kurvex.ini", "[Data]\nDataPath=" + Path("spectra") + "\nDataFile=c.xy\n");
  main_.reset();
  graph_.reset();
  Start();
  EXPECT_EQ(LoadedFile(), Path("spectra/c.xy"));
  EXPECT_EQ(Files()->SelectedPath().toStdString(), Path("spectra/c.xy"));
}

}  // namespace
}  // namespace kurvex::shell
