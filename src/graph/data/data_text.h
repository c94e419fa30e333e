#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

/// The lines of the data text, held in one buffer (a million-line file is one allocation plus
/// one offset per line). A final line break adds no empty line.
class DataText {
 public:
  DataText() = default;
  /// Takes text whose lines end with CR LF, LF or CR.
  explicit DataText(std::string text);

  std::size_t LineCount() const { return starts_.empty() ? 0 : starts_.size() - 1; }
  std::string_view Line(std::size_t index) const;
  bool Empty() const { return LineCount() == 0; }

  /// All lines joined by `separator` (CR LF for the program's own text form).
  std::string Joined(std::string_view separator = "\r\n") const;

  /// Builds from a buffer of lines each ended by '\n' or CR LF (the last may lack it).
  static DataText FromNormalized(std::string buffer);

 private:
  std::string buffer_;               // lines separated by '\n' or CR LF
  std::vector<std::size_t> starts_;  // line i: [starts_[i], starts_[i+1] - 1) less a final CR
};

/// Result of preparing a freshly read file.
struct PreparedData {
  DataText Data;
  std::string TextInDataFile;     // head lines joined by CR LF, each as read
  std::size_t HeadLineCount = 0;  // lines of the file before the data text's first line
};

/// The clean-up of a data file's text: head lines out, leading blanks off, separators made
/// single blanks with point decimals, decided once for the whole text, in one linear pass.
/// Blank lines (blanks and tabs only) at the end of the file are no data.
PreparedData PrepareDataText(std::string fileText);

/// The built-in sample spectrum: 701 lines, x = 300..1000, two smooth curves.
const std::string& BuiltInSampleText();

/// Reads the next blank-separated field of `rest` (SplitAt with a blank).
std::string_view NextField(std::string_view& rest);

/// Converts a field; throws Error("'<field>' is not a valid floating point value").
double ConvertField(std::string_view field);

/// Curve count of the data text: y fields of the first line, 0..10. Conversion errors propagate
/// (an empty data text fails on its missing first field).
int CountCurves(const DataText& data);

}  // namespace kurvex
