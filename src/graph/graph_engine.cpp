#include "graph/graph_engine.h"

#include <algorithm>
#include <new>

#include "common/error.h"
#include "graph/data/block_read.h"
#include "graph/data/data_error.h"
#include "graph/mapping.h"
#include "graph/painter.h"
#include "graph/style_sections.h"

namespace kurvex {

namespace {

// Runs the painted-notification also when a drawing step throws part way.
class PaintedGuard {
 public:
  explicit PaintedGuard(const std::function<void()>& onPainted) : onPainted_(onPainted) {}
  ~PaintedGuard() {
    if (onPainted_) onPainted_();
  }
  PaintedGuard(const PaintedGuard&) = delete;
  PaintedGuard& operator=(const PaintedGuard&) = delete;

 private:
  const std::function<void()>& onPainted_;
};

}  // namespace

GraphEngine::GraphEngine(FontEngine& fonts) : fonts_(fonts) {
  Model.LoadAllOptions = true;
}

bool GraphEngine::LoadDataFile(const std::string& path) {
  dataChangeRedraws_ = false;
  bool hadLines = false;  // any text holds at least one (maybe empty) line
  std::optional<LoadedData> read = data_.Read(path, Rules(), hadLines);
  if (read) {
    try {
      LoadedData& loaded = *read;
      if (!Model.FindDataBlock && !loaded.TextFromColumns && loaded.Columns.FirstBad()) {
        ShownData::NoteBlockFinder(loaded, path);
      }
      if (hadLines) {
        data_.Take(std::move(loaded), path, Rules());
        RepaintIfAuto();
      } else {
        data_.TakeEmpty(std::move(loaded));
      }
    } catch (const Error&) {
      // A data file never reports to its caller; a drawing that failed keeps what it painted.
    } catch (const std::bad_alloc&) {
    }
  }
  dataChangeRedraws_ = true;
  return read.has_value();
}

bool GraphEngine::ReloadDataFile(const std::string& path) {
  bool hadText = false;
  std::optional<LoadedData> read = data_.Read(path, Rules(), hadText);
  if (!read) return false;
  LoadedData& loaded = *read;
  if (loaded.Columns.LineCount() == 0 || loaded.Columns.FirstBad()) return false;
  const bool redraws = dataChangeRedraws_;
  dataChangeRedraws_ = false;
  try {
    data_.Take(std::move(loaded), path, Rules());
    RepaintIfAuto();
  } catch (const Error&) {
    // Like a load: a drawing that failed keeps what it painted.
  } catch (const std::bad_alloc&) {
  }
  dataChangeRedraws_ = redraws;
  return true;
}

DataRules GraphEngine::Rules() const {
  return {Model.FindDataBlock, {Model.XColumn, Model.YColumns}};
}

std::vector<std::string> GraphEngine::FileColumns(const std::string& path) const {
  std::string error;
  return ListFileColumns(path, error);
}

bool GraphEngine::ApplyColumns(const ColumnRequest& request) {
  Model.XColumn = request.X;
  Model.YColumns = request.Y;
  return DataFilePath().empty() || LoadDataFile(DataFilePath());
}

void GraphEngine::SetDataText(std::string text) {
  data_.SetText(std::move(text));
  if (dataChangeRedraws_) RepaintIfAuto();
}

void GraphEngine::LoadOptionsFile(const std::string& fileName) {
  kurvex::LoadOptionsFile(Model, fileName);
}

void GraphEngine::SaveOptionsFile(const std::string& fileName) const {
  kurvex::SaveOptionsFile(Model, fileName);
}

void GraphEngine::RepaintIfAuto() {
  if (PaintEnabled && Model.AutoRepaint) RepaintGraph();
}

void GraphEngine::RepaintGraph() {
  RepaintWith(Model, Model.OnlyCurves);
}

void GraphEngine::RepaintWith(const GraphModel& style, bool curvesOnly) {
  PaintedGuard notify(OnPainted);
  try {
    if (curvesOnly) {
      DrawingState last = state_;  // the curves draw on the last full drawing's axes
      Painter(style, last).RepaintGraph(true);
    } else {
      FitSurfaceToImage();
      if (&style == &Model) {
        drawnStyle_ = Model;
        nearIndex_.reset();
      }
      GraphPainter painter = Painter(style, state_);
      if (!DrawFromFrame(style, painter)) painter.RepaintGraph(false);
    }
  } catch (DataLineError& e) {
    e.MoveDown(data_.HeadLines());  // the user counts lines in the file, head included
    throw;
  }
}

// The frame holds the pixels and canvas state after the base, and what the base finds out: the
// origin, the plot rectangle, the axis warning and the text block's lines.
bool GraphEngine::DrawFromFrame(const GraphModel& style, GraphPainter& painter) {
  std::optional<std::string> texts;
  if (ReuseFrames && !style.ImageSmooth && !canvas_->AlwaysSmooth()) {
    texts = GraphPainter::BaseTexts(style, paintNames_);
  }
  if (!texts) {
    frame_.reset();
    return false;
  }
  // A step of the base may use the pen before it sets it: the pen the last picture left.
  const RasterCanvas::PenState start = canvas_->Pen();
  if (frame_ && frame_->Texts == *texts && frame_->Start == start && frame_->Style == style) {
    canvas_->Restore(frame_->Canvas);
    const DrawingState& base = frame_->State;
    state_.OriginX = base.OriginX;
    state_.OriginY = base.OriginY;
    state_.Plot = base.Plot;
    state_.AxisWarning = base.AxisWarning;
    if (style.Text.Visible) state_.TextBlockLines = base.TextBlockLines;
  } else {
    frame_.reset();
    painter.DrawGraphBase();
    frame_ =
        std::make_unique<Frame>(Frame{style, std::move(*texts), start, canvas_->Take(), state_});
  }
  painter.DrawOverBase();
  return true;
}

void GraphEngine::DrawTextBlock() {
  PaintedGuard notify(OnPainted);
  Painter(Model, state_).DrawTextBlock();
}

// A full redraw paints every pixel of the surface first, so a new one needs no pixels of the
// old; it takes the pen, brush and font, which a step may use before setting them.
void GraphEngine::FitSurfaceToImage() {
  const int width = std::clamp(Model.ImageWidth, 1, kSurfaceSize);
  const int height = std::clamp(Model.ImageHeight, 1, kSurfaceSize);
  const double scale = Model.ImageSmooth ? DisplayScale : 1;
  if (canvas_ && canvas_->Width() == width && canvas_->Height() == height &&
      canvas_->Scale() == scale) {
    return;
  }
  auto surface = std::make_unique<RasterCanvas>(width, height, fonts_, scale);
  if (canvas_) {
    surface->PenWidth = canvas_->PenWidth;
    surface->PenColor = canvas_->PenColor;
    surface->BrushColor = canvas_->BrushColor;
    surface->Font = canvas_->Font;
  }
  canvas_ = std::move(surface);
}

RasterCanvas& GraphEngine::Surface() const {
  // Made when first shown or drawn on: a batch that draws 600 x 500 pictures never clears the
  // largest surface.
  if (!canvas_) canvas_ = std::make_unique<RasterCanvas>(kSurfaceSize, kSurfaceSize, fonts_);
  return *canvas_;
}

GraphPainter GraphEngine::Painter(const GraphModel& style, DrawingState& state) {
  paintNames_ = data_.Names();
  return GraphPainter(
      style, Surface(), fonts_,
      {Columns(), data_.FileName(), data_.HeadText(), data_.SymbolsOnly(), &paintNames_}, state);
}

std::string GraphEngine::CursorReadoutAt(int x, int y) const {
  return CursorReadout(Model, state_, CursorPrefix, x, y);
}

std::string GraphEngine::ClearCursorPosition() const {
  return ClearCursorText(CursorPrefix);
}

std::optional<NearPoint> GraphEngine::NearestPoint(int x, int y) const {
  if (!nearIndex_) nearIndex_.emplace(Columns(), drawnStyle_, state_, data_.SymbolsOnly());
  std::optional<NearPoint> point = nearIndex_->Nearest(x, y);
  // Data taken since the drawing may be shorter than what the index holds.
  const NumericColumns& columns = Columns();
  if (point && (point->Line >= columns.ConvertedLines() || point->Curve > columns.CurveCount())) {
    return std::nullopt;
  }
  return point;
}

}  // namespace kurvex
