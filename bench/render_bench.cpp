// Redraw speed: the default graph, and load + draw of a million-line data file against the
// floor of reading and splitting that file.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "graph/axis_fit.h"
#include "graph/graph_engine.h"
#include "graph/model.h"
#include "million_lines.h"

namespace {

using kurvex::bench::MillionLineFile;

void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

kurvex::GraphEngine& DefaultEngine() {
  static kurvex::GraphEngine engine = [] {
    kurvex::GraphEngine e;
    kurvex::ApplyStartValues(e.Model);
    e.PaintEnabled = true;
    return e;
  }();
  return engine;
}

void BM_FullRedrawDefaultGraph(benchmark::State& state) {
  kurvex::GraphEngine& engine = DefaultEngine();
  engine.RepaintGraph();  // warm the glyph cache
  for (auto _ : state) {
    engine.RepaintGraph();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FullRedrawDefaultGraph)->Unit(benchmark::kMicrosecond);

void BM_BaselineReadAndSplitMillionLines(benchmark::State& state) {
  const std::string& path = MillionLineFile();
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    std::vector<std::string_view> lines;
    std::string_view rest = text;
    for (auto pos = rest.find('\n'); pos != std::string_view::npos; pos = rest.find('\n')) {
      lines.push_back(rest.substr(0, pos));
      rest.remove_prefix(pos + 1);
    }
    benchmark::DoNotOptimize(lines.data());
  }
}
BENCHMARK(BM_BaselineReadAndSplitMillionLines)->Unit(benchmark::kMillisecond);

void BM_LoadAndDrawMillionLines(benchmark::State& state) {
  const std::string& path = MillionLineFile();
  kurvex::GraphEngine engine;
  kurvex::ApplyStartValues(engine.Model);
  for (auto _ : state) {
    engine.PaintEnabled = false;
    engine.LoadDataFile(path);
    engine.PaintEnabled = true;
    engine.RepaintGraph();
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_LoadAndDrawMillionLines)->Unit(benchmark::kMillisecond);

// A style change with a million-line file loaded: the desktop redraws from the numbers
// converted at load (target: 25 ms).
void BM_RedrawMillionLines(benchmark::State& state) {
  kurvex::GraphEngine engine;
  kurvex::ApplyStartValues(engine.Model);
  engine.LoadDataFile(MillionLineFile());
  engine.PaintEnabled = true;
  for (auto _ : state) engine.RepaintGraph();
}
BENCHMARK(BM_RedrawMillionLines)->Unit(benchmark::kMillisecond);

// Fitting both axes reads every field once more: it should cost less than the drawing.
void BM_FitAxesMillionLines(benchmark::State& state) {
  kurvex::GraphEngine engine;
  engine.LoadDataFile(MillionLineFile());
  for (auto _ : state) {
    benchmark::DoNotOptimize(kurvex::FitAxesToData(engine.Data()));
  }
}
BENCHMARK(BM_FitAxesMillionLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
