// Any bytes as an options file: loaded into a graph, saved over itself the way a save keeps
// the keys it does not own, and loaded again. The second load must not fail and must give
// the graph of the first: whatever a load accepts, a save writes back so that it reads the same.

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/error.h"
#include "common/ini_file.h"
#include "fuzz_check.h"
#include "graph/model.h"
#include "graph/style_sections.h"

namespace {

// The graph of a load as the engine starts it (zeros, every section read); false when a value
// failed to convert.
bool Load(const kurvex::ProfileFile& file, kurvex::AfterFailure after, kurvex::GraphModel& model) {
  model = kurvex::GraphModel();
  model.LoadAllOptions = true;
  try {
    kurvex::LoadOptionsFile(model, file, after);
  } catch (const kurvex::Error&) {
    return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
  const auto after =
      size % 2 == 0 ? kurvex::AfterFailure::kKeepPrevious : kurvex::AfterFailure::kDefaults;
  const kurvex::ProfileFile file =
      kurvex::ProfileFile::FromBytes(std::string(reinterpret_cast<const char*>(bytes), size));
  kurvex::GraphModel first;
  const bool loaded = Load(file, after, first);

  // The profile's own text reads as the profile did.
  kurvex::GraphModel reread;
  Check(Load(kurvex::ProfileFile::FromBytes(file.ToText()), after, reread) == loaded);
  Check(reread == first);

  kurvex::ProfileFile saved = file;
  kurvex::WriteOptionsSections(first, saved);
  kurvex::GraphModel second;
  Check(Load(kurvex::ProfileFile::FromBytes(saved.ToText()), after, second));
  // A save never writes the curves font; the file keeps its own, which a failed first load
  // may not have reached.
  if (!loaded) second.CurvesFont = first.CurvesFont;
  Check(second == first);
  return 0;
}
