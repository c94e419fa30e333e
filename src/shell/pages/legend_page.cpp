#include "shell/pages/legend_page.h"

#include <QCheckBox>
#include <QLineEdit>

#include "shell/kit/color_panel.h"

namespace kurvex::shell {

LegendPage::LegendPage(QWidget* page)
    : SettingsPage(page, "ScrollBoxLegend", "ScrollBoxLegendContent") {
  heading_ = Heading("LabelLegend", "Legend");
  visible_ = Check("CheckBoxLegendVisible", "Visible");
  left_ = Spin("LabelLegendLeft", "Left", "EditLegendLeft", "UpDownLegendLeft", 0, 1000, 1, 8,
               "CheckBoxLegendLeftAuto");
  top_ = Spin("LabelLegendTop", "Top", "EditLegendTop", "UpDownLegendTop", 0, 1000, 1, 8,
              "CheckBoxLegendTopAuto");
}

void LegendPage::Connect() {
  On(visible_, &QCheckBox::toggled, &LegendPage::CheckBoxLegendVisibleClick);
  On(heading_, &ClickLabel::Clicked, &LegendPage::SpeedButtonLegendFontClick);
  heading_->setCursor(Qt::PointingHandCursor);
  On(left_.Auto, &QCheckBox::toggled, &LegendPage::CheckBoxLegendLeftAutoClick);
  On(left_.Edit, &QLineEdit::textChanged, &LegendPage::EditLegendLeftChange);
  On(top_.Auto, &QCheckBox::toggled, &LegendPage::CheckBoxLegendTopAutoClick);
  On(top_.Edit, &QLineEdit::textChanged, &LegendPage::EditLegendTopChange);
}

void LegendPage::Fill() {
  const TMyLegend legend = Model().Legend;
  SetChecked(visible_, legend.Visible);
  SetPlacement(left_, top_, legend);
}

void LegendPage::CheckBoxLegendVisibleClick() {
  StoreCheck(visible_, Model().Legend.Visible);
}

void LegendPage::SpeedButtonLegendFontClick() {
  EditFont(Model().Legend.Font);
}

void LegendPage::CheckBoxLegendLeftAutoClick() {
  ApplyAuto(left_, Model().Legend.LeftAuto);
}

void LegendPage::EditLegendLeftChange() {
  StoreInt(left_.Edit, Model().Legend.Left);
}

void LegendPage::CheckBoxLegendTopAutoClick() {
  ApplyAuto(top_, Model().Legend.TopAuto);
}

void LegendPage::EditLegendTopChange() {
  StoreInt(top_.Edit, Model().Legend.Top);
}

}  // namespace kurvex::shell
