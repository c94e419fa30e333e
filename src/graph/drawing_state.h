#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graph/geometry.h"

namespace kurvex {

/// What a full drawing found out about the picture it made: the style never holds it. The cursor
/// readout, the fit and the mouse read it; a curves-only redraw draws with the state of the last
/// full one and leaves it as it was.
struct DrawingState {
  int32_t OriginX = 0;  // pixel column of the axes' crossing
  int32_t OriginY = 0;  // pixel row of the axes' crossing
  /// The plot rectangle, [OriginX, OriginX + x length] x [OriginY - y length, OriginY], with
  /// Right and Bottom inclusive like the axes' ends.
  PixelRect Plot;
  int CurveCount = 0;  // y columns of the first data line, as the legend counted them
  std::vector<std::string> TextBlockLines;  // the wrapped lines of the last text-block drawing
  /// What the picture shows otherwise than the style asks, for the message line: an axis set
  /// logarithmic whose From or To is not above zero is drawn linear. Empty when nothing is.
  std::string AxisWarning;
};

}  // namespace kurvex
