#pragma once

#include "shell/pages/settings_page.h"

class QComboBox;

namespace kurvex::shell {

/// "Curves": the symbol size and line width of all curves, and one curve's style at a time.
class CurvesPage : public SettingsPage {
  Q_OBJECT

 public:
  explicit CurvesPage(QWidget* page);
  void Fill() override;

  /// Set while the curve controls are loaded from a curve, so their handlers store nothing.
  bool CurveLoading = false;

  /// Loads the curve controls from a copy of the record; stores nothing.
  void ShowCurve(TCurve curve);
  /// The curve controls into the record; the curve counts as styled by the user from now on.
  void StoreCurve(TCurve& curve) const;

 private:
  void Connect() override;
  /// The curve the page shows, or 0 when the spinner is outside 1..10.
  int Current() const;
  void SelectSymbol(int index);

  void EditCurveSymbolSizeChange();
  void EditCurveLineWidthChange();
  void EditCurveChange();
  void SetCurveChange();
  void LabelCurveColorDblClick();

  SpinField symbolSize_;
  SpinField lineWidth_;
  SpinField curve_;
  QComboBox* symbol_;
  QCheckBox* line_;
  QCheckBox* point_;
  QLineEdit* legendText_;
  ClickLabel* colorLabel_;
  ColorPanel* color_;
};

/// The symbol list as the graph draws it: the Symbol encoding's glyph of each code-page
/// character (bullet, times, circled times, club, diamond, heart, Greek letters).
QString SymbolGlyph(const std::string& symbolText);

}  // namespace kurvex::shell
