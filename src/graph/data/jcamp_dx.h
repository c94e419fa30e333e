#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graph/data/jcamp_data.h"

namespace kurvex {

/// True when the text starts with "##TITLE=" after blanks and line breaks (a UTF-8 BOM already
/// removed by the caller). The label is compared the way JCAMP-DX compares labels, so
/// "## Title =" counts too.
bool LooksLikeJcampDx(std::string_view text);

/// Decodes the spectrum of a file: the first block holding ##XYDATA=, ##XYPOINTS= or
/// ##NTUPLES= (a peak table only when no block holds more), in AFFN or any ASDF form, with the
/// DIF y check and a loose check of each line's x. The pages of an ##NTUPLES= table that share
/// their x (real and imaginary) become curves; other pages are counted. Never throws on bad
/// input; the points are bounded by ##NPOINTS= and by the size of the text.
JcampDxData ReadJcampDx(std::string_view text);

}  // namespace kurvex
