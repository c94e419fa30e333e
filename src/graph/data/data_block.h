#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

/// How the numbers of a block stand: in columns (one line per point), in rows (a line of x
/// values, then one spectrum per line) or in tagged rows (a record word, then numbers).
enum class BlockShape { kColumns, kRows, kTagged };

/// Where the numbers of an instrument's export stand among its other lines.
struct DataBlockSpan {
  std::size_t First = 0;  // first line of the block, from 0
  std::size_t Lines = 0;  // lines of the block; 0 when the file holds no line of numbers
  std::size_t Fields = 0;
  char Separator = ' ';  // ' ' for blanks and tabs
  bool DecimalComma = false;
  BlockShape Shape = BlockShape::kColumns;
  bool NamedRows = false;  // kRows: each row starts with its name
  bool Corner = false;     // kRows: a corner field before the x values, the names under it
  std::string Tag;         // kTagged: the record word of the rows read
  std::vector<std::string> OtherTags;  // kTagged: the record words of rows left out
};

/// The fields of a line under one separator, one at a time: blanks split on runs and never
/// give empty fields; one separator at the end of the line adds no field.
class FieldCursor {
 public:
  FieldCursor(std::string_view line, char separator);
  bool Next(std::string_view& field);

 private:
  std::string_view rest_;
  char separator_;
  bool done_;
};

/// A field as a number: with a decimal comma, "1,5" reads 1.5.
bool ParseBlockField(std::string_view field, bool decimalComma, double& value);

/// A field that can be a record word of tagged rows ("E", "uR", "dPolE").
bool IsTagWord(std::string_view field);

/// Finds the data block of a text given line by line, holding no line: for every separator
/// (';', tab, '|', ',' or blanks) and decimal sign, the longest run of lines that split into
/// the same number of fields that are numbers or missing values ("NaN", "nan", "---", "-",
/// empty); the earlier of equally long runs wins. Spectra in rows and tagged rows win over
/// it when they hold more lines.
class BlockScan {
 public:
  BlockScan();
  void Add(std::string_view line);
  DataBlockSpan Result() const;
  /// Lines seen.
  std::size_t LineCount() const { return line_; }

 private:
  struct Run {
    std::size_t start = 0, length = 0, fields = 0;
    bool named = false;
    bool corner = false;
  };
  struct TagRows {
    std::string tag;
    std::size_t first = 0, fields = 0, count = 0;
  };
  struct Candidate {
    char separator = ' ';
    bool decimalComma = false;
    Run run, best, rows, bestRows;
    std::vector<TagRows> tags;
  };
  // How a line reads under one separator and decimal sign.
  struct LineRead {
    std::size_t fields = 0;
    bool allData = true;      // every field a number or a missing value
    bool firstText = false;   // the first field is text, every other one data
    bool tagWord = false;     // that text is a record word
    std::size_t numbers = 0;  // fields that are numbers
  };
  static LineRead Read(std::string_view line, char separator, bool decimalComma);
  void AddTo(Candidate& c, std::string_view line, const LineRead& r);
  static void EndRows(Candidate& c);

  std::array<Candidate, 9> candidates_;
  std::size_t line_ = 0;
  bool idle_ = false;  // no candidate is in a run: a blank line leaves every one as it is
};

/// The data block of a whole text.
DataBlockSpan FindDataBlock(std::string_view text);

}  // namespace kurvex
