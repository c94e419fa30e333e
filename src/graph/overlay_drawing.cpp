#include "graph/overlay_drawing.h"

#include <algorithm>
#include <string>

#include "graph/data/data_error.h"
#include "graph/graph_engine.h"

namespace kurvex {

namespace {

constexpr int kLegendRightMargin = 8;

int CurvesOf(const NumericColumns& columns) {
  return std::min(columns.CurveCount(), kCurveCount);
}

std::string WithoutExtension(const std::string& name) {
  const auto dot = name.find_last_of('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

// A style whose curves already take the palette in turn (the files style) would give the second
// file the first one's colours: the later files go on where the first one's curves end.
OverlayDrawing::OverlayDrawing(GraphEngine& engine)
    : engine_(engine),
      colored_(!engine.Model.OnlyCurves),
      paletteStyle_(engine.Model.Curve[1].Color == CurveColor(1) &&
                    engine.Model.Curve[2].Color == CurveColor(2)) {}

GraphData OverlayDrawing::Data() const {
  return {engine_.Columns(), engine_.DataFileName(), engine_.HeadText(), engine_.SymbolsOnly()};
}

GraphModel OverlayDrawing::StyleOfNext() const {
  GraphModel style = engine_.Model;
  if (!colored_) return style;
  if (First()) {
    style.Legend.Visible = false;  // drawn last, when every file's curves are known
    return style;
  }
  for (int k = 1; k <= CurvesOf(engine_.Columns()); ++k) {
    style.Curve[k].Color = kCurvePalette[(colorsUsed_ + k - 1) % kCurvePalette.size()];
  }
  return style;
}

void OverlayDrawing::DrawFile(Canvas* document) {
  const GraphModel style = StyleOfNext();
  const bool curvesOnly = !First();
  try {
    if (!document) {
      engine_.RepaintWith(style, curvesOnly);
    } else if (curvesOnly) {
      DrawingState last = documentState_;
      GraphPainter(style, *document, engine_.Fonts(), Data(), last).RepaintGraph(true);
    } else {
      documentState_ = {};
      GraphPainter(style, *document, engine_.Fonts(), Data(), documentState_).RepaintGraph(false);
    }
  } catch (DataLineError& e) {
    Count(style);                                       // drawn up to the bad field
    if (document) e.MoveDown(engine_.HeadLineCount());  // as the engine's own drawing counts
    throw;
  }
  Count(style);
}

void OverlayDrawing::Count(const GraphModel& style) {
  const int count = CurvesOf(engine_.Columns());
  const std::string name = WithoutExtension(engine_.DataFileName());
  for (int k = 1; k <= count; ++k) {
    TCurve sample = style.Curve[k];
    if (engine_.SymbolsOnly()) {  // a table of peaks shows its symbols, never a line
      sample.LineVisible = false;
      sample.SymbolVisible = true;
    }
    const std::string legend = ExpandPlaceholders(sample.LegendText, engine_.Names());
    curves_.push_back({count > 1 && !legend.empty() ? name + " " + legend : name, sample});
  }
  if (!First() || paletteStyle_) colorsUsed_ += static_cast<std::size_t>(count);
  ++files_;
}

void OverlayDrawing::DrawLegend(Canvas* document) {
  if (!colored_ || First() || !engine_.Model.Legend.Visible) return;
  const std::vector<LegendEntry> rows = LegendRows();
  // File names are longer than a style's legend texts: a legend placed by itself moves left
  // as far as its widest row needs.
  GraphModel style = engine_.Model;
  if (style.Legend.LeftAuto) {
    FontMeasurer measure(engine_.Fonts());
    int64_t widest = 0;
    for (const LegendEntry& row : rows) {
      widest = std::max<int64_t>(widest, measure.Measure(style.Legend.Font, row.Text).Width);
    }
    const int64_t right = int64_t{style.ImageWidth} - kLegendTextOffset - kLegendRightMargin;
    style.Legend.LeftAuto = false;
    style.Legend.Left =
        ClampPixel(std::min<int64_t>(int64_t{style.ImageWidth} - kLegendAutoRight, right - widest));
  }
  DrawingState state = document ? documentState_ : engine_.State();
  // The samples were made for their own files: the last file's kind changes none of them.
  const GraphData data{engine_.Columns(), engine_.DataFileName(), engine_.HeadText(), false};
  GraphPainter(style, document ? *document : engine_.Surface(), engine_.Fonts(), data, state)
      .DrawLegendRows(rows);
  if (!document && engine_.OnPainted) engine_.OnPainted();
}

std::vector<LegendEntry> OverlayDrawing::LegendRows() const {
  const std::size_t named = std::min(curves_.size(), kOverlayLegendRows);
  std::vector<LegendEntry> rows(curves_.begin(),
                                curves_.begin() + static_cast<std::ptrdiff_t>(named));
  if (curves_.size() > named) {
    rows.push_back({"\u2026 and " + std::to_string(curves_.size() - named) + " more", {}});
  }
  return rows;
}

}  // namespace kurvex
