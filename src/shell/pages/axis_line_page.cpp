#include "shell/pages/axis_line_page.h"

#include <QCheckBox>
#include <QLineEdit>

#include "shell/kit/color_panel.h"
#include "shell/pages/page_graph.h"

namespace kurvex::shell {

const AxisLineNames kAxisXLineNames = {
    "ScrollBoxAxisXLine",
    "ScrollBoxAxisXLineContent",
    "LabelAxisXLine",
    "Axis X line",
    "CheckBoxAxisXVisible",
    "LabelAxisXBottom",
    "Bottom",
    "EditAxisYBottom",
    "UpDownAxisYBottom",
    "LabelAxisXLength",
    "EditAxisXLength",
    "UpDownAxisXLength",
    "LabelAxisXWidth",
    "EditAxisXWidth",
    "UpDownAxisXWidth",
    "LabelAxisXColor",
    "PanelAxisXColor",
    "Axis X color",
    [](GraphModel& m) -> TMyAxis& { return m.AxisX; },
    [](GraphModel& m) -> int32_t& { return m.AxisY.Bottom; },
};

const AxisLineNames kAxisYLineNames = {
    "ScrollBoxAxisYLine",
    "ScrollBoxAxisYLineContent",
    "LabelAxisYLine",
    "Axis Y line",
    "CheckBoxAxisYVisible",
    "LabelAxisYLeft",
    "Left",
    "EditAxisXLeft",
    "UpDownAxisXLeft",
    "LabelAxisYLength",
    "EditAxisYLength",
    "UpDownAxisYLength",
    "LabelAxisYWidth",
    "EditAxisYWidth",
    "UpDownAxisYWidth",
    "LabelAxisYColor",
    "PanelAxisYColor",
    "Axis Y color",
    [](GraphModel& m) -> TMyAxis& { return m.AxisY; },
    [](GraphModel& m) -> int32_t& { return m.AxisX.Left; },
};

AxisLinePage::AxisLinePage(QWidget* page, const AxisLineNames& names)
    : SettingsPage(page, names.Page, names.Content), names_(names) {
  Heading(names.Heading, names.HeadingText);
  visible_ = Check(names.Visible, "Visible");
  offset_ = Spin(names.OffsetLabel, names.OffsetText, names.OffsetEdit, names.OffsetSpinner, 10,
                 800, 10, 100);
  length_ =
      Spin(names.LengthLabel, "Length", names.LengthEdit, names.LengthSpinner, 100, 1000, 10, 400);
  width_ = Spin(names.WidthLabel, "Thick", names.WidthEdit, names.WidthSpinner, 1, 8, 1, 1);
  color_ =
      Swatch(names.ColorLabel, "Color", names.ColorSwatch, names.ColorAccessible, &colorLabel_);
}

void AxisLinePage::Connect() {
  On(visible_, &QCheckBox::toggled, &AxisLinePage::CheckBoxVisibleClick);
  On(offset_.Edit, &QLineEdit::textChanged, &AxisLinePage::EditOffsetChange);
  On(length_.Edit, &QLineEdit::textChanged, &AxisLinePage::EditLengthChange);
  On(width_.Edit, &QLineEdit::textChanged, &AxisLinePage::EditWidthChange);
  On(color_, &ColorPanel::Clicked, &AxisLinePage::ColorClick);
  On(colorLabel_, &ClickLabel::Clicked, &AxisLinePage::ColorClick);
}

void AxisLinePage::Fill() {
  const TMyAxis axis = Axis();
  SetChecked(visible_, axis.Visible);
  SetPosition(offset_, names_.Offset(Model()));
  SetPosition(length_, axis.Length);
  SetPosition(width_, axis.Width);
  color_->SetColor(axis.Color);
}

void AxisLinePage::CheckBoxVisibleClick() {
  StoreCheck(visible_, Axis().Visible);
}

void AxisLinePage::EditOffsetChange() {
  StoreInt(offset_.Edit, names_.Offset(Model()));
}

void AxisLinePage::EditLengthChange() {
  StoreInt(length_.Edit, Axis().Length);
}

void AxisLinePage::EditWidthChange() {
  StoreInt(width_.Edit, Axis().Width);
}

void AxisLinePage::ColorClick() {
  color_->SetColor(Graph().ChangeColorOption(Axis().Color));
}

}  // namespace kurvex::shell
