// An installed copy: resources in a read-only share folder, the user's files elsewhere.
#include "shell/browser/data_page.h"
#include "shell/browser/file_browser.h"
#include "shell/browser/loadini_page.h"
#include "shell/graph_window/graph_window.h"
#include "shell/shell_fixture.h"

namespace kurvex::shell {
namespace {

class InstalledLayoutTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    SetApplicationLayout({Path("share"), Path("config"), Path("data"), true});
    Write("share/Data/si.xy", "300 0.5 0.1\n1000 0.7 0.2\n");
    Write("share/Setting/Points.ini", "[Title]\nText=Example\n");
    Write("data/Setting/Mine.ini", "[Title]\nText=Mine\n");
    Write("config/Kurvex.ini", "[Data]\nDataFile=si.xy\n[Title]\nText=Saved\n");
  }
};

TEST_F(InstalledLayoutTest, OptionsStylesAndDataComeFromTheirOwnFolders) {
  Start();
  EXPECT_EQ(Model().Title.Text, "Saved");
  // The default data folder "Data" is the installed one.
  EXPECT_EQ(main_->Pages().Data->Browser->Directory().toStdString(), Path("share/Data"));
  EXPECT_EQ(graph_->EditDataFile()->text(), "si.xy");

  Click(Item(3));  // Load other
  EXPECT_EQ(main_->Pages().LoadIni->Browser->Directory().toStdString(), Path("data/Setting"));
  EXPECT_EQ(main_->Pages().LoadIni->Browser->Files()->count(), 1);
  Click(Item(4));  // Save other
  ASSERT_EQ(dialogs_.SaveRequests.size(), 1u);
  EXPECT_EQ(dialogs_.SaveRequests[0].InitialDir, Path("data/Setting"));

  main_->close();
  EXPECT_TRUE(dialogs_.Errors.empty());
  EXPECT_NE(Read("config/Kurvex.ini").find("[AxisX]"), std::string::npos);
  EXPECT_EQ(Read("config/Kurvex.log"), "Log is off\r\n\r\n");
  EXPECT_FALSE(Exists("share/Kurvex.ini") || Exists("share/Kurvex.log") || Exists("Kurvex.ini"));
}

}  // namespace
}  // namespace kurvex::shell
