#pragma once

#include <string>
#include <vector>

#include "graph/data/loaded_types.h"

namespace kurvex {

/// Reads the decoded text of a data file: a JCAMP-DX file (recognised by its content) through
/// its own decoder, anything else by the data rules.
LoadedData ReadDataText(std::string text, const DataRules& rules = {});

/// The data text of numbers kept without their text: the lines before a reader's stop, x and
/// the curves one blank apart, shortest round-trip form, a gap as "nan".
DataText ColumnsText(const NumericColumns& columns);

}  // namespace kurvex
