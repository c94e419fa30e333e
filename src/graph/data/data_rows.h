#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "graph/data/data_text.h"
#include "graph/data/numeric_columns.h"

namespace kurvex {

/// Reads the numbers of the data line by line, field by field, in the order the drawing needs
/// them. The field that does not convert (or that a line lacks) throws when it is reached
/// (DataLineError naming its line), so that what was drawn before it stays.
class DataRows {
 public:
  explicit DataRows(const NumericColumns& columns) : columns_(columns) {
    const auto& bad = columns.FirstBad();
    plainLines_ = std::min(columns.ConvertedLines(), bad ? bad->Line : SIZE_MAX);
    if (plainLines_ == 0) return;
    fieldCount_ = std::min(columns.CurveCount() + 1, kMaxFields);
    for (int f = 0; f < fieldCount_; ++f) fields_[f] = columns.Column(f);
  }

  std::size_t LineCount() const { return columns_.LineCount(); }

  /// Starts reading line `index` (from 0).
  void Seek(std::size_t index) {
    line_ = index;
    field_ = 0;
  }

  /// Whether the line has no field left that the drawing reads.
  bool AtEnd() const { return field_ > columns_.CurveCount(); }

  /// The next field of the line as a number. An empty data text has no line to name.
  double Next() {
    // Lines before the bad field's are read straight from the columns: millions of them.
    if (line_ < plainLines_ && field_ < fieldCount_) return fields_[field_++][line_];
    if (columns_.LineCount() == 0) return ConvertField({});
    const auto& bad = columns_.FirstBad();
    if (bad && bad->Line == line_ && bad->Field == field_) columns_.ThrowBad();
    return columns_.Value(field_++, line_);
  }

 private:
  static constexpr int kMaxFields = 11;  // x and ten curves
  const NumericColumns& columns_;
  std::size_t plainLines_ = 0;
  int fieldCount_ = 0;
  std::array<const double*, kMaxFields> fields_{};
  std::size_t line_ = 0;
  int field_ = 0;
};

}  // namespace kurvex
