#pragma once

#include <string>

#include "graph/data/data_text.h"
#include "graph/data/numeric_columns.h"

namespace kurvex {

/// A data file as the drawing takes it, whatever its format.
struct LoadedData {
  PreparedData Prepared;     // the text the data view shows, the head text, the head's line count
  NumericColumns Columns;    // the numbers drawn
  bool SymbolsOnly = false;  // a table of peaks
  std::string Note;          // how the file was read, when the user should know
};

/// Reads the decoded text of a data file: a JCAMP-DX file (recognised by its content) through
/// its own decoder, anything else by the plain data rules.
LoadedData ReadDataText(std::string text);

}  // namespace kurvex
