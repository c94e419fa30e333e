// The main window's keys in options files: at start, from the "LoadIni" page and when saving.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>
#include <algorithm>

#include "shell/browser/data_page.h"
#include "shell/browser/file_browser.h"
#include "shell/browser/loadini_page.h"
#include "shell/pages/environment_page.h"
#include "shell/pages/image_page.h"
#include "shell/shell_fixture.h"

namespace kurvex::shell {
namespace {

class OptionsTest : public ShellTest {
 protected:
  ProfileFile Saved(const std::string& name) {
    main_->Options().SaveOptions(Path(name));
    return ProfileFile(Path(name));
  }

  /// Picks a file on the "LoadIni" page as the user would.
  void PickIni(const std::string& name) {
    Click(Item(3));  // Load other
    ASSERT_TRUE(main_->Pages().LoadIni->Browser->Files()->SelectFile(QString::fromStdString(name)));
  }

  FileBrowser* DataBrowser() { return main_->Pages().Data->Browser; }
};

TEST_F(OptionsTest, StartAppliesTheWindowKeys) {
  Write("Kurvex.ini",
        "[Environment]\nWindowLeft=40\nWindowTop=30\nWindowWidth=700\nWindowHeight=500\n"
        "PanelLeftWidth=150\nTreeItem=14\nShowInRightPanel=environment\nShowInMainPanel=About\n"
        "PanelRightWidth=300\nAutoSaveOptions=0\n[Data]\nDataFile=*.xy\n");
  Start();
  EXPECT_EQ(main_->pos(), QPoint(40, 30));
  EXPECT_EQ(main_->size(), QSize(700, 500));
  EXPECT_EQ(main_->PanelLeft()->width(), 150);
  EXPECT_EQ(main_->PanelRight()->width(), 300);
  EXPECT_EQ(main_->TreeView()->Selected()->text(0), "Curves");
  EXPECT_EQ(SettingPage(), "Environment");
  EXPECT_EQ(CentralPage(), "About");
  EXPECT_FALSE(main_->Pages().Environment->CheckBoxAutoSave->isChecked());
}

TEST_F(OptionsTest, TreeItemThatNamesNoItemSelectsNothingAndTheLoadGoesOn) {
  Write("Kurvex.ini", "[Environment]\nTreeItem=99\n[Image]\nWidth=700\n");
  Start();
  EXPECT_EQ(main_->TreeView()->Selected(), nullptr);
  EXPECT_TRUE(dialogs_.Errors.empty());
  EXPECT_EQ(main_->Pages().Image->EditGraphWidth->text(), "700");

  // A selection made since does not survive a load that names no item.
  Click(Item(14));
  main_->Pages().Environment->CheckBoxLoadAllOptions->setChecked(true);
  main_->Options().LoadOptions(Path("Kurvex.ini"));
  EXPECT_EQ(main_->TreeView()->Selected(), nullptr);
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(OptionsTest, NormalWindowIsSavedWithItsBoundsBesideTheGraphSections) {
  Start();
  main_->move(50, 60);
  main_->resize(800, 550);
  Click(Item(17));  // Environment
  const ProfileFile ini = Saved("normal.ini");
  EXPECT_EQ(ini.ReadInteger("Environment", "WindowState", 9), 0);
  EXPECT_EQ(ini.ReadInteger("Environment", "WindowLeft", 0), 50);
  EXPECT_EQ(ini.ReadInteger("Environment", "WindowTop", 0), 60);
  EXPECT_EQ(ini.ReadInteger("Environment", "WindowWidth", 0), 800);
  EXPECT_EQ(ini.ReadInteger("Environment", "WindowHeight", 0), 550);
  EXPECT_EQ(ini.ReadInteger("Environment", "PanelLeftWidth", 0), 165);
  EXPECT_EQ(ini.ReadInteger("Environment", "TreeItem", 0), 17);
  EXPECT_EQ(ini.ReadString("Environment", "ShowInRightPanel", ""), "Environment");
  EXPECT_EQ(ini.ReadString("Environment", "ShowInMainPanel", ""), "GraphImage");
  EXPECT_EQ(ini.ReadInteger("Environment", "PanelRightWidth", 0), 177);
  EXPECT_TRUE(ini.ReadBool("Environment", "AutoSaveOptions", false));
  EXPECT_EQ(ini.ReadInteger("Environment", "Language", 9), 0);
  // No "Data" folder here: the list stays where the program lives, and the stored folder is
  // kept until the user picks another.
  EXPECT_EQ(DataBrowser()->Directory(), dir_.path());
  EXPECT_EQ(ini.ReadString("Data", "DataPath", ""), "Data");
  EXPECT_EQ(ini.ReadString("Data", "DataFile", ""), "*.*");
  EXPECT_EQ(ini.ReadInteger("Image", "Width", 0), 600);
  EXPECT_EQ(ini.ReadString("Title", "Text", ""), "Ellipsometry");
}

TEST_F(OptionsTest, FreshFileHoldsTheWindowKeysInTheirOrderBeforeTheGraphKeys) {
  Start();
  main_->Options().SaveOptions(Path("fresh.ini"));
  std::vector<std::string> keys;
  std::istringstream lines(Read("fresh.ini"));
  for (std::string line; std::getline(lines, line);) {
    if (line.find('=') != std::string::npos) keys.push_back(line.substr(0, line.find('=')));
    if (keys.size() == 18) break;
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"WindowState", "WindowLeft", "WindowTop", "WindowWidth",
                                            "WindowHeight", "PanelLeftWidth", "TreeItem",
                                            "ShowInRightPanel", "ShowInMainPanel",
                                            "PanelRightWidth", "AutoSaveOptions", "Language",
                                            "FitAxesToData", "AutoSaveImageFormat", "LanguageName",
                                            "MenuBarVisible", "LoadAllOptions", "AutoRepaint"}));
  const std::string text = Read("fresh.ini");
  EXPECT_LT(text.find("[Data]\r\nDataPath="), text.find("\r\nDataFile="));
  EXPECT_LT(text.find("\r\nDataFile="), text.find("\r\nImagePath="));
  EXPECT_LT(text.find("\r\nImagePath="), text.find("[Image]"));
}

TEST_F(OptionsTest, AutoSaveFormatLoadsAnyCaseFallsBackToBmpAndSavesItsName) {
  struct Case {
    const char* stored;  // null: no key
    const char* shown;
  };
  const Case cases[] = {{"png", "PNG"}, {"PDF", "PDF"}, {"svg", "SVG"},
                        {"gif", "BMP"}, {"", "BMP"},    {nullptr, "BMP"}};
  Start();
  QComboBox* box = main_->Pages().Environment->ComboBoxAutoSaveFormat;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "none");
    // Something else beforehand, so what is shown comes from the file.
    box->setCurrentIndex(box->findText(c.shown) == 0 ? 3 : 0);
    Write("format.ini",
          std::string("[Environment]\nFitAxesToData=0\n") +
              (c.stored ? "AutoSaveImageFormat=" + std::string(c.stored) + "\n" : ""));
    main_->Pages().Environment->CheckBoxLoadAllOptions->setChecked(true);
    main_->Options().LoadOptions(Path("format.ini"));
    EXPECT_EQ(box->currentText().toStdString(), c.shown);
    std::string name = c.shown;
    std::transform(name.begin(), name.end(), name.begin(), ::tolower);
    EXPECT_EQ(Saved("format.ini").ReadString("Environment", "AutoSaveImageFormat", ""), name);
  }
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(OptionsTest, MinimizedOrMaximizedWindowKeepsTheLastNormalBoundsAndLoadsSo) {
  Write("max.ini", "[Environment]\nWindowLeft=11\nWindowTop=22\nWindowWidth=333\n");
  Start();
  main_->Pages().Environment->CheckBoxLoadAllOptions->setChecked(true);
  for (const auto& [state, stored] :
       {std::pair{Qt::WindowMaximized, 1}, {Qt::WindowMinimized, -1}}) {
    main_->setWindowState(state);
    const ProfileFile ini = Saved("max.ini");
    EXPECT_EQ(ini.ReadInteger("Environment", "WindowState", 9), stored);
    EXPECT_EQ(ini.ReadInteger("Environment", "WindowLeft", 0), 11);
    EXPECT_EQ(ini.ReadInteger("Environment", "WindowWidth", 0), 333);
    EXPECT_EQ(ini.ReadInteger("Environment", "WindowHeight", -1), -1);

    main_->setWindowState(Qt::WindowNoState);
    main_->Options().LoadOptions(Path("max.ini"));
    EXPECT_EQ(main_->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized), state) << stored;
  }
}

TEST_F(OptionsTest, UnknownWindowStateChangesNeitherStateNorBounds) {
  Start();
  main_->Pages().Environment->CheckBoxLoadAllOptions->setChecked(true);
  const QRect before = main_->geometry();
  Write("odd.ini",
        "[Environment]\nWindowState=5\nWindowLeft=1\nWindowWidth=300\nPanelLeftWidth=90\n");
  main_->Options().LoadOptions(Path("odd.ini"));
  EXPECT_EQ(main_->geometry(), before);
  EXPECT_FALSE(main_->isMaximized() || main_->isMinimized());
  EXPECT_EQ(main_->PanelLeft()->minimumWidth(), 90);  // the other window keys still apply
}

TEST_F(OptionsTest, LoadIniPageLoadsTheStyleButNotTheWindowAndStaysInFront) {
  Write("Setting/Big.ini",
        "[Environment]\nWindowState=1\nPanelLeftWidth=50\nShowInRightPanel=Curves\n"
        "ShowInMainPanel=About\n[Image]\nWidth=800\n");
  Start();
  main_->Pages().Environment->CheckBoxLoadAllOptions->setChecked(true);
  const QRect before = main_->geometry();
  PickIni("Big.ini");
  EXPECT_EQ(main_->geometry(), before);
  EXPECT_FALSE(main_->isMaximized());
  EXPECT_EQ(main_->PanelLeft()->width(), 165);
  EXPECT_EQ(SettingPage(), "LoadIni");
  EXPECT_EQ(Model().ImageWidth, 800);
  EXPECT_EQ(Model().AxisX.Length, 500);
  EXPECT_EQ(main_->Pages().Image->EditGraphWidth->text(), "800");
  EXPECT_EQ(main_->Pages().LoadIni->Browser->Edit()->text(), "Big.ini");
}

TEST_F(OptionsTest, LoadAllOptionsDecidesAboutDataAndEnvironmentKeys) {
  Write("Data/si.xy", "300 0.5 0.1\n1000 0.7 0.2\n");
  Write("Elsewhere/other.xy", "300 1 1\n1000 2 2\n");
  Write("Setting/Other.ini", "[Environment]\nLoadAllOptions=0\nAutoRepaint=0\n[Data]\nDataPath=" +
                                 appDir_ + "Elsewhere\nDataFile=other.xy\n[Title]\nText=Other\n");
  Write("Kurvex.ini", "[Data]\nDataFile=si.xy\n");
  Start();
  ASSERT_EQ(graph_->EditDataFile()->text(), "si.xy");

  // Unchecked: neither the data browser nor the loaded data change, the style does.
  main_->Pages().Environment->CheckBoxLoadAllOptions->setChecked(false);
  PickIni("Other.ini");
  EXPECT_EQ(DataBrowser()->Directory().toStdString(), appDir_ + "Data");
  EXPECT_EQ(graph_->EditDataFile()->text(), "si.xy");
  EXPECT_EQ(Model().Title.Text, "Other");
  EXPECT_TRUE(Model().AutoRepaint);

  // Checked on this page: the data comes along and the box wins over the file's switch.
  main_->Pages().Environment->CheckBoxLoadAllOptions->setChecked(true);
  PickIni("Other.ini");
  EXPECT_EQ(DataBrowser()->Directory().toStdString(), appDir_ + "Elsewhere");
  EXPECT_EQ(graph_->EditDataFile()->text(), "other.xy");
  EXPECT_FALSE(Model().AutoRepaint);
  EXPECT_TRUE(Model().LoadAllOptions);
  EXPECT_TRUE(main_->Pages().Environment->CheckBoxLoadAllOptions->isChecked());
}

TEST_F(OptionsTest, DataFileMissingFromItsFolderIsTakenFromTheProgramsDataFolder) {
  Write("Data/si.xy", "300 0.5 0.1\n1000 0.7 0.2\n");
  Write("Kurvex.ini", "[Data]\nDataPath=/no/such/folder\nDataFile=si.xy\n");
  Start();
  EXPECT_EQ(DataBrowser()->Directory().toStdString(), appDir_ + "Data");
  EXPECT_EQ(DataBrowser()->Edit()->text(), "si.xy");
  EXPECT_EQ(graph_->Engine().DataFilePath(), appDir_ + "Data/si.xy");
  EXPECT_EQ(graph_->EditDataFile()->toolTip().toStdString(), appDir_ + "Data/si.xy");
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(OptionsTest, MaskAsDataFileLoadsNoData) {
  Write("Data/si.xy", "300 0.5 0.1\n");
  Start();
  EXPECT_EQ(DataBrowser()->Edit()->text(), "*.*");
  EXPECT_EQ(graph_->Engine().DataFilePath(), "");
  EXPECT_EQ(graph_->EditDataFile()->text(), "Demo1.txt");
}

TEST_F(OptionsTest, LoadIniWithoutASelectedFileLoadsNothing) {
  Write("Setting/A.ini", "[Image]\nWidth=900\n");
  Start();
  Model().ImageWidth = 777;
  Click(Item(3));
  main_->Options().EditFileIniChange();
  EXPECT_EQ(Model().ImageWidth, 777);
  EXPECT_EQ(SettingPage(), "LoadIni");
}

TEST_F(OptionsTest, FailedGraphSectionLeavesThePagesAsTheyWere) {
  Write("Setting/Bad.ini", "[Image]\nWidth=900\n[AxisY]\nMaximum=1e99\n");
  Start();
  PickIni("Bad.ini");
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  EXPECT_EQ(dialogs_.Errors[0],
            Path("Setting/Bad.ini") + ": [AxisY] Maximum=1e99: Floating point overflow");
  EXPECT_EQ(Model().ImageWidth, 900);
  EXPECT_EQ(main_->Pages().Image->EditGraphWidth->text(), "600");
}

TEST_F(OptionsTest, SaveOtherWritesTheChosenFileWithTheDefaultExtension) {
  Start();
  dialogs_.SaveAnswer = Path("mystyle");
  main_->Options().SaveOtherOptions();
  EXPECT_TRUE(Exists("mystyle.ini"));
  EXPECT_FALSE(Exists("mystyle"));

  dialogs_.SaveAnswer.reset();
  main_->Options().SaveOtherOptions();
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(OptionsTest, SaveThatCannotWriteThrowsItsMessage) {
  Start();
  QDir().mkpath(QString::fromStdString(Path("folder.ini")));
  try {
    main_->Options().SaveOptions(Path("folder.ini"));
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Unable to write to " + Path("folder.ini") + ": not a regular file");
  }
}

TEST_F(OptionsTest, EnvironmentKeysReachTheirWidgets) {
  Write("Kurvex.ini",
        "[Environment]\nLoadAllOptions=1\nAutoRepaint=0\nOnlyCurves=1\nBackGroundColor=255\n"
        "StatusBarVisible=1\n");
  Start();
  EnvironmentPage* page = main_->Pages().Environment;
  EXPECT_TRUE(page->CheckBoxLoadAllOptions->isChecked());
  EXPECT_FALSE(page->CheckBoxAutoRepaint->isChecked());
  EXPECT_TRUE(page->CheckBoxOnlyCurves->isChecked());
  EXPECT_TRUE(page->CheckBoxStatusBarVisible->isChecked());
  EXPECT_FALSE(graph_->StatusBar()->isHidden());
  EXPECT_EQ(Saved("again.ini").ReadInteger("Environment", "BackGroundColor", 0), 255);
}

}  // namespace
}  // namespace kurvex::shell
