#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

#include "common/error.h"

namespace kurvex {

/// A data field that does not convert, with the line it stands on. The message is the
/// conversion's own text; the file and the line are added where the message is shown.
class DataLineError : public Error {
 public:
  /// `line` counts from 1.
  DataLineError(const std::string& message, std::size_t line) : Error(message), line_(line) {}

  /// The line, from 1: in the data text as drawn, or in the file once the engine has counted
  /// the head lines in.
  std::size_t Line() const { return line_; }
  /// Moves the line down past lines that came before it (the head of the file).
  void MoveDown(std::size_t lines) { line_ += lines; }

 private:
  std::size_t line_;
};

/// Runs a conversion of data line `index` (from 0) and names the line in its error.
template <typename Convert>
auto AtDataLine(std::size_t index, Convert convert) {
  try {
    return convert();
  } catch (const DataLineError&) {
    throw;
  } catch (const Error& e) {
    throw DataLineError(e.what(), index + 1);
  }
}

/// A value that converted but lies too far out for the picture to hold its pixel: the drawing
/// stops at its line with the mapping's own message ("Invalid floating point operation").
class UndrawableValue : public DataLineError {
 public:
  UndrawableValue(const std::string& message, std::size_t line, double value)
      : DataLineError(message, line), value_(value) {}
  double Value() const { return value_; }

 private:
  double value_;
};

/// The message as the user sees it: "si.xy:1207: 'dpolE' is not a valid floating point value"
/// for an error of a data line, otherwise the error's own text.
std::string DataErrorMessage(std::string_view fileName, const std::exception& error);

/// The same where the value matters more than the arithmetic that failed on it, as on a batch
/// program's error output: "p.txt:2: 1E+38 cannot be drawn" for an UndrawableValue.
std::string DataErrorWithValue(std::string_view fileName, const std::exception& error);

}  // namespace kurvex
