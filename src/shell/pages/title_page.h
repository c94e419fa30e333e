#pragma once

#include "shell/pages/settings_page.h"

namespace kurvex::shell {

/// The names of one title page's controls and the record it edits.
struct TitlePageNames {
  const char* Page;  // scroll box
  const char* Content;
  const char* Heading;
  const char* HeadingText;
  const char* Visible;
  const char* TextLabel;
  const char* TextLabelText;
  const char* Edit;
  const char* LeftLabel;
  const char* LeftEdit;
  const char* LeftSpinner;
  const char* LeftAuto;
  const char* TopLabel;
  const char* TopLabelText;
  const char* TopEdit;
  const char* TopSpinner;
  const char* TopAuto;
  TMyTitle& (*Record)(GraphModel&);
  /// The graph title's font opens on a double click in its edit or heading; an axis title's on
  /// a single click in its edit.
  bool FontOnDoubleClick;
};

extern const TitlePageNames kGraphTitleNames;
extern const TitlePageNames kAxisXTitleNames;
extern const TitlePageNames kAxisYTitleNames;

/// "Graph Title", "Axis X Title" and "Axis Y Title": a placed text with its font.
class TitlePage : public SettingsPage {
  Q_OBJECT

 public:
  TitlePage(QWidget* page, const TitlePageNames& names);
  void Fill() override;

 private:
  void Connect() override;
  TMyTitle& Title() const { return names_.Record(Model()); }

  // CheckBox{Title,AxisXTitle,AxisYTitle}VisibleClick
  void CheckBoxVisibleClick();
  // Edit{Title,AxisXTitle,AxisYTitle}Change
  void EditTitleChange();
  // EditTitleDblClick, LabelAxisXTitleDblClick, LabelAxisYTitleDblClick
  void TitleFontClick();
  // CheckBox{GraphTitle,AxisXTitle,AxisYTitle}LeftAutoClick
  void CheckBoxLeftAutoClick();
  // Edit{GraphTitle,AxisXTitle,AxisYTitle}LeftChange
  void EditLeftChange();
  // CheckBoxGraphTitleTopAutoClick, CheckBoxAxisXTitleTopAutoClick,
  // CheckBoxAxisYTitleBottomAutoClick
  void CheckBoxTopAutoClick();
  // EditGraphTitleTopChange, EditAxisXTitleTopChange, EditAxisYTitleBottomChange
  void EditTopChange();

  const TitlePageNames& names_;
  ClickLabel* heading_;
  QCheckBox* visible_;
  ClickLabel* textLabel_ = nullptr;
  QLineEdit* edit_;
  SpinField left_;
  SpinField top_;
};

}  // namespace kurvex::shell
