#pragma once

#include <vector>

#include "graph/data/numeric_columns.h"
#include "graph/process/process_settings.h"

namespace kurvex {

/// The numbers as they are drawn, and the baselines to show with them.
struct ProcessedColumns {
  /// The read numbers with each curve's values processed: the same lines, x values, gaps and
  /// bad field.
  NumericColumns Columns;
  /// With ShowBaseline, each curve's baseline as it is drawn (scaled and lifted with its
  /// curve), else empty; index 0 is curve 1. A curve without a baseline has an empty one.
  std::vector<std::vector<double>> Baselines;
};

/// Applies `p` to every curve of `read`, in the order baseline, smoothing or derivative,
/// normalisation, offset and stack, on the lines before the first bad field.
ProcessedColumns ProcessColumns(const NumericColumns& read, const TProcessing& p);

}  // namespace kurvex
