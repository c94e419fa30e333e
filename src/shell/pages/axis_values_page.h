#pragma once

#include "shell/pages/settings_page.h"

class QPushButton;

namespace kurvex::shell {

/// The names of one axis-values page's controls and the axis it edits.
struct AxisValuesNames {
  const char* Page;
  const char* Heading;
  const char* HeadingText;
  const char* Axis;  // "AxisX" or "AxisY": the middle of every control name
  TMyAxis& (*Record)(GraphModel&);
};

extern const AxisValuesNames kAxisXValuesNames;
extern const AxisValuesNames kAxisYValuesNames;

/// "Axis X Values" and "Axis Y Values": range, tick labels and ticks of one axis.
class AxisValuesPage : public SettingsPage {
  Q_OBJECT

 public:
  AxisValuesPage(QWidget* page, const AxisValuesNames& names);
  void Fill() override;

  QLineEdit* MinimumEdit() const { return min_; }
  QLineEdit* MaximumEdit() const { return max_; }
  QLineEdit* TickCountEdit() const { return tickCount_.Edit; }
  QLineEdit* DecDigitsEdit() const { return decDigits_.Edit; }

 private:
  void Connect() override;
  TMyAxis& Axis() const { return names_.Record(Model()); }
  /// Minimum and maximum as fixed text with the decimals the spinner shows.
  std::string Fixed(long double value) const;

  // EditAxisXMinChange, EditAxisYMinChange
  void EditMinChange();
  // EditAxisXMaxChange, EditAxisYMaxChange
  void EditMaxChange();
  // LabelAxisXLabelsClick, LabelAxisYLabelsClick
  void LabelLabelsClick();
  // CheckBoxAxisXTickLabelVisibleClick, CheckBoxAxisYTickLabelVisibleClick
  void CheckBoxTickLabelVisibleClick();
  // EditAxisXDecDigitsChange, EditAxisYDecDigitsChange: then the decimals rule
  void EditDecDigitsChange();
  // CheckBoxAxisXTickVisibleClick, CheckBoxAxisYTickVisibleClick
  void CheckBoxTickVisibleClick();
  // EditAxisXTickCountChange, EditAxisYTickCountChange
  void EditTickCountChange();
  // EditAxisXTickLengthChange, EditAxisYTickLengthChange
  void EditTickLengthChange();
  // ButtonAxisXFit, ButtonAxisYFit: the range, ticks and decimals of the data drawn, written
  // through the edits so their handlers run and the whole fit is one undo step
  void FitToDataClick();

  const AxisValuesNames& names_;
  QLineEdit* min_;
  QLineEdit* max_;
  ClickLabel* labels_;
  QCheckBox* tickLabelVisible_;
  SpinField decDigits_;
  QCheckBox* tickVisible_;
  SpinField tickCount_;
  SpinField tickLength_;
  QPushButton* fit_;
};

}  // namespace kurvex::shell
