#include "graph/model.h"

#include <utility>

namespace kurvex {

namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kLightGreen = 0xD7FFD7;

TMyFont TimesFont(int32_t size, bool bold, int32_t charset = 0) {
  TMyFont font;
  font.Name = "Times New Roman";
  font.Charset = charset;
  font.Size = size;
  font.Bold = bold;
  return font;
}

TMyTitle PlacedText(std::string text, TMyFont font, int32_t left, int32_t top, bool topAuto) {
  TMyTitle title;
  title.Visible = true;
  title.LeftAuto = true;
  title.TopAuto = topAuto;
  title.Font = std::move(font);
  title.Text = std::move(text);
  title.Left = left;
  title.Top = top;
  return title;
}

// Both axes share everything but their placement, range, tick count and decimals.
TMyAxis StartAxis(int32_t length, double minimum, double maximum, int32_t tickCount,
                  int32_t decDigits, TMyTitle title) {
  TMyAxis axis;
  axis.Visible = true;
  axis.Length = length;
  axis.Width = 1;
  axis.Minimum = Real48::From(minimum);
  axis.Maximum = Real48::From(maximum);
  axis.TickVisible = true;
  axis.TickCount = tickCount;
  axis.TickLength = 10;
  axis.TickWidth = 1;
  axis.TickLabels.Visible = true;
  axis.TickLabels.Font = TimesFont(10, true);
  axis.TickLabels.Distance = 8;
  axis.TickLabels.DecDigits = decDigits;
  axis.Title = std::move(title);
  return axis;
}

}  // namespace

GraphModel StartModel() {
  GraphModel m;
  m.AutoRepaint = true;
  m.OnlyCurves = false;
  m.BackGroundColor = kLightGreen;
  m.StatusBarVisible = false;

  m.ImageBorderVisible = true;
  m.ImageTop = 10;
  m.ImageLeft = 10;
  m.ImageWidth = 600;
  m.ImageHeight = 500;
  m.ImageColor = kWhite;
  m.ImageBorderWidth = 1;
  m.ImageBorderColor = 0;

  m.Title = PlacedText("Ellipsometry", TimesFont(20, true), 8, 8, true);
  m.AxisX = StartAxis(500, 300, 1000, 7, 0,
                      PlacedText("Wave length[nm]", TimesFont(12, true), 84, 8, true));
  m.AxisX.Left = 70;
  m.AxisY = StartAxis(280, -1, 3, 4, 2,
                      PlacedText("Tan(Psi),  Cos(Delta)", TimesFont(12, true), 28, 8, true));
  m.AxisY.Bottom = 130;

  m.CurvesFont.Name = "MT Symbol";
  m.CurvesFont.Charset = 2;
  m.CurvesFont.Size = 8;
  for (int n = 1; n <= kCurveCount; ++n) {
    TCurve& curve = m.Curve[n];
    const bool drawnAsLine = n <= 2;
    curve.SymbolVisible = !drawnAsLine;
    curve.LineVisible = drawnAsLine;
    curve.Symbol = n;
  }
  m.Curve[1].LegendText = "Tan(Psi)";
  m.Curve[1].Color = kRed;
  m.Curve[2].LegendText = "Cos(Del)";
  m.Curve[2].Color = kBlue;
  m.DefaultSize = true;
  m.CurveLineWidth = 1;

  m.Legend.Visible = true;
  m.Legend.LeftAuto = true;
  m.Legend.TopAuto = true;
  m.Legend.Font = TimesFont(10, false);
  m.Legend.Left = 120;
  m.Legend.Top = 40;

  m.Text = PlacedText(
      "Fig. 1 Ellipsometric spectrum (80 nm SiO2 on Si; Angle of incidence 70\u00B0)."
      "{TextInDataFile}",
      TimesFont(12, false, 238), 8, 28, false);

  ApplySymbolTexts(m);
  return m;
}

void ApplyStartValues(GraphModel& model) {
  GraphModel start = StartModel();
  start.LoadAllOptions = model.LoadAllOptions;
  model = std::move(start);
}

const std::vector<std::string>& SymbolList() {
  static const std::vector<std::string> list = [] {
    // Through the Symbol encoding these six show as bullet, times, circled times, club,
    // diamond and heart; the letters show as Greek.
    std::vector<std::string> items = {"\u00B7", "\u00B4", "\u00C4", "\u00A7", "\u00A8", "\u00A9"};
    for (char c = '0'; c <= '9'; ++c) items.emplace_back(1, c);
    for (const char* s : {"*", "+", "#"}) items.emplace_back(s);
    for (char c = 'A'; c <= 'Z'; ++c) items.emplace_back(1, c);
    for (char c = 'a'; c <= 'z'; ++c) items.emplace_back(1, c);
    return items;
  }();
  return list;
}

void ApplySymbolTexts(GraphModel& model) {
  const auto& list = SymbolList();
  for (int n = 1; n <= kCurveCount; ++n) {
    TCurve& curve = model.Curve[n];
    const bool listed = curve.Symbol >= 0 && static_cast<std::size_t>(curve.Symbol) < list.size();
    curve.SymbolText = listed ? list[static_cast<std::size_t>(curve.Symbol)] : std::string();
  }
}

namespace {

// Sizes read from a hand-edited file can be anything; wrap like the 32-bit field instead of
// overflowing.
int32_t ShiftedBy(int32_t length, int32_t newSize, int32_t oldSize) {
  return static_cast<int32_t>(static_cast<int64_t>(length) + newSize - oldSize);
}

}  // namespace

void SetImageWidth(GraphModel& model, int32_t width) {
  model.AxisX.Length = ShiftedBy(model.AxisX.Length, width, model.ImageWidth);
  model.ImageWidth = width;
}

void SetImageHeight(GraphModel& model, int32_t height) {
  model.AxisY.Length = ShiftedBy(model.AxisY.Length, height, model.ImageHeight);
  model.ImageHeight = height;
}

}  // namespace kurvex
