#pragma once

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

namespace kurvex::bench {

/// A data file of a million lines (x from 300 to 1000 and two smooth curves), written once a
/// run into /tmp: the big file the drawing benchmarks load.
inline const std::string& MillionLineFile() {
  static const std::string path = [] {
    const std::string p = "/tmp/kurvex_bench_render_1m.txt";
    std::ofstream out(p, std::ios::binary);
    char line[96];
    for (int i = 0; i < 1000000; ++i) {
      const double x = 300.0 + 700.0 * i / 999999.0;
      const int n = std::snprintf(line, sizeof line, "%.5f %.5f %.5f\n", x,
                                  1.0 + 0.8 * std::sin(x / 50.0), 0.5 * std::cos(x / 70.0));
      out.write(line, n);
    }
    return p;
  }();
  return path;
}

}  // namespace kurvex::bench
