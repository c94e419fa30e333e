#include "graph/data/data_check.h"

#include "common/error.h"

namespace kurvex {

bool DataConvertsCompletely(const DataText& data) {
  if (data.Empty()) return false;
  try {
    const int curves = CountCurves(data);
    for (std::size_t r = 1, lines = data.LineCount(); r < lines; ++r) {
      std::string_view rest = data.Line(r);
      for (int field = 0; field <= curves; ++field) ConvertField(NextField(rest));
    }
  } catch (const Error&) {
    return false;
  }
  return true;
}

}  // namespace kurvex
