#pragma once

#include <string>
#include <vector>

#include "graph/canvas.h"
#include "graph/data_text.h"
#include "graph/layout.h"
#include "graph/model.h"

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

/// Paints the graph of a model and a data text onto a canvas, step by step in a fixed order.
/// Every step works on the canvas state (pen, brush, font) that the steps before it left.
class GraphPainter {
 public:
  /// `textBlockLines` receives the wrapped text-block lines whenever the text block is drawn.
  GraphPainter(GraphModel& model, Canvas& canvas, FontEngine& fonts, const DataText& data,
               const std::string& dataFileName, std::vector<std::string>& textBlockLines);

  /// The whole redraw: base, legend and border unless in the curves-only mode, then the curves.
  void RepaintGraph();

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

 private:
  void SetCanvasFont(Canvas& surface, const TMyFont& font);
  void DrawAxisYTitle();
  void DrawAxisYTicks();
  void DrawAxisXTicks();
  void DrawLegendEntry(int k);

  GraphModel& m_;
  Canvas& canvas_;
  FontMeasurer measure_;
  const DataText& data_;
  const std::string& dataFileName_;
  std::vector<std::string>& textBlockLines_;
};

}  // namespace kurvex
