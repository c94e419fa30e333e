// Image formats of kurvex-plot: which --output paths name an image, and SVG/PDF from the program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/plot_options.h"
#include "common/temp_dir.h"
#include "support/expect_message.h"

namespace kurvex {
namespace {

TEST(PlotFormats, OnlyImageExtensionsNameAnImageAndGiveItsFormat) {
  struct Case {
    std::vector<std::string> args;
    std::string path;    // where one.xy's picture goes
    std::string format;  // its format
  };
  const std::vector<Case> cases = {
      {{"--output", "g.svg", "one.xy"}, "g.svg", "svg"},
      {{"--output", "out/G.PDF", "one.xy"}, "out/G.PDF", "pdf"},
      {{"--format", "pdf", "--output", "g.pdf", "one.xy"}, "g.pdf", "pdf"},
      {{"--output", "run.v2", "one.xy"}, "run.v2/one.bmp", "bmp"},
      {{"--format", "svg", "--output", "run.v2", "one.xy"}, "run.v2/one.svg", "svg"},
      {{"--format", "pdf", "one.xy"}, "one.pdf", "pdf"},
  };
  for (const Case& c : cases) {
    const PlotOptions o = ParsePlotArguments(c.args);
    EXPECT_EQ(ImagePathFor(o, "one.xy"), c.path) << c.args[1];
    EXPECT_EQ(ImageFormatFor(o, c.path), c.format) << c.args[1];
  }
}

TEST(PlotFormats, AnExtensionThatDisagreesWithFormatIsAUsageError) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {{"--format", "png", "--output", "g.svg", "a.xy"},
       "--output g.svg names a svg image, but --format is png"},
      {{"--output", "g.pdf", "--format", "bmp"},
       "--output g.pdf names a pdf image, but --format is bmp"},
      {{"--format", "eps"}, "--format must be bmp, png, svg or pdf, got 'eps'"},
  };
  for (const Case& c : cases) {
    EXPECT_THROW_MESSAGE(ParsePlotArguments(c.args), std::invalid_argument, c.message);
  }
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

int RunPlot(const test::TempDir& dir, const std::string& args) {
  const std::string cmd =
      "cd '" + dir.Path() + "' && '" KURVEX_PLOT "' " + args + " >out.txt 2>err.txt";
  const int raw = std::system(cmd.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(PlotFormats, WritesSvgAndPdfDocumentsOfTheImageSize) {
  test::TempDir dir;
  std::ofstream(dir.File("a.xy")) << "300 1 0\n650 2 1\n1000 0 -1\n";
  std::ofstream(dir.File("b.xy")) << "300 2 1\n1000 1 2\n";
  ASSERT_EQ(RunPlot(dir, "--output g.svg a.xy"), 0) << Slurp(dir.File("err.txt"));
  const std::string svg = Slurp(dir.File("g.svg"));
  EXPECT_NE(svg.find("width=\"600px\" height=\"500px\""), std::string::npos) << svg.substr(0, 300);
  ASSERT_EQ(RunPlot(dir, "--format pdf --overlay --output both.pdf a.xy b.xy"), 0);
  const std::string pdf = Slurp(dir.File("both.pdf"));
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_NE(pdf.find("/MediaBox [ 0 0 450 375 ]"), std::string::npos);  // 6.25 x 5.21 in
  EXPECT_EQ(RunPlot(dir, "--format png --output g.pdf a.xy"), 2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("a.png")));
}

}  // namespace
}  // namespace kurvex
