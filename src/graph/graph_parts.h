#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "graph/drawing_state.h"
#include "graph/geometry.h"
#include "graph/layout.h"
#include "graph/model.h"
#include "graph/placeholders.h"

namespace kurvex {

/// The parts of a picture the mouse can move.
enum class GraphPart { kTitle, kAxisXTitle, kAxisYTitle, kLegend, kTextBlock };

/// A part and the pixels it covers.
struct PartPlace {
  GraphPart Part = GraphPart::kTitle;
  PixelRect Rect;
};

/// The visible movable parts of a drawing of `model` (titles and legend texts expanded with
/// `names`) at `state`, as the layout places them; the one drawn last comes first, so a part
/// drawn over another is the one a click finds.
std::vector<PartPlace> MovableParts(const GraphModel& model, const DrawingState& state,
                                    const DataNames& names, TextMeasurer& measure);

/// The part under image pixel (x, y), if any.
std::optional<PartPlace> PartAt(const std::vector<PartPlace>& parts, int x, int y);

/// The Left and Top (for the y title: Bottom) values that put a part's top-left corner at
/// (left, top), each in its key's own meaning and not yet limited to any range: the graph title
/// and legend in image pixels, the x title from AxisX.Left and from its automatic top, the y title
/// as the gap to the tick labels and the distance above the origin, the text block in image
/// pixels and from its automatic top. `rect` is where the part stands now.
struct PartValues {
  int64_t Left = 0;
  int64_t Top = 0;
};
PartValues PartValuesAt(const GraphModel& model, const DrawingState& state, const PartPlace& part,
                        int left, int top, TextMeasurer& measure);

}  // namespace kurvex
