#include "graph/data/jcamp_dx.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace kurvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr char kCheckFailed[] = "JCAMP-DX check value does not match";

// A block whose equidistant table runs from x = 100 in steps of 1 over `points` points; the
// table (its label line first) follows the head as given, '|' standing for a line break.
std::string Block(std::size_t points, std::string table) {
  for (char& c : table) c = c == '|' ? '\n' : c;
  return "##TITLE=test\n##JCAMP-DX=4.24\n##XUNITS=1/CM\n##YUNITS=ABSORBANCE\n##FIRSTX=100\n"
         "##LASTX=" +
         std::to_string(99 + points) + "\n##NPOINTS=" + std::to_string(points) + "\n" + table +
         "\n##END=\n";
}
constexpr std::size_t kTableLine = 8;  // the table label's line in Block

std::string Xyy(std::size_t points, const std::string& lines) {
  return Block(points, "##XYDATA=(X++(Y..Y))|" + lines);
}

// Equal where both are NaN, so missing values compare.
void ExpectValues(const std::vector<double>& actual, const std::vector<double>& expected,
                  const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (std::isnan(expected[i])) {
      EXPECT_TRUE(std::isnan(actual[i])) << what << " [" << i << "]";
    } else {
      EXPECT_DOUBLE_EQ(actual[i], expected[i]) << what << " [" << i << "]";
    }
  }
}

std::vector<double> Count(std::size_t n) {
  std::vector<double> x;
  for (std::size_t i = 0; i < n; ++i) x.push_back(100.0 + static_cast<double>(i));
  return x;
}

TEST(ReadJcampDx, DecodesEveryTableForm) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<double> y;
    std::vector<double> x = {};       // empty: 100, 101, ...
    std::vector<double> second = {};  // a further curve on the same x (NTUPLES pages)
  };
  const Case cases[] = {
      {"AFFN", Xyy(5, "100 1 2 3|103 4 5"), {1, 2, 3, 4, 5}},
      {"AFFN separators and exponents",
       Xyy(4, "100 1.5E+01,-2.5e-1;3|103\t.5"),
       {15, -0.25, 3, 0.5}},
      {"PAC", Xyy(5, "100+1+2-3|103-4+5"), {1, 2, -3, -4, 5}},
      {"SQZ", Xyy(5, "100A23b45@|103I5E"), {123, -245, 0, 95, 5}},
      {"DIF with y checks", Xyy(4, "100AJJ|102CK|103E"), {1, 2, 3, 5}},
      {"DIFDUP: a repeat after a difference repeats the difference",
       Xyy(6, "100@JT%U|105B"),
       {0, 1, 2, 2, 2, 2}},
      {"DUP of a value", Xyy(4, "100A5UB"), {15, 15, 15, 2}},
      {"DUP count of two digits", Xyy(12, "100@S2"), std::vector<double>(12, 0.0)},
      {"missing values", Xyy(6, "100 1 ? 3|103 ?T 6"), {1, kNaN, 3, kNaN, kNaN, 6}},
      {"comments",
       Block(3, "##XYDATA=(X++(Y..Y)) $$ y in counts|100 1 2 $$ 7 8|$$ note||102 3"),
       {1, 2, 3}},
      {"line x rounded within a point", Xyy(3, "100 1 2|102.9 3"), {1, 2, 3}},
      {"XYDATA in pairs", Block(2, "##XYDATA=(XY..XY)|7 1|9.5,2"), {1, 2}, {7, 9.5}},
      {"XYPOINTS",
       Block(3, "##XYPOINTS=(XY..XY)|1.5, 10; 2.5, 20|4,?"),
       {10, 20, kNaN},
       {1.5, 2.5, 4}},
      {"PEAK TABLE with widths, label written loosely",
       Block(2, "##Peak_Table= ( XYW..XYW )|40,5,1 41,100,1"),
       {5, 100},
       {40, 41}},
      {"values on the label line", Block(2, "##PEAKTABLE=(XY..XY) 1,2|3,4"), {2, 4}, {1, 3}},
      {"line x a few steps off", Xyy(5, "100 1 2 3|106 4 5"), {1, 2, 3, 4, 5}},
      {"line x the point index, counting up", Xyy(5, "0 1 2 3|3 4 5"), {1, 2, 3, 4, 5}},
      {"line x the point index, counting down",
       Xyy(24, "23 1 2 3 4 5 6 7 8 9 10 11 12|11 13 14 15 16 17 18 19 20 21 22 23 24"),
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}},
      {"NTUPLES real and imaginary pages",
       "##TITLE=t\n##NTUPLES=NMR SPECTRUM\n##SYMBOL= X, R, I, N\n##VAR_DIM= 3, 3, 3, 2\n"
       "##FIRST= 100, 1, 4, 1\n##LAST= 102, 3, 6, 2\n##FACTOR= 0.5, 2, 0.5, 1\n"
       "##PAGE= N=1\n##DATA TABLE= (X++(R..R)), XYDATA\n200AJJ\n##PAGE= N=2\n"
       "##DATA TABLE= (X++(I..I)), XYDATA\n200 4 5 6\n##END NTUPLES=NMR SPECTRUM\n##END=",
       {2, 4, 6},
       {},
       {2, 2.5, 3}},
      {"NTUPLES pages of peaks: the first drawn",
       "##TITLE=t\n##NTUPLES=MASS SPECTRUM\n##SYMBOL= X, Y, T\n##VAR_DIM= , , 2\n"
       "##PAGE= T=5\n##NPOINTS=2\n##DATA TABLE= (XY..XY), PEAKS\n50,10; 51,20\n"
       "##PAGE= T=9\n##DATA TABLE= (XY..XY), PEAKS\n70,1\n##END NTUPLES=\n##END=",
       {10, 20},
       {50, 51}},
      {"LINK: the spectrum block drawn, not the peak table before it",
       "##TITLE=link\n##DATA TYPE=LINK\n##BLOCKS=2\n##TITLE=peaks\n##PEAK TABLE=(XY..XY)\n"
       "7,1\n##END=\n##TITLE=spectrum\n##FIRSTX=100\n##LASTX=101\n##NPOINTS=2\n"
       "##XYDATA=(X++(Y..Y))\n100 8 9\n##END=\n##END=",
       {8, 9}},
  };
  for (const Case& c : cases) {
    const JcampDxData d = ReadJcampDx(c.text);
    EXPECT_FALSE(d.Error) << c.name << ": " << d.Error->Message;
    ExpectValues(d.Y, c.y, c.name);
    ExpectValues(d.X, c.x.empty() ? Count(c.y.size()) : c.x, c.name);
    ASSERT_EQ(d.MoreY.size(), c.second.empty() ? 0u : 1u) << c.name;
    if (!c.second.empty()) ExpectValues(d.MoreY[0], c.second, c.name);
    ASSERT_FALSE(d.Lines.empty()) << c.name;
    EXPECT_EQ(d.Lines.front().FirstPoint, 0u) << c.name;
  }
}

TEST(ReadJcampDx, StopsAtTheFirstBadLineKeepingTheLinesBefore) {
  struct Case {
    const char* name;
    std::string text;
    std::size_t line;
    std::string message;
    std::vector<double> kept;
  };
  const Case cases[] = {
      {"check value differs", Xyy(9, "100AJJ|102DK|104E"), 10, kCheckFailed, {1, 2, 3}},
      {"line x a lost line past the expected one",
       Xyy(24, "100 1 2|110 3 4"),
       10,
       kCheckFailed,
       {1, 2}},
      {"line x not that of the check point",
       Block(24, "##XFACTOR=0.1|##XYDATA=(X++(Y..Y))|1000AJJ|1100CJ"),
       11,
       kCheckFailed,
       {1, 2, 3}},
      {"line x the index on the first line, then not",
       Xyy(24, "0 1 2|102 3 4"),
       10,
       kCheckFailed,
       {1, 2}},
      {"DIF check in an NTUPLES page",
       "##TITLE=t\n##NTUPLES=NMR\n##SYMBOL= X, R\n##VAR_DIM= 4, 4\n##FIRST= 1, 0\n"
       "##LAST= 4, 0\n##PAGE= N=1\n##DATA TABLE= (X++(R..R)), XYDATA\n1AJJ\n3DJ\n##END=",
       10,
       kCheckFailed,
       {1, 2, 3}},
      {"NTUPLES second page failing past a shorter first",
       "##TITLE=t\n##NTUPLES=NMR\n##SYMBOL= X, R, I\n##VAR_DIM= 3, 3, 3\n##FIRST= 1, 0, 0\n"
       "##LAST= 3, 0, 0\n##PAGE= N=1\n##DATA TABLE= (X++(R..R)), XYDATA\n1 5\n##PAGE= N=2\n"
       "##DATA TABLE= (X++(I..I)), XYDATA\n1 4 5 6\n3 #\n##END=",
       13,
       "JCAMP-DX table holds an unknown character '#'",
       {5}},
      {"repeat count past the declared points",
       Xyy(4, "100 1|101As99999999"),
       10,
       "JCAMP-DX table holds more points than ##NPOINTS= gives",
       {1}},
      {"repeat count beyond the file",
       "##TITLE=t\n##FIRSTX=1\n##DELTAX=1\n##XYDATA=(X++(Y..Y))\n1 1\n2As99999999\n##END=",
       6,
       "JCAMP-DX table is larger than its file",
       {1}},
      {"factor with a decimal comma",
       Block(2, "##YFACTOR=0,0001|##XYDATA=(X++(Y..Y))|100 1 2"),
       kTableLine,
       "JCAMP-DX YFACTOR is not a number",
       {}},
      {"factor of letters",
       Block(2, "##YFACTOR=abc|##XYDATA=(X++(Y..Y))|100 1 2"),
       kTableLine,
       "JCAMP-DX YFACTOR is not a number",
       {}},
      {"factor NaN",
       Block(2, "##YFACTOR= NaN|##XYPOINTS=(XY..XY)|1 2"),
       kTableLine,
       "JCAMP-DX YFACTOR is not a number",
       {}},
      {"factor empty",
       Block(2, "##XFACTOR=|##XYDATA=(X++(Y..Y))|100 1 2"),
       kTableLine,
       "JCAMP-DX XFACTOR is not a number",
       {}},
      {"NTUPLES factor not a number",
       "##TITLE=t\n##NTUPLES=NMR\n##SYMBOL= X, R\n##VAR_DIM= 2, 2\n##FIRST= 1, 0\n"
       "##LAST= 2, 0\n##FACTOR= 1, x2\n##PAGE= N=1\n##DATA TABLE= (X++(R..R)), XYDATA\n1 5 6\n"
       "##END=",
       7,
       "JCAMP-DX FACTOR is not a number",
       {}},
      {"abscissa spacing out of range",
       "##TITLE=t\n##FIRSTX=1e308\n##LASTX=-1e308\n##NPOINTS=5\n##XYDATA=(X++(Y..Y))\n1 1\n"
       "##END=",
       5,
       "JCAMP-DX abscissa spacing out of range",
       {}},
      {"value beyond what can be drawn",
       Block(3, "##YFACTOR=1E30|##XYDATA=(X++(Y..Y))|100 1|101 1E+10 2"),
       11,
       "JCAMP-DX value 1e+40 cannot be drawn",
       {1e30}},
      {"abscissa beyond what can be drawn",
       "##TITLE=t\n##FIRSTX=1e300\n##LASTX=2e300\n##NPOINTS=2\n##XYDATA=(X++(Y..Y))\n"
       "1e300 1 2\n##END=",
       6,
       "JCAMP-DX value 1e+300 cannot be drawn",
       {}},
      {"peak beyond what can be drawn",
       Block(2, "##PEAK TABLE=(XY..XY)|1,2 3,4E+40"),
       9,
       "JCAMP-DX value 4e+40 cannot be drawn",
       {}},
      {"unknown character",
       Xyy(4, "100 1|101 2 # 3"),
       10,
       "JCAMP-DX table holds an unknown character '#'",
       {1}},
      {"sign without digits", Xyy(4, "100 1 2-"), 9, "JCAMP-DX value '-' has no digits", {}},
      {"repeat at the line start",
       Xyy(4, "100 1|101S3"),
       10,
       "JCAMP-DX repeat count has no value before it",
       {1}},
      {"difference first in the table",
       Xyy(4, "100J"),
       9,
       "JCAMP-DX difference has no value before it",
       {}},
      {"line starting with a difference",
       Xyy(4, "100 1|J 2"),
       10,
       "JCAMP-DX table line does not start with an x value",
       {1}},
      {"pair cut short",
       Block(2, "##XYPOINTS=(XY..XY)|1 2|3"),
       10,
       "JCAMP-DX table line ends inside a point",
       {2}},
      {"difference among pairs",
       Block(2, "##XYPOINTS=(XY..XY)|1 2|3J"),
       10,
       "JCAMP-DX table of x,y groups holds a DIF or DUP value",
       {2}},
      {"unknown form",
       Block(2, "##XYDATA=(R..R)|1 2"),
       kTableLine,
       "JCAMP-DX table form '(R..R)' is not supported",
       {}},
      {"no abscissa",
       "##TITLE=t\n##NPOINTS=2\n##XYDATA=(X++(Y..Y))\n1 2 3\n##END=",
       3,
       "JCAMP-DX table needs ##FIRSTX=, ##LASTX= and ##NPOINTS=",
       {}},
      {"no table",
       "##TITLE=t\n##NTUPLES=NMR\n##END=",
       1,
       "JCAMP-DX file holds no ##XYDATA=, ##XYPOINTS= or ##PEAK TABLE=",
       {}},
  };
  for (const Case& c : cases) {
    const JcampDxData d = ReadJcampDx(c.text);
    ASSERT_TRUE(d.Error) << c.name;
    EXPECT_EQ(d.Error->Line, c.line) << c.name;
    EXPECT_EQ(d.Error->Message, c.message) << c.name;
    ExpectValues(d.Y, c.kept, c.name);
    EXPECT_EQ(d.X.size(), d.Y.size()) << c.name;
    for (const auto& y : d.MoreY) EXPECT_EQ(y.size(), d.Y.size()) << c.name;
  }
}

TEST(ReadJcampDx, FactorsScaleTheTableAndTheCheckPointKeepsItsFirstLine) {
  const JcampDxData d = ReadJcampDx(
      "##TITLE=t\r\n##XFACTOR=0.1\r\n##YFACTOR=0.01\r\n##FIRSTX=50\r\n##LASTX=51.5\r\n"
      "##NPOINTS=4\r\n##XYDATA=(X++(Y..Y))\r\n500A00J\r\n505A01JJ\r\n515A03\r\n##END=\r\n");
  ASSERT_FALSE(d.Error) << d.Error->Message;
  EXPECT_EQ(d.X, (std::vector<double>{50, 50.5, 51, 51.5}));
  ExpectValues(d.Y, {1, 1.01, 1.02, 1.03}, "y");
  EXPECT_EQ(d.Lines, (std::vector<JcampLine>{{0, 8}, {2, 9}}));
}

TEST(ReadJcampDx, DrawsTheSpectrumBlockWithItsNamedRecordsAndCountsTheOthers) {
  const JcampDxData d = ReadJcampDx(
      "##TITLE=linked\n##DATA TYPE=LINK\n##BLOCKS=3\n"
      "##TITLE=  notes only \n##DATA TYPE=INFO\n##END=\n"
      "##TITLE=peaks of the film\n##DATA TYPE=IR PEAK TABLE\n"
      "##PEAK TABLE=(XY..XY)\n1601,0.6 1493,1.1\n##END=\n"
      "##TITLE=spectrum of $$ two bands\n  the film\n##JCAMP-DX=5.01\n"
      "##DATA TYPE=INFRARED SPECTRUM\n##ORIGIN=lab\n##OWNER=PUBLIC DOMAIN\n"
      "##XUNITS=1/CM\n##YUNITS=ABSORBANCE\n##COMMENTS=measured\n  at 4 1/CM\n"
      "##FIRSTX=1\n##LASTX=2\n##NPOINTS=2\n##XYDATA=(X++(Y..Y))\n1 5 6\n"
      "##PEAK TABLE=(XY..XY)\n1 5\n##END=\n##END=\n");
  ASSERT_FALSE(d.Error) << d.Error->Message;
  EXPECT_EQ(d.BlockCount, 2u);
  EXPECT_EQ(d.DrawnBlock, 2u);
  EXPECT_FALSE(d.PeakTable);
  EXPECT_EQ(d.HeadText,
            "##TITLE=spectrum of the film\r\n##DATA TYPE=INFRARED SPECTRUM\r\n##ORIGIN=lab\r\n"
            "##OWNER=PUBLIC DOMAIN\r\n##XUNITS=1/CM\r\n##YUNITS=ABSORBANCE");
  EXPECT_EQ(d.Title, "spectrum of the film");
  EXPECT_EQ(d.DataType, "INFRARED SPECTRUM");
  EXPECT_EQ(d.XUnits, "1/CM");
  EXPECT_EQ(d.YUnits, "ABSORBANCE");
  EXPECT_EQ(d.Origin, "lab");
  EXPECT_EQ(d.Owner, "PUBLIC DOMAIN");
  EXPECT_EQ(d.X, (std::vector<double>{1, 2}));
  EXPECT_EQ(d.Y, (std::vector<double>{5, 6}));
  EXPECT_EQ(d.Lines, (std::vector<JcampLine>{{0, 26}}));
}

TEST(LooksLikeJcampDx, WantsTitleFirst) {
  EXPECT_TRUE(LooksLikeJcampDx("##TITLE=x"));
  EXPECT_TRUE(LooksLikeJcampDx(" \r\n\n  ##TITLE=\n"));
  EXPECT_TRUE(LooksLikeJcampDx("## Title =spectrum"));
  EXPECT_FALSE(LooksLikeJcampDx("##TITLE"));
  EXPECT_FALSE(LooksLikeJcampDx("##JCAMP-DX=4.24\n##TITLE=x"));
  EXPECT_FALSE(LooksLikeJcampDx("x ##TITLE=x"));
  EXPECT_FALSE(LooksLikeJcampDx(""));
}

std::string ReadSample(const std::string& name) {
  std::ifstream file(std::string(KURVEX_TEST_DATA_DIR) + "/jcamp/" + name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(ReadJcampDx, ReadsTheSampleFiles) {
  struct Case {
    const char* file;
    std::size_t points, blocks;
    double firstX, firstY, lastX, lastY;
    std::size_t errorLine;  // 0: none
  };
  const Case cases[] = {
      {"ir_polystyrene_difdup.jdx", 921, 1, 3999.64, 0.915, 450.17, 0.9055, 0},
      {"ir_polystyrene_bad_check.jdx", 608, 1, 3999.64, 0.915, 1657.761424, 0.9081, 28},
      {"uvvis_riboflavin_xypoints.jdx", 301, 1, 200, 1.85, 800, 0.05, 0},
      {"raman_polystyrene_sqz.jdx", 1501, 1, 200, 351, 3200, 601, 0},
      {"ms_toluene_peak_table.jdx", 14, 1, 27, 2, 93, 4.5, 0},
      {"ir_polystyrene_link.jdx", 101, 2, 1800, 0.021, 1400, 0.032, 0},
      {"nmr_ntuples_real_imag.jdx", 16, 1, 2000, 1.5, 500, 1.5, 0},
      {"nmr_link_peaks_first.jdx", 24, 2, 4.6, 10, 0, 10, 0},
      {"ms_ntuples_pages.jdx", 5, 1, 31, 100, 27, 24, 0},
  };
  for (const Case& c : cases) {
    const std::string text = ReadSample(c.file);
    ASSERT_TRUE(LooksLikeJcampDx(text)) << c.file;
    const JcampDxData d = ReadJcampDx(text);
    EXPECT_EQ(d.Error ? d.Error->Line : 0, c.errorLine) << c.file;
    ASSERT_EQ(d.Y.size(), c.points) << c.file;
    EXPECT_EQ(d.BlockCount, c.blocks) << c.file;
    EXPECT_NEAR(d.X.front(), c.firstX, 1e-6) << c.file;
    EXPECT_NEAR(d.Y.front(), c.firstY, 1e-9) << c.file;
    EXPECT_NEAR(d.X.back(), c.lastX, 1e-6) << c.file;
    EXPECT_NEAR(d.Y.back(), c.lastY, 1e-9) << c.file;
  }
  // The film's strongest band: 698 1/CM, 2.37 % transmittance.
  const JcampDxData ir = ReadJcampDx(ReadSample("ir_polystyrene_difdup.jdx"));
  const std::size_t band = ir.Y.size() - 1 - 64;
  EXPECT_NEAR(ir.X[band], 697.09, 0.01);
  EXPECT_NEAR(ir.Y[band], 0.0237, 1e-9);
}

}  // namespace
}  // namespace kurvex
