// Runs the real kurvex-plot program in a temporary folder and reads the pictures it writes.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "common/temp_dir.h"
#include "graph/model.h"

namespace kurvex::test {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

/// Columns and rows of the plot frame of the start style that hold a curve's colour.
struct CurveCover {
  std::set<int> columns;
  std::set<int> rows;
};

/// Reads a 24-bit bitmap of the start style (600 x 500) and finds the pixels of the curves
/// drawn as lines (their colours differ from axes and background) inside the plot frame; with
/// `only`, the pixels of that colour.
inline CurveCover CurvesInFrame(const std::string& bmp, std::optional<TColor> only = {}) {
  GraphModel m;
  ApplyStartValues(m);
  CurveCover cover;
  const int w = m.ImageWidth;
  const int h = m.ImageHeight;
  const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
  if (bmp.size() < 54 + stride * h) return cover;
  const int originY = h - m.AxisY.Bottom;
  for (int y = originY - m.AxisY.Length; y <= originY; ++y) {
    for (int x = m.AxisX.Left; x <= m.AxisX.Left + m.AxisX.Length; ++x) {
      const std::size_t at = 54 + (h - 1 - y) * stride + x * 3;
      const auto byte = [&](std::size_t i) { return static_cast<TColor>(uint8_t(bmp[at + i])); };
      const TColor color = byte(0) << 16 | byte(1) << 8 | byte(2);
      if (only) {  // any colour asked for, also one no curve of the style has
        if (color == *only) {
          cover.columns.insert(x);
          cover.rows.insert(y);
        }
        continue;
      }
      for (int k = 1; k <= kCurveCount; ++k) {
        const TColor c = m.Curve[k].Color;
        if (!m.Curve[k].LineVisible || c != color) continue;
        cover.columns.insert(x);
        cover.rows.insert(y);
      }
    }
  }
  return cover;
}

class PlotRun : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& content) {
    std::ofstream(dir.File(name), std::ios::binary) << content;
  }

  /// Runs `program` (the built kurvex-plot unless given) with the arguments in the folder.
  Result Run(const std::string& args, const std::string& program = KURVEX_PLOT) {
    const std::string cmd =
        "cd '" + dir.Path() + "' && '" + program + "' " + args + " >out.txt 2>err.txt";
    Result r;
    const int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = Slurp(dir.File("out.txt"));
    r.err = Slurp(dir.File("err.txt"));
    return r;
  }

  TempDir dir;
};

}  // namespace kurvex::test
