#include "graph/nearest_point.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "common/number_text.h"
#include "graph/axis_map.h"

namespace kurvex {

namespace {

// A cell holds a line number below 2^28 and a curve below 16 in 32 bits: 2,000 x 2,000 pixels
// take 16 MB, not the 32 MB of 64-bit cells, and no data file reaches 268 million lines.
constexpr int kLineBits = 28;
constexpr uint32_t kLineMask = (uint32_t{1} << kLineBits) - 1;
constexpr uint32_t kEmpty = UINT32_MAX;

// Drawing maps a point once per redraw and throws for a value beyond the pixel range; the index
// leaves such a point out instead.
bool PixelOf(const AxisMap& map, double value, int32_t& pixel) {
  try {
    pixel = map.ToPixel(value);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

std::string ValueText(const TMyAxis& axis, double value) {
  int digits = axis.TickLabels.DecDigits;
  if (LogarithmicScale(axis) && value > 0) {
    digits = std::max(digits, 2 - static_cast<int>(std::floor(std::log10(value))));
  }
  return FormatAxisValue(value, digits + 2);
}

}  // namespace

NearestPointIndex::NearestPointIndex(const NumericColumns& columns, const GraphModel& model,
                                     const DrawingState& state, bool symbolsOnly)
    : width_(std::max(0, model.ImageWidth)), height_(std::max(0, model.ImageHeight)) {
  cells_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kEmpty);
  if (cells_.empty()) return;
  const AxisMap mapX = AxisMap::X(model, state);
  const AxisMap mapY = AxisMap::Y(model, state);
  const bool logX = mapX.Logarithmic(), logY = mapY.Logarithmic();
  const double xMin = std::min<double>(model.AxisX.Minimum, model.AxisX.Maximum);
  const double xMax = std::max<double>(model.AxisX.Minimum, model.AxisX.Maximum);
  const double yMin = std::min<double>(model.AxisY.Minimum, model.AxisY.Maximum);
  const double yMax = std::max<double>(model.AxisY.Minimum, model.AxisY.Maximum);
  std::size_t lines = columns.ConvertedLines();
  if (columns.FirstBad()) lines = std::min(lines, columns.FirstBad()->Line);
  lines = std::min<std::size_t>(lines, kLineMask);
  const int curves = std::min(columns.CurveCount(), kCurveCount);
  // Curves in turn, lines in order: a pixel keeps the first point put on it, the tie's winner.
  for (int k = 1; k <= curves; ++k) {
    const bool symbols = model.Curve[k].SymbolVisible || symbolsOnly;
    for (std::size_t r = 0; r < lines; ++r) {
      const double x = columns.Value(0, r);
      const double y = columns.Value(k, r);
      if (std::isnan(x) || std::isnan(y) || (logX && !(x > 0)) || (logY && !(y > 0))) continue;
      const bool inside = xMin <= x && x <= xMax && yMin <= y && y <= yMax;
      if (!inside && !symbols) continue;
      int32_t px = 0, py = 0;
      if (PixelOf(mapX, x, px) && PixelOf(mapY, y, py)) Put(px, py, k, r);
    }
  }
}

void NearestPointIndex::Put(int32_t px, int32_t py, int curve, std::size_t line) {
  if (px < 0 || py < 0 || px >= width_ || py >= height_) return;
  uint32_t& cell = cells_[static_cast<std::size_t>(py) * width_ + px];
  if (cell != kEmpty) return;
  cell = static_cast<uint32_t>(curve - 1) << kLineBits | static_cast<uint32_t>(line);
  ++size_;
}

std::optional<NearPoint> NearestPointIndex::Nearest(int x, int y, int radius) const {
  std::optional<NearPoint> best;
  int64_t bestDistance = 0;
  uint32_t bestCell = kEmpty;
  const int64_t reach = int64_t{radius} * radius;
  const int top = std::max(0, y - radius), bottom = std::min(height_ - 1, y + radius);
  const int left = std::max(0, x - radius), right = std::min(width_ - 1, x + radius);
  for (int py = top; py <= bottom; ++py) {
    const uint32_t* row = cells_.data() + static_cast<std::size_t>(py) * width_;
    for (int px = left; px <= right; ++px) {
      const uint32_t cell = row[px];
      if (cell == kEmpty) continue;
      const int64_t dx = px - x, dy = py - y;
      const int64_t distance = dx * dx + dy * dy;
      if (distance > reach) continue;
      // The cell's order is the tie's: lower curve first, then earlier line.
      if (best && (distance > bestDistance || (distance == bestDistance && cell > bestCell))) {
        continue;
      }
      best = NearPoint{static_cast<int>(cell >> kLineBits) + 1, cell & kLineMask, px, py};
      bestDistance = distance;
      bestCell = cell;
    }
  }
  return best;
}

std::string NearPointText(const GraphModel& model, const std::string& name, double x, double y) {
  return name + ":   X=" + ValueText(model.AxisX, x) + ";   Y=" + ValueText(model.AxisY, y);
}

}  // namespace kurvex
