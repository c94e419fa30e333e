// Spectra as instruments export them, drawn fitted to their data.
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "app/plot_run.h"

namespace kurvex::test {
namespace {

namespace fs = std::filesystem;

// A graph is usable when the picture is written and its curves lie inside the plot frame,
// across at least half of its width and a tenth of its height.
bool Usable(const std::string& bmp) {
  const CurveCover cover = CurvesInFrame(bmp);
  GraphModel m;
  ApplyStartValues(m);
  return 2 * cover.columns.size() >= static_cast<std::size_t>(m.AxisX.Length) &&
         10 * cover.rows.size() >= static_cast<std::size_t>(m.AxisY.Length);
}

const char* Setting(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : fallback;
}

// Set KURVEX_PLOT_UNDER_TEST to count for another build of the program and KURVEX_PLOT_ARGS
// for other arguments than "--classic --fit xy"; the expectations hold only for this build as
// it is.
TEST_F(PlotRun, InstrumentFilesDrawUsableGraphsWhenFitted) {
  const std::string program = Setting("KURVEX_PLOT_UNDER_TEST", KURVEX_PLOT);
  const std::string args = Setting("KURVEX_PLOT_ARGS", "--classic --fit xy");
  const bool measuring = program != KURVEX_PLOT || args != "--classic --fit xy";
  // Head lines that begin with a digit (a date, "2Theta") start the data too early.
  const std::set<std::string> unusable = {"spectrometer_dated_head.txt", "xrd_anatase.xy"};

  std::set<std::string> files;
  for (const auto& entry : fs::directory_iterator(KURVEX_INSTRUMENT_FILES)) {
    files.insert(entry.path().filename().string());
  }
  ASSERT_GE(files.size(), 10u);
  int usable = 0;
  for (const std::string& file : files) {
    const Result r =
        Run(args + " --output picture.bmp '" KURVEX_INSTRUMENT_FILES "/" + file + "'", program);
    const bool ok = Usable(Slurp(dir.File("picture.bmp")));
    fs::remove(dir.File("picture.bmp"));
    usable += ok;
    std::printf("%-34s exit %d  %s\n", file.c_str(), r.status, ok ? "usable" : "NOT usable");
    if (!measuring) {
      EXPECT_EQ(ok, !unusable.contains(file)) << file << ": " << r.err;
    }
  }
  std::printf("usable graphs: %d of %zu\n", usable, files.size());
}

}  // namespace
}  // namespace kurvex::test
