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
  /// Moved to (left, top) on the graph; see MovePlaced.
  void MoveTo(int left, int top) { MovePlaced(left_, top_, Title(), left, top); }
  void Fill() override;

 private:
  void Connect() override;
  TMyTitle& Title() const { return names_.Record(Model()); }

  // CheckBoxVisibleClick handles CheckBoxTitleVisibleClick, CheckBoxAxisXTitleVisibleClick and
  // CheckBoxAxisYTitleVisibleClick
  void CheckBoxVisibleClick();
  // EditTitleChange handles EditTitleChange, EditAxisXTitleChange and EditAxisYTitleChange
  void EditTitleChange();
  // TitleFontClick handles EditTitleDblClick, LabelAxisXTitleDblClick and
  // LabelAxisYTitleDblClick
  void TitleFontClick();
  // CheckBoxLeftAutoClick handles CheckBoxGraphTitleLeftAutoClick,
  // CheckBoxAxisXTitleLeftAutoClick and CheckBoxAxisYTitleLeftAutoClick
  void CheckBoxLeftAutoClick();
  // EditLeftChange handles EditGraphTitleLeftChange, EditAxisXTitleLeftChange and
  // EditAxisYTitleLeftChange
  void EditLeftChange();
  // CheckBoxTopAutoClick handles CheckBoxGraphTitleTopAutoClick,
  // CheckBoxAxisXTitleTopAutoClick and CheckBoxAxisYTitleBottomAutoClick
  void CheckBoxTopAutoClick();
  // EditTopChange handles EditGraphTitleTopChange, EditAxisXTitleTopChange and
  // EditAxisYTitleBottomChange
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
