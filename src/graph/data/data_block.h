#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "graph/data/data_text.h"

namespace kurvex {

/// Where the numbers of an instrument's export stand among its other lines.
struct DataBlockSpan {
  std::size_t First = 0;  // first line of the block, from 0
  std::size_t Lines = 0;  // lines of the block; 0 when the file holds no line of numbers
  std::size_t Fields = 0;
  char Separator = ' ';  // ' ' for blanks and tabs
  bool DecimalComma = false;
};

/// The longest run of lines that each split into the same number of fields that are numbers
/// or missing values ("NaN", "nan", "---", "-", empty), under one separator (';', tab, '|',
/// ',' or blanks); the decimal comma is decided on the run's own lines, so a date such as
/// 01.08.2024 above it cannot turn its decimal commas into separators. The earlier of equally
/// long runs wins.
DataBlockSpan FindDataBlock(std::string_view text);

/// The file prepared from its data block: the lines before it are the head text, the lines
/// after it (a trailer) are dropped; each line of the block becomes its fields with points for
/// decimals, one blank between them, and "nan" for a missing value, so that an empty field
/// stays a gap in its own column.
PreparedData PrepareDataBlock(std::string_view text, const DataBlockSpan& block);

}  // namespace kurvex
