#include "graph/data/data_block.h"

#include <gtest/gtest.h>

#include <cmath>

#include "graph/data/numeric_columns.h"

namespace kurvex {
namespace {

// Instrument exports as they come: the block finder must find the numbers, and only them.
TEST(DataBlock, FindsTheNumbersAmongHeadsTrailersAndGaps) {
  struct Case {
    const char* name;
    const char* file;
    std::size_t first;
    const char* head;
    const char* data;  // the prepared lines, joined by '\n'
  };
  const Case cases[] = {
      {"a date above decimal commas", "01.08.2024 13:31:12\r\n1,5;2,5\r\n2,5;3,5\r\n", 1,
       "01.08.2024 13:31:12", "1.5 2.5\n2.5 3.5"},
      {"a sample name that starts with a number", "600LP,,600LP1\n300 1\n400 2\n500 3\n", 1,
       "600LP,,600LP1", "300 1\n400 2\n500 3"},
      {"a count line", "  -1\n300 1\n400 2\n", 1, "  -1", "300 1\n400 2"},
      {"a rule of pluses and a trailer", "++++\n1 2\n3 4\n##END=\n*RAS_INT_END\n", 1, "++++",
       "1 2\n3 4"},
      {"empty and missing fields in commas", "x,a,b,c\n1,2,,4\n2,NaN,3,4\n3,---,1,-\n", 1,
       "x,a,b,c", "1 2 nan 4\n2 nan 3 4\n3 nan 1 nan"},
      {"an empty field between tabs", "1\t\t3\n2\t5\t6\n", 0, "", "1 nan 3\n2 5 6"},
      {"the longer of two blocks", "1 2\n3 4\nmethod\n5 6 7\n8 9 10\n11 12 13\n", 3,
       "1 2\r\n3 4\r\nmethod", "5 6 7\n8 9 10\n11 12 13"},
      {"a lone CR ends lines", "T 25\r1 2\r3 4\r", 1, "T 25", "1 2\n3 4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DataBlockSpan block = FindDataBlock(c.file);
    EXPECT_EQ(block.First, c.first);
    const PreparedData prepared = PrepareDataBlock(c.file, block);
    EXPECT_EQ(prepared.TextInDataFile, c.head);
    EXPECT_EQ(prepared.HeadLineCount, c.first);
    EXPECT_EQ(prepared.Data.Joined("\n"), c.data);
  }
  EXPECT_EQ(FindDataBlock("title\nno numbers here\n").Lines, 0u);
}

TEST(DataBlock, MissingValuesAreGapsOnlyWhereAsked) {
  const DataBlockSpan block = FindDataBlock("1,2,,4\n2,NaN,3,4\n");
  const PreparedData prepared = PrepareDataBlock("1,2,,4\n2,NaN,3,4\n", block);
  const NumericColumns gaps(prepared.Data, MissingValues::kAreGaps);
  EXPECT_FALSE(gaps.FirstBad());
  EXPECT_TRUE(std::isnan(gaps.Value(2, 0)));
  EXPECT_TRUE(std::isnan(gaps.Value(1, 1)));
  EXPECT_EQ(gaps.Value(3, 1), 4);
  const NumericColumns errors(prepared.Data);
  ASSERT_TRUE(errors.FirstBad());
  EXPECT_EQ(errors.FirstBad()->Line, 0u);
  EXPECT_EQ(errors.FirstBad()->Field, 2);
}

}  // namespace
}  // namespace kurvex
