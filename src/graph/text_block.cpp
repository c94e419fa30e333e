#include "graph/text_block.h"

#include <algorithm>

#include "common/utf8.h"
#include "graph/placeholders.h"

namespace kurvex {

namespace {

// Breaks one line as a word-wrapping edit field does: at blanks where possible, inside a word
// only when the word alone is too wide, never fewer than one character per line. The blanks
// at a break vanish.
// Every visible character is at least a pixel wide and at most four bytes long, so a longer
// piece cannot fit a line and need not be measured.
std::size_t MaxLineBytes(int width) {
  return 4 * static_cast<std::size_t>(std::max(width, 1));
}

void WrapLine(std::string_view line, int width,
              const std::function<int(std::string_view)>& textWidth, std::size_t maxLines,
              std::vector<std::string>& out) {
  if (out.size() >= maxLines) return;
  if (line.empty()) {
    out.emplace_back();
    return;
  }
  // A huge head text wraps in linear time: no longer piece is ever measured.
  const std::size_t maxBytes = MaxLineBytes(width);
  const auto fits = [&](std::size_t from, std::size_t to) {
    return to - from <= maxBytes && textWidth(line.substr(from, to - from)) <= width;
  };
  std::size_t start = 0;
  while (start < line.size()) {
    // Word ends beyond this window belong to pieces too long to fit.
    const std::string_view window = line.substr(0, std::min(line.size(), start + maxBytes + 1));
    std::size_t fitted = start;  // end of the longest whole-word prefix that fits
    std::size_t end = start;
    bool whole = false;
    while (true) {
      // Next word end: past any blanks, then past the word.
      end = std::min(window.find_first_not_of(' ', end), window.size());
      end = std::min(window.find(' ', end), window.size());
      if (!fits(start, end)) break;
      fitted = end;
      if (end == line.size()) {
        whole = true;
        break;
      }
    }
    if (fitted == start) {
      // The first word alone is too wide: cut it at characters.
      std::size_t pos = start;
      NextCodePoint(line, pos);
      fitted = std::clamp(pos, start + 1, line.size());
      while (fitted < line.size()) {
        pos = fitted;
        NextCodePoint(line, pos);
        if (pos <= fitted || !fits(start, pos)) break;
        fitted = pos;
      }
    }
    out.emplace_back(line.substr(start, fitted - start));
    if (whole || out.size() >= maxLines) return;
    start = line.find_first_not_of(' ', fitted);
    if (start == std::string_view::npos) return;
  }
}

// Reads the expanded text line by line (lines end at CR LF, also across pieces), with a tab as
// one blank. A line is read only as far as `budget` bytes, and a run of blanks longer than
// `blankRun` is read as `blankRun` blanks: such a run always ends a wrapped line and vanishes
// there, so the lines that wrapping gives within the budget stay the same.
class ExpandedLines {
 public:
  explicit ExpandedLines(std::vector<std::string_view> pieces) : pieces_(std::move(pieces)) {
    SkipEmptyPieces();
  }

  bool AtEnd() const { return piece_ >= pieces_.size(); }

  /// A line cut at the budget gives every line still wanted: nothing after it is read.
  void Next(std::size_t budget, std::size_t blankRun, std::string& line) {
    line.clear();
    std::size_t blanks = 0;
    while (!AtEnd()) {
      if (line.size() >= budget) {
        piece_ = pieces_.size();
        return;
      }
      const char c = Take();
      if (c == '\r' && Peek() == '\n') {
        Take();
        return;
      }
      const bool blank = c == ' ' || c == '\t';
      blanks = blank ? blanks + 1 : 0;
      if (blanks <= blankRun) line.push_back(blank ? ' ' : c);
    }
  }

 private:
  char Take() {
    const char c = pieces_[piece_][offset_++];
    if (offset_ == pieces_[piece_].size()) {
      ++piece_;
      offset_ = 0;
      SkipEmptyPieces();
    }
    return c;
  }
  char Peek() const { return AtEnd() ? '\0' : pieces_[piece_][offset_]; }
  void SkipEmptyPieces() {
    while (piece_ < pieces_.size() && pieces_[piece_].empty()) ++piece_;
  }

  std::vector<std::string_view> pieces_;
  std::size_t piece_ = 0;
  std::size_t offset_ = 0;
};

}  // namespace

std::vector<std::string> ExpandGraphText(const std::string& graphText,
                                         const std::string& dataFileName,
                                         const std::string& textInDataFile, int wrapWidth,
                                         const std::function<int(std::string_view)>& textWidth,
                                         std::size_t maxLines) {
  DataNames names;
  names.FileName = dataFileName;
  names.HeadText = textInDataFile;
  return ExpandGraphText(graphText, names, wrapWidth, textWidth, maxLines);
}

std::vector<std::string> ExpandGraphText(const std::string& graphText, const DataNames& names,
                                         int wrapWidth,
                                         const std::function<int(std::string_view)>& textWidth,
                                         std::size_t maxLines) {
  ExpandedLines source(PlaceholderPieces(graphText, names));
  const std::size_t maxBytes = MaxLineBytes(wrapWidth);
  // A wrapped line takes at most maxBytes of text and one run of blanks of maxBytes + 1.
  const std::size_t perLine = 2 * maxBytes + 2;
  std::vector<std::string> lines;
  std::string line;
  while (!source.AtEnd() && lines.size() < maxLines) {
    const std::size_t remaining = maxLines - lines.size();
    const std::size_t budget = remaining > (SIZE_MAX - maxBytes - 2) / perLine
                                   ? SIZE_MAX
                                   : remaining * perLine + maxBytes + 2;
    source.Next(budget, maxBytes + 1, line);
    WrapLine(line, wrapWidth, textWidth, maxLines, lines);
  }
  return lines;
}

std::vector<std::string> WrapText(std::string_view line, int width,
                                  const std::function<int(std::string_view)>& textWidth) {
  std::vector<std::string> lines;
  WrapLine(line, width, textWidth, SIZE_MAX, lines);
  return lines;
}

int TextBlockWrapWidth(int imageWidth) {
  return imageWidth > 9 ? imageWidth - 8 : 1;
}

}  // namespace kurvex
