#pragma once

#include <string_view>

#include "graph/data/loaded_types.h"

namespace kurvex {

/// Whether a text is an XML diffraction scan (PANalytical's XRDML): recognised by its content.
bool LooksLikeXrdml(std::string_view text);

/// The first scan of an XRDML file: 2θ spread evenly from its start to its end position (or
/// listed), the counts or intensities as one curve. What is not such a scan gets a Failure.
LoadedData ReadXrdml(std::string_view text);

}  // namespace kurvex
