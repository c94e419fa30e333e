#pragma once

#include "shell/pages/settings_page.h"

namespace kurvex::shell {

/// The names of one axis-line page's controls and the fields it edits.
struct AxisLineNames {
  const char* Page;
  const char* Content;
  const char* Heading;
  const char* HeadingText;
  const char* Visible;
  // The offset of the axis from the image edge: the x axis's height above the bottom
  // (AxisY.Bottom) or the y axis's distance from the left (AxisX.Left).
  const char* OffsetLabel;
  const char* OffsetText;
  const char* OffsetEdit;
  const char* OffsetSpinner;
  const char* LengthLabel;
  const char* LengthEdit;
  const char* LengthSpinner;
  const char* WidthLabel;
  const char* WidthEdit;
  const char* WidthSpinner;
  const char* ColorLabel;
  const char* ColorSwatch;
  const char* ColorAccessible;
  TMyAxis& (*Record)(GraphModel&);
  int32_t& (*Offset)(GraphModel&);
};

extern const AxisLineNames kAxisXLineNames;
extern const AxisLineNames kAxisYLineNames;

/// "Axis X Line" and "Axis Y Line": where the axis sits, its length, thickness and colour.
class AxisLinePage : public SettingsPage {
  Q_OBJECT

 public:
  AxisLinePage(QWidget* page, const AxisLineNames& names);
  void Fill() override;

  /// The length field, which follows a change of the image size.
  const SpinField& LengthField() const { return length_; }

 private:
  void Connect() override;
  TMyAxis& Axis() const { return names_.Record(Model()); }

  // CheckBoxVisibleClick handles CheckBoxAxisXVisibleClick and CheckBoxAxisYVisibleClick
  void CheckBoxVisibleClick();
  // EditOffsetChange handles EditAxisYBottomChange and EditAxisXLeftChange
  void EditOffsetChange();
  // EditLengthChange handles EditAxisXLengthChange and EditAxisYLengthChange
  void EditLengthChange();
  // EditWidthChange handles EditAxisXWidthChange and EditAxisYWidthChange
  void EditWidthChange();
  // ColorClick handles LabelAxisXColorDblClick and PanelAxisYColorClick
  void ColorClick();

  const AxisLineNames& names_;
  QCheckBox* visible_;
  SpinField offset_;
  SpinField length_;
  SpinField width_;
  ClickLabel* colorLabel_;
  ColorPanel* color_;
};

}  // namespace kurvex::shell
