#pragma once

#include "graph/data/data_text.h"

namespace kurvex {

/// Whether drawing the data text would convert every field it reads: the x and the y fields
/// of the first line's curve count on every line, and at least one line. A file caught half
/// written fails here instead of part way through a drawing.
bool DataConvertsCompletely(const DataText& data);

}  // namespace kurvex
