#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graph/data/numeric_columns.h"
#include "graph/drawing_state.h"
#include "graph/layout.h"
#include "graph/model.h"
#include "graph/placeholders.h"
#include "graph/render/canvas.h"
#include "graph/text_block.h"
#include "graph/text_fit.h"

namespace kurvex {

class FontEngine;

/// Measures with the font engine (the measuring label of the graph window).
class FontMeasurer : public TextMeasurer {
 public:
  explicit FontMeasurer(FontEngine& fonts) : fonts_(fonts) {}
  TextSize Measure(const TMyFont& font, std::string_view text) override;

 private:
  FontEngine& fonts_;
};

/// The data a picture is drawn from, and what its texts may name of the file.
struct GraphData {
  const NumericColumns& Columns;
  const std::string& FileName;  // for "{DataFile}"
  const std::string& HeadText;  // for "{TextInDataFile}"
  bool SymbolsOnly = false;     // a table of peaks: symbols, no lines
  /// Everything the texts may name of the file ("{Column1}", "{XTitle}", …); without it only
  /// the file name and the head text are known.
  const DataNames* Names = nullptr;
};

/// A row of a legend drawn from a list: its text, and the curve whose line and symbol sample it
/// shows (none: the text alone).
struct LegendEntry {
  std::string Text;
  std::optional<TCurve> Sample;
};

/// Paints the graph of a style and a data text onto a canvas, step by step in a fixed order.
/// Every step works on the canvas state (pen, brush, font) that the steps before it left. It
/// reads the style and never writes it: what the drawing finds out goes to `state`.
class GraphPainter {
 public:
  GraphPainter(const GraphModel& model, Canvas& canvas, FontEngine& fonts, const GraphData& data,
               DrawingState& state);

  /// The whole redraw: base, legend and border unless `curvesOnly`, then the curves. A
  /// curves-only redraw draws with the origin `state` holds from the last full one.
  void RepaintGraph(bool curvesOnly);
  /// What a full redraw draws after the base: the legend, the border and the curves.
  void DrawOverBase();
  /// The texts of the base (background, title, axes, text block) with their placeholders filled
  /// in: two drawings of one style with the same texts have the same base. None when they would
  /// be too long to keep (a long head text).
  static std::optional<std::string> BaseTexts(const GraphModel& model, const DataNames& names);

  void DrawGraphBase();
  void FillBackground();
  void ApplyImageSize();
  void DrawTitle();
  void DrawAxisY();
  void DrawAxisX();
  void DrawTextBlock();
  void DrawBorder();
  void DrawCurves();
  void DrawLegend();
  /// A legend of listed rows (an overlay's), from the legend's first row down.
  void DrawLegendRows(const std::vector<LegendEntry>& rows);

 private:
  void DrawAxisYTitle();
  void DrawAxisYTicks();
  void DrawAxisXTicks();
  void DrawLegendRow(const LegendLayout& legend, const LegendLayout::Row& row,
                     const TCurve* sample);
  void DrawTickLabel(int32_t left, int32_t top, const TickLabel& label);
  bool LineVisible(const TCurve& curve) const;
  bool SymbolVisible(const TCurve& curve) const;

  // The style with the placeholders of its titles and legend texts replaced, made only when
  // one of them holds one: the layout measures the texts as they show.
  std::optional<GraphModel> named_;
  const GraphModel& m_;
  Canvas& canvas_;
  FontMeasurer measure_;
  GraphData data_;
  DrawingState& state_;
};

}  // namespace kurvex
