#pragma once

#include <cstddef>
#include <string_view>

#include "graph/data/data_error.h"
#include "graph/data/data_text.h"

namespace kurvex {

/// Reads the numbers of the data text line by line, field by field, in the order the drawing
/// needs them. A field that does not convert, or a line that ends before the field, throws at
/// that field (DataLineError naming its line), so that what was drawn before it stays.
class DataRows {
 public:
  explicit DataRows(const DataText& data) : data_(data) {}

  std::size_t LineCount() const { return data_.LineCount(); }

  /// Starts reading line `index` (from 0).
  void Seek(std::size_t index) {
    line_ = index;
    rest_ = data_.Empty() ? std::string_view{} : data_.Line(index);
  }

  /// Whether the line has no field left.
  bool AtEnd() const { return rest_.empty(); }

  /// The next field of the line as a number. An empty data text has no line to name.
  double Next() {
    if (data_.Empty()) return ConvertField(NextField(rest_));
    return AtDataLine(line_, [this] { return ConvertField(NextField(rest_)); });
  }

 private:
  const DataText& data_;
  std::size_t line_ = 0;
  std::string_view rest_;
};

}  // namespace kurvex
