#include "shell/pages/axis_values_page.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "common/number_text.h"
#include "graph/axis_fit.h"
#include "shell/color_panel.h"
#include "shell/form_kurvex.h"
#include "shell/up_down.h"

namespace kurvex::shell {

const AxisValuesNames kAxisXValuesNames = {"ScrollBoxAxisXValues", "LabelAxisXValues",
                                           "Axis X values", "AxisX",
                                           [](GraphModel& m) -> TMyAxis& { return m.AxisX; }};
const AxisValuesNames kAxisYValuesNames = {"ScrollBoxAxisYValues", "LabelAxisYValues",
                                           "Axis Y values", "AxisY",
                                           [](GraphModel& m) -> TMyAxis& { return m.AxisY; }};

namespace {

// "Edit" + "AxisX" + "Min": the pages of both axes name their controls alike.
std::string Name(const char* kind, const char* axis, const char* role) {
  return std::string(kind) + axis + role;
}

}  // namespace

AxisValuesPage::AxisValuesPage(QWidget* page, const AxisValuesNames& names)
    : SettingsPage(page, names.Page), names_(names) {
  const char* a = names.Axis;
  auto n = [&](const char* kind, const char* role) { return Name(kind, a, role); };
  Heading(names.Heading, names.HeadingText);
  min_ = NumberRow(n("Label", "Min").c_str(), "From", n("Edit", "Min").c_str());
  max_ = NumberRow(n("Label", "Max").c_str(), "To", n("Edit", "Max").c_str());
  labels_ = new ClickLabel(n("Label", "Labels").c_str(), "Labels", Parent());
  labels_->setCursor(Qt::PointingHandCursor);
  labels_->setStyleSheet("font-weight: bold; padding-top: 6px;");
  Row(labels_);
  tickLabelVisible_ = Check(n("CheckBox", "TickLabelVisible").c_str(), "Visible");
  decDigits_ = Spin(n("Label", "DecDigits").c_str(), "Dec.digits", n("Edit", "DecDigits").c_str(),
                    n("UpDown", "DecDigits").c_str(), 0, 6, 1, 0);
  auto* tick = new QLabel("Tick", Parent());
  tick->setObjectName(n("Label", "Tick").c_str());
  tick->setStyleSheet("font-weight: bold; padding-top: 6px;");
  Row(tick);
  tickVisible_ = Check(n("CheckBox", "TickVisible").c_str(), "Visible");
  tickCount_ = Spin(n("Label", "TickCount").c_str(), "Count", n("Edit", "TickCount").c_str(),
                    n("UpDown", "TickCount").c_str(), 0, 100, 5, 5);
  tickLength_ = Spin(n("Label", "TickLength").c_str(), "Length", n("Edit", "TickLength").c_str(),
                     n("UpDown", "TickLength").c_str(), 1, 20, 1, 10);
  fit_ = new QPushButton("Fit to data", Parent());
  fit_->setObjectName(n("Button", "Fit").c_str());
  fit_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
  Row(fit_);
}

void AxisValuesPage::Connect() {
  On(min_, &QLineEdit::textChanged, &AxisValuesPage::EditMinChange);
  On(max_, &QLineEdit::textChanged, &AxisValuesPage::EditMaxChange);
  On(labels_, &ClickLabel::Clicked, &AxisValuesPage::LabelLabelsClick);
  On(tickLabelVisible_, &QCheckBox::toggled, &AxisValuesPage::CheckBoxTickLabelVisibleClick);
  On(decDigits_.Edit, &QLineEdit::textChanged, &AxisValuesPage::EditDecDigitsChange);
  On(tickVisible_, &QCheckBox::toggled, &AxisValuesPage::CheckBoxTickVisibleClick);
  On(tickCount_.Edit, &QLineEdit::textChanged, &AxisValuesPage::EditTickCountChange);
  On(tickLength_.Edit, &QLineEdit::textChanged, &AxisValuesPage::EditTickLengthChange);
  On(fit_, &QPushButton::clicked, &AxisValuesPage::FitToDataClick);
}

std::string AxisValuesPage::Fixed(long double value) const {
  return FormatFixed(value, decDigits_.Spinner->Position());
}

void AxisValuesPage::Fill() {
  const TMyAxis axis = Axis();
  SetText(min_, FormatFixed(axis.Minimum, axis.TickLabels.DecDigits));
  SetText(max_, FormatFixed(axis.Maximum, axis.TickLabels.DecDigits));
  SetChecked(tickLabelVisible_, axis.TickLabels.Visible);
  SetPosition(decDigits_, axis.TickLabels.DecDigits);
  SetChecked(tickVisible_, axis.TickVisible);
  SetPosition(tickCount_, axis.TickCount);
  SetPosition(tickLength_, axis.TickLength);
}

void AxisValuesPage::EditMinChange() {
  StoreFloat(min_, Axis().Minimum);
}

void AxisValuesPage::EditMaxChange() {
  StoreFloat(max_, Axis().Maximum);
}

void AxisValuesPage::LabelLabelsClick() {
  EditFont(Axis().TickLabels.Font);
}

void AxisValuesPage::CheckBoxTickLabelVisibleClick() {
  StoreCheck(tickLabelVisible_, Axis().TickLabels.Visible);
}

void AxisValuesPage::EditDecDigitsChange() {
  const auto digits = ReadInt(decDigits_.Edit);
  if (!digits) return;
  Axis().TickLabels.DecDigits = *digits;
  // Showing fewer decimals stores the rounded values back: what the user sees is what is kept.
  SetText(min_, Fixed(Axis().Minimum));
  SetText(max_, Fixed(Axis().Maximum));
  Redraw();
}

void AxisValuesPage::CheckBoxTickVisibleClick() {
  Axis().TickVisible = tickVisible_->isChecked();
  tickLabelVisible_->setEnabled(Axis().TickVisible);
  Redraw();
}

void AxisValuesPage::EditTickCountChange() {
  StoreInt(tickCount_.Edit, Axis().TickCount);
}

void AxisValuesPage::EditTickLengthChange() {
  StoreInt(tickLength_.Edit, Axis().TickLength);
}

void AxisValuesPage::FitToDataClick() {
  const AxesFit fits = FitAxesToData(Graph().Engine().Data());
  const std::optional<AxisFit>& fit = std::string(names_.Axis) == "AxisX" ? fits.X : fits.Y;
  if (!fit) return;
  // The decimals first: their rule rewrites the range edits from the values held before.
  SetPosition(decDigits_, fit->DecDigits);
  SetText(min_, FormatFixed(fit->Minimum, fit->DecDigits));
  SetText(max_, FormatFixed(fit->Maximum, fit->DecDigits));
  SetPosition(tickCount_, fit->TickCount);
}

}  // namespace kurvex::shell
