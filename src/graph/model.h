#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/real48.h"
#include "graph/process/process_settings.h"
#include "graph/text_font.h"

namespace kurvex {

/// A placed text: the graph title, each axis title and the free text block.
struct TMyTitle {
  bool Visible = false;
  bool LeftAuto = false;
  bool TopAuto = false;
  TMyFont Font;
  std::string Text;  // the text block may hold lines separated by CR LF
  int32_t Left = 0;
  int32_t Top = 0;

  bool operator==(const TMyTitle&) const = default;
};

/// The numbers written at the ticks of one axis.
struct TMyTickLabels {
  bool Visible = false;
  TMyFont Font;
  int32_t Distance = 0;
  int32_t DecDigits = 0;

  bool operator==(const TMyTickLabels&) const = default;
};

/// One axis; the x axis uses Left, the y axis Bottom.
struct TMyAxis {
  bool Visible = false;
  int32_t Left = 0;
  int32_t Bottom = 0;
  int32_t Length = 0;
  int32_t Width = 0;
  TColor Color = 0;
  Real48 Minimum;
  Real48 Maximum;
  bool TickVisible = false;
  int32_t TickCount = 0;
  int32_t TickLength = 0;
  int32_t TickWidth = 0;
  TMyTickLabels TickLabels;
  TMyTitle Title;
  /// Decades evenly spaced; drawn linear while From or To is not above zero.
  bool Logarithmic = false;

  bool operator==(const TMyAxis&) const = default;
};

/// The legend box.
struct TMyLegend {
  bool Visible = false;
  bool LeftAuto = false;
  bool TopAuto = false;
  TMyFont Font;
  int32_t Left = 0;
  int32_t Top = 0;

  bool operator==(const TMyLegend&) const = default;
};

/// The style of one curve (curve N is drawn from column N+1 of the data text).
struct TCurve {
  std::string SymbolText;  // not persisted
  std::string LegendText;
  bool SymbolVisible = false;
  bool LineVisible = false;
  int32_t Symbol = 0;  // index into SymbolList()
  int32_t Type = 0;
  TColor Color = 0;

  bool operator==(const TCurve&) const = default;
};

inline constexpr int kCurveCount = 10;

/// Ten curves addressed 1..10.
class CurveArray {
 public:
  TCurve& operator[](int n) { return items_.at(Index(n)); }
  const TCurve& operator[](int n) const { return items_.at(Index(n)); }
  bool operator==(const CurveArray&) const = default;

 private:
  static std::size_t Index(int n) {
    if (n < 1 || n > kCurveCount) throw std::out_of_range("curve index");
    return static_cast<std::size_t>(n - 1);
  }
  std::array<TCurve, kCurveCount> items_;
};

/// The one graph style: every setting an options file holds, nothing the drawing finds out.
/// Default-constructed it holds zeros and empty texts, as before the first options load.
struct GraphModel {
  bool LoadAllOptions = false;
  bool AutoRepaint = false;
  bool OnlyCurves = false;
  bool ImageBorderVisible = false;
  int32_t ImageTop = 0;
  int32_t ImageLeft = 0;
  int32_t ImageWidth = 0;
  int32_t ImageHeight = 0;
  TColor ImageColor = 0;
  int32_t ImageBorderWidth = 0;
  TColor ImageBorderColor = 0;
  /// Lines, curves, symbols and texts antialiased, curves cut at the plot rectangle, texts
  /// without their opaque cell; off, the classic drawing, pixel for pixel.
  bool ImageSmooth = false;
  TMyTitle Title;
  TMyAxis AxisX;
  TMyAxis AxisY;
  TMyFont CurvesFont;
  CurveArray Curve;
  bool DefaultSize = false;
  int32_t CurveLineWidth = 0;
  TMyLegend Legend;
  TMyTitle Text;

  // Environment settings the desktop program shows in widgets.
  TColor BackGroundColor = 0;  // the graph area around the image
  bool StatusBarVisible = false;
  // How data files are read: the data block found among other lines, and fitted axes.
  bool FindDataBlock = false;
  bool FitAxesToData = false;
  // The columns the block finder draws, by name or number from 1 (the y columns separated by
  // commas); empty: chosen by the file's head.
  std::string XColumn;
  std::string YColumns;
  /// A fit nobody asked for runs the x axis as spectroscopists read it (falling for an infrared
  /// spectrum in wavenumbers, rising for all else) instead of the way the file's x runs.
  bool FitDirectionByKind = false;

  /// What is done to the numbers between reading and drawing: nothing at start.
  TProcessing Processing;

  bool operator==(const GraphModel&) const = default;
};

/// The graph of a fresh installation (the values at start). LoadAllOptions stays false; every
/// curve's SymbolText is filled from the symbol list.
GraphModel StartModel();

/// Sets every persisted field to its value at start, leaving LoadAllOptions as it is.
void ApplyStartValues(GraphModel& model);

/// The 71 point-marker glyphs of the symbol chooser (UTF-8; drawn through the Symbol encoding).
const std::vector<std::string>& SymbolList();

/// Each curve's SymbolText := SymbolList()[Symbol], or empty outside the list.
void ApplySymbolTexts(GraphModel& model);

/// Changes the image width and lengthens or shortens the x axis by the same amount.
void SetImageWidth(GraphModel& model, int32_t width);

/// Changes the image height and lengthens or shortens the y axis by the same amount.
void SetImageHeight(GraphModel& model, int32_t height);

}  // namespace kurvex
