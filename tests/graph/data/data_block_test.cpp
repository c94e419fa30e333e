#include "graph/data/data_block.h"

#include <gtest/gtest.h>

#include <cmath>

#include "graph/data/block_read.h"
#include "graph/data/loaded_data.h"
#include "graph/data/numeric_columns.h"
#include "graph/data/xrdml.h"

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

std::string Joined(const std::vector<std::string>& names) {
  std::string out;
  for (std::size_t i = 0; i < names.size(); ++i) out += (i > 0 ? "|" : "") + names[i];
  return out;
}

// Instrument exports as they come: the block finder must find the numbers, and only them, in
// the columns a spectroscopist wants, whatever the pieces the file arrives in.
TEST(DataBlock, FindsTheNumbersAmongHeadsTrailersAndGaps) {
  struct Case {
    const char* name;
    const char* file;
    std::size_t first;
    const char* head;
    const char* data;   // the prepared lines, joined by '\n'
    const char* names;  // the drawn columns' names, joined by '|'
    const char* note;
  };
  const Case cases[] = {
      {"a date above decimal commas", "01.08.2024 13:31:12\r\n1,5;2,5\r\n2,5;3,5\r\n", 1,
       "01.08.2024 13:31:12", "1.5 2.5\n2.5 3.5", "01.08.2024|13:31:12", ""},
      {"a sample name that starts with a number", "600LP,,600LP1\n300 1\n400 2\n500 3\n", 1,
       "600LP,,600LP1", "300 1\n400 2\n500 3", "", ""},
      {"a count line", "  -1\n300 1\n400 2\n", 1, "  -1", "300 1\n400 2", "", ""},
      {"a rule of pluses and a trailer", "++++\n1 2\n3 4\n##END=\n*RAS_INT_END\n", 1, "++++",
       "1 2\n3 4", "", ""},
      {"empty and missing fields in commas", "x,a,b,c\n1,2,,4\n2,NaN,3,4\n3,---,1,-\n", 1,
       "x,a,b,c", "1 2 nan 4\n2 nan 3 4\n3 nan 1 nan", "x|a|b|c", ""},
      {"an empty field between tabs", "1\t\t3\n2\t5\t6\n", 0, "", "1 nan 3\n2 5 6", "", ""},
      {"the longer of two blocks", "1 2\n3 4\nmethod\n5 6 7\n8 9 10\n11 12 13\n", 3,
       "1 2\r\n3 4\r\nmethod", "5 6 7\n8 9 10\n11 12 13", "", ""},
      {"a lone CR ends lines", "T 25\r1 2\r3 4\r", 1, "T 25", "1 2\n3 4", "T|25", ""},
      {"a column of single numbers is no block", "7\n8\n9\n10\nx y\n1 2\n3 4\n", 5,
       "7\r\n8\r\n9\r\n10\r\nx y", "1 2\n3 4", "x|y", ""},
      {"a separator ends every line", "nm;A;\r\n300;1;\r\n301;2;\r\n", 1, "nm;A;", "300 1\n301 2",
       "nm|A", ""},
      {"a units row under the names", "Wavelength\tAbsorbance\nnm\ta.u.\n400\t0.1\n401\t0.2\n", 2,
       "Wavelength\tAbsorbance\r\nnm\ta.u.", "400 0.1\n401 0.2",
       "Wavelength (nm)|Absorbance (a.u.)", ""},
      {"Raman shift beside a pixel index, x empty outside the calibration",
       "Pixel;Wavelength;Wavenumber;Raman Shift;Dark;Raw data #1;Dark Subtracted #1;\n"
       "0;;;;100;300;200;\n1;500.1;19996;100.5;101;301;200;\n2;500.3;19988;108.5;102;302;201;\n",
       1, "Pixel;Wavelength;Wavenumber;Raman Shift;Dark;Raw data #1;Dark Subtracted #1;",
       "nan 200\n100.5 200\n108.5 201", "Raman Shift|Dark Subtracted #1",
       "x: Raman Shift (column 4), y: Dark Subtracted #1 (column 7)"},
      {"temperature beside a time", "Time (min),Temperature (C),Mass (%)\n0,25,100\n1,35,99.5\n", 1,
       "Time (min),Temperature (C),Mass (%)", "25 100\n35 99.5", "Temperature (C)|Mass (%)",
       "x: Temperature (C) (column 2)"},
      {"processed before raw counts",
       "W\tD\tR\tS\tP\n400\t10\t900\t500\t0.49\n401\t11\t910\t520\t0.51\n", 1, "W\tD\tR\tS\tP",
       "400 0.49\n401 0.51", "W|P", "y: P (column 5)"},
      {"spectra in rows, named", "400,401,402\nsample A,1,2,3\nsample B,4,5,6\n", 0, "",
       "400 1 4\n401 2 5\n402 3 6", "|sample A|sample B", ""},
      {"spectra in rows, unnamed", "head\n1 2 3 4 5 6 7 8\n9 8 7 6 5 4 3 2\n0 0 0 0 1 1 1 1\n", 1,
       "head", "1 9 0\n2 8 0\n3 7 0\n4 6 0\n5 5 1\n6 4 1\n7 3 1\n8 2 1", "|row 1|row 2", ""},
      {"tagged rows", "VASE\nE 300 70 1 2\nE 310 70 3 4\ndpolE 300 70 5 6\ndpolE 310 70 7 8\n", 1,
       "VASE", "300 70 1 2\n310 70 3 4", "",
       "the rows tagged E are drawn; the file also holds dpolE"},
      {"a record word before a text field tags no row",
       "uR 1 2 inh 1\nuR 3 4 inf 1\nE 1 2 3\nE 4 5 6\n", 2, "uR 1 2 inh 1\r\nuR 3 4 inf 1",
       "1 2 3\n4 5 6", "", ""},
  };
  for (const Case& c : cases) {
    for (const std::size_t step : {std::size_t{1}, std::size_t{3}, std::size_t{1} << 20}) {
      SCOPED_TRACE(std::string(c.name) + " in pieces of " + std::to_string(step));
      const BlockReading read = ReadDataBlock(InPieces(c.file, step), {}, true);
      ASSERT_TRUE(read.Data) << read.Error;
      const LoadedData& loaded = *read.Data;
      EXPECT_EQ(loaded.Prepared.TextInDataFile, c.head);
      EXPECT_EQ(loaded.Prepared.HeadLineCount, c.first);
      EXPECT_EQ(loaded.Prepared.Data.Joined("\n"), c.data);
      EXPECT_EQ(Joined(loaded.ColumnNames), c.names);
      EXPECT_EQ(loaded.Note, c.note);
      // The numbers are those of the text.
      const NumericColumns again(loaded.Prepared.Data, MissingValues::kAreGaps);
      ASSERT_EQ(loaded.Columns.LineCount(), again.LineCount());
      ASSERT_EQ(loaded.Columns.CurveCount(), again.CurveCount());
      for (std::size_t r = 0; r < again.LineCount(); ++r) {
        for (int f = 0; f <= again.CurveCount(); ++f) {
          const double a = loaded.Columns.Value(f, r), b = again.Value(f, r);
          EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << r << ' ' << f;
        }
      }
    }
  }
}

// What the user asks for and what cannot be read: the message names the line.
TEST(DataBlock, ChosenColumnsAndFailures) {
  struct Case {
    const char* file;
    ColumnRequest request;
    const char* data;  // or the failure
  };
  const char* table = "Head\r\nNr;Raman Shift (cm-1);Intensity\r\n1;100;5\r\n2;110;6\r\n";
  const Case cases[] = {
      {table, {"Raman Shift", "Intensity"}, "100 5\n110 6"},
      {table, {"raman shift (CM-1)", "1"}, "100 1\n110 2"},
      {table, {"", "Intensity,Nr"}, "100 5 1\n110 6 2"},
      {table, {"3", ""}, "5 1\n6 2"},
      {table,
       {"Shift", "2"},
       "no column named 'Shift' (the columns are Nr, Raman Shift (cm-1), Intensity)"},
      {table, {"1", "5"}, "line 3 has 3 columns, column 5 was asked for"},
      {table, {"0", "2"}, "line 3 has 3 columns, column 0 was asked for"},
      {"1 2\n3 4\n", {"x", "2"}, "no column named 'x'"},
      {"report\n42\n", {}, "no data block"},
      {"title\n1 2\nend\n", {}, "no data block"},
      {"1\n2\n3\n", {}, "no data block"},
      {"", {}, "no data block"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + c.request.X + "/" + c.request.Y);
    const BlockReading read = ReadDataBlock(InPieces(c.file, 5), c.request, true);
    EXPECT_EQ(read.Data ? read.Data->Prepared.Data.Joined("\n") : read.Error, c.data);
    const LoadedData whole = ReadDataText(c.file, {true, c.request});
    EXPECT_EQ(whole.Failure.empty() ? whole.Prepared.Data.Joined("\n") : whole.Failure, c.data);
  }
}

TEST(DataBlock, MissingValuesAreGapsOnlyWhereAsked) {
  const LoadedData loaded = ReadDataText("1,2,,4\n2,NaN,3,4\n", {true, {}});
  const NumericColumns& gaps = loaded.Columns;
  EXPECT_FALSE(gaps.FirstBad());
  EXPECT_TRUE(std::isnan(gaps.Value(2, 0)));
  EXPECT_TRUE(std::isnan(gaps.Value(1, 1)));
  EXPECT_EQ(gaps.Value(3, 1), 4);
  const NumericColumns errors(loaded.Prepared.Data);
  ASSERT_TRUE(errors.FirstBad());
  EXPECT_EQ(errors.FirstBad()->Line, 0u);
  EXPECT_EQ(errors.FirstBad()->Field, 2);
}

// A diffraction scan in XML: 2θ spread from its start to its end position over the counts.
TEST(DataBlock, ReadsXrdmlScans) {
  const std::string scan =
      "<?xml version=\"1.0\"?>\n<xrdMeasurements xmlns=\"http://www.xrdml.com/XRDMeasurement/1.5\">"
      "<xrdMeasurement><scan><dataPoints>"
      "<positions axis=\"2Theta\" unit=\"deg\"><startPosition>10</startPosition>"
      "<endPosition>11</endPosition></positions>"
      "<positions axis=\"Omega\" unit=\"deg\"><startPosition>5</startPosition>"
      "<endPosition>5.5</endPosition></positions>"
      "<intensities unit=\"counts\">4 8 16</intensities>"
      "</dataPoints></scan></xrdMeasurement></xrdMeasurements>\n";
  ASSERT_TRUE(LooksLikeXrdml(scan));
  // Its root may come in a later piece than its first line: still read whole.
  EXPECT_FALSE(ReadDataBlock(InPieces("\n" + scan, 1), {}, false).Streamable);
  const LoadedData loaded = ReadDataText(scan, {true, {}});
  ASSERT_EQ(loaded.Failure, "");
  EXPECT_EQ(loaded.Prepared.Data.Joined("\n"), "10 4\n10.5 8\n11 16");
  EXPECT_EQ(Joined(loaded.ColumnNames), "2Theta (\xC2\xB0)|counts");
  std::string noEnd = scan;
  noEnd.erase(noEnd.find("<endPosition>11</endPosition>"), 29);
  EXPECT_EQ(ReadDataText(noEnd, {true, {}}).Failure,
            "not an XRDML scan: no 2Theta start and end positions");
  EXPECT_EQ(ReadDataText(scan.substr(0, 200), {true, {}}).Failure.substr(0, 19),
            "not an XRDML scan: ");
}

}  // namespace
}  // namespace kurvex
