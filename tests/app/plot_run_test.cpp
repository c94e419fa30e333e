// Runs the real kurvex-plot program in a temporary folder.
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
  r = Run("--print-head --print-data le.txt be.txt");
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
