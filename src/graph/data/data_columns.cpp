#include "graph/data/data_columns.h"

#include <algorithm>

namespace kurvex {

std::string SelectColumns(const DataText& data, const std::vector<int>& columns) {
  const int needed = columns.empty() ? 0 : *std::max_element(columns.begin(), columns.end());
  std::vector<std::string_view> fields;
  std::string out;
  for (std::size_t r = 0, lines = data.LineCount(); r < lines; ++r) {
    std::string_view rest = data.Line(r);
    fields.clear();
    while (!rest.empty() && static_cast<int>(fields.size()) < needed) {
      fields.push_back(NextField(rest));
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const auto column = static_cast<std::size_t>(columns[i]);
      if (column < 1 || column > fields.size()) break;
      if (i > 0) out += ' ';
      out += fields[column - 1];
    }
    out += '\n';
  }
  return out;
}

}  // namespace kurvex
