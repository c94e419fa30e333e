#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "graph/data/column_request.h"

namespace kurvex {

/// The columns of a block that are drawn.
struct ColumnChoice {
  std::size_t X = 0;           // from 0
  std::vector<std::size_t> Y;  // from 0, at most ten
  std::string Note;            // what was chosen for the user: "x: Raman Shift (column 4)"
  std::string Error;           // why a request cannot be met: "no column named 'Shift'"
};

/// The names a head gives the `columns` columns of its data: its last line, or, when that line
/// holds units (every field text, none long) under a line of names, the names with their units
/// ("Wavelength (nm)"). Empty when the head names no columns.
std::vector<std::string> HeadColumnNames(std::string_view headText, std::size_t columns);

/// Chooses the columns to draw of a block of `columns` columns named `names` (empty when
/// unnamed), whose first line is line `fileLine` of the file (from 1, for the messages). Asked
/// for nothing, x is column 1 unless that is an index, a time or a point number and another
/// column holds an axis (Raman shift, 2θ, wavenumber, wavelength, energy, temperature), and a
/// processed column is drawn instead of the raw counts beside it.
ColumnChoice ChooseColumns(const std::vector<std::string>& names, std::size_t columns,
                           const ColumnRequest& request, std::size_t fileLine);

/// The request a dialog's choice makes: x, then the y columns, numbered from 1.
ColumnRequest ColumnRequestFor(std::size_t x, const std::vector<std::size_t>& y);

}  // namespace kurvex
