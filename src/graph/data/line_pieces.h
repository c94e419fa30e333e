#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace kurvex {

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

}  // namespace kurvex
