#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graph/drawing_state.h"
#include "graph/mapping.h"
#include "graph/model.h"
#include "graph/nearest_point.h"
#include "graph/placeholders.h"
#include "graph/render/font_engine.h"
#include "graph/render/raster_canvas.h"
#include "graph/shown_data.h"

namespace kurvex {

class GraphPainter;

/// The graph window's engine: the one graph model, the data it shows (`ShownData`) and the
/// drawing: surface, frames, drawing state and the index of the drawn points. Plain C++; the
/// desktop program shows its pixels and calls its operations from handlers.
class GraphEngine {
 public:
  /// The surface starts 2000 x 2000 and takes the image's size at each full redraw; the model holds
  /// zeros (as before the first options load) with LoadAllOptions on; the data text is the built-in
  /// sample, file name "Demo1.txt"; painting is off.
  explicit GraphEngine(FontEngine& fonts = FontEngine::Shared());

  /// The largest surface: a larger image is clipped to it.
  static constexpr int kSurfaceSize = 2000;

  /// The style: everything an options file holds.
  GraphModel Model;

  /// Whether drawing is allowed at all; off while pages are filled and options files loaded.
  bool PaintEnabled = false;
  /// Full redraws of one style draw the parts of the graph no data file changes (background,
  /// title, axes, text block) once and start each later picture from a copy of them: a batch
  /// of files writes the same pictures faster. Only classic drawing, and while the texts show
  /// the same of each file (a head text, a file name); off by default.
  bool ReuseFrames = false;

  // --- data -------------------------------------------------------------------------------
  /// The data the graph shows, the loaded file's or the built-in sample.
  const ShownData& Loaded() const { return data_; }
  const DataText& Data() const { return data_.Data(); }
  /// The numbers as drawn: processed by Model.Processing (a copy made again only when the data
  /// or the processing changed), or the read ones when it does nothing. Fits, the readout and
  /// the nearest point take these.
  const NumericColumns& Columns() const { return data_.Drawn(Model.Processing); }
  /// The numbers as read from the data file.
  const NumericColumns& ReadColumns() const { return data_.Columns(); }
  /// With Processing.ShowBaseline, each curve's baseline as drawn (index 0: curve 1), to draw
  /// dashed over the curves; else empty.
  const std::vector<std::vector<double>>& Baselines() const {
    return data_.Baselines(Model.Processing);
  }
  /// File name without directory ("Demo1.txt" at start); substituted for "{DataFile}".
  const std::string& DataFileName() const { return data_.FileName(); }
  /// The path exactly as last passed to LoadDataFile (empty at start).
  const std::string& DataFilePath() const { return data_.FilePath(); }
  /// The head lines of the loaded data file joined by CR LF; substituted for
  /// "{TextInDataFile}".
  const std::string& HeadText() const { return data_.HeadText(); }
  void SetHeadText(std::string text) { data_.SetHeadText(std::move(text)); }
  /// Lines of the loaded file before its data text.
  std::size_t HeadLineCount() const { return data_.HeadLines(); }

  /// Reads and prepares a data file, then RepaintIfAuto. Reports nothing to the caller: an
  /// unreadable file leaves everything as it was, a failure while preparing or drawing ends it
  /// silently. Returns whether the file was read.
  bool LoadDataFile(const std::string& path);
  /// Why the last LoadDataFile or ReloadDataFile could not read its file ("Permission
  /// denied"); empty when it could.
  const std::string& ReadError() const { return data_.ReadError(); }
  /// How the loaded file was read, when the user should know ("the file holds 3 blocks of
  /// data; the first is drawn"); empty otherwise.
  const std::string& LoadNote() const { return data_.Note(); }
  /// Whether the loaded file fails under the plain data rules but holds a block of numbers
  /// that "find the data" would read.
  bool BlockFinderWouldRead() const { return data_.BlockFinderWouldRead(); }
  /// What the graph's texts may name of the data file (file name, head text, column names,
  /// axis titles); valid while the engine and its data stay.
  DataNames Names() const { return data_.Names(); }
  /// Whether the loaded data is a table of peaks, drawn with symbols only.
  bool SymbolsOnly() const { return data_.SymbolsOnly(); }
  /// What the loaded file says of itself (a JCAMP-DX file's title, kind of spectrum, units,
  /// origin and owner); empty for a plain data file.
  const SpectrumInfo& Spectrum() const { return data_.Spectrum(); }

  /// The columns of a file as the block finder reads it, named ("column 3" where its head
  /// names none): what a choice of columns offers. Empty when the file holds no data block.
  std::vector<std::string> FileColumns(const std::string& path) const;
  /// Makes `request` the style's choice of columns (Environment.XColumn and YColumns) and
  /// reads the loaded file again with it; false when the file could not be read.
  bool ApplyColumns(const ColumnRequest& request);

  /// Loads the file again after it changed on disk, but only when all of its data converts:
  /// a file caught empty or half written leaves the last good data and picture. Returns
  /// whether it was taken.
  bool ReloadDataFile(const std::string& path);

  /// A change of the data text from outside LoadDataFile: not prepared again; redraws when
  /// auto-repaint is on, once a data file has been loaded. Its lines keep the numbers of the
  /// loaded file's data lines in error messages.
  void SetDataText(std::string text);

  // --- options files ------------------------------------------------------------------------
  void LoadOptionsFile(const std::string& fileName);
  void SaveOptionsFile(const std::string& fileName) const;

  // --- drawing ------------------------------------------------------------------------------
  /// Redraws when painting is enabled and AutoRepaint is on.
  void RepaintIfAuto();
  /// Full redraw (or curves only in the curves-only mode). A failing step throws; what was
  /// painted before stays. A data field that fails throws DataLineError with its file line.
  void RepaintGraph();
  /// The same with another style than Model (an overlay's file with colours of its own): in
  /// full, or just the curves on the axes of the last full drawing.
  void RepaintWith(const GraphModel& style, bool curvesOnly);
  /// The text block alone, whatever PaintEnabled and AutoRepaint say.
  void DrawTextBlock();

  RasterCanvas& Surface() const;
  /// The surface's pixels: Surface().Scale() of them to a pixel of the image, each way.
  const PixelBuffer& Pixels() const { return Surface().Pixels(); }
  /// Pixels of the screen to one of the image (its device pixel ratio): smooth drawing takes
  /// it at each full redraw, the classic drawing stays one to one.
  double DisplayScale = 1;
  FontEngine& Fonts() { return fonts_; }

  /// What the last full drawing found out (origin, plot rectangle, curve count, text-block
  /// lines); a curves-only redraw leaves it.
  const DrawingState& State() const { return state_; }
  /// The wrapped text-block lines of the last text-block drawing.
  const std::vector<std::string>& TextBlockLines() const { return state_.TextBlockLines; }

  // --- cursor readout -----------------------------------------------------------------------
  /// Caption before the coordinates; a language file may replace it.
  std::string CursorPrefix = kCursorPositionPrefix;
  std::string CursorReadoutAt(int x, int y) const;
  std::string ClearCursorPosition() const;
  /// The data point nearest image pixel (x, y) in the last full drawing of the style, within
  /// kNearRadius pixels; the points are indexed at the first look after each such drawing.
  std::optional<NearPoint> NearestPoint(int x, int y) const;

  /// Draws a picture anew (SVG, PDF, a scaled PNG) when the window shows more than the style and
  /// the loaded file (several files drawn together); empty: the style and the loaded file.
  std::function<void(Canvas&)> DrawPicture;

  /// Called after every drawing operation, also one that failed part way.
  std::function<void()> OnPainted;

 private:
  GraphPainter Painter(const GraphModel& style, DrawingState& state);
  void FitSurfaceToImage();
  /// How the style says data files are read.
  DataRules Rules() const;
  bool DrawFromFrame(const GraphModel& style, GraphPainter& painter);

  FontEngine& fonts_;
  // Only what the picture shows is allocated and cleared: an image of 600 x 500 pixels needs
  // a twelfth of the largest surface. Kept across pictures of the same size.
  mutable std::unique_ptr<RasterCanvas> canvas_;
  ShownData data_;
  DataNames paintNames_;  // what the painter's texts name, while it paints
  bool dataChangeRedraws_ = false;
  DrawingState state_;
  // The base of the last full drawing with ReuseFrames, the style it was drawn with, what its
  // texts showed and the pen it started with.
  struct Frame {
    GraphModel Style;
    std::string Texts;
    RasterCanvas::PenState Start;
    RasterCanvas::Snapshot Canvas;
    DrawingState State;
  };
  std::unique_ptr<Frame> frame_;
  // The style of the last full drawing, which the index of its points is built from.
  GraphModel drawnStyle_;
  mutable std::optional<NearestPointIndex> nearIndex_;
};

}  // namespace kurvex
