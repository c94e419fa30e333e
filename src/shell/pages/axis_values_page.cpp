#include "shell/pages/axis_values_page.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <utility>

#include "common/number_text.h"
#include "shell/kit/color_panel.h"
#include "shell/kit/up_down.h"
#include "shell/pages/page_graph.h"

namespace kurvex::shell {

const AxisValuesNames kAxisXValuesNames = {
    "ScrollBoxAxisXValues",
    "ScrollBoxAxisXValuesContent",
    "LabelAxisXValues",
    "Axis X values",
    "LabelAxisXMin",
    "EditAxisXMin",
    "LabelAxisXMax",
    "EditAxisXMax",
    "ButtonAxisXReverse",
    "CheckBoxAxisXLogarithmic",
    "LabelAxisXLabels",
    "CheckBoxAxisXTickLabelVisible",
    "LabelAxisXDecDigits",
    "EditAxisXDecDigits",
    "UpDownAxisXDecDigits",
    "LabelAxisXTick",
    "CheckBoxAxisXTickVisible",
    "LabelAxisXTickCount",
    "EditAxisXTickCount",
    "UpDownAxisXTickCount",
    "LabelAxisXTickLength",
    "EditAxisXTickLength",
    "UpDownAxisXTickLength",
    "ButtonAxisXFit",
    [](GraphModel& m) -> TMyAxis& { return m.AxisX; },
    [](const DataExtent& e) -> const ValueRange& { return e.X; },
};

const AxisValuesNames kAxisYValuesNames = {
    "ScrollBoxAxisYValues",
    "ScrollBoxAxisYValuesContent",
    "LabelAxisYValues",
    "Axis Y values",
    "LabelAxisYMin",
    "EditAxisYMin",
    "LabelAxisYMax",
    "EditAxisYMax",
    "ButtonAxisYReverse",
    "CheckBoxAxisYLogarithmic",
    "LabelAxisYLabels",
    "CheckBoxAxisYTickLabelVisible",
    "LabelAxisYDecDigits",
    "EditAxisYDecDigits",
    "UpDownAxisYDecDigits",
    "LabelAxisYTick",
    "CheckBoxAxisYTickVisible",
    "LabelAxisYTickCount",
    "EditAxisYTickCount",
    "UpDownAxisYTickCount",
    "LabelAxisYTickLength",
    "EditAxisYTickLength",
    "UpDownAxisYTickLength",
    "ButtonAxisYFit",
    [](GraphModel& m) -> TMyAxis& { return m.AxisY; },
    [](const DataExtent& e) -> const ValueRange& { return e.Y; },
};

AxisValuesPage::AxisValuesPage(QWidget* page, const AxisValuesNames& names)
    : SettingsPage(page, names.Page, names.Content), names_(names) {
  Heading(names.Heading, names.HeadingText);
  min_ = NumberRow(names.MinLabel, "From", names.MinEdit);
  max_ = NumberRow(names.MaxLabel, "To", names.MaxEdit);
  reverse_ = new QPushButton("Reverse", Parent());
  reverse_->setObjectName(names.Reverse);
  reverse_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
  Row(reverse_);
  logarithmic_ = Check(names.Logarithmic, "Logarithmic", false);
  labels_ = new ClickLabel(names.Labels, "Labels", Parent());
  labels_->setCursor(Qt::PointingHandCursor);
  labels_->setStyleSheet("font-weight: bold; padding-top: 6px;");
  Row(labels_);
  tickLabelVisible_ = Check(names.TickLabelVisible, "Visible");
  decDigits_ = Spin(names.DecDigitsLabel, "Dec.digits", names.DecDigitsEdit, names.DecDigitsSpinner,
                    0, 6, 1, 0);
  auto* tick = new QLabel("Tick", Parent());
  tick->setObjectName(names.Tick);
  tick->setStyleSheet("font-weight: bold; padding-top: 6px;");
  Row(tick);
  tickVisible_ = Check(names.TickVisible, "Visible");
  tickCount_ = Spin(names.TickCountLabel, "Count", names.TickCountEdit, names.TickCountSpinner, 0,
                    100, 5, 5);
  tickLength_ = Spin(names.TickLengthLabel, "Length", names.TickLengthEdit, names.TickLengthSpinner,
                     1, 20, 1, 10);
  fit_ = new QPushButton("Fit to data", Parent());
  fit_->setObjectName(names.Fit);
  fit_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
  Row(fit_);
}

void AxisValuesPage::Connect() {
  On(min_, &QLineEdit::textChanged, &AxisValuesPage::EditMinChange);
  On(max_, &QLineEdit::textChanged, &AxisValuesPage::EditMaxChange);
  On(reverse_, &QPushButton::clicked, &AxisValuesPage::ReverseClick);
  On(logarithmic_, &QCheckBox::toggled, &AxisValuesPage::CheckBoxLogarithmicClick);
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
  SetChecked(logarithmic_, axis.Logarithmic);
  SetChecked(tickLabelVisible_, axis.TickLabels.Visible);
  SetPosition(decDigits_, axis.TickLabels.DecDigits);
  SetChecked(tickVisible_, axis.TickVisible);
  SetPosition(tickCount_, axis.TickCount);
  SetPosition(tickLength_, axis.TickLength);
}

void AxisValuesPage::ShowRange(long double from, long double to, int digits, int rangeDigits,
                               std::optional<int> ticks) {
  TMyAxis& axis = Axis();
  axis.TickLabels.DecDigits = digits;
  // An end beyond the 48-bit range stays as it was, as such text typed would leave it.
  Quietly([&] { axis.Minimum = Real48::From(RoundFixed(from, rangeDigits)); });
  Quietly([&] { axis.Maximum = Real48::From(RoundFixed(to, rangeDigits)); });
  if (ticks) axis.TickCount = *ticks;
  // The controls show what is stored; their handlers would only store it again.
  const QSignalBlocker blockMin(min_), blockMax(max_), blockDigits(decDigits_.Edit),
      blockTicks(tickCount_.Edit);
  SetPosition(decDigits_, digits);
  SetText(min_, FormatFixed(from, rangeDigits));
  SetText(max_, FormatFixed(to, rangeDigits));
  if (ticks) SetPosition(tickCount_, *ticks);
}

void AxisValuesPage::EditMinChange() {
  StoreFloat(min_, Axis().Minimum);
}

void AxisValuesPage::EditMaxChange() {
  StoreFloat(max_, Axis().Maximum);
}

void AxisValuesPage::ReverseClick() {
  const QString from = min_->text();
  const QString to = max_->text();
  // Swapped first, the range never collapses to one value while the edits store theirs.
  TMyAxis& axis = Axis();
  std::swap(axis.Minimum, axis.Maximum);
  min_->setText(to);
  max_->setText(from);
  Redraw();
}

void AxisValuesPage::CheckBoxLogarithmicClick() {
  StoreCheck(logarithmic_, Axis().Logarithmic);
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
  const DataExtent extent = Graph().ShownDataExtent();
  const std::optional<AxisFit> fit = FitAxisTo(names_.RangeOf(extent), Axis());
  if (!fit) return;
  // The decimals first: their rule rewrites the range edits from the values held before.
  SetPosition(decDigits_, fit->DecDigits);
  SetText(min_, FormatFixed(fit->Minimum, fit->DecDigits));
  SetText(max_, FormatFixed(fit->Maximum, fit->DecDigits));
  SetPosition(tickCount_, fit->TickCount);
}

}  // namespace kurvex::shell
