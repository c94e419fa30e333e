#include "graph/data/line_pieces.h"

namespace kurvex {

// The last break to cut after: a line feed, or a CR whose next byte is known and is no line
// feed (a CR at the very end may still be the first half of a CR LF pair).
void LinePieces::Add(std::string_view bytes) {
  pending_.append(bytes);
  std::size_t cut = std::string::npos;
  for (std::size_t i = pending_.size(); i > searched_; --i) {
    const char c = pending_[i - 1];
    if (c == '\n' || (c == '\r' && i < pending_.size() && pending_[i] != '\n')) {
      cut = i;
      break;
    }
  }
  if (cut != std::string::npos) {
    take_(std::string_view(pending_).substr(0, cut), offset_);
    offset_ += cut;
    pending_.erase(0, cut);
  }
  // What is left holds no break, but a final CR is searched again with the next bytes.
  searched_ = pending_.empty() || pending_.back() != '\r' ? pending_.size() : pending_.size() - 1;
}

void LinePieces::Finish() {
  if (!pending_.empty()) take_(pending_, offset_);
  offset_ += pending_.size();
  pending_.clear();
  searched_ = 0;
}

}  // namespace kurvex
