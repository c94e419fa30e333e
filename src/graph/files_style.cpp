#include "graph/files_style.h"

#include <string>

#include "graph/curve_palette.h"
#include "graph/shown_data.h"

namespace kurvex {

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// "cm-1", "cm^-1", "cm⁻¹", "1/cm", "cm**-1" as instruments and people write it.
bool InReciprocalCentimetres(std::string_view lower) {
  for (const std::string_view unit :
       {"cm-1", "cm^-1", "cm\u207B\u00B9", "1/cm", "cm**-1", "cm -1"}) {
    if (Contains(lower, unit)) return true;
  }
  return false;
}

}  // namespace

GraphModel FilesStyle() {
  GraphModel m = StartModel();
  m.LoadAllOptions = true;
  m.FindDataBlock = true;
  m.FitAxesToData = true;
  m.FitDirectionByKind = true;
  m.ImageSmooth = true;
  // No caption below the axes: the plot takes its rows.
  m.AxisY.Bottom = 70;
  m.AxisY.Length = 340;
  m.Title.Text = "{FileTitle}";
  m.AxisX.Title.Text = "{XTitle}";
  m.AxisY.Title.Text = "{YTitle}";
  for (int k = 1; k <= kCurveCount; ++k) {
    TCurve& curve = m.Curve[k];
    curve.LineVisible = true;
    curve.SymbolVisible = false;
    curve.Color = CurveColor(k);
    curve.LegendText = "{Column" + std::to_string(k + 1) + "}";
  }
  // The head of an instrument file is its notes, not a caption.
  m.Text.Text.clear();
  return m;
}

bool InfraredWavenumbers(const SpectrumInfo& spectrum, std::string_view xColumnName) {
  const std::string type = Lower(spectrum.DataType);
  const std::string units = Lower(spectrum.XUnits);
  if (Contains(type, "raman")) return false;
  if (Contains(type, "infrared")) return units.empty() || InReciprocalCentimetres(units);
  const std::string name = Lower(xColumnName);
  if (Contains(name, "raman") || Contains(name, "shift")) return false;
  return (Contains(name, "wavenumber") || Contains(name, "wave number")) &&
         (InReciprocalCentimetres(name) || !Contains(name, "("));
}

bool UnaskedFitFalls(const GraphModel& style, const ShownData& data, const DataExtent& extent) {
  if (!style.FitDirectionByKind) return extent.XFalls;
  const DataNames names = data.Names();
  const std::string_view x =
      names.Columns && !names.Columns->empty() ? std::string_view(names.Columns->front()) : "";
  return InfraredWavenumbers(data.Spectrum(), x);
}

}  // namespace kurvex
