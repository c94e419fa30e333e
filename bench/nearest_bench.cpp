// The readout's search for the data point nearest the pointer with a million-line file: the
// index built once after a full redraw, then one search per pointer move (target: under 1 ms).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "graph/axis_fit.h"
#include "graph/data/data_text.h"
#include "graph/nearest_point.h"

namespace {

// Two smooth curves over a million lines, every thousandth y value a gap.
const kurvex::NumericColumns& MillionRows() {
  static const kurvex::NumericColumns columns = [] {
    std::string text;
    text.reserve(40u * 1000000u);
    char line[96];
    for (int i = 0; i < 1000000; ++i) {
      const double x = 300.0 + 700.0 * i / 999999.0;
      const int n =
          i % 1000 == 999
              ? std::snprintf(line, sizeof line, "%.5f NaN %.5f\n", x, 0.5 * std::cos(x / 70.0))
              : std::snprintf(line, sizeof line, "%.5f %.5f %.5f\n", x,
                              1.0 + 0.8 * std::sin(x / 50.0), 0.5 * std::cos(x / 70.0));
      text.append(line, static_cast<std::size_t>(n));
    }
    return kurvex::NumericColumns(kurvex::DataText(std::move(text)),
                                  kurvex::MissingValues::kAreGaps);
  }();
  return columns;
}

struct Drawing {
  kurvex::GraphModel Model = kurvex::StartModel();
  kurvex::DrawingState State;
  Drawing() {
    kurvex::FitModelAxes(kurvex::MeasureData(MillionRows()), true, true, Model);
    State.OriginX = Model.AxisX.Left;
    State.OriginY = Model.ImageHeight - Model.AxisY.Bottom;
  }
};

void BM_NearestIndexMillionRows(benchmark::State& state) {
  const Drawing drawing;
  for (auto _ : state) {
    const kurvex::NearestPointIndex index(MillionRows(), drawing.Model, drawing.State);
    benchmark::DoNotOptimize(index.Size());
  }
}
BENCHMARK(BM_NearestIndexMillionRows)->Unit(benchmark::kMillisecond);

// The pointer sweeps the whole image, on curves and between them.
void BM_NearestSearchMillionRows(benchmark::State& state) {
  const Drawing drawing;
  const kurvex::NearestPointIndex index(MillionRows(), drawing.Model, drawing.State);
  int x = 0, y = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(index.Nearest(x, y));
    x = (x + 7) % drawing.Model.ImageWidth;
    if (x < 7) y = (y + 5) % drawing.Model.ImageHeight;
  }
}
BENCHMARK(BM_NearestSearchMillionRows)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
