// The building blocks: dialog helpers, captions, the log text, notebooks, spinners, browsers.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

#include "shell/browser/file_browser.h"
#include "shell/kit/captions.h"
#include "shell/kit/columns_dialog.h"
#include "shell/kit/up_down.h"
#include "shell/shell_fixture.h"
#include "shell/window/log_file.h"

namespace kurvex::shell {
namespace {

TEST(DialogHelpers, CustomColourEntriesGiveSlotAndColour) {
  auto red = ParseCustomColor("ColorA=0000FF");
  ASSERT_TRUE(red);
  EXPECT_EQ(red->Slot, 0);
  EXPECT_EQ(red->Color, 255);
  EXPECT_EQ(ParseCustomColor("ColorP=FF0000")->Slot, 15);
  EXPECT_FALSE(ParseCustomColor("ColorQ=000000"));
  EXPECT_FALSE(ParseCustomColor("ColorA=xyz"));
  EXPECT_FALSE(ParseCustomColor("Color"));
}

TEST(DialogHelpers, FilterPairsBecomeNameFilters) {
  EXPECT_EQ(NameFilters("Ini Files|*.ini|*.*|*.*"),
            (std::vector<std::string>{"Ini Files (*.ini)", "*.* (*)"}));
  EXPECT_TRUE(NameFilters("lonely").empty());
}

TEST(DialogHelpers, DefaultExtensionOnlyWhenTheNameHasNone) {
  EXPECT_EQ(WithDefaultExtension("/a/style", "ini"), "/a/style.ini");
  EXPECT_EQ(WithDefaultExtension("/a/style.cfg", "ini"), "/a/style.cfg");
  EXPECT_EQ(WithDefaultExtension("/a.b/style", "ini"), "/a.b/style.ini");
}

TEST(Captions, ActionWordsIncludeTheActionItemsAndNoPageItem) {
  const ItemCaptions c = BuiltInCaptions();
  const std::string words = ActionExclusionText(c);
  EXPECT_EQ(words, "RepaintDefaultLoadLoad otherSaveSave other");
  for (int i = 0; i < kTreeItemCount; ++i) {
    const bool action = i >= 2 && i <= 4;
    EXPECT_EQ(words.find(c.*kTreeItemCaptions[i]) != std::string::npos, action) << i;
  }
}

TEST(Captions, CreationLeavesTheLanguageOnlyCaptionsEmpty) {
  ItemCaptions c;
  SetDefaultCaptions(c);
  EXPECT_EQ(c.Graph, "Graph");
  EXPECT_EQ(c.SaveDialogTitle, "Save environment options");
  EXPECT_TRUE(c.AxisTitle.empty());
  EXPECT_TRUE(c.Text.empty());
  EXPECT_TRUE(c.CursorPosition.empty());
}

TEST(LogText, LinesKeepTheirOrderAndGainCrLfOnDisk) {
  EXPECT_EQ(AppendLogLine("Log is off", ""), "Log is off\n\n");
  EXPECT_EQ(AppendLogLine("a\n", ""), "a\n\n");
  EXPECT_EQ(AppendLogLine("", ""), "\n");
  EXPECT_EQ(LogFileText("Log is off\n\n"), "Log is off\r\n\r\n");
  EXPECT_EQ(LogFileText("a\nb"), "a\r\nb\r\n");
  EXPECT_EQ(LogFileText(""), "");
}

TEST(LogText, UnreadableLogGivesNothing) {
  EXPECT_FALSE(ReadLogText("/no/such/Kurvex.log"));
}

TEST(NotebookPages, ChosenByNameIgnoringCase) {
  Notebook book("Book");
  book.AddPage("Graph Title");
  book.AddPage("Data");
  book.ShowPage("data");
  EXPECT_EQ(book.ActivePage(), "Data");
  book.ShowPage("no such page");
  EXPECT_EQ(book.ActivePage(), "Data");
  book.ShowPage("GRAPH TITLE");
  EXPECT_EQ(book.ActivePage(), "Graph Title");
}

TEST(Spinner, WritesItsPositionAndFollowsValidText) {
  QLineEdit edit;
  UpDown upDown("UpDownX", &edit, 100, 2000, 100, 550);
  QSignalSpy changed(&edit, &QLineEdit::textChanged);
  EXPECT_EQ(edit.text(), "550");
  upDown.Step(1);
  EXPECT_EQ(edit.text(), "650");
  edit.setText("1990");
  EXPECT_EQ(upDown.Position(), 1990);
  upDown.Step(1);
  EXPECT_EQ(upDown.Position(), 2000);
  upDown.Step(1);  // at the end: no change, no handler
  edit.setText("5000");
  EXPECT_EQ(upDown.Position(), 2000);
  upDown.SetPosition(50);
  EXPECT_EQ(edit.text(), "100");
  EXPECT_EQ(changed.count(), 5);
}

class BrowserTest : public ShellTest {};

TEST_F(BrowserTest, FileListTellsTheEditTheFileOrItsMask) {
  Write("d/b.xy", "1 2\n");
  Write("d/a.XY", "1 2\n");
  Write("d/c.txt", "1 2\n");
  Write("d/sub/x.xy", "1 2\n");
  SetBrowserCurrentDirectory(QString::fromStdString(appDir_));
  FileBrowser browser({"T", "LF", "E", "LP", "LD", "D", "S", "F", "B", "LK", "K", "LT", "FT"},
                      "*.xy", {{"*.xy", "*.xy"}, {"All files (*.*)", "*.*"}});
  browser.SetDirectory("d");
  EXPECT_EQ(browser.Directory().toStdString(), appDir_ + "d");
  FileList* files = browser.Files();
  ASSERT_EQ(files->count(), 2);
  EXPECT_EQ(files->item(0)->text(), "a.XY");
  EXPECT_EQ(browser.Edit()->text(), "*.xy");
  files->setCurrentRow(1);
  EXPECT_EQ(browser.Edit()->text(), "b.xy");
  EXPECT_EQ(files->SelectedPath().toStdString(), appDir_ + "d/b.xy");

  emit browser.Filter()->activated(1);
  EXPECT_EQ(files->count(), 3);
  EXPECT_EQ(browser.Edit()->text(), "*.*");
  EXPECT_EQ(files->SelectedPath(), "");

  // Relative paths continue from the directory chosen last.
  browser.SetDirectory("sub");
  EXPECT_EQ(browser.Directory().toStdString(), appDir_ + "d/sub");
  EXPECT_EQ(browser.DirLabel()->Path().toStdString(), appDir_ + "d/sub");
}

TEST_F(BrowserTest, MissingDirectoryIsAnErrorThatChangesNothing) {
  DirectoryList list("L");
  list.SetDirectory(QString::fromStdString(appDir_));
  EXPECT_THROW(list.SetDirectory(QString::fromStdString(appDir_ + "none")), Error);
  EXPECT_EQ(list.Directory().toStdString() + "/", appDir_);
}

// The columns dialog as a user meets it: read out by its captions, x from a list, the curves
// checked, an eleventh curve refused and no OK without a curve.
TEST(ColumnsDialog, ChoosesXAndUpToTenCurvesByName) {
  std::vector<std::string> names{"Pixel", "Raman Shift", "Raw", "Processed"};
  for (int i = 1; i <= 9; ++i) names.push_back("Scan " + std::to_string(i));
  ColumnsDialog dialog({"Columns of r.csv", "x column", "y columns", names, 1, {3}});
  EXPECT_EQ(dialog.XColumn()->accessibleName(), "x column");
  EXPECT_EQ(dialog.YColumns()->accessibleName(), "y columns");
  EXPECT_EQ(dialog.XColumn()->currentText(), "Raman Shift");
  EXPECT_EQ(dialog.Answer(), (ColumnsAnswer{1, {3}}));
  QPushButton* ok = dialog.Buttons()->button(QDialogButtonBox::Ok);
  dialog.YColumns()->item(3)->setCheckState(Qt::Unchecked);
  EXPECT_FALSE(ok->isEnabled());
  for (int i = 2; i < dialog.YColumns()->count(); ++i) {
    dialog.YColumns()->item(i)->setCheckState(Qt::Checked);
  }
  EXPECT_TRUE(ok->isEnabled());
  EXPECT_EQ(dialog.Answer().Y.size(), ColumnsDialog::kMaxCurves);
  EXPECT_EQ(dialog.YColumns()->item(12)->checkState(), Qt::Unchecked);
  dialog.XColumn()->setCurrentIndex(0);
  EXPECT_EQ(dialog.Answer().X, 0u);
}

}  // namespace
}  // namespace kurvex::shell
