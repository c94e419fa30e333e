#pragma once

#include <string>
#include <vector>

#include "graph/data/column_request.h"
#include "graph/data/data_text.h"
#include "graph/data/numeric_columns.h"

namespace kurvex {

/// What a spectrum file says of itself (JCAMP-DX records), for the picture's texts; empty
/// for a plain data file.
struct SpectrumInfo {
  std::string Title, DataType, XUnits, YUnits, Origin, Owner;
};

/// A data file as the drawing takes it, whatever its format.
struct LoadedData {
  PreparedData Prepared;     // the text the data view shows, the head text, the head's line count
  NumericColumns Columns;    // the numbers drawn
  bool SymbolsOnly = false;  // a table of peaks
  MissingValues Missing = MissingValues::kAreErrors;  // how its text reads again when edited
  bool TextLeftOut = false;              // the data text was not kept: made when it is shown,
  bool TextFromColumns = false;          // from the numbers (else read again from the file)
  std::string Note;                      // how the file was read, when the user should know
  std::vector<std::string> ColumnNames;  // from the head, when it names the columns
  SpectrumInfo Spectrum;                 // what a JCAMP-DX file says of itself
  /// The plain rules stop at a line, but the file holds a block of data the block finder
  /// reads: worth telling the user.
  bool BlockFinderWouldRead = false;
  /// Every column of the block the block finder read, named ("column 3" where the head names
  /// none): what a choice of columns chooses from.
  std::vector<std::string> FileColumns;
  /// Why the file gives no data ("no data block"): then nothing else holds.
  std::string Failure;
};

/// How plain data files are read.
struct DataRules {
  /// Read the longest block of lines of numbers, with gaps for missing values, instead of
  /// everything after the head.
  bool FindDataBlock = false;
  /// The columns the block finder draws, when the user chose them.
  ColumnRequest Columns;
};

}  // namespace kurvex
