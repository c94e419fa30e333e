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

/// Cuts a byte stream into pieces that end after a line break (the last piece excepted), so
/// that no line break, CR LF pair or UTF-8 sequence is split between pieces. A line without a
/// break grows the pending bytes, but each byte is searched once: a line of gigabytes costs
/// linear time.
class LinePieces {
 public:
  /// `take` receives each piece and the offset of its first byte in the stream.
  explicit LinePieces(std::function<void(std::string_view, std::size_t)> take)
      : take_(std::move(take)) {}

  void Add(std::string_view bytes);
  void Finish();

 private:
  std::function<void(std::string_view, std::size_t)> take_;
  std::string pending_;
  std::size_t searched_ = 0;  // pending bytes known to hold no usable break
  std::size_t offset_ = 0;    // of the first pending byte in the stream
};

/// Calls `line` with every line of `piece` (ended by LF, CR LF or a lone CR, the break left
/// out); a final line without a break is a line too.
template <typename Line>
void ForEachLine(std::string_view piece, Line&& line) {
  std::size_t pos = 0;
  while (pos < piece.size()) {
    std::size_t end = pos;
    while (end < piece.size() && piece[end] != '\n' && piece[end] != '\r') ++end;
    line(piece.substr(pos, end - pos));
    if (end == piece.size()) break;
    pos = end + (piece[end] == '\r' && end + 1 < piece.size() && piece[end + 1] == '\n' ? 2 : 1);
  }
}

/// A regular file as a ByteSource, read in blocks of a megabyte (a smaller file whole, once for
/// both readings); `reason` receives why a read failed.
ByteSource FileSource(const std::string& path, std::string& reason);

}  // namespace kurvex
