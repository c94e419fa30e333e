// Navigation: which page each item shows, and which ways of reaching an item run its action.
#include <QCheckBox>
#include <QSignalSpy>
#include <QTextEdit>

#include "shell/browser/file_browser.h"
#include "shell/browser/loadini_page.h"
#include "shell/pages/environment_page.h"
#include "shell/shell_fixture.h"

namespace kurvex::shell {
namespace {

class TreeTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
  }
  void Key(Qt::Key key) { QTest::keyClick(main_->TreeView(), key); }
};

// Absolute indices after start (the "Log" item is gone).
enum : int {
  kData = 0,
  kGraph,
  kRepaint,
  kLoadOther,
  kSaveOther,
  kTitle,
  kAxisX,
  kAxisXTitle,
  kAxisXValues,
  kAxisXLine,
  kAxisY,
  kAxisYTitle,
  kAxisYValues,
  kAxisYLine,
  kCurves,
  kLegend,
  kText,
  kEnvironment,
  kAbout,
  kManual,
  kFastStart
};

TEST_F(TreeTest, KeyboardShowsPagesButNeverRunsActions) {
  QSignalSpy painted(graph_.get(), &TFormKurvex::Painted);
  Click(Item(kData));
  Key(Qt::Key_Down);
  EXPECT_EQ(SettingPage(), "Image");
  Key(Qt::Key_Down);  // Repaint
  Key(Qt::Key_Down);  // Load other
  Key(Qt::Key_Down);  // Save other
  EXPECT_EQ(main_->TreeView()->Selected(), Item(kSaveOther));
  EXPECT_EQ(painted.count(), 0);
  EXPECT_EQ(SettingPage(), "Image");
  EXPECT_TRUE(dialogs_.SaveRequests.empty());
  Key(Qt::Key_Down);
  EXPECT_EQ(SettingPage(), "Graph Title");
}

TEST_F(TreeTest, EveryClickOnAnActionRunsItOnce) {
  QSignalSpy painted(graph_.get(), &TFormKurvex::Painted);
  Click(Item(kRepaint));
  Click(Item(kRepaint));
  EXPECT_EQ(painted.count(), 2);

  Click(Item(kEnvironment));
  Click(Item(kSaveOther));
  Click(Item(kSaveOther));
  ASSERT_EQ(dialogs_.SaveRequests.size(), 2u);
  EXPECT_EQ(SettingPage(), "Environment");  // no page carries the parent's caption "Graph"
  const SaveDialogOptions& asked = dialogs_.SaveRequests[0];
  EXPECT_EQ(asked.InitialDir, Path("Setting"));
  EXPECT_EQ(asked.Filter, "Ini Files|*.ini|*.*|*.*");
  EXPECT_EQ(asked.DefaultExt, "ini");
  EXPECT_EQ(asked.Title, "Save environment options");
  EXPECT_TRUE(graph_->PaintEnabled());
}

TEST_F(TreeTest, LoadOtherOpensTheSettingFolderOrReportsItsAbsence) {
  Click(Item(kLoadOther));
  EXPECT_EQ(SettingPage(), "LoadIni");
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  EXPECT_NE(dialogs_.Errors[0].find("Setting"), std::string::npos);
  EXPECT_TRUE(graph_->PaintEnabled());

  Write("Setting/Blue.ini", "[Image]\nColor=16711680\n");
  Click(Item(kData));
  Click(Item(kLoadOther));
  EXPECT_EQ(SettingPage(), "LoadIni");
  EXPECT_EQ(main_->Pages().LoadIni->Browser->Directory().toStdString() + "/", Path("Setting/"));
  EXPECT_EQ(main_->Pages().LoadIni->Browser->Files()->count(), 1);
  EXPECT_EQ(dialogs_.Errors.size(), 1u);
}

TEST_F(TreeTest, AxisChildrenShowThePageOfTheirAxis) {
  const std::pair<int, const char*> cases[] = {{kAxisX, "Axis X Title"},
                                               {kAxisXTitle, "Axis X Title"},
                                               {kAxisXValues, "Axis X Values"},
                                               {kAxisXLine, "Axis X Line"},
                                               {kAxisY, "Axis Y Title"},
                                               {kAxisYTitle, "Axis Y Title"},
                                               {kAxisYValues, "Axis Y Values"},
                                               {kAxisYLine, "Axis Y Line"},
                                               {kTitle, "Graph Title"},
                                               {kCurves, "Curves"},
                                               {kLegend, "Legend"},
                                               {kText, "Text"},
                                               {kEnvironment, "Environment"},
                                               {kGraph, "Image"},
                                               {kData, "Data"}};
  for (const auto& [item, page] : cases) {
    Click(Item(item));
    EXPECT_EQ(SettingPage(), page) << item;
    EXPECT_EQ(CentralPage(), "GraphImage") << item;
  }
}

TEST_F(TreeTest, CentralPagesAndTheWayBackToTheGraph) {
  Click(Item(kCurves));
  Click(Item(kAbout));
  EXPECT_EQ(CentralPage(), "About");
  EXPECT_EQ(SettingPage(), "Curves");
  Click(Item(kManual));
  EXPECT_EQ(CentralPage(), "Manual");
  Click(Item(kLegend));
  EXPECT_EQ(CentralPage(), "GraphImage");

  // The caret lands 8 characters before the first mention of the caption.
  main_->Help().Manual().RichEditAbout->setPlainText("Introduction text\nFast start here\nmore");
  Click(Item(kFastStart));
  EXPECT_EQ(CentralPage(), "Manual");
  EXPECT_EQ(main_->Help().Manual().RichEditAbout->textCursor().position(), 10);
}

TEST_F(TreeTest, EnterFoldsAndUnfoldsItemsWithChildren) {
  Click(Item(kGraph));
  Key(Qt::Key_Return);
  EXPECT_FALSE(Item(kGraph)->isExpanded());
  Key(Qt::Key_Return);
  EXPECT_TRUE(Item(kGraph)->isExpanded());
  Click(Item(kData));
  Key(Qt::Key_Return);
  EXPECT_EQ(main_->TreeView()->Selected(), Item(kData));
  EXPECT_EQ(SettingPage(), "Data");
}

TEST_F(TreeTest, RightClickOrAClickBesideTheItemsNeitherSelectsNorShowsAPage) {
  Click(Item(kLegend));
  Click(Item(kCurves), Qt::RightButton);
  Click(Item(kCurves), Qt::MiddleButton);
  EXPECT_EQ(main_->TreeView()->Selected(), Item(kLegend));
  EXPECT_EQ(SettingPage(), "Legend");

  NavTree* tree = main_->TreeView();
  const QPoint below(5, tree->visualItemRect(Item(kFastStart)).bottom() + 20);
  ASSERT_EQ(tree->itemAt(below), nullptr);
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
    QTest::mouseClick(tree->viewport(), button, {}, below);
    EXPECT_EQ(tree->Selected(), Item(kLegend));
  }
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(TreeTest, SelectedIndexSurvivesASaveAndALoad) {
  Click(Item(kAxisYValues));
  main_->Options().SaveOptions(Path("nav.ini"));
  EXPECT_EQ(ProfileFile(Path("nav.ini")).ReadInteger("Environment", "TreeItem", -5), kAxisYValues);
  Click(Item(kData));
  // A fresh installation starts with the switch off; only with it on are window keys read.
  main_->Pages().Environment->CheckBoxLoadAllOptions->setChecked(true);
  main_->Options().LoadOptions(Path("nav.ini"));
  EXPECT_EQ(main_->TreeView()->Selected(), Item(kAxisYValues));
  EXPECT_EQ(SettingPage(), "Axis Y Values");
}

}  // namespace
}  // namespace kurvex::shell
