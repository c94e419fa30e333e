#pragma once

#include <optional>

#include "graph/axis_fit.h"
#include "shell/pages/settings_page.h"

class QPushButton;

namespace kurvex::shell {

/// The names of one axis-values page's controls, the axis it edits and that axis's fit.
struct AxisValuesNames {
  const char* Page;
  const char* Content;
  const char* Heading;
  const char* HeadingText;
  const char* MinLabel;
  const char* MinEdit;
  const char* MaxLabel;
  const char* MaxEdit;
  const char* Reverse;
  const char* Logarithmic;
  const char* Labels;
  const char* TickLabelVisible;
  const char* DecDigitsLabel;
  const char* DecDigitsEdit;
  const char* DecDigitsSpinner;
  const char* Tick;
  const char* TickVisible;
  const char* TickCountLabel;
  const char* TickCountEdit;
  const char* TickCountSpinner;
  const char* TickLengthLabel;
  const char* TickLengthEdit;
  const char* TickLengthSpinner;
  const char* Fit;
  TMyAxis& (*Record)(GraphModel&);
  const ValueRange& (*RangeOf)(const DataExtent&);
};

extern const AxisValuesNames kAxisXValuesNames;
extern const AxisValuesNames kAxisYValuesNames;

/// "Axis X Values" and "Axis Y Values": range, tick labels and ticks of one axis.
class AxisValuesPage : public SettingsPage {
  Q_OBJECT

 public:
  AxisValuesPage(QWidget* page, const AxisValuesNames& names);
  void Fill() override;

  /// The axis shows `from` to `to` with `digits` decimals on its labels and, given, `ticks`
  /// ticks. The ends are kept as the range edits keep typed text of `rangeDigits` decimals,
  /// the decimals without their rule rounding the ends again. The caller makes it an undo step.
  void ShowRange(long double from, long double to, int digits, int rangeDigits,
                 std::optional<int> ticks);
  /// Fit to data, as the page's button does.
  void FitToData() { FitToDataClick(); }
  /// From and To change places, as the page's button does.
  void Reverse() { ReverseClick(); }

  QLineEdit* MinimumEdit() const { return min_; }
  QLineEdit* MaximumEdit() const { return max_; }
  QLineEdit* TickCountEdit() const { return tickCount_.Edit; }
  QLineEdit* DecDigitsEdit() const { return decDigits_.Edit; }

 private:
  void Connect() override;
  TMyAxis& Axis() const { return names_.Record(Model()); }
  /// Minimum and maximum as fixed text with the decimals the spinner shows.
  std::string Fixed(long double value) const;

  // EditMinChange handles EditAxisXMinChange and EditAxisYMinChange
  void EditMinChange();
  // EditMaxChange handles EditAxisXMaxChange and EditAxisYMaxChange
  void EditMaxChange();
  // ButtonAxisXReverse, ButtonAxisYReverse: From and To change places through the edits, one
  // undo step
  void ReverseClick();
  // CheckBoxLogarithmicClick handles CheckBoxAxisXLogarithmicClick and
  // CheckBoxAxisYLogarithmicClick
  void CheckBoxLogarithmicClick();
  // LabelLabelsClick handles LabelAxisXLabelsClick and LabelAxisYLabelsClick
  void LabelLabelsClick();
  // CheckBoxTickLabelVisibleClick handles CheckBoxAxisXTickLabelVisibleClick and
  // CheckBoxAxisYTickLabelVisibleClick
  void CheckBoxTickLabelVisibleClick();
  // EditDecDigitsChange handles EditAxisXDecDigitsChange and EditAxisYDecDigitsChange;
  // then the decimals rule
  void EditDecDigitsChange();
  // CheckBoxTickVisibleClick handles CheckBoxAxisXTickVisibleClick and
  // CheckBoxAxisYTickVisibleClick
  void CheckBoxTickVisibleClick();
  // EditTickCountChange handles EditAxisXTickCountChange and EditAxisYTickCountChange
  void EditTickCountChange();
  // EditTickLengthChange handles EditAxisXTickLengthChange and EditAxisYTickLengthChange
  void EditTickLengthChange();
  // ButtonAxisXFit, ButtonAxisYFit: the range, ticks and decimals of the data drawn (in decades
  // on a logarithmic axis, in the axis's direction), written through the edits so their
  // handlers run and the whole fit is one undo step
  void FitToDataClick();

  const AxisValuesNames& names_;
  QLineEdit* min_;
  QLineEdit* max_;
  QPushButton* reverse_;
  QCheckBox* logarithmic_;
  ClickLabel* labels_;
  QCheckBox* tickLabelVisible_;
  SpinField decDigits_;
  QCheckBox* tickVisible_;
  SpinField tickCount_;
  SpinField tickLength_;
  QPushButton* fit_;
};

}  // namespace kurvex::shell
