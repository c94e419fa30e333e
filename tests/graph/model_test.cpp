#include "graph/model.h"

#include <gtest/gtest.h>

#include <climits>

#include "graph/dialog_rules.h"

namespace kurvex {
namespace {

// The persisted values at start are checked in their file form by the options file tests.
TEST(StartModel, HoldsWhatNoOptionsFileShows) {
  const GraphModel m = StartModel();
  EXPECT_FALSE(m.LoadAllOptions);
  EXPECT_EQ(m.CurvesFont, (TMyFont{"MT Symbol", 2, 0, 8, false, false, false}));
  EXPECT_NE(m.Text.Text.find("incidence 70\xC2\xB0)."), std::string::npos);
  for (int n = 1; n <= kCurveCount; ++n) {
    EXPECT_EQ(m.Curve[n].SymbolText, SymbolList()[static_cast<std::size_t>(n)]) << n;
  }
  EXPECT_EQ(m.Curve[10].SymbolText, "4");
}

TEST(StartModel, ApplyingStartValuesKeepsTheLoadSwitch) {
  GraphModel m;
  m.LoadAllOptions = true;
  m.ImageWidth = 1234;
  m.Curve[4].Symbol = 40;
  ApplyStartValues(m);
  EXPECT_TRUE(m.LoadAllOptions);
  EXPECT_EQ(m.ImageWidth, 600);
  EXPECT_EQ(m.Curve[4].Symbol, 4);
  EXPECT_EQ(m.Curve[4].SymbolText, "\xC2\xA8");
}

TEST(SymbolList, HoldsSeventyOneGlyphsInChooserOrder) {
  const auto& list = SymbolList();
  ASSERT_EQ(list.size(), 71u);
  EXPECT_EQ(list[0], "\xC2\xB7");
  EXPECT_EQ(list[1], "\xC2\xB4");
  EXPECT_EQ(list[2], "\xC3\x84");
  EXPECT_EQ(list[5], "\xC2\xA9");
  EXPECT_EQ(list[6], "0");
  EXPECT_EQ(list[16], "*");
  EXPECT_EQ(list[18], "#");
  EXPECT_EQ(list[19], "A");
  EXPECT_EQ(list[44], "Z");
  EXPECT_EQ(list[45], "a");
  EXPECT_EQ(list[70], "z");
}

TEST(SymbolList, SymbolOutsideTheListGivesNoGlyph) {
  GraphModel m = StartModel();
  m.Curve[1].Symbol = -1;
  m.Curve[2].Symbol = 71;
  m.Curve[3].Symbol = 70;
  ApplySymbolTexts(m);
  EXPECT_EQ(m.Curve[1].SymbolText, "");
  EXPECT_EQ(m.Curve[2].SymbolText, "");
  EXPECT_EQ(m.Curve[3].SymbolText, "z");
}

TEST(ImageSize, AxisFollowsTheImageEdge) {
  GraphModel m = StartModel();
  SetImageWidth(m, 600);
  EXPECT_EQ(m.AxisX.Length, 500);
  SetImageWidth(m, 700);
  EXPECT_EQ(m.ImageWidth, 700);
  EXPECT_EQ(m.AxisX.Length, 600);
  SetImageHeight(m, 100);
  EXPECT_EQ(m.ImageHeight, 100);
  EXPECT_EQ(m.AxisY.Length, -120);  // stored unclamped
  EXPECT_EQ(m.AxisX.Length, 600);
}

TEST(ImageSize, ExtremeSizesFromAHandEditedFileDoNotOverflow) {
  GraphModel m = StartModel();
  m.ImageWidth = INT_MIN;
  SetImageWidth(m, INT_MAX);
  EXPECT_EQ(m.ImageWidth, INT_MAX);
  SetImageHeight(m, INT_MIN);
  EXPECT_EQ(m.ImageHeight, INT_MIN);
}

TEST(ColorDialog, ListsFifteenModelColoursWithoutF) {
  GraphModel m = StartModel();
  m.AxisY.Color = 0x123456;
  m.Curve[10].Color = -16777201;  // a system colour
  const std::vector<std::string> list = CustomColorList(m);
  ASSERT_EQ(list.size(), 15u);
  EXPECT_EQ(list[0], "ColorA=D7FFD7");
  EXPECT_EQ(list[1], "ColorB=FFFFFF");
  EXPECT_EQ(list[2], "ColorC=000000");
  EXPECT_EQ(list[4], "ColorE=123456");
  EXPECT_EQ(list[5], "ColorG=0000FF");
  EXPECT_EQ(list[6], "ColorH=FF0000");
  EXPECT_EQ(list[14], "ColorP=FF00000F");
  for (const std::string& entry : list) EXPECT_NE(entry.rfind("ColorF=", 0), 0u) << entry;
}

TEST(FontDialog, ShowsTheRecordWithoutStrikeOut) {
  const TMyFont font{"Arial", 238, 0xFF, 14, true, false, true};
  const DialogFont shown = ToDialogFont(font);
  EXPECT_EQ(shown, (DialogFont{"Arial", 238, 0xFF, 14, true, false, true, false}));
}

TEST(FontDialog, ConfirmedFontKeepsCharsetLowByteAndDropsStrikeOut) {
  const DialogFont chosen{"Courier New", 0x1EE, 0x00FF00, 9, false, true, false, true};
  EXPECT_EQ(FromDialogFont(chosen), (TMyFont{"Courier New", 238, 0x00FF00, 9, false, true, false}));
}

}  // namespace
}  // namespace kurvex
