#include "common/text_utils.h"

#include <gtest/gtest.h>

#include "common/utf8.h"

namespace kurvex {
namespace {

TEST(AddBackslash, AppendsOneSeparatorOnlyWhenMissing) {
  EXPECT_EQ(AddBackslash("/opt/kurvex"), "/opt/kurvex/");
  EXPECT_EQ(AddBackslash("/opt/kurvex/"), "/opt/kurvex/");
  EXPECT_EQ(AddBackslash(""), "/");
}

TEST(SplitAt, WalksFieldsSeparatedByRunsOfBlanks) {
  std::string rest = "1.5  2";
  std::string head;
  SplitAt(" ", rest, head);
  EXPECT_EQ(head, "1.5");
  EXPECT_EQ(rest, " 2");
  SplitAt(" ", rest, head);
  EXPECT_EQ(head, "");
  EXPECT_EQ(rest, "2");
  SplitAt(" ", rest, head);
  EXPECT_EQ(head, "2");
  EXPECT_EQ(rest, "");
}

TEST(SplitAt, ViewOverloadCutsAtMultiCharacterDelimiters) {
  std::string_view rest = "a\r\nb\r\n";
  EXPECT_EQ(SplitAt("\r\n", rest), "a");
  EXPECT_EQ(SplitAt("\r\n", rest), "b");
  EXPECT_TRUE(rest.empty());
  rest = "no delimiter";
  EXPECT_EQ(SplitAt(";", rest), "no delimiter");
  EXPECT_TRUE(rest.empty());
}

// Callers loop until the rest is empty; an empty delimiter must not stall them.
TEST(SplitAt, EmptyDelimiterFindsNothing) {
  std::string rest = "a b";
  std::string head;
  SplitAt("", rest, head);
  EXPECT_EQ(head, "a b");
  EXPECT_EQ(rest, "");
  std::string_view view = "a b";
  EXPECT_EQ(SplitAt("", view), "a b");
  EXPECT_TRUE(view.empty());
}

TEST(ReplaceAll, ScansLeftToRightWithoutRescanningReplacements) {
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceAll("a.ini.ini", ".ini", ""), "a");
  EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(ReplaceAll("A\r\nB\r\n", "\r\n", "|"), "A|B|");
  EXPECT_EQ(ReplaceAll("text", "", "x"), "text");
  EXPECT_EQ(ReplaceAll("", "a", "b"), "");
}

TEST(FoldUpperCase, FoldsAccentsOnlyForCzechAndSlovak) {
  EXPECT_EQ(FoldUpperCase(1051, "Žltý kôň"), "ZLTY KON");
  EXPECT_EQ(FoldUpperCase(1029, "Žltý kôň"), "ZLTY KON");
  EXPECT_EQ(FoldUpperCase(1033, "Žltý kôň"), "ŽLTý Kôň");
  EXPECT_EQ(FoldUpperCase(1051, ""), "");
}

TEST(FoldUpperCase, FoldsEveryLetterOfTheAccentTable) {
  const std::string accented = "ÁÄáäČčĎďÉĚéěÍíĽĹľĺŇňÓÔÖóôöŔŘŕřŠšŤťŮÚÜůúüÝýŽž";
  ASSERT_EQ(Utf8Length(accented), 44u);
  EXPECT_EQ(FoldUpperCase(1051, accented), "AAAACCDDEEEEIILLLLNNOOOOOORRRRSSTTUUUUUUYYZZ");
  // Letters outside the table keep their form: ß, ł, the Hungarian ő.
  EXPECT_EQ(FoldUpperCase(1051, "ßłő"), "ßłő");
}

TEST(FoldUpperCase, KeepsTheCharacterCountOfBrokenText) {
  const std::string broken = "a\xC3(b\xFF\xE2\x82";
  const std::string folded = FoldUpperCase(1051, broken);
  EXPECT_EQ(Utf8Length(folded), Utf8Length(broken));
  EXPECT_EQ(folded, "A\xC3(B\xFF\xE2\x82");
}

class FakeTextBox : public TextBox {
 public:
  explicit FakeTextBox(std::string text) : text_(std::move(text)) {}
  std::string Text() const override { return text_; }
  int SelStart() const override { return start_; }
  int SelLength() const override { return length_; }
  void SetSelection(int start, int length) override {
    start_ = start;
    length_ = length;
  }

 private:
  std::string text_;
  int start_ = 0;
  int length_ = 0;
};

TEST(FindInRichEdit, StepsThroughMatchesAndWrapsOneCallAfterTheLast) {
  FakeTextBox box("Kôň a KON");
  EXPECT_TRUE(FindInRichEdit(box, "kon"));
  EXPECT_EQ(box.SelStart(), 0);
  EXPECT_EQ(box.SelLength(), 3);
  EXPECT_TRUE(FindInRichEdit(box, "kon"));
  EXPECT_EQ(box.SelStart(), 6);
  EXPECT_EQ(box.SelLength(), 3);
  EXPECT_FALSE(FindInRichEdit(box, "kon"));
  EXPECT_EQ(box.SelStart(), 0);
  EXPECT_EQ(box.SelLength(), 0);
  EXPECT_TRUE(FindInRichEdit(box, "kon"));
  EXPECT_EQ(box.SelStart(), 0);
}

TEST(FindInRichEdit, CountsCharactersNotBytes) {
  FakeTextBox box("ŽŽŽ\nčaj a ČAJ");
  EXPECT_TRUE(FindInRichEdit(box, "CAJ"));
  EXPECT_EQ(box.SelStart(), 4);
  EXPECT_TRUE(FindInRichEdit(box, "čaj"));
  EXPECT_EQ(box.SelStart(), 10);
  EXPECT_EQ(box.SelLength(), 3);
}

TEST(FindInRichEdit, EmptyNeedleAndSelectionBeyondTheText) {
  FakeTextBox box("abc");
  box.SetSelection(1, 1);
  EXPECT_TRUE(FindInRichEdit(box, ""));
  EXPECT_EQ(box.SelStart(), 1);
  EXPECT_EQ(box.SelLength(), 1);
  box.SetSelection(50, 7);
  EXPECT_FALSE(FindInRichEdit(box, "a"));
  EXPECT_EQ(box.SelStart(), 0);
}

}  // namespace
}  // namespace kurvex
