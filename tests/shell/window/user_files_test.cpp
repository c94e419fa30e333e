// What the main window keeps of the user's files and settings when they are damaged, missing
// or made on another machine.
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

#include "shell/browser/data_page.h"
#include "shell/browser/file_browser.h"
#include "shell/kit/message_line.h"
#include "shell/kit/window_fit.h"
#include "shell/pages/image_page.h"
#include "shell/shell_fixture.h"

namespace kurvex::shell {
namespace {

class UserFilesTest : public ShellTest {
 protected:
  QString Message() const { return main_->Messages()->text(); }
};

// One unreadable value must not cost the rest of the style, and the file the user wrote is kept
// before the first save replaces it.
TEST_F(UserFilesTest, BrokenOptionsFileAtStartKeepsAUsableStyleAndABackup) {
  const std::string ini =
      "[Image]\nWidth=700\n[AxisX]\nMinimum=300,5\nMaximum=oops\nLength=450\n[Legend]\nLeft=5\n";
  Write("Kurvex.ini", ini);
  Start();
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  EXPECT_EQ(
      dialogs_.Errors[0],
      Path("Kurvex.ini") + ": [AxisX] Maximum=oops: 'oops' is not a valid floating point value");
  const GraphModel start = StartModel();
  // Read with its comma, then shown with the default's 0 decimals, which the pages keep.
  EXPECT_EQ(static_cast<long double>(Model().AxisX.Minimum), 301.0L);
  EXPECT_EQ(static_cast<long double>(Model().AxisX.Maximum), 1000);
  EXPECT_EQ(Model().AxisX.Length, start.AxisX.Length);
  EXPECT_EQ(Model().Legend.Left, start.Legend.Left);
  EXPECT_EQ(Model().Title.Text, "Ellipsometry");
  EXPECT_EQ(main_->Pages().Image->EditGraphWidth->text(), "700");  // the pages were filled

  main_->Options().SaveOptions(Path("Kurvex.ini"));
  EXPECT_EQ(Read("Kurvex.ini.bak"), ini);
  Model().ImageWidth = 650;
  main_->close();
  EXPECT_EQ(Read("Kurvex.ini.bak"), ini) << "one copy, not overwritten by later saves";
  EXPECT_EQ(ProfileFile(Path("Kurvex.ini")).ReadInteger("Image", "Width", 0), 650);
}

TEST_F(UserFilesTest, SoundOptionsFileGetsNoBackup) {
  Write("Kurvex.ini", "[AxisX]\nMinimum=300,5\n");
  Start();
  EXPECT_TRUE(dialogs_.Errors.empty());
  main_->close();
  EXPECT_FALSE(Exists("Kurvex.ini.bak"));
}

TEST_F(UserFilesTest, WindowStoredOffTheScreenComesBack) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  for (const char* keys : {"WindowLeft=5000\nWindowTop=-3000\n",
                           "WindowLeft=-2500\nWindowTop=40\nWindowWidth=99999\n"}) {
    Write("Kurvex.ini", std::string("[Environment]\n") + keys +
                            "PanelRightWidth=99999\n"
                            "PanelLeftWidth=-40\n");
    Start();
    EXPECT_TRUE(screen.contains(main_->frameGeometry().topLeft())) << keys;
    EXPECT_LE(main_->width(), screen.width()) << keys;
    EXPECT_GE(main_->TreeView()->width(), kMinTreeWidth) << keys;
    EXPECT_GE(main_->PanelGraphImage()->width(), kMinGraphWidth - 8) << keys;
    EXPECT_GE(main_->PanelRight()->width(), kMinSettingsWidth) << keys;
    // What is saved is what the user saw.
    main_->Options().SaveOptions(Path("seen.ini"));
    const ProfileFile seen(Path("seen.ini"));
    EXPECT_EQ(seen.ReadInteger("Environment", "WindowLeft", 0), main_->x());
    EXPECT_EQ(seen.ReadInteger("Environment", "PanelRightWidth", 0), main_->PanelRight()->width());
    EXPECT_EQ(seen.ReadInteger("Environment", "PanelLeftWidth", 0), main_->PanelLeft()->width());
    main_.reset();
    graph_.reset();
  }
}

// Two windows in one folder: the one closed last must not silently wipe out what the other
// saved. The user decides; with nobody to ask the file stays theirs and ours is kept beside it.
TEST_F(UserFilesTest, OptionsFileChangedByAnotherWindowIsNotOverwrittenUnasked) {
  const std::string mine = "[Image]\nWidth=640\n";
  const std::string theirs = "[Image]\nWidth=720\n";
  struct Case {
    const char* what;
    bool otherSaves;
    bool attended;
    OptionsConflictAnswer answer;
    int width;  // Image.Width in Kurvex.ini after the close
    bool asked, unsaved;
  };
  const Case cases[] = {
      {"nobody else saved", false, true, OptionsConflictAnswer::kKeepTheirs, 650, false, false},
      {"the user keeps theirs", true, true, OptionsConflictAnswer::kKeepTheirs, 720, true, false},
      {"the user keeps mine", true, true, OptionsConflictAnswer::kKeepMine, 650, true, false},
      {"closed by a signal", true, false, OptionsConflictAnswer::kKeepMine, 720, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    QFile::remove(QString::fromStdString(Path("Kurvex.ini.unsaved")));
    Write("Kurvex.ini", mine);
    dialogs_ = RecordingDialogs();
    dialogs_.ConflictAnswer = c.answer;
    Start();
    // The window's own save is no change by another.
    main_->Options().SaveOptions(Path("Kurvex.ini"));
    Model().ImageWidth = 650;
    if (c.otherSaves) Write("Kurvex.ini", theirs);
    dialogs_.SetAttended(c.attended);
    main_->close();
    EXPECT_EQ(ProfileFile(Path("Kurvex.ini")).ReadInteger("Image", "Width", 0), c.width);
    ASSERT_EQ(dialogs_.ConflictQuestions.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      const OptionsConflictQuestion& q = dialogs_.ConflictQuestions[0];
      EXPECT_EQ(q.Text, Path("Kurvex.ini") +
                            " was changed by another program since Kurvex read it. Keep the "
                            "settings of this window or the ones in the file?");
      EXPECT_EQ(q.KeepMine, "Keep mine");
      EXPECT_EQ(q.KeepTheirs, "Keep theirs");
    }
    EXPECT_EQ(Exists("Kurvex.ini.unsaved"), c.unsaved);
    if (c.unsaved) {
      EXPECT_EQ(ProfileFile(Path("Kurvex.ini.unsaved")).ReadInteger("Image", "Width", 0), 650);
      EXPECT_NE(Read("Kurvex.log")
                    .find(Path("Kurvex.ini") +
                          " was changed by another program: it is kept, and this "
                          "window's settings went to " +
                          Path("Kurvex.ini.unsaved")),
                std::string::npos);
    }
    EXPECT_TRUE(dialogs_.Errors.empty());
  }
}

TEST(FitOnScreens, KeepsAGrabbableWindowAndMovesALostOne) {
  const QRect left(0, 0, 1920, 1080);
  const QRect right(1920, 0, 1280, 1024);
  const QSize minimum(300, 200);
  // On the second screen, partly beyond its edge: kept where it is.
  EXPECT_EQ(FitOnScreens(QRect(2500, 100, 1000, 600), {left, right}, left, minimum),
            QRect(2500, 100, 1000, 600));
  // The second screen is gone: back onto the current one, whole.
  EXPECT_EQ(FitOnScreens(QRect(2500, 100, 1000, 600), {left}, left, minimum),
            QRect(920, 100, 1000, 600));
  EXPECT_EQ(FitOnScreens(QRect(5000, -3000, 4000, 50), {left}, left, minimum),
            QRect(0, 0, 1920, 200));
  // Title bar above the screen's top cannot be grabbed.
  EXPECT_EQ(FitOnScreens(QRect(100, -20, 800, 600), {left}, left, minimum),
            QRect(100, 0, 800, 600));
}

TEST(FitPanelWidths, EveryColumnKeepsAUsableWidth) {
  struct Case {
    int left, right, window;
    PanelWidths expected;
  };
  // The tree never narrower than 60, its panel 64 with the margin: its items' captions must
  // stay readable.
  for (const Case& c : {Case{165, 177, 1000, {165, 177}}, Case{-40, 99999, 1000, {64, 832}},
                        Case{3, 177, 1000, {64, 177}}, Case{99999, 99999, 1000, {796, 100}},
                        Case{500, 500, 200, {64, 100}}}) {
    const PanelWidths w = FitPanelWidths(c.left, c.right, c.window);
    EXPECT_EQ(w.Left, c.expected.Left) << c.left << " " << c.right << " " << c.window;
    EXPECT_EQ(w.Right, c.expected.Right) << c.left << " " << c.right << " " << c.window;
  }
}

// An unplugged disk must not cost the remembered folder, and the sample spectrum drawn in the
// meantime must not pass for the user's data.
TEST_F(UserFilesTest, MissingDataFolderAndFileAreKeptAndReported) {
  Write("Kurvex.ini", "[Data]\nDataPath=/media/gone/spectra\nDataFile=run7.xy\n");
  Start();
  EXPECT_EQ(Message(), "/media/gone/spectra/run7.xy: file not found");
  EXPECT_EQ(graph_->Engine().DataFilePath(), "");
  main_->close();
  const ProfileFile saved(Path("Kurvex.ini"));
  EXPECT_EQ(saved.ReadString("Data", "DataPath", ""), "/media/gone/spectra");
  EXPECT_EQ(saved.ReadString("Data", "DataFile", ""), "run7.xy");
}

TEST_F(UserFilesTest, FolderTheProgramChoosesDoesNotReplaceTheStoredOneButAUserPickDoes) {
  Write("Data/si.xy", "300 0.5 0.1\n1000 0.7 0.2\n");
  Write("Other/x.xy", "300 0.5 0.1\n");
  Write("Kurvex.ini", "[Data]\nDataPath=/media/gone\nDataFile=si.xy\n");
  Start();
  EXPECT_EQ(graph_->Engine().DataFilePath(), Path("Data/si.xy"));
  EXPECT_EQ(Message(), "");
  main_->Options().SaveOptions(Path("a.ini"));
  EXPECT_EQ(ProfileFile(Path("a.ini")).ReadString("Data", "DataPath", ""), "/media/gone");

  main_->Pages().Data->Browser->SetDirectory(QString::fromStdString(Path("Other")));
  main_->Options().SaveOptions(Path("b.ini"));
  EXPECT_EQ(ProfileFile(Path("b.ini")).ReadString("Data", "DataPath", ""), Path("Other"));
}

TEST_F(UserFilesTest, MaskOrLoadedFileGivesNoMessage) {
  Write("Data/si.xy", "300 0.5 0.1\n");
  for (const char* file : {"*.xy", "si.xy"}) {
    Write("Kurvex.ini", std::string("[Data]\nDataPath=Data\nDataFile=") + file + "\n");
    Start();
    EXPECT_EQ(Message(), "") << file;
    main_.reset();
    graph_.reset();
  }
}

}  // namespace
}  // namespace kurvex::shell
