#include "graph/graph_engine.h"

#include <sys/stat.h>

#include <algorithm>

#include "common/text_file.h"
#include "common/text_utils.h"
#include "graph/data/data_block.h"
#include "graph/data/data_error.h"
#include "graph/data/streamed_data.h"
#include "graph/mapping.h"
#include "graph/options_file.h"
#include "graph/painter.h"

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

std::string FileNamePart(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

GraphEngine::GraphEngine(FontEngine& fonts) : fonts_(fonts) {
  Model.LoadAllOptions = true;
}

bool GraphEngine::LoadDataFile(const std::string& path) {
  dataChangeRedraws_ = false;
  bool hadLines = false;  // any text holds at least one (maybe empty) line
  std::optional<LoadedData> read = ReadData(path, hadLines);
  if (read) {
    try {
      LoadedData& loaded = *read;
      if (!Model.FindDataBlock && loaded.Columns.FirstBad()) {
        // The preparation took the text apart; a file that fails is rare enough to read again.
        if (const auto again = ReadTextFile(path)) {
          loaded.BlockFinderWouldRead = FindDataBlock(*again).Lines >= 2;
        }
      }
      if (hadLines) {
        TakeData(std::move(loaded), path);
      } else {
        TakeFileState(std::move(loaded));
        dataLeftOut_ = false;
      }
    } catch (const std::exception&) {
      // A data file never reports to its caller; a drawing that failed keeps what it painted.
    }
  }
  dataChangeRedraws_ = true;
  return read.has_value();
}

// A plain data file is converted in pieces and its text is never held: a file of ten million
// lines needs the memory of its numbers only. Others (a code page, UTF-16, JCAMP-DX, the block
// finder, a pipe) are read whole.
std::optional<LoadedData> GraphEngine::ReadData(const std::string& path, bool& hadText) {
  readError_.clear();
  struct stat info {};
  if (!Model.FindDataBlock && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
    std::string reason;
    if (std::optional<LoadedData> streamed = ReadDataStreamed(FileSource(path, reason))) {
      hadText = info.st_size > 0;
      return streamed;
    }
  }
  std::optional<std::string> text = ReadTextFile(path, readError_);
  if (!text) return std::nullopt;
  hadText = !text->empty();
  return ReadDataText(std::move(*text), {Model.FindDataBlock});
}

void GraphEngine::MakeSampleIfDue() const {
  if (!sampleDue_) return;
  sampleDue_ = false;
  data_ = DataText(BuiltInSampleText());
  columns_ = NumericColumns(data_);
}

const NumericColumns& GraphEngine::Columns() const {
  MakeSampleIfDue();
  return columns_;
}

const DataText& GraphEngine::Data() const {
  MakeSampleIfDue();
  if (dataLeftOut_) {
    dataLeftOut_ = false;
    if (std::optional<std::string> text = ReadTextFile(dataFilePath_)) {
      data_ = PrepareDataText(std::move(*text)).Data;
    }
  }
  return data_;
}

// Everything known of the data from its file, so that nothing of the file before stays.
void GraphEngine::TakeFileState(LoadedData loaded) {
  data_ = std::move(loaded.Prepared.Data);
  dataLeftOut_ = loaded.TextLeftOut;
  columns_ = std::move(loaded.Columns);
  sampleDue_ = false;
  headLines_ = loaded.Prepared.HeadLineCount;
  headText_ = std::move(loaded.Prepared.TextInDataFile);
  symbolsOnly_ = loaded.SymbolsOnly;
  loadNote_ = std::move(loaded.Note);
  blockFinderWouldRead_ = loaded.BlockFinderWouldRead;
  missing_ = loaded.Missing;
  TakeNames(loaded);
}

void GraphEngine::TakeData(LoadedData loaded, const std::string& path) {
  TakeFileState(std::move(loaded));
  dataFileName_ = FileNamePart(path);
  dataFilePath_ = path;
  RepaintIfAuto();
}

// {XTitle} is the x column's name, or the unit a JCAMP-DX file gives; {YTitle} likewise for a
// file of one curve.
void GraphEngine::TakeNames(const LoadedData& loaded) {
  columnNames_ = loaded.ColumnNames;
  xTitle_ = !columnNames_.empty() ? columnNames_[0] : loaded.XUnits;
  const bool oneCurve = columns_.CurveCount() == 1;
  yTitle_ = oneCurve && columnNames_.size() >= 2 ? columnNames_[1] : loaded.YUnits;
}

DataNames GraphEngine::Names() const {
  DataNames names;
  names.FileName = dataFileName_;
  names.HeadText = headText_;
  names.Columns = &columnNames_;
  names.XTitle = xTitle_;
  names.YTitle = yTitle_;
  return names;
}

bool GraphEngine::ReloadDataFile(const std::string& path) {
  bool hadText = false;
  std::optional<LoadedData> read = ReadData(path, hadText);
  if (!read) return false;
  LoadedData& loaded = *read;
  if (loaded.Columns.LineCount() == 0 || loaded.Columns.FirstBad()) return false;
  const bool redraws = dataChangeRedraws_;
  dataChangeRedraws_ = false;
  try {
    TakeData(std::move(loaded), path);
  } catch (const std::exception&) {
    // Like a load: a drawing that failed keeps what it painted.
  }
  dataChangeRedraws_ = redraws;
  return true;
}

void GraphEngine::SetDataText(std::string text) {
  data_ = DataText(std::move(text));
  dataLeftOut_ = false;
  columns_ = NumericColumns(data_, missing_);
  sampleDue_ = false;
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
    e.MoveDown(headLines_);  // the user counts lines in the file, head included
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
  paintNames_ = Names();
  return GraphPainter(style, Surface(), fonts_,
                      {Columns(), dataFileName_, headText_, symbolsOnly_, &paintNames_}, state);
}

std::string GraphEngine::CursorReadoutAt(int x, int y) const {
  return CursorReadout(Model, state_, CursorPrefix, x, y);
}

std::string GraphEngine::ClearCursorPosition() const {
  return ClearCursorText(CursorPrefix);
}

std::optional<NearPoint> GraphEngine::NearestPoint(int x, int y) const {
  if (!nearIndex_) nearIndex_.emplace(Columns(), drawnStyle_, state_, symbolsOnly_);
  std::optional<NearPoint> point = nearIndex_->Nearest(x, y);
  // Data taken since the drawing may be shorter than what the index holds.
  if (point && (point->Line >= columns_.ConvertedLines() || point->Curve > columns_.CurveCount())) {
    return std::nullopt;
  }
  return point;
}

}  // namespace kurvex
