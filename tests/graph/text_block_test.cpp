#include "graph/text_block.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "graph/data/data_text.h"
#include "graph/layout.h"

namespace kurvex {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Ten pixels a byte: easy widths to reason about.
int Width10(std::string_view text) {
  return static_cast<int>(text.size()) * 10;
}

std::vector<std::string> Expand(const std::string& text, int width = 1000) {
  return ExpandGraphText(text, "s1.txt", "Run 7", width, Width10);
}

TEST(ExpandGraphText, ReplacesPlaceholdersAndSplitsAtLineBreaks) {
  const PreparedData p = PrepareDataText("Run 7\n1 2\n");
  EXPECT_THAT(
      ExpandGraphText("{DataFile}: {TextInDataFile}", "s1.txt", p.TextInDataFile, 500, Width10),
      ElementsAre("s1.txt: Run 7"));
  EXPECT_THAT(Expand("a\r\n\r\nb\r\n"), ElementsAre("a", "", "b"));
  EXPECT_THAT(Expand("{DataFile}\r\n"), ElementsAre("s1.txt"));
  EXPECT_THAT(Expand(""), IsEmpty());
  EXPECT_THAT(ExpandGraphText("x{TextInDataFile}", "f", "h1\r\nh2", 500, Width10),
              ElementsAre("xh1", "h2"));
}

TEST(ExpandGraphText, InsertedTextIsNeverScannedForPlaceholders) {
  EXPECT_THAT(ExpandGraphText("{DataFile}: {TextInDataFile}", "{TextInDataFile}.txt", "{DataFile}",
                              1000, Width10),
              ElementsAre("{TextInDataFile}.txt: {DataFile}"));
  // An empty file name joins the text around it into what looks like a placeholder.
  EXPECT_THAT(ExpandGraphText("{TextIn{DataFile}DataFile}", "", "Run 7", 1000, Width10),
              ElementsAre("{TextInDataFile}"));
  EXPECT_THAT(Expand("{{DataFile}} {DataFile {TextInDataFile"),
              ElementsAre("{s1.txt} {DataFile {TextInDataFile"));
}

TEST(ExpandGraphText, WrapsAtBlanksLikeAMultiLineEdit) {
  EXPECT_THAT(Expand("aaa bbb ccc", 70), ElementsAre("aaa bbb", "ccc"));
  EXPECT_THAT(Expand("aaa    bbb", 60), ElementsAre("aaa", "bbb"));
  EXPECT_THAT(Expand("  aaa bbb", 60), ElementsAre("  aaa", "bbb"));
  EXPECT_THAT(Expand("aaa bbb  ", 70), ElementsAre("aaa bbb"));
  EXPECT_THAT(Expand("aaa bbb  ", 1000), ElementsAre("aaa bbb  "));
  EXPECT_THAT(Expand("abcdefgh xy", 30), ElementsAre("abc", "def", "gh", "xy"));
  EXPECT_THAT(Expand("abc", 1), ElementsAre("a", "b", "c"));
  EXPECT_THAT(Expand("        ", 30), ElementsAre("   "));
  EXPECT_THAT(Expand(std::string(50, ' ') + "ab" + std::string(50, ' ') + "c", 1),
              ElementsAre(" ", "a", "b", "c"));
}

// A tab would show as a missing-glyph box.
TEST(ExpandGraphText, TabIsOneBlank) {
  EXPECT_THAT(ExpandGraphText("{TextInDataFile}", "", "T\t25 C\r\n\tx", 1000, Width10),
              ElementsAre("T 25 C", " x"));
  EXPECT_THAT(Expand("aaa\tbbb", 60), ElementsAre("aaa", "bbb"));
}

// Only the lines that can show are made, and they are the lines the whole text would give:
// long runs of blanks, a line without breaks and many short lines alike.
TEST(ExpandGraphText, FirstLinesAreTheSameWithoutTheRest) {
  std::string head;
  for (int i = 0; i < 2000; ++i) {
    head += "word" + std::to_string(i) + (i % 7 == 0 ? std::string(5000, ' ') : " ");
    if (i % 300 == 299) head += i % 600 == 599 ? "\r\n\r\n" : "\t\r\n";
  }
  head += std::string(100000, 'z');
  for (const int width : {1, 95, 600}) {
    const std::vector<std::string> all =
        ExpandGraphText("A {TextInDataFile}", "", head, width, Width10);
    for (const std::size_t limit : {std::size_t{0}, std::size_t{1}, std::size_t{17}, all.size()}) {
      const std::vector<std::string> first =
          ExpandGraphText("A {TextInDataFile}", "", head, width, Width10, limit);
      ASSERT_EQ(first.size(), std::min(limit, all.size())) << width;
      EXPECT_TRUE(std::equal(first.begin(), first.end(), all.begin())) << width << " " << limit;
    }
  }
}

TEST(ExpandGraphText, AHugeHeadCostsOnlyWhatCanShow) {
  std::string head(50'000'000, 'x');
  for (std::size_t i = 0; i < head.size(); i += 61) head[i] = ' ';
  std::size_t measured = 0;
  const auto measure = [&](std::string_view text) {
    measured += text.size();
    return static_cast<int>(text.size()) * 7;
  };
  const std::vector<std::string> lines =
      ExpandGraphText("{TextInDataFile}", "", head, 592, measure, 120);
  EXPECT_EQ(lines.size(), 120u);
  EXPECT_LT(measured, 20'000'000u);
}

TEST(TextBlockLinesShown, CountsTheLinesStartingAboveTheSurfaceBottom) {
  EXPECT_EQ(TextBlockLinesShown(0, 11, 2000), 200u);  // rows 0, 10, ..., 1990
  EXPECT_EQ(TextBlockLinesShown(1990, 11, 2000), 1u);
  EXPECT_EQ(TextBlockLinesShown(2000, 11, 2000), 0u);
  EXPECT_EQ(TextBlockLinesShown(-100, 11, 2000), 210u);  // the first ten are above it
  EXPECT_EQ(TextBlockLinesShown(-2147483647, 2, 2000), kMaxTextBlockLines);
  EXPECT_EQ(TextBlockLinesShown(0, 1, 2000), kMaxTextBlockLines);
}

TEST(ExpandGraphText, NeverBreaksInsideACharacter) {
  const auto perCharacter = [](std::string_view text) {
    int chars = 0;
    for (const char c : text) chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return chars * 10;
  };
  EXPECT_THAT(ExpandGraphText("\xC2\xB0\xC2\xB0\xE2\x82\xAC", "", "", 20, perCharacter),
              ElementsAre("\xC2\xB0\xC2\xB0", "\xE2\x82\xAC"));
  EXPECT_THAT(ExpandGraphText("\xE2\x82\xAC\xE2\x82\xAC", "", "", 1, perCharacter),
              ElementsAre("\xE2\x82\xAC", "\xE2\x82\xAC"));
}

TEST(ExpandGraphText, LongHeadTextWrapsInLinearTime) {
  std::string head(1'000'000, 'x');
  for (std::size_t i = 0; i < head.size(); i += 97) head[i] = ' ';
  head += std::string(1'000'000, 'y');
  // Measuring costs time in proportion to the text, as with real fonts.
  const auto measure = [](std::string_view text) {
    int width = 0;
    for (const char c : text) width += c == ' ' ? 4 : 10;
    return width;
  };
  const std::vector<std::string> lines =
      ExpandGraphText("{TextInDataFile}", "", head, 592, measure);
  EXPECT_GT(lines.size(), 30'000u);
  for (const std::string& line : lines) ASSERT_LE(measure(line), 592);
}

TEST(TextBlockWrapWidth, LeavesRoomForTheFrameAndNeverDropsBelowOne) {
  EXPECT_EQ(TextBlockWrapWidth(600), 592);
  EXPECT_EQ(TextBlockWrapWidth(9), 1);
  EXPECT_EQ(TextBlockWrapWidth(0), 1);
  EXPECT_EQ(TextBlockWrapWidth(-2147483647 - 1), 1);
}

}  // namespace
}  // namespace kurvex
