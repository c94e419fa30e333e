// Picture files of the default graph: PNG encoding against the BMP it must keep pace with, and
// the vector documents.
#include <benchmark/benchmark.h>

#include "graph/graph_engine.h"
#include "graph/graph_image.h"
#include "graph/model.h"

namespace {

kurvex::GraphEngine& DrawnEngine() {
  static kurvex::GraphEngine engine = [] {
    kurvex::GraphEngine e;
    kurvex::ApplyStartValues(e.Model);
    e.PaintEnabled = true;
    e.RepaintGraph();
    return e;
  }();
  return engine;
}

void BM_GraphImageBytes(benchmark::State& state, kurvex::ImageFormat format) {
  kurvex::GraphEngine& engine = DrawnEngine();
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = kurvex::GraphImageBytes(engine, format).size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["file_KB"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK_CAPTURE(BM_GraphImageBytes, bmp, kurvex::ImageFormat::kBmp)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GraphImageBytes, png, kurvex::ImageFormat::kPng)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GraphImageBytes, svg, kurvex::ImageFormat::kSvg)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GraphImageBytes, pdf, kurvex::ImageFormat::kPdf)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
