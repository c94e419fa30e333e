#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

/// The column names an instrument file writes above its numbers: its last head line, when it
/// splits into as many fields as the data has columns and is not itself numbers. It is split
/// on the first of ';', tab, '|' and ',' that gives that many fields, on blanks only when none
/// does; quotes around a name go, units in brackets stay ("Wavenumber (cm-1)"). Empty when the
/// head has no such line.
std::vector<std::string> ColumnNames(std::string_view headText, std::size_t columns);

/// The fields of one head line as column names, as ColumnNames splits its last line; with
/// `trailingSeparator`, a separator that ends the line adds no name. Empty unless the line
/// gives `columns` names; `used` receives the separator that gave them.
std::vector<std::string> SplitNames(std::string_view line, std::size_t columns,
                                    bool trailingSeparator, char* used = nullptr);

/// Fields of a prepared data line (one blank between them).
std::size_t FieldCount(std::string_view line);

}  // namespace kurvex
