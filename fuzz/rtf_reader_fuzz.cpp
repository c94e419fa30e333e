// Any bytes as a manual: the reader must neither crash nor break the promises of its result.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/utf8.h"
#include "rtf/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const kurvex::RtfDocument doc =
      kurvex::ParseRtf(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!kurvex::IsValidUtf8(doc.Text)) std::abort();
  std::size_t next = 0;
  for (std::size_t i = 0; i < doc.Runs.size(); ++i) {
    const kurvex::RtfRun& run = doc.Runs[i];
    if (run.Start != next || run.Length == 0) std::abort();
    if (i > 0 && run.Style == doc.Runs[i - 1].Style) std::abort();
    if (run.Style.FontSize < 0.5 || run.Style.FontSize > 1000) std::abort();
    if (run.Style.Color > 0xFFFFFF) std::abort();
    next += run.Length;
  }
  if (next != kurvex::Utf8Length(doc.Text)) std::abort();
  if (doc.Paragraphs.empty() != doc.Text.empty()) std::abort();
  for (std::size_t i = 0; i < doc.Paragraphs.size(); ++i) {
    const kurvex::RtfParagraphs& p = doc.Paragraphs[i];
    if ((p.Start == 0) != (i == 0) || p.Start >= next) std::abort();
    if (i > 0 && (p.Start <= doc.Paragraphs[i - 1].Start || p.Style == doc.Paragraphs[i - 1].Style))
      std::abort();
  }
  return 0;
}
