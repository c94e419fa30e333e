// Processing a million unevenly spaced points (normalise, baseline, Savitzky-Golay; target
// 30 ms), and the million-line redraw with processing on, which draws a copy made once.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "graph/graph_engine.h"
#include "graph/model.h"
#include "graph/process/process_columns.h"
#include "million_lines.h"

namespace {

using kurvex::bench::MillionLineFile;

constexpr int kPoints = 1000000;

kurvex::NumericColumns UnevenSpectrum() {
  std::vector<double> x(kPoints), y(kPoints);
  double v = 400;
  for (int i = 0; i < kPoints; ++i) {
    x[i] = v;
    v += 0.0036 * (1 + 0.4 * std::sin(0.37 * i));
    y[i] = 0.2 + 1e-4 * v + std::exp(-(v - 1500) * (v - 1500) / 800) + 0.01 * std::sin(3.1 * i);
  }
  return kurvex::NumericColumns(std::move(x), std::move(y));
}

kurvex::TProcessing Steps(int baseline) {
  kurvex::TProcessing p;
  p.Normalize = static_cast<int32_t>(kurvex::NormalizeTo::kMaximum);
  p.Baseline = baseline;
  p.BaselineDegree = 3;
  p.BaselinePoints = {500, 900, 2000, 3000, 3800};
  p.Smooth = true;
  p.SmoothWindow = 11;
  p.SmoothOrder = 2;
  return p;
}

// Argument: the baseline (2 polynomial through marks, 3 lower hull).
void BM_ProcessMillionUnevenPoints(benchmark::State& state) {
  const kurvex::NumericColumns read = UnevenSpectrum();
  const kurvex::TProcessing p = Steps(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(kurvex::ProcessColumns(read, p));
}
BENCHMARK(BM_ProcessMillionUnevenPoints)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// The style changes but the processing does not: the processed copy is drawn as it is
// (target: 50 ms, as the redraw without processing).
void BM_RedrawMillionLinesProcessed(benchmark::State& state) {
  kurvex::GraphEngine engine;
  kurvex::ApplyStartValues(engine.Model);
  engine.Model.Processing = Steps(3);
  engine.LoadDataFile(MillionLineFile());
  engine.PaintEnabled = true;
  for (auto _ : state) engine.RepaintGraph();
}
BENCHMARK(BM_RedrawMillionLinesProcessed)->Unit(benchmark::kMillisecond);

// A processing key changes at each redraw: the copy is made again, then drawn.
void BM_RedrawMillionLinesReprocessed(benchmark::State& state) {
  kurvex::GraphEngine engine;
  kurvex::ApplyStartValues(engine.Model);
  engine.Model.Processing = Steps(3);
  engine.LoadDataFile(MillionLineFile());
  engine.PaintEnabled = true;
  int n = 0;
  for (auto _ : state) {
    engine.Model.Processing.Offset = ++n % 2;
    engine.RepaintGraph();
  }
}
BENCHMARK(BM_RedrawMillionLinesReprocessed)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
