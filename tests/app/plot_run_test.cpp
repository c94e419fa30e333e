// Runs the real kurvex-plot program in a temporary folder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class PlotRun : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& content) {
    std::ofstream(dir.File(name), std::ios::binary) << content;
  }

  Result Run(const std::string& args) {
    const std::string cmd =
        "cd '" + dir.Path() + "' && '" KURVEX_PLOT "' " + args + " >out.txt 2>err.txt";
    Result r;
    const int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = Slurp(dir.File("out.txt"));
    r.err = Slurp(dir.File("err.txt"));
    return r;
  }

  kurvex::test::TempDir dir;
};

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
  const Result r = Run("--output imgs --format png a.xy missing.xy bad.xy");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(fs::exists(dir.File("imgs/a.png")));
  EXPECT_FALSE(fs::exists(dir.File("imgs/missing.png")));
  EXPECT_FALSE(fs::exists(dir.File("imgs/bad.png")));
  EXPECT_NE(r.err.find("missing.xy: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("bad.xy: 'x' is not a valid floating point value"), std::string::npos)
      << r.err;
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

TEST_F(PlotRun, WriteErrorsGiveTheSystemsReason) {
  Write("a.xy", "300 1 2\n1000 2 1\n");
  Write("locked.bmp", "old");
  fs::permissions(dir.File("locked.bmp"), fs::perms::owner_read);
  const Result r = Run("--save-options no/such/dir.ini --output locked.bmp a.xy");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "no/such/dir.ini: Unable to write to no/such/dir.ini: No such file or directory\n"
            "a.xy: Unable to write to locked.bmp: Permission denied\n");
  EXPECT_EQ(Slurp(dir.File("locked.bmp")), "old");
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
