#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "graph/data/loaded_data.h"

namespace kurvex {

/// Calls `take` with the bytes of a file from its start, piece by piece, in order; false when
/// the file could not be read to its end. Called twice: the reading goes over the file twice.
using ByteSource = std::function<bool(const std::function<void(std::string_view)>& take)>;

/// Reads a plain data file in pieces, as PrepareDataText and NumericColumns read it whole, but
/// without ever holding its text: the numbers, the head text and the head's line count. The
/// data text itself is left empty (read again when it is shown). A JCAMP-DX file is gathered
/// on this one reading (`sizeHint` bytes, when known, reserved for it) and decoded as
/// ReadDataText decodes it. Nothing for files the whole text must be seen of first: not UTF-8
/// (decoded as a code page) or UTF-16.
std::optional<LoadedData> ReadDataStreamed(const ByteSource& source, std::size_t sizeHint = 0);

/// A regular file as a ByteSource, read in blocks of a megabyte (a smaller file whole, once for
/// both readings); `reason` receives why a read failed.
ByteSource FileSource(const std::string& path, std::string& reason);

}  // namespace kurvex
