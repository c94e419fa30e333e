// Reading a 50 MB manual must take well under a second, whatever mix of text and markup it holds.

#include <benchmark/benchmark.h>

#include <string>

#include "rtf/rtf_reader.h"

namespace {

constexpr std::size_t kBytes = 50u << 20;

std::string Repeated(const std::string& header, const std::string& body) {
  std::string rtf = header;
  rtf.reserve(kBytes + body.size() + 2);
  while (rtf.size() < kBytes) rtf += body;
  return rtf + "}";
}

// What a word processor writes: paragraphs of accented text, formatting, topics, pictures.
const std::string& Manual() {
  static const std::string rtf = Repeated(
      "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}"
      "{\\f1\\froman\\fcharset0 Times New Roman;}}{\\colortbl;\\red0\\green0\\blue255;}"
      "{\\*\\generator Writer}\\uc1\\pard\\f0\\fs20 ",
      "{\\b\\fs28\\cf1 \\'85Osi a mierky}\\par\r\nV\\'fdber osi X ur\\'e8uje rozsah "
      "hodn\\'f4t, ktor\\'e9 sa zobrazia; \\u268?iarky a {\\i popisy} sa menia "
      "okam\\'9eite.\\par\r\n"
      "{\\*\\shppict{\\pict\\pngblip\\picw10\\pich10 89504e470d0a1a0a0000000d4948445200000010}}"
      "\\tab Plain text that goes on for a while without any markup at all, as most of a "
      "manual does.\\line\r\n");
  return rtf;
}

// Markup only: a control word or group every few bytes.
const std::string& Dense() {
  static const std::string rtf =
      Repeated("{\\rtf1 ", "{\\b a}\\i0\\'e8\\u8230?\\fs21{\\*\\x y}\\cf0 \\par ");
  return rtf;
}

void Read(benchmark::State& state, const std::string& rtf) {
  for (auto _ : state) benchmark::DoNotOptimize(kurvex::ParseRtf(rtf));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(rtf.size()));
}

void BM_ReadManual50MB(benchmark::State& state) {
  Read(state, Manual());
}
BENCHMARK(BM_ReadManual50MB)->Unit(benchmark::kMillisecond);

void BM_ReadDenseMarkup50MB(benchmark::State& state) {
  Read(state, Dense());
}
BENCHMARK(BM_ReadDenseMarkup50MB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
