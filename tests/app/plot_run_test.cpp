// Runs the real kurvex-plot program in a temporary folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "app/plot_run.h"
#include "graph/overlay_drawing.h"

namespace {

namespace fs = std::filesystem;
using kurvex::test::CurvesInFrame;
using kurvex::test::PlotRun;
using kurvex::test::Result;
using kurvex::test::Slurp;

TEST_F(PlotRun, WithoutDataFilesDrawsTheSampleAsABitmap) {
  const Result r = Run("");
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string bmp = Slurp(dir.File("Demo1.bmp"));
  ASSERT_GT(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(bmp.size(), 54u + 600u * 3u * 500u);  // 600 x 500, rows already 4-byte aligned
}

TEST_F(PlotRun, EachFileGetsItsImageAndFailuresDoNotStopTheBatch) {
  Write("a.xy", "300 1 2\n1000 2 1\n");
  Write("bad.xy", "300 1 2\n400 x 1\n");
  const Result r = Run("--classic --output imgs --format png a.xy missing.xy bad.xy");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(fs::exists(dir.File("imgs/a.png")));
  EXPECT_FALSE(fs::exists(dir.File("imgs/missing.png")));
  EXPECT_TRUE(fs::exists(dir.File("imgs/bad.png")));  // as far as the data went
  EXPECT_NE(r.err.find("missing.xy: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("bad.xy:2: 'x' is not a valid floating point value"), std::string::npos)
      << r.err;
}

TEST_F(PlotRun, ATrailerAfterTheDataGivesTheGraphAndNamesItsLine) {
  Write("uv.csv",
        "\"Wavelength (nm)\",\"Abs\"\r\n300.0,0.5\r\n500.0,1.5\r\n700.0,2.5\r\n"
        "Collection Time: 3/14/2025\r\n");
  const Result r = Run("--classic --no-fit uv.csv");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "uv.csv:5: 'Collection' is not a valid floating point value\n"
            "uv.csv:5: not data; --find-data reads this file\n");
  // The curve from 300 to 700 nm is in the picture, 4/7 of the way along the axis.
  const auto cover = CurvesInFrame(Slurp(dir.File("uv.bmp")));
  ASSERT_FALSE(cover.columns.empty());
  EXPECT_EQ(*cover.columns.begin(), 70);
  EXPECT_NEAR(*cover.columns.rbegin(), 70 + 4 * 500 / 7, 1);
  // Read as an instrument file, the trailer is no error and the picture is the same.
  const Result found = Run("--classic --find-data --no-fit --output found.bmp uv.csv");
  EXPECT_EQ(found.status, 0);
  EXPECT_EQ(found.err, "");
  EXPECT_EQ(Slurp(dir.File("found.bmp")), Slurp(dir.File("uv.bmp")));
}

// What goes wrong is said of the file it concerns, at its line, in the terms of its content: a
// value too large for any picture, a logarithmic axis that cannot be, a note of the file before.
TEST_F(PlotRun, MessagesNameTheFileLineAndCause) {
  Write("p.txt", "1 1\n2 1E+38\n3 2\n");
  Write("q.txt", "head line\n1 1\n2 -1E+38\n3 2\n");
  Write("b.txt", "head line\n1 1\n2 abc\n3 2\n");
  Write("m.jdx",
        "##TITLE=a\n##JCAMP-DX=4.24\n##XYDATA=(XY..XY)\n1,2\n3,4\n##END=\n"
        "##TITLE=b\n##JCAMP-DX=4.24\n##XYDATA=(XY..XY)\n1,2\n3,4\n##END=\n");
  Write("empty.txt", "");
  const std::string log = "--set AxisY.Logarithmic=1 --set AxisY.Minimum=0 --no-fit ";
  const std::string linear =
      ": Axis Y is logarithmic, but From or To is not above zero: it is drawn linear\n";
  struct Case {
    std::string args;
    int status;
    std::string err;
  };
  for (const Case& c : std::vector<Case>{
           {"p.txt", 1, "p.txt:2: 1E+38 cannot be drawn\n"},
           {"--format svg q.txt", 1, "q.txt:3: -1E+38 cannot be drawn\n"},
           {"--scale 2 --format png q.txt", 1, "q.txt:3: -1E+38 cannot be drawn\n"},
           {"--format pdf b.txt", 1, "b.txt:3: 'abc' is not a valid floating point value\n"},
           {"--overlay --format svg q.txt b.txt", 1,
            "q.txt:3: -1E+38 cannot be drawn\nb.txt:3: 'abc' is not a valid floating point "
            "value\n"},
           {log + "b.txt", 1, "b.txt:3: 'abc' is not a valid floating point value\nb.txt" + linear},
           {log + "--format svg m.jdx", 0,
            "m.jdx: the file holds 2 blocks of data; the first is drawn\nm.jdx" + linear},
           // Symbols alone: the value fails where its symbol stands.
           {"--set Curve1.LineVisible=0 --set Curve1.SymbolVisible=1 --set Image.Smooth=0 q.txt", 1,
            "q.txt:3: -1E+38 cannot be drawn\n"},
           {"--set AxisX.Logarithmic=1 --set AxisX.Minimum=-1 " + log + "m.jdx", 0,
            "m.jdx: the file holds 2 blocks of data; the first is drawn\nm.jdx: Axis X is "
            "logarithmic, but From or To is not above zero: it is drawn linear; Axis Y is "
            "logarithmic, but From or To is not above zero: it is drawn linear\n"},
       }) {
    SCOPED_TRACE(c.args);
    const Result r = Run("--classic --output out " + c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.err, c.err);
  }
  // A scaled picture is cut where the one of scale 1 is, and says so; the style keeps its size.
  const Result cut =
      Run("--scale 2 --set Image.Width=2500 --set Image.Height=2100 --save-options s.ini "
          "--format png --output cut.png m.jdx");
  EXPECT_EQ(cut.err,
            "m.jdx: the file holds 2 blocks of data; the first is drawn\n"
            "cut.png: the picture is cut to 4000 x 4000 pixels, the largest of scale 1 "
            "(2000 x 2000) times 2\n");
  const std::string png = Slurp(dir.File("cut.png"));
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x0f\xa0\0\0\x0f\xa0", 8));  // 4000 x 4000
  // Twice the pixels to the metre, so that it prints at the size of scale 1.
  const std::size_t phys = png.find("pHYs");
  ASSERT_NE(phys, std::string::npos);
  EXPECT_EQ(png.substr(phys + 4, 9), std::string("\0\0\x1d\x88\0\0\x1d\x88\x01", 9));
  EXPECT_NE(Slurp(dir.File("s.ini")).find("Width=2500"), std::string::npos);
  ASSERT_EQ(Run("--scale 2 --output s2.bmp p.txt").status, 1);  // as far as the data went
  EXPECT_EQ(Slurp(dir.File("s2.bmp")).substr(38, 8), std::string("\x88\x1d\0\0\x88\x1d\0\0", 8));

  // A picture with another hard link is rewritten in place; its old content waits under a name
  // said before the rewrite starts, and is gone once it is done.
  Write("h.bmp", "the picture before");
  fs::create_hard_link(dir.File("h.bmp"), dir.File("h2.bmp"));
  const Result linked = Run("--output h.bmp --set Image.Width=40 m.jdx");
  EXPECT_NE(linked.err.find("h.bmp: rewriting it in place, as it has 2 hard links; its old content "
                            "is in h.bmp.bak until the new content is whole\n"),
            std::string::npos)
      << linked.err;
  EXPECT_EQ(Slurp(dir.File("h2.bmp")).substr(0, 2), "BM");
  EXPECT_FALSE(fs::exists(dir.File("h.bmp.bak")));

  // Each file of a batch starts afresh: the note of one is not said again of the next.
  const Result r = Run("--output out m.jdx empty.txt");
  EXPECT_EQ(r.err.find("blocks of data"), r.err.rfind("blocks of data")) << r.err;
  EXPECT_NE(r.err.find("m.jdx: the file holds 2"), std::string::npos) << r.err;
}

TEST_F(PlotRun, FitDrawsWhatTheStyleRangesWouldMiss) {
  Write("raman.txt", "#Laser=532 nm\n100\t1200\n520\t45000\n1000\t9000\n3200\t1500\n");
  ASSERT_EQ(Run("--classic --no-fit --output plain.bmp raman.txt").status, 0);
  EXPECT_TRUE(CurvesInFrame(Slurp(dir.File("plain.bmp"))).columns.empty());

  // Falling x keeps the rising axis; after --set, so the fit wins over a typed range.
  Write("ir.csv", "4000.0,90\n2000.0,40\n550.0,80\n");
  for (const char* file : {"raman.txt", "ir.csv"}) {
    SCOPED_TRACE(file);
    const Result r =
        Run(std::string("--classic --set AxisX.Minimum=7 --fit xy --output fit.bmp ") + file);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto cover = CurvesInFrame(Slurp(dir.File("fit.bmp")));
    EXPECT_GT(cover.columns.size(), 250u);  // more than half the axis length
    EXPECT_GT(cover.rows.size(), 140u);
  }

  // Only x: the y range stays the style's (-1..3), which these counts miss.
  ASSERT_EQ(Run("--classic --fit x --output x.bmp raman.txt").status, 0);
  EXPECT_TRUE(CurvesInFrame(Slurp(dir.File("x.bmp"))).columns.empty());
}

TEST_F(PlotRun, OverlayFitsOnceOverAllFiles) {
  Write("a.xy", "100 0\n200 10\n");
  Write("b.xy", "150 5 5\n400 50 50\n");
  const Result r = Run("--classic --fit xy --overlay --output all.bmp a.xy b.xy");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string bmp = Slurp(dir.File("all.bmp"));
  // x 100..400 over the 500 pixels: the second curve of b (the palette's second colour, as
  // the second curve after the first file's) begins a sixth of the way in.
  const auto second = CurvesInFrame(bmp, kurvex::kCurvePalette[1]);
  ASSERT_FALSE(second.columns.empty());
  EXPECT_NEAR(*second.columns.begin(), 70 + 500 / 6, 2);
  EXPECT_NEAR(*second.columns.rbegin(), 570, 1);  // a line leaves out its end point
}

TEST_F(PlotRun, ColumnsChooseXAndCurvesBeforeTheDrawing) {
  Write("idx.csv", "Nr;nm;Abs;Ref\r\n1;300,0;0,5;9\r\n2;301,0;0,6;8\r\n3;302,0\r\n");
  Result r = Run("--classic --columns 2,3 --print-data idx.csv");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "300.0 0.5\n301.0 0.6\n302.0\n");
  r = Run("--classic --columns 2,4,3 --print-data idx.csv");
  EXPECT_EQ(r.out, "300.0 9 0.5\n301.0 8 0.6\n302.0\n");
  // The short line keeps its number in the file.
  r = Run("--classic --columns 2,3 idx.csv");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "idx.csv:4: '' is not a valid floating point value\n"
            "idx.csv:4: not data; --find-data reads this file\n");
  EXPECT_EQ(Run("--columns 0,1 idx.csv").status, 2);
}

// Tables of every shape as the block finder reads them, and what kurvex-plot says of each:
// the columns it chose for the user, the rows it left out, and why a file gives no data.
TEST_F(PlotRun, TablesOfEveryShapeAndWhatTheReadingSays) {
  struct Case {
    const char* name;
    const char* file;
    const char* content;
    const char* args;
    int status;
    const char* out;
    const char* err;
  };
  const char* bwtek =
      "Pixel;Wavelength;Raman Shift;Dark;Raw data #1;Dark Subtracted #1;\r\n"
      "0;   ;   ;10,0;30,0;20,0;\r\n1;500,1;100,5;11,0;41,0;30,0;\r\n"
      "2;500,3;108,5;12,0;52,0;40,0;\r\n";
  const Case cases[] = {
      {"x chosen by the head", "b.csv", bwtek, "--find-data --print-data", 0,
       "nan 20.0\n100.5 30.0\n108.5 40.0\n",
       "b.csv: x: Raman Shift (column 3), y: Dark Subtracted #1 (column 6)\n"},
      {"the user's columns by name", "b.csv", bwtek,
       "--find-data --columns 'Raman Shift,Raw data #1' --print-data", 0,
       "nan 30.0\n100.5 41.0\n108.5 52.0\n", ""},
      {"the style's columns", "b.csv", bwtek,
       "--find-data --set Environment.XColumn=2 --set Environment.YColumns=4 --print-data", 0,
       "nan 10.0\n500.1 11.0\n500.3 12.0\n", ""},
      {"names in the plain reading", "n.txt", "x y z\n1 2 3\n4 5 6\n", "--columns z,x --print-data",
       0, "3 1\n6 4\n", ""},
      {"spectra in rows", "r.csv", "400,401,402\nA,1,2,3\nB,4,5,6\n", "--find-data --print-data", 0,
       "400 1 4\n401 2 5\n402 3 6\n", ""},
      {"tagged rows", "e.dat",
       "nm\nE 300 70 1 2\nE 310 70 3 4\ndpolE 300 70 5 6\ndpolE 310 70 7 8\n",
       "--find-data --print-data", 0, "300 70 1 2\n310 70 3 4\n",
       "e.dat: the rows tagged E are drawn; the file also holds dpolE\n"},
      {"a diffraction scan in XML", "s.xrdml",
       "<?xml version=\"1.0\"?><xrdMeasurements><xrdMeasurement><scan><dataPoints>"
       "<positions axis=\"2Theta\"><startPosition>10</startPosition><endPosition>12</endPosition>"
       "</positions><counts unit=\"counts\">5 6 7</counts></dataPoints></scan></xrdMeasurement>"
       "</xrdMeasurements>",
       "--find-data --print-data", 0, "10 5\n11 6\n12 7\n", ""},
      {"no block of two lines", "one.txt", "report\n42\n", "--find-data", 1, "",
       "one.txt: no data block\n"},
      {"a column the file lacks", "three.txt", "a b c\n1 2 3\n4 5 6\n", "--columns 5,2", 1, "",
       "three.txt: line 2 has 3 columns, column 5 was asked for\n"},
      {"a curve the file lacks", "three.txt", "1 2 3\n4 5 6\n", "--columns 1,5", 1, "",
       "three.txt: line 1 has 3 columns, column 5 was asked for\n"},
      {"a name the file lacks", "three.txt", "a,b,c\n1,2,3\n4,5,6\n", "--find-data --columns d,b",
       1, "", "three.txt: no column named 'd' (the columns are a, b, c)\n"},
      {"an empty file", "empty.txt", "", "", 1, "", "empty.txt: no data lines\n"},
      {"text only", "text.txt", "title\nno numbers\n", "", 1, "", "text.txt: no data lines\n"},
      {"missing values only", "nan.csv", "x,y\nNaN,NaN\n", "", 1, "", "nan.csv: no data lines\n"},
      {"an empty pipe", "pipe", nullptr, "", 1, "", "pipe: no data lines\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::thread writer;
    if (c.content != nullptr) {
      Write(c.file, c.content);
    } else {  // a named pipe whose writer closes it without a byte
      ASSERT_EQ(mkfifo(dir.File(c.file).c_str(), 0600), 0);
      writer = std::thread([path = dir.File(c.file)] { close(open(path.c_str(), O_WRONLY)); });
    }
    // The sample's style reads as the desktop does; the finder is asked for where it reads.
    const Result r = Run("--classic " + std::string(c.args) + " --output out " + c.file);
    if (writer.joinable()) writer.join();
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    // A file that cannot be read as asked draws no picture.
    if (c.status != 0) {
      EXPECT_FALSE(fs::exists(dir.File("out/" + fs::path(c.file).stem().string() + ".bmp")));
    }
  }
}

TEST_F(PlotRun, FilesAsEditorsAndWindowsProgramsWriteThem) {
  // Trailing blank lines are no data, so the file draws and prints without them.
  Write("t.xy", "300 1 2\r\n1000 2 1\r\n\r\n\t\r\n  \r\n");
  Result r = Run("--print-data t.xy");
  EXPECT_EQ(r.out, "300 1 2\n1000 2 1\n");
  EXPECT_EQ(Run("t.xy").status, 0);

  // UTF-16 in both byte orders, as Windows programs save text.
  const std::string text = "Run 7\r\n300\t1,5\r\n";
  std::string little = "\xFF\xFE", big = "\xFE\xFF";
  for (const char c : text) {
    little += {c, '\0'};
    big += {'\0', c};
  }
  Write("le.txt", little);
  Write("be.txt", big);
  r = Run("--classic --print-head --print-data le.txt be.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Run 7\n300 1.5\nRun 7\n300 1.5\n");
}

TEST_F(PlotRun, ABadOptionsFileStopsBeforeDrawing) {
  Write("style.ini", "[AxisX]\nMinimum=0;5\n");
  const Result r = Run("--options style.ini");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "style.ini: [AxisX] Minimum=0;5: '0;5' is not a valid floating point value\n");
  EXPECT_FALSE(fs::exists(dir.File("Demo1.bmp")));
}

TEST_F(PlotRun, SettingsAndSavedOptionsRoundTrip) {
  const Result r =
      Run("--set AxisX.Minimum=0.1 --set 'Text.Text=A|B' --save-options s.ini "
          "--output one.png");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir.File("one.png")));
  const std::string ini = Slurp(dir.File("s.ini"));
  EXPECT_NE(ini.find("Minimum=0.100000000000023"), std::string::npos);
  EXPECT_NE(ini.find("Text=A|B"), std::string::npos);
}

TEST_F(PlotRun, PrintingShowsTheCleanedDataAndHeadInsteadOfImages) {
  Write("h.txt", "Sample A\r\n  angle 70\r\n 300,5;0,93\r\n301,5;0,94\r\n");
  const Result r = Run("--print-head --print-data h.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Sample A\r\n  angle 70\n300.5 0.93\n301.5 0.94\n");
  EXPECT_FALSE(fs::exists(dir.File("h.bmp")));
}

TEST_F(PlotRun, OverlayWritesOneImage) {
  Write("a.xy", "300 1 2\n1000 2 1\n");
  Write("b.xy", "300 0 0\n1000 0 0\n");
  const Result r = Run("--overlay --output all.bmp a.xy b.xy");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir.File("all.bmp")));
  EXPECT_FALSE(fs::exists(dir.File("a.bmp")));
}

TEST_F(PlotRun, AStyleInCurvesOnlyModeStillGivesWholeGraphs) {
  Write("a.xy", "300 1 2\n1000 2 1\n");
  const Result r = Run("--set Environment.OnlyCurves=1 --output a.bmp a.xy");
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string bmp = Slurp(dir.File("a.bmp"));
  ASSERT_EQ(bmp.size(), 54u + 600u * 3u * 500u);
  // Bottom-up rows: image row 0 (the border) is the last row of the file.
  const std::size_t top = 54 + 499u * 600u * 3u;
  EXPECT_EQ(bmp.substr(top, 3), std::string(3, '\0'));
}

TEST_F(PlotRun, AnImageWrittenEarlierInTheRunIsNeverOverwritten) {
  fs::create_directories(dir.File("c1"));
  fs::create_directories(dir.File("c2"));
  Write("c1/run.xy", "300 1 2\n1000 2 1\n");
  Write("c2/run.xy", "300 0 0\n1000 0 0\n");
  Write("SbI3.xy", "300 1 2\n1000 2 1\n");
  Write("SbI3.xye", "300 0 0\n1000 0 0\n");
  const Result r = Run("--output out c1/run.xy c2/run.xy SbI3.xy SbI3.xye");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "c2/run.xy: image name out/run.bmp is already used by c1/run.xy\n"
            "SbI3.xye: image name out/SbI3.bmp is already used by SbI3.xy\n");
  EXPECT_TRUE(fs::exists(dir.File("out/run.bmp")));
  // The first picture is the one kept: c1's curves are not c2's flat lines.
  Run("--output first.bmp c1/run.xy");
  EXPECT_EQ(Slurp(dir.File("out/run.bmp")), Slurp(dir.File("first.bmp")));
}

TEST_F(PlotRun, FileErrorsGiveTheSystemsReason) {
  Write("a.xy", "300 1 2\n1000 2 1\n");
  Write("locked.bmp", "old");
  fs::permissions(dir.File("locked.bmp"), fs::perms::owner_read);
  const Result r = Run("--save-options no/such/dir.ini --output locked.bmp a.xy");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "no/such/dir.ini: Unable to write to no/such/dir.ini: No such file or directory\n"
            "a.xy: Unable to write to locked.bmp: Permission denied\n");
  EXPECT_EQ(Slurp(dir.File("locked.bmp")), "old");
  EXPECT_EQ(Run("--output out missing.xy").err, "missing.xy: No such file or directory\n");
  EXPECT_EQ(Run("--set Image.Width=-5 --output neg.png a.xy").err,
            "a.xy: Unable to write to neg.png: invalid image size -5 x 500\n");
}

TEST_F(PlotRun, OverlayOfUnreadableFilesWritesNothing) {
  const Result r = Run("--overlay --output all.bmp missing1.xy missing2.xy");
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(fs::exists(dir.File("all.bmp")));
}

TEST_F(PlotRun, UsageErrorsExitWithTwo) {
  const Result bad = Run("--set Image.Width=abc");
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("Image.Width=abc"), std::string::npos) << bad.err;
  EXPECT_FALSE(fs::exists(dir.File("Demo1.bmp")));
  EXPECT_EQ(Run("--output two.png a.xy b.xy").status, 2);
  EXPECT_FALSE(fs::exists(dir.File("two.png")));

  const Result r = Run("--format gif");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Usage: kurvex-plot"), std::string::npos);
  EXPECT_EQ(Run("--help").status, 0);
  EXPECT_EQ(Run("--version").out.substr(0, 12), "kurvex-plot ");
}

}  // namespace
