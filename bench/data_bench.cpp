// Loading a large data file: the clean-up must cost little next to reading the file at all.
// Run each benchmark alone (--benchmark_filter) to read its own peak memory.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_file.h"
#include "graph/data/data_text.h"
#include "graph/graph_engine.h"
#include "graph/model.h"

namespace {

constexpr int kLines = 1'000'000;

// A spectrum of a million rows, written once per machine and reused by later runs.
const std::string& DataFile(bool decimalCommas) {
  static const std::string points = "/tmp/kurvex-bench-1M.txt";
  static const std::string commas = "/tmp/kurvex-bench-1M-commas.txt";
  const std::string& path = decimalCommas ? commas : points;
  if (std::ifstream(path).good()) return path;
  std::string text;
  text.reserve(static_cast<std::size_t>(kLines) * 32);
  char line[96];
  for (int i = 0; i < kLines; ++i) {
    const double x = 300.0 + i * 0.0007;
    std::snprintf(line, sizeof line, decimalCommas ? "%.5f;%.5f;%.5f\r\n" : "%.5f %.5f %.5f\r\n", x,
                  0.9 + 1e-6 * i, -0.16 - 1e-7 * i);
    if (decimalCommas) {
      for (char* p = line; *p != '\0'; ++p) {
        if (*p == '.') *p = ',';
      }
    }
    text += line;
  }
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

void ReportMemory(benchmark::State& state, std::size_t fileBytes) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  state.counters["file_MB"] = static_cast<double>(fileBytes) / (1024.0 * 1024.0);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fileBytes));
}

// The floor: the bytes of the file and a view of each line.
void BM_ReadAndSplitLines(benchmark::State& state) {
  const std::string& path = DataFile(false);
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(0, std::ios::end);
    std::string text(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
      const void* hit = std::memchr(text.data() + start, '\n', text.size() - start);
      const std::size_t end =
          hit != nullptr ? static_cast<const char*>(hit) - text.data() : text.size();
      lines.emplace_back(text.data() + start, end - start);
      start = end + 1;
    }
    benchmark::DoNotOptimize(lines.data());
    bytes = text.size();
  }
  ReportMemory(state, bytes);
}

// What loading a data file does before drawing: read, decode, prepare.
void LoadAndPrepare(benchmark::State& state, bool decimalCommas) {
  const std::string& path = DataFile(decimalCommas);
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::optional<std::string> text = kurvex::ReadTextFile(path);
    bytes = text->size();
    kurvex::PreparedData prepared = kurvex::PrepareDataText(std::move(*text));
    benchmark::DoNotOptimize(prepared.Data.LineCount());
  }
  ReportMemory(state, bytes);
}

void BM_LoadAndPrepare(benchmark::State& state) {
  LoadAndPrepare(state, false);
}

// The two halves of the above, to see where the time goes.
void BM_ReadTextFileOnly(benchmark::State& state) {
  const std::string& path = DataFile(false);
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::optional<std::string> text = kurvex::ReadTextFile(path);
    bytes = text->size();
    benchmark::DoNotOptimize(text->data());
  }
  ReportMemory(state, bytes);
}

void BM_PrepareOnly(benchmark::State& state) {
  const std::string text = *kurvex::ReadTextFile(DataFile(false));
  for (auto _ : state) {
    state.PauseTiming();
    std::string copy = text;
    state.ResumeTiming();
    kurvex::PreparedData prepared = kurvex::PrepareDataText(std::move(copy));
    benchmark::DoNotOptimize(prepared.Data.LineCount());
  }
  ReportMemory(state, text.size());
}

void BM_LoadAndPrepareDecimalCommas(benchmark::State& state) {
  LoadAndPrepare(state, true);
}

// A data file that is all head text (no number line), `megabytes` long: lines of words with
// a tab now and then, as a log or a text file picked by mistake. Written once per machine.
const std::string& HeadOnlyFile(std::size_t megabytes) {
  static std::string path;
  path = "/tmp/kurvex-bench-head-" + std::to_string(megabytes) + "MB.txt";
  const std::size_t size = megabytes << 20;
  if (std::ifstream in(path, std::ios::binary | std::ios::ate);
      in && in.tellg() >= 0 && static_cast<std::size_t>(in.tellg()) == size) {
    return path;
  }
  std::ofstream out(path, std::ios::binary);
  std::string block;
  for (int i = 0; block.size() < (1u << 20); ++i) {
    block += "Sample " + std::to_string(i) + "\tmeasured at 70 degrees, see the remarks of run " +
             std::to_string(i * 7) + "\n";
  }
  block.resize(1u << 20);
  block.back() = '\n';
  for (std::size_t i = 0; i < megabytes; ++i)
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
  return path;
}

// Loading such a file with the graph shown: read, prepare and draw the text block. Time and
// memory must stay near those of reading the file, whatever its size.
void BM_LoadHeadOnlyFile(benchmark::State& state) {
  const auto megabytes = static_cast<std::size_t>(state.range(0));
  const std::string& path = HeadOnlyFile(megabytes);
  kurvex::GraphEngine engine;
  kurvex::ApplyStartValues(engine.Model);
  engine.PaintEnabled = true;
  for (auto _ : state) {
    benchmark::DoNotOptimize(engine.LoadDataFile(path));
    benchmark::DoNotOptimize(engine.TextBlockLines().size());
  }
  ReportMemory(state, megabytes << 20);
}

BENCHMARK(BM_ReadAndSplitLines)->Unit(benchmark::kMillisecond);
// Run the 2 GB case alone for its peak memory: --benchmark_filter=BM_LoadHeadOnlyFile/2048
BENCHMARK(BM_LoadHeadOnlyFile)->Arg(20)->Arg(2048)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_LoadAndPrepare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndPrepareDecimalCommas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTextFileOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrepareOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
