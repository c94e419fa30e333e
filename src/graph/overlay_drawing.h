#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "graph/curve_palette.h"
#include "graph/drawing_state.h"
#include "graph/model.h"
#include "graph/painter.h"

namespace kurvex {

class Canvas;
class GraphEngine;

/// Curves the overlay legend names one by one; the rest are counted in one row after them.
inline constexpr std::size_t kOverlayLegendRows = 20;

/// Data files drawn one over another into one picture, on the first file's axes. The first
/// file keeps the style's colours; each curve of the later ones takes the next colour of the
/// curve palette, and the legend, drawn last, names every curve after its file. In the curves-only
/// mode all keep the style's colours and the legend is the first file's, as when the files are
/// drawn over one another by hand.
class OverlayDrawing {
 public:
  /// Draws with the engine's style, fonts and data as they are at each step; whether the files
  /// take colours of their own follows the style's curves-only switch as it is now.
  explicit OverlayDrawing(GraphEngine& engine);

  /// Whether the next file starts the picture (drawn in full).
  bool First() const { return files_ == 0; }

  /// Draws the data the engine holds as the next file onto `document`, or onto the engine's
  /// surface when that is null. Throws as a redraw does; a file stopped by a bad field keeps
  /// what it drew before it and is counted like the others.
  void DrawFile(Canvas* document = nullptr);

  /// The legend of every file drawn, over the picture, when the style shows a legend.
  void DrawLegend(Canvas* document = nullptr);

  /// The legend's rows: the curves named after their files ("run2" for a file of one curve,
  /// "run2 Tan(Psi)" for one of several), at most kOverlayLegendRows, then "… and N more".
  std::vector<LegendEntry> LegendRows() const;

 private:
  GraphModel StyleOfNext() const;
  void Count(const GraphModel& style);
  GraphData Data() const;

  GraphEngine& engine_;
  bool colored_;
  bool paletteStyle_;
  int files_ = 0;
  std::size_t colorsUsed_ = 0;
  std::vector<LegendEntry> curves_;
  DrawingState documentState_;  // what the full drawing on a document found out
};

}  // namespace kurvex
