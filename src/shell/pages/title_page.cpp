#include "shell/pages/title_page.h"

#include <QCheckBox>
#include <QLineEdit>

#include "shell/kit/color_panel.h"
#include "shell/kit/up_down.h"

namespace kurvex::shell {

const TitlePageNames kGraphTitleNames = {
    "ScrollBoxTitle",
    "ScrollBoxTitleContent",
    "LabelTitle",
    "Title",
    "CheckBoxTitleVisible",
    "LabelTitleText",
    "Caption",
    "EditTitle",
    "LabelTitleLeft",
    "EditGraphTitleLeft",
    "UpDownTitleLeft",
    "CheckBoxGraphTitleLeftAuto",
    "LabelTitleTop",
    "Top",
    "EditGraphTitleTop",
    "UpDownTitleTop",
    "CheckBoxGraphTitleTopAuto",
    [](GraphModel& m) -> TMyTitle& { return m.Title; },
    true,
};

const TitlePageNames kAxisXTitleNames = {
    "ScrollBoxAxisXTitle",
    "ScrollBoxAxisXTitleContent",
    "LabelAxisXTitle",
    "Axis X title",
    "CheckBoxAxisXTitleVisible",
    "LabelAxisXTitleText",
    "Text",
    "EditAxisXTitle",
    "LabelAxisXTitleLeft",
    "EditAxisXTitleLeft",
    "UpDownAxisXTitleLeft",
    "CheckBoxAxisXTitleLeftAuto",
    "LabelAxisXTitleTop",
    "Top",
    "EditAxisXTitleTop",
    "UpDownAxisXTitleTop",
    "CheckBoxAxisXTitleTopAuto",
    [](GraphModel& m) -> TMyTitle& { return m.AxisX.Title; },
    false,
};

const TitlePageNames kAxisYTitleNames = {
    "ScrollBoxAxisYTitle",
    "ScrollBoxAxisYTitleContent",
    "LabelAxisYTitle",
    "Axis Y title",
    "CheckBoxAxisYTitleVisible",
    "LabelAxisYTitleText",
    "Text",
    "EditAxisYTitle",
    "LabelAxisYTitleLeft",
    "EditAxisYTitleLeft",
    "UpDownAxisYTitleLeft",
    "CheckBoxAxisYTitleLeftAuto",
    "LabelAxisYTitleBottom",
    "Bottom",
    "EditAxisYTitleBottom",
    "UpDownAxisYTitleBottom",
    "CheckBoxAxisYTitleBottomAuto",
    [](GraphModel& m) -> TMyTitle& { return m.AxisY.Title; },
    false,
};

TitlePage::TitlePage(QWidget* page, const TitlePageNames& names)
    : SettingsPage(page, names.Page, names.Content), names_(names) {
  heading_ = Heading(names.Heading, names.HeadingText);
  visible_ = Check(names.Visible, "Visible");
  edit_ = WideEdit(names.TextLabel, names.TextLabelText, names.Edit, &textLabel_);
  left_ = Spin(names.LeftLabel, "Left", names.LeftEdit, names.LeftSpinner, 0, 1000, 1, 8,
               names.LeftAuto);
  top_ = Spin(names.TopLabel, names.TopLabelText, names.TopEdit, names.TopSpinner, 0, 1000, 1, 8,
              names.TopAuto);
}

void TitlePage::Connect() {
  On(visible_, &QCheckBox::toggled, &TitlePage::CheckBoxVisibleClick);
  On(edit_, &QLineEdit::textChanged, &TitlePage::EditTitleChange);
  auto* clicks = new MouseClicks(edit_);
  if (names_.FontOnDoubleClick) {
    On(clicks, &MouseClicks::DoubleClicked, &TitlePage::TitleFontClick);
    On(heading_, &ClickLabel::DoubleClicked, &TitlePage::TitleFontClick);
  } else {
    On(clicks, &MouseClicks::Clicked, &TitlePage::TitleFontClick);
  }
  On(textLabel_, &ClickLabel::Clicked, &TitlePage::TitleFontClick);
  textLabel_->setCursor(Qt::PointingHandCursor);
  On(left_.Auto, &QCheckBox::toggled, &TitlePage::CheckBoxLeftAutoClick);
  On(left_.Edit, &QLineEdit::textChanged, &TitlePage::EditLeftChange);
  On(top_.Auto, &QCheckBox::toggled, &TitlePage::CheckBoxTopAutoClick);
  On(top_.Edit, &QLineEdit::textChanged, &TitlePage::EditTopChange);
}

void TitlePage::Fill() {
  const TMyTitle title = Title();
  SetChecked(visible_, title.Visible);
  SetText(edit_, title.Text);
  SetPlacement(left_, top_, title);
}

void TitlePage::CheckBoxVisibleClick() {
  StoreCheck(visible_, Title().Visible);
}

void TitlePage::EditTitleChange() {
  StoreText(edit_, Title().Text);
}

void TitlePage::TitleFontClick() {
  EditFont(Title().Font);
}

void TitlePage::CheckBoxLeftAutoClick() {
  ApplyAuto(left_, Title().LeftAuto);
}

void TitlePage::EditLeftChange() {
  StoreInt(left_.Edit, Title().Left);
}

void TitlePage::CheckBoxTopAutoClick() {
  ApplyAuto(top_, Title().TopAuto);
}

void TitlePage::EditTopChange() {
  StoreInt(top_.Edit, Title().Top);
}

}  // namespace kurvex::shell
