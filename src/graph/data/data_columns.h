#pragma once

#include <string>
#include <vector>

#include "graph/data/data_text.h"

namespace kurvex {

/// The chosen columns (from 1, in the order given) of every line of a prepared data text,
/// separated by one blank, lines ended by '\n': one line out per line in, so line numbers stay.
/// A line that lacks a chosen column ends before it, and its drawing then names the line.
std::string SelectColumns(const DataText& data, const std::vector<int>& columns);

}  // namespace kurvex
