#pragma once

#include "shell/pages/settings_page.h"

namespace kurvex::shell {

/// "Legend": whether and where the legend box is drawn, and its font.
class LegendPage : public SettingsPage {
  Q_OBJECT

 public:
  explicit LegendPage(QWidget* page);
  /// Moved to (left, top) on the graph; see MovePlaced.
  void MoveTo(int left, int top) { MovePlaced(left_, top_, Model().Legend, left, top); }
  void Fill() override;

 private:
  void Connect() override;

  void CheckBoxLegendVisibleClick();
  void SpeedButtonLegendFontClick();
  void CheckBoxLegendLeftAutoClick();
  void EditLegendLeftChange();
  void CheckBoxLegendTopAutoClick();
  void EditLegendTopChange();

  ClickLabel* heading_;
  QCheckBox* visible_;
  SpinField left_;
  SpinField top_;
};

}  // namespace kurvex::shell
