#include "graph/data/data_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "common/error.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "graph/layout.h"
#include "support/expect_message.h"

namespace kurvex {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> LinesOf(const DataText& data) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < data.LineCount(); ++i) lines.emplace_back(data.Line(i));
  return lines;
}

std::vector<std::string> Prepared(const std::string& fileText) {
  return LinesOf(PrepareDataText(fileText).Data);
}

TEST(DataText, AcceptsEveryLineEndAndIgnoresAFinalOne) {
  EXPECT_THAT(LinesOf(DataText("a\r\nb\nc\rd")), ElementsAre("a", "b", "c", "d"));
  EXPECT_THAT(LinesOf(DataText("a\r\n")), ElementsAre("a"));
  EXPECT_THAT(LinesOf(DataText("a\n\n\nb\r\r\n")), ElementsAre("a", "", "", "b", ""));
  EXPECT_THAT(LinesOf(DataText("\n")), ElementsAre(""));
  EXPECT_TRUE(DataText("").Empty());
  EXPECT_EQ(DataText("a\r\nb\n").Joined(), "a\r\nb");
  EXPECT_EQ(DataText("a\nb").Joined("|"), "a|b");
  EXPECT_EQ(DataText("a").Line(5), "");
}

TEST(DataText, NormalizedBufferWithoutFinalBreakKeepsItsLastLine) {
  EXPECT_THAT(LinesOf(DataText::FromNormalized("1 2\n3 4")), ElementsAre("1 2", "3 4"));
  EXPECT_THAT(LinesOf(DataText::FromNormalized("1 2\n\n")), ElementsAre("1 2", ""));
}

TEST(PrepareDataText, CollectsHeadLinesExactlyAsRead) {
  const PreparedData p = PrepareDataText("Sample A\r\n  angle 70\r\n300 1 2\r\n301 1 2\r\n");
  EXPECT_EQ(p.TextInDataFile, "Sample A\r\n  angle 70");
  EXPECT_THAT(LinesOf(p.Data), ElementsAre("300 1 2", "301 1 2"));
}

TEST(PrepareDataText, NumberLineTestSkipsBlanksButNotTabs) {
  PreparedData p = PrepareDataText(" 300 1 2\n");
  EXPECT_EQ(p.TextInDataFile, "");
  EXPECT_THAT(LinesOf(p.Data), ElementsAre("300 1 2"));

  p = PrepareDataText("\t300 1 2\n301 1 2\n");
  EXPECT_EQ(p.TextInDataFile, "\t300 1 2");
  EXPECT_THAT(LinesOf(p.Data), ElementsAre("301 1 2"));

  for (const char* start : {"-1", "+1", ".5", ",5", "9"}) {
    EXPECT_EQ(PrepareDataText(std::string(start) + " 2").TextInDataFile, "") << start;
  }
}

TEST(PrepareDataText, BlankLinesBeforeTheNumbersAreHeadLinesAfterThemData) {
  const PreparedData p = PrepareDataText("Run 7\n\n   \n1 2\n\n3 4\nnote\n");
  EXPECT_EQ(p.TextInDataFile, "Run 7\r\n\r\n   ");
  EXPECT_THAT(LinesOf(p.Data), ElementsAre("1 2", "", "3 4", "note"));
}

TEST(PrepareDataText, TrailingBlankLinesAreNoData) {
  EXPECT_THAT(Prepared("1 2\r\n\r\n"), ElementsAre("1 2"));
  EXPECT_THAT(Prepared("1 2\n  \n"), ElementsAre("1 2"));
  EXPECT_THAT(Prepared("1 2\n\n\n"), ElementsAre("1 2"));
  EXPECT_THAT(Prepared("1 2\n\n "), ElementsAre("1 2"));
  EXPECT_THAT(Prepared("1 2\r\n\t\r\n \t \r\n\r\n\r\n"), ElementsAre("1 2"));
  EXPECT_THAT(Prepared("1 2\r\r\r"), ElementsAre("1 2"));
  // Blank lines inside the data stay, and so does a trailing blank of the last data line,
  // which decides that its comma is a decimal comma.
  EXPECT_THAT(Prepared("1 2\n\n3 4\n\n"), ElementsAre("1 2", "", "3 4"));
  EXPECT_THAT(Prepared("1,5 \n\t\n"), ElementsAre("1.5 "));
  // A file of blank lines only is all head.
  EXPECT_EQ(PrepareDataText("\n \n\t\n").TextInDataFile, "\r\n \r\n\t");
}

TEST(PrepareDataText, CountsTheHeadLinesForLineNumbers) {
  EXPECT_EQ(PrepareDataText("1 2\n").HeadLineCount, 0u);
  EXPECT_EQ(PrepareDataText("Run 7\r\n\r\n  angle\r\n1 2\r\n").HeadLineCount, 3u);
  EXPECT_EQ(PrepareDataText("a\rb\r").HeadLineCount, 2u);
}

// Mostly-head files are joined inside their own buffer; every line end must come out as CR LF.
TEST(PrepareDataText, HeadLinesJoinWithCrLfWhateverTheirLineEnds) {
  struct Case {
    const char* file;
    const char* head;
    std::vector<std::string> data;
  };
  for (const Case& c : {
           Case{"a\rb\n\nc\r\n1 2\n", "a\r\nb\r\n\r\nc", {"1 2"}},
           Case{"long title line\r\n\r\n", "long title line\r\n", {}},
           Case{"x\ny", "x\r\ny", {}},
           Case{"x\r", "x", {}},
           Case{"\n\n\r\r\n", "\r\n\r\n\r\n", {}},
           Case{"head\n1 2\n3 4\n5 6\n", "head", {"1 2", "3 4", "5 6"}},
           Case{"h1\rh2\r1,5;2\r", "h1\r\nh2", {"1.5 2"}},
       }) {
    const PreparedData p = PrepareDataText(c.file);
    EXPECT_EQ(p.TextInDataFile, c.head) << testing::PrintToString(c.file);
    EXPECT_EQ(LinesOf(p.Data), c.data) << testing::PrintToString(c.file);
  }
}

TEST(PrepareDataText, FileOfHeadLinesOnlyLeavesNoData) {
  const PreparedData p = PrepareDataText("title\r\nunits\r\n");
  EXPECT_EQ(p.TextInDataFile, "title\r\nunits");
  EXPECT_TRUE(p.Data.Empty());

  const PreparedData empty = PrepareDataText("");
  EXPECT_EQ(empty.TextInDataFile, "");
  EXPECT_TRUE(empty.Data.Empty());
}

struct SeparatorCase {
  const char* file;
  std::vector<std::string> lines;
};

TEST(PrepareDataText, NormalizesSeparatorsDecidedOnceForTheWholeData) {
  const SeparatorCase cases[] = {
      {"300,5;0,93", {"300.5 0.93"}},
      {"300.5, 0.93", {"300.5 0.93"}},
      {"300.5|0.93|-0.17", {"300.5 0.93 -0.17"}},
      {"300\t0.93", {"300 0.93"}},
      {"300,0,93", {"300,0,93"}},  // no hint which comma separates: left to fail later
      {"1.5,2.5\n1.5,2.5", {"1.5 2.5", "1.5 2.5"}},
      {"1,5;2,5", {"1.5 2.5"}},
      {"1,5 2,5\n1,5 2,5", {"1.5 2.5", "1.5 2.5"}},
      {"1,5 2,5\n3.0 4.0\n1,5 2,5", {"1 5 2 5", "3.0 4.0", "1 5 2 5"}},
      {"  1,5\n  2,5", {"1,5", "2,5"}},  // leading blanks go before the decision
      {"1,5  \n2,5", {"1.5 ", "2.5"}},   // a trailing blank does count
      {"1   2\t\t3 ;| 4", {"1 2 3 4"}},
      {"300\t 1\n\t2 3", {"300 1", " 2 3"}},  // only blanks count as leading blanks
      {"1 2\r\n3 4\r5 6\n", {"1 2", "3 4", "5 6"}},
  };
  for (const SeparatorCase& c : cases) {
    EXPECT_EQ(Prepared(c.file), c.lines) << c.file;
  }
}

// The preparation step by step on a list of lines, as slow and plain as it can be.
PreparedData ReferencePreparation(const std::string& fileText) {
  std::vector<std::string> lines = SplitLines(fileText);
  const auto isNumberLine = [](const std::string& line) {
    const std::size_t first = line.find_first_not_of(' ');
    return first != std::string::npos &&
           std::string("0123456789.,+-").find(line[first]) != std::string::npos;
  };
  std::string head;
  std::size_t first = 0;
  for (; first < lines.size() && !isNumberLine(lines[first]); ++first) {
    head += (first > 0 ? "\r\n" : "") + lines[first];
  }
  std::size_t end = lines.size();
  while (end > first && lines[end - 1].find_first_not_of(" \t") == std::string::npos) --end;
  std::string text;
  for (std::size_t i = first; i < end; ++i) {
    const std::size_t start = lines[i].find_first_not_of(' ');
    text += (i > first ? "\r\n" : "") + (start == std::string::npos ? "" : lines[i].substr(start));
  }
  if (text.find(',') != std::string::npos) {
    if (text.find('.') != std::string::npos) {
      text = ReplaceAll(text, ",", " ");
    } else if (text.find_first_of(" ;|\t") != std::string::npos) {
      text = ReplaceAll(text, ",", ".");
    }
  }
  for (const char* separator : {";", "|", "\t"}) text = ReplaceAll(text, separator, " ");
  while (text.find("  ") != std::string::npos) text = ReplaceAll(text, "  ", " ");
  return {DataText(text), head};
}

TEST(PrepareDataText, AgreesWithTheStepByStepPreparationOnRandomFiles) {
  // Long runs of plain characters reach the block-wise fast path, the rest the byte-wise one.
  const std::string pieces[] = {"1",  "23.5",   ",",   " ",    "  ",
                                ";",  "|",      "\t",  "\r\n", "\n",
                                "\r", "-0.125", "4,5", "x",    "0123456789.0123456789"};
  std::mt19937 random(2024);
  for (int round = 0; round < 20000; ++round) {
    std::string file;
    const int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) file += pieces[random() % std::size(pieces)];
    const PreparedData expected = ReferencePreparation(file);
    const PreparedData actual = PrepareDataText(file);
    ASSERT_EQ(actual.TextInDataFile, expected.TextInDataFile) << testing::PrintToString(file);
    ASSERT_EQ(LinesOf(actual.Data), LinesOf(expected.Data)) << testing::PrintToString(file);
  }
}

TEST(PrepareDataText, PointInTheHeadDoesNotDecideTheCommas) {
  const PreparedData p = PrepareDataText("Temp. 25,3 C\n1,5 2,5\n");
  EXPECT_EQ(p.TextInDataFile, "Temp. 25,3 C");
  EXPECT_THAT(LinesOf(p.Data), ElementsAre("1.5 2.5"));
}

TEST(PrepareDataText, SurvivesBinaryGarbageAndNulBytes) {
  std::mt19937 random(7);
  std::string garbage(1 << 16, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  garbage.insert(0, std::string("1\0 2\n", 5));
  const PreparedData p = PrepareDataText(garbage);
  ASSERT_FALSE(p.Data.Empty());
  EXPECT_EQ(p.Data.Line(0), std::string_view("1\0 2", 4));
  for (std::size_t i = 0; i < p.Data.LineCount(); ++i) {
    const std::string_view line = p.Data.Line(i);
    EXPECT_EQ(line.find('\n'), std::string_view::npos);
    EXPECT_EQ(line.find('\r'), std::string_view::npos);
    EXPECT_EQ(line.find("  "), std::string_view::npos);
  }
  EXPECT_THROW_MESSAGE(CountCurves(p.Data), Error, "'1?' is not a valid floating point value");
}

TEST(PrepareDataText, HandlesATenMegabyteSingleLine) {
  std::string line;
  line.reserve(10'000'000);
  while (line.size() < 10'000'000) line += "1.25\t";
  const PreparedData p = PrepareDataText(line);
  ASSERT_EQ(p.Data.LineCount(), 1u);
  EXPECT_EQ(p.Data.Line(0).size(), line.size());
  EXPECT_EQ(p.Data.Line(0).substr(0, 10), "1.25 1.25 ");
  EXPECT_EQ(CountCurves(p.Data), 10);
}

TEST(CountCurves, CountsTheYFieldsOfTheFirstLineUpToTen) {
  std::string twelve = "300";
  for (int i = 0; i < 12; ++i) twelve += " 0." + std::to_string(i);
  EXPECT_EQ(CountCurves(DataText(twelve + "\nx")), 10);
  EXPECT_EQ(CountCurves(DataText("300")), 0);
  EXPECT_EQ(CountCurves(DataText("300 ")), 0);
  EXPECT_EQ(CountCurves(DataText("300 1 2 \n")), 2);
  EXPECT_EQ(CountCurves(DataText(BuiltInSampleText())), 2);
}

TEST(CountCurves, FieldThatDoesNotConvertRaisesTheConversionError) {
  const auto messageOf = [](const std::string& text) {
    try {
      CountCurves(DataText(text));
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(messageOf("300,0,93"), "'300,0,93' is not a valid floating point value");
  EXPECT_EQ(messageOf("300 1 x"), "'x' is not a valid floating point value");
  EXPECT_EQ(messageOf(""), "'' is not a valid floating point value");
  EXPECT_EQ(messageOf("300  1"), "'' is not a valid floating point value");
}

TEST(BuiltInSample, IsSevenHundredOneSmoothRowsWithinTheDefaultAxes) {
  const DataText sample(BuiltInSampleText());
  ASSERT_EQ(sample.LineCount(), 701u);
  EXPECT_EQ(sample.Line(0), "300.00000 0.93185 -0.16795");
  EXPECT_EQ(sample.Line(700), "1000.00000 0.39542 -0.03970");
  double previous[2] = {0.93185, -0.16795};
  for (std::size_t i = 0; i < sample.LineCount(); ++i) {
    std::string_view rest = sample.Line(i);
    ASSERT_EQ(ConvertField(NextField(rest)), 300.0 + static_cast<double>(i));
    for (double& last : previous) {
      const double y = ConvertField(NextField(rest));
      EXPECT_GE(y, -1.0);
      EXPECT_LE(y, 3.0);
      EXPECT_LT(std::fabs(y - last), 0.02) << "line " << i;
      last = y;
    }
    EXPECT_EQ(rest, "");
  }
  EXPECT_EQ(PrepareDataText(BuiltInSampleText()).Data.Joined("\n") + "\n", BuiltInSampleText());
}

}  // namespace
}  // namespace kurvex
