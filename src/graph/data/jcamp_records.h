#pragma once

// The pieces the JCAMP-DX reader shares between the reading of a file's blocks and the
// decoding of an ##NTUPLES= table: the labelled records, the tables found, and the decoding of
// a table's lines with its errors.

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "graph/data/jcamp_data.h"
#include "graph/data/jcamp_table.h"

namespace kurvex::jcamp {

inline constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The lines of a text ended by CR LF, LF or CR, numbered from 1; a final break starts no line.
class LineReader {
 public:
  explicit LineReader(std::string_view text, std::size_t start = 0, std::size_t number = 1)
      : text_(text), start_(start), number_(number) {
    FindEnd();
  }

  bool AtEnd() const { return start_ >= text_.size(); }
  std::string_view Line() const { return text_.substr(start_, end_ - start_); }
  std::size_t Number() const { return number_; }
  std::size_t Offset() const { return start_; }

  void Next() {
    std::size_t next = end_;
    if (next < text_.size() && text_[next] == '\r') ++next;
    if (next < text_.size() && text_[next] == '\n' && (next == end_ || text_[end_] == '\r')) {
      ++next;
    }
    start_ = next;
    ++number_;
    FindEnd();
  }

 private:
  void FindEnd() {
    const char* p = text_.data() + std::min(start_, text_.size());
    const char* end = text_.data() + text_.size();
    end_ = static_cast<std::size_t>(
        std::find_if(p, end, [](char c) { return c == '\n' || c == '\r'; }) - text_.data());
  }

  std::string_view text_;
  std::size_t start_ = 0;
  std::size_t end_ = 0;
  std::size_t number_ = 1;
};

inline char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsLabelLine(std::string_view line);

struct Record {
  std::string Name;   // normalised label
  std::string Value;  // comment cut, trimmed, continuation lines joined by blanks
  std::string Text;   // "##LABEL=value" as written, comment cut
  std::size_t Line = 0;
};

struct Table {
  std::string Name;          // normalised label: XYDATA, XYPOINTS, PEAKTABLE or DATATABLE
  std::string_view Value;    // after '=', comment cut
  std::size_t Line = 0;      // of the label
  std::size_t Offset = 0;    // of the label line in the text
  std::size_t Records = 0;   // records of its block before it
  std::size_t Page = kNone;  // its ##PAGE= record
};

struct Block {
  std::vector<Record> Records;
  std::vector<Table> Tables;
  std::size_t Ntuples = kNone;  // the ##NTUPLES= record
};

// The records [Begin, End) of a block; where a name stands twice, the later counts.
struct Records {
  const std::vector<Record>* All = nullptr;
  std::size_t Begin = 0, End = 0;

  const Record* Find(std::string_view name) const {
    for (std::size_t i = End; i > Begin; --i) {
      if ((*All)[i - 1].Name == name) return &(*All)[i - 1];
    }
    return nullptr;
  }
};

/// The variable list "(X++(Y..Y))" of a table label, blanks dropped and upper case, and the
/// text after it on the same line.
std::pair<std::string, std::string_view> ParseForm(std::string_view value);

/// Entry `index` of a list ("1, 0.5, 1"), trimmed; empty when there is none.
std::string ListEntry(std::string_view list, std::size_t index);

/// The decoding of the chosen table into `out`; the first error wins.
class Decoding {
 public:
  Decoding(std::string_view text, JcampDxData& out) : text_(text), out_(out) {}

  bool Failed() const { return out_.Error.has_value(); }
  void Fail(std::size_t line, std::string message);
  /// "JCAMP-DX table form '...' is not supported" at the table's label.
  void Unsupported(const Table& table);

  /// The value of a numeric record, nothing when there is none; a value that is no number
  /// fails at the record's line.
  std::optional<double> Number(const Records& records, std::string_view name);
  /// Entry `index` of a list record of an ##NTUPLES= head ("##FACTOR= 1, 0.5"); nothing when
  /// the list or the entry is absent or empty, a failure when it is no number.
  std::optional<double> ListNumber(const Records& records, std::string_view name,
                                   std::size_t index);

  /// The bound of a table's points: the declared count and the size of the text.
  JcampPointLimit Limit(std::optional<double> count) const;

  /// Sets up an equidistant table from its first x, last x and count (or spacing); false
  /// (and the failure set) when they do not give an abscissa.
  bool StartEquidistant(JcampTable& decoder, std::size_t labelLine, std::optional<double> first,
                        std::optional<double> last, std::optional<double> count,
                        std::optional<double> delta, double xFactor, double yFactor);

  /// The points of a table's lines after its label line (and of `onLabelLine` first).
  void DecodeLines(const Table& table, std::string_view onLabelLine, JcampTable& decoder);

 private:
  std::string_view text_;
  JcampDxData& out_;
};

}  // namespace kurvex::jcamp
