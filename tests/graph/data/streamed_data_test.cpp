#include "graph/data/streamed_data.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

#include "common/text_file.h"
#include "graph/data/data_error.h"

namespace kurvex {
namespace {

// The bytes handed over in pieces of `step` bytes, as short reads would.
ByteSource InPieces(const std::string& bytes, std::size_t step) {
  return [bytes, step](const std::function<void(std::string_view)>& take) {
    for (std::size_t at = 0; at < bytes.size(); at += step) {
      take(std::string_view(bytes).substr(at, step));
    }
    return true;
  };
}

void ExpectSameNumbers(const NumericColumns& a, const NumericColumns& b) {
  ASSERT_EQ(a.LineCount(), b.LineCount());
  ASSERT_EQ(a.ConvertedLines(), b.ConvertedLines());
  ASSERT_EQ(a.CurveCount(), b.CurveCount());
  ASSERT_EQ(a.FirstBad().has_value(), b.FirstBad().has_value());
  if (a.FirstBad()) {
    EXPECT_EQ(a.FirstBad()->Line, b.FirstBad()->Line);
    EXPECT_EQ(a.FirstBad()->Field, b.FirstBad()->Field);
    EXPECT_EQ(a.FirstBad()->Text, b.FirstBad()->Text);
  }
  const std::size_t lines = a.FirstBad() ? a.FirstBad()->Line : a.ConvertedLines();
  for (std::size_t r = 0; r < lines; ++r) {
    for (int f = 0; f <= a.CurveCount(); ++f) EXPECT_EQ(a.Value(f, r), b.Value(f, r));
  }
}

// A file read in pieces, without its text ever whole, gives what the whole reading gives:
// numbers, first bad field, head and its line count, whatever the pieces.
TEST(StreamedData, ReadsAsTheWholeTextReads) {
  const char* files[] = {
      "300 1 2\n400 2 3\n",
      "Sample\r\n  angle 70\r\n300,5;1,5\r\n400,5;2\r\n",
      "title\rT 25\r300 1\r400 2\r",
      "\xEF\xBB\xBF\xEF\xBB\xBF"
      "300\t1\t\t2\n 400 2 3 \n\n \n\t\n",
      "300 1 2\n400 x 3\n500 1 1\n",
      "1.5,2,3\n2.5,3,4",
      "head only\nno numbers\n",
      "",
      "\n\n",
      "1 2\n\n3 4\n",
      "+1 2 3 4 5 6 7 8 9 10 11 12\n-2 .5 1e3 4 5 6 7 8 9 10 11\n",
      "300 1\r\n\r\n",
      "1;2\n3;4\n   \n",
  };
  for (const char* file : files) {
    const std::string bytes(file);
    const PreparedData whole = PrepareDataText(DecodeText(bytes));
    const NumericColumns wholeNumbers(whole.Data);
    for (const std::size_t step : {std::size_t{1}, std::size_t{3}, std::size_t{1} << 20}) {
      SCOPED_TRACE(testing::PrintToString(bytes) + " in pieces of " + std::to_string(step));
      const std::optional<LoadedData> streamed = ReadDataStreamed(InPieces(bytes, step));
      ASSERT_TRUE(streamed.has_value());
      EXPECT_EQ(streamed->Prepared.TextInDataFile, whole.TextInDataFile);
      EXPECT_EQ(streamed->Prepared.HeadLineCount, whole.HeadLineCount);
      ExpectSameNumbers(streamed->Columns, wholeNumbers);
    }
  }
  // Files whose whole text decides how they read are left to the whole reading.
  for (const char* file : {"\xFF\xFE"
                           "3\0"
                           "0\0",
                           "300 1\n\xE9\n"}) {
    EXPECT_FALSE(ReadDataStreamed(InPieces(file, 4)).has_value()) << file;
  }
  // A JCAMP-DX file is gathered on the one reading and decoded whole.
  const std::string jcamp =
      "\xEF\xBB\xBF##TITLE=IR\n##FIRSTX=1\n##LASTX=3\n##NPOINTS=3\n##XYDATA=(X++(Y..Y))\n"
      "1 5 6 7\n##END=\n";
  const LoadedData whole = ReadDataText(DecodeText(jcamp));
  for (const std::size_t step : {std::size_t{1}, std::size_t{4}, std::size_t{1} << 20}) {
    const std::optional<LoadedData> streamed = ReadDataStreamed(InPieces(jcamp, step), 8);
    ASSERT_TRUE(streamed.has_value()) << step;
    EXPECT_EQ(streamed->Prepared.TextInDataFile, "##TITLE=IR") << step;
    EXPECT_TRUE(streamed->TextFromColumns) << step;
    ExpectSameNumbers(streamed->Columns, whole.Columns);
    EXPECT_EQ(ColumnsText(streamed->Columns).Joined("\n"), "1 5\n2 6\n3 7") << step;
  }
}

// Every field, read by the quick decimal path or the full parser, is the double nearest to its
// decimal, as from_chars gives it; what is no number stops the conversion at its line and says
// so, however the file comes in.
TEST(StreamedData, FieldsAreTheirDecimalsExactly) {
  struct Known {
    const char* text;
    double value;
  };
  const std::vector<Known> known{
      {"0.1", 0.1},
      {"12.5", 12.5},
      {"-3.25", -3.25},
      {"7", 7},
      {".5", 0.5},
      {"-.5", -0.5},
      {"0.000001", 1e-6},
      {"123456.789", 123456.789},
      {"1e3", 1000},
      {"-0", -0.0},
      {"300.0", 300},
      {"999999999999999", 999999999999999},
      {"2.50", 2.5},
      {"0.30", 0.3},
      {"1234567890.1234567", 1234567890.1234567},
      {"0.12345678901234567", 0.12345678901234567},
      {"-9007199254740993", -9007199254740993.0},
      {"12345678901234567", 12345678901234567.0},
      {"8310141.8928563083", 8310141.8928563083},  // 17 digits: one rounding, not two
      {"99.26038458989419", 99.26038458989419},
      {"4.35", 4.35}};
  std::string text;
  for (const Known& k : known) text += std::string("1 ") + k.text + "\n";
  const NumericColumns whole{DataText(text)};
  const std::optional<LoadedData> streamed = ReadDataStreamed(InPieces(text, 7));
  ASSERT_TRUE(streamed.has_value());
  for (const NumericColumns* columns : {&whole, &streamed->Columns}) {
    ASSERT_EQ(columns->ConvertedLines(), known.size());
    ASSERT_FALSE(columns->FirstBad().has_value());
    for (std::size_t r = 0; r < known.size(); ++r) {
      double parsed = 0;
      const std::string_view field = known[r].text;
      std::from_chars(field.data(), field.data() + field.size(), parsed);
      EXPECT_EQ(columns->Value(1, r), known[r].value) << field;
      EXPECT_EQ(std::signbit(columns->Value(1, r)), std::signbit(parsed)) << field;
      EXPECT_EQ(columns->Value(1, r), parsed) << field;
    }
  }

  for (const char* bad : {".", "-.", "-", "1.2.3", "--1", "1-", "0x10", "1e"}) {
    SCOPED_TRACE(bad);
    const std::string file = std::string("1 2\n3 ") + bad + "\n5 6\n";
    const NumericColumns columns{DataText(file)};
    const std::optional<LoadedData> read = ReadDataStreamed(InPieces(file, 2));
    ASSERT_TRUE(read.has_value());
    for (const NumericColumns* c : {&columns, &read->Columns}) {
      ASSERT_TRUE(c->FirstBad().has_value());
      EXPECT_EQ(c->FirstBad()->Line, 1u);
      try {
        c->ThrowBad();
        ADD_FAILURE() << "no error";
      } catch (const DataLineError& e) {
        EXPECT_EQ(e.Line(), 2u);
        EXPECT_EQ(std::string(e.what()),
                  "'" + std::string(bad) + "' is not a valid floating point value");
      }
    }
  }
}

// A file larger than a block of reading keeps the names its last head line gives its columns,
// though its later rows hold fewer or more fields than the first.
TEST(StreamedData, ALargeFileKeepsItsColumnNames) {
  std::string text = "Sample 7\noperator: A. N.\nwavelength\tA\tB\n300\t1\t2\n";
  for (int i = 0; text.size() < (std::size_t{3} << 19); ++i) {
    text += std::to_string(301 + i) + (i % 3 == 0   ? "\t1\n"
                                       : i % 3 == 1 ? "\t1\t2\t3\n"
                                                    : "\t1\t2\n");
  }
  for (const std::size_t step : {std::size_t{1} << 20, std::size_t{65536}}) {
    const std::optional<LoadedData> read = ReadDataStreamed(InPieces(text, step));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->ColumnNames, (std::vector<std::string>{"wavelength", "A", "B"}));
    EXPECT_EQ(read->Prepared.HeadLineCount, 3u);
  }
}

}  // namespace
}  // namespace kurvex
