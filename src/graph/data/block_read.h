#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graph/data/column_request.h"
#include "graph/data/data_block.h"
#include "graph/data/loaded_types.h"
#include "graph/data/streamed_data.h"

namespace kurvex {

/// A file read by the block finder.
struct BlockReading {
  std::optional<LoadedData> Data;
  std::string Error;       // why there is no data: "no data block", a column not there
  bool Streamable = true;  // false: the text must be decoded whole first (a code page,
                           // UTF-16, JCAMP-DX, XML); nothing else is set then
};

/// Reads the data block of a file in two passes over its bytes, holding at most a piece of the
/// file, its head and the numbers of the chosen columns: the first pass finds the block, the
/// second converts it. The columns are chosen by `request`, else by the head's names. With
/// `keepText` the data text of the chosen columns is kept too (points for decimals, "nan" for
/// a missing value, one blank between fields). A block needs two lines of two fields.
BlockReading ReadDataBlock(const ByteSource& source, const ColumnRequest& request, bool keepText);

/// The data block the block finder would read of a file, found in one pass; nullopt when the
/// text must be decoded whole first.
std::optional<DataBlockSpan> ScanDataBlock(const ByteSource& source);

/// The names of a file's columns as the block finder reads it, "column 3" where the head names
/// none (for a dialog to choose from); empty with `error` when the file cannot be read or holds
/// no block of data.
std::vector<std::string> ListFileColumns(const std::string& path, std::string& error);

/// A whole text as a ByteSource.
ByteSource TextSource(std::string_view text);

}  // namespace kurvex
