#pragma once

#include <string_view>

#include "graph/data/jcamp_data.h"
#include "graph/data/jcamp_records.h"

namespace kurvex::jcamp {

/// Decodes the ##NTUPLES= table of `block` whose page `first` was chosen: the pages that share
/// its x (an NMR spectrum's real and imaginary parts) as curves, the others only counted.
void DecodeNtuples(std::string_view text, const Block& block, const Table& first, JcampDxData& out);

}  // namespace kurvex::jcamp
