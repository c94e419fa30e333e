#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "graph/data/numeric_columns.h"
#include "graph/drawing_state.h"
#include "graph/model.h"

namespace kurvex {

/// How far from the pointer a data point is still found, in pixels.
inline constexpr int kNearRadius = 12;

/// A data point of the picture: its curve (1..10), its data line (from 0) and where it is drawn.
struct NearPoint {
  int Curve = 0;
  std::size_t Line = 0;
  int32_t Px = 0;
  int32_t Py = 0;

  bool operator==(const NearPoint&) const = default;
};

/// The points a drawing shows, by the pixel they are drawn at, so that the one nearest the pointer
/// is found by looking at the few hundred pixels around it, however long the data.
/// Of the points on one pixel only the first counts (lowest curve, then earliest line): the one a
/// tie would pick anyway.
class NearestPointIndex {
 public:
  NearestPointIndex() = default;
  /// The points of every curve that a drawing of `columns` in `model` at `state` shows within the
  /// image: those inside both axes' ranges, and on a curve with symbols also those outside them.
  /// Gaps (NaN, or a value a logarithmic axis cannot show) and lines from the one that does not
  /// convert on are left out. `symbolsOnly`: a table of peaks, drawn with symbols.
  NearestPointIndex(const NumericColumns& columns, const GraphModel& model,
                    const DrawingState& state, bool symbolsOnly = false);

  /// The point nearest image pixel (x, y) no further than `radius` pixels; on equal distances
  /// the lower curve, then the earlier line.
  std::optional<NearPoint> Nearest(int x, int y, int radius = kNearRadius) const;

  /// The pixels that hold a point.
  std::size_t Size() const { return size_; }

 private:
  void Put(int32_t px, int32_t py, int curve, std::size_t line);

  int width_ = 0;
  int height_ = 0;
  std::size_t size_ = 0;
  // Per pixel, row by row: the best point's (curve - 1) << kLineBits | line, or kEmpty.
  std::vector<uint32_t> cells_;
};

/// "Curve 2:   X=650.1200;   Y=1.0534" with the axis labels' decimals plus two (a logarithmic
/// axis's readout digits plus two); `name` is the curve's legend text or "Curve 2".
std::string NearPointText(const GraphModel& model, const std::string& name, double x, double y);

}  // namespace kurvex
