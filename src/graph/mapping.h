#pragma once

#include <cstdint>
#include <string>

#include "graph/drawing_state.h"
#include "graph/model.h"

namespace kurvex {

/// Linear value <-> pixel mapping of the graph. Products are formed before the division and
/// rounded half to even into int32; failures throw "Floating point division by zero" or
/// "Invalid floating point operation".
/// The origin is the one of the drawing state, the axis settings those of the model as they
/// are now.
int32_t ValueToPixelX(const GraphModel& model, const DrawingState& state, long double x);
int32_t ValueToPixelY(const GraphModel& model, const DrawingState& state, long double y);
long double PixelToValueX(const GraphModel& model, const DrawingState& state, int32_t px);
long double PixelToValueY(const GraphModel& model, const DrawingState& state, int32_t py);

/// Built-in prefix of the cursor readout.
inline constexpr const char* kCursorPositionPrefix = "Position in coordinate system:";

/// Status bar text before the first mouse move (note the final semicolon).
std::string InitialCursorText();

/// Status bar text with the pointer outside the plot area.
std::string ClearCursorText(const std::string& prefix);

/// Status bar text for a pointer at image pixel (x, y).
std::string CursorReadout(const GraphModel& model, const DrawingState& state,
                          const std::string& prefix, int x, int y);

}  // namespace kurvex
