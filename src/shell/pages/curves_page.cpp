#include "shell/pages/curves_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QScopeGuard>

#include "common/code_page.h"
#include "shell/kit/color_panel.h"
#include "shell/kit/qt_convert.h"
#include "shell/kit/up_down.h"
#include "shell/pages/page_graph.h"

namespace kurvex::shell {

QString SymbolGlyph(const std::string& symbolText) {
  QString glyphs;
  for (const char32_t code : QString::fromStdString(symbolText).toUcs4()) {
    const char32_t shown = SymbolToUnicode(code);
    glyphs += QString::fromUcs4(&shown, 1);
  }
  return glyphs;
}

CurvesPage::CurvesPage(QWidget* page)
    : SettingsPage(page, "ScrollBoxCurves", "ScrollBoxCurvesContent") {
  Heading("LabelCurves", "Curves");
  symbolSize_ = Spin("LabelCurveSymbolSize", "Symbol size", "EditCurveSymbolSize",
                     "UpDownCurveSymbolSize", 1, 32, 1, 8);
  lineWidth_ = Spin("LabelCurveLineWidth", "Line thickness", "EditCurveLineWidth",
                    "UpDownCurveLineWidth", 1, 8, 1, 1);
  curve_ = Spin("LabelCurve", "Index", "EditCurve", "UpDownCurve", 1, 10, 1, 1);

  const int row = NextRow();
  auto* symbolLabel = new QLabel("Symbol", Parent());
  symbolLabel->setObjectName("LabelCurveSymbol");
  symbol_ = new QComboBox(Parent());
  symbol_->setObjectName("ComboBoxLegend");
  symbol_->setEditable(true);
  symbol_->setInsertPolicy(QComboBox::NoInsert);
  symbol_->setMaxVisibleItems(16);
  for (const std::string& item : SymbolList()) symbol_->addItem(SymbolGlyph(item), Q(item));
  symbolLabel->setBuddy(symbol_);
  // An editable list would otherwise be announced by the symbol it shows.
  FollowCaption(symbol_, symbolLabel);
  Grid()->addWidget(symbolLabel, row, 0);
  Grid()->addWidget(symbol_, row, 1, 1, 3);
  line_ = Check("CheckBoxLine", "Line", false);
  point_ = Check("CheckBoxPoint", "Points", false);
  legendText_ = WideEdit("LabelCurveLegend", "Legend text", "EditLegendText");
  color_ = Swatch("LabelCurveColor", "Color", "PanelCurveColor", "Curve color", &colorLabel_);
}

void CurvesPage::Connect() {
  On(symbolSize_.Edit, &QLineEdit::textChanged, &CurvesPage::EditCurveSymbolSizeChange);
  On(lineWidth_.Edit, &QLineEdit::textChanged, &CurvesPage::EditCurveLineWidthChange);
  On(curve_.Edit, &QLineEdit::textChanged, &CurvesPage::EditCurveChange);
  On(symbol_, &QComboBox::activated, &CurvesPage::SetCurveChange);
  On(symbol_->lineEdit(), &QLineEdit::textEdited, &CurvesPage::SetCurveChange);
  On(line_, &QCheckBox::toggled, &CurvesPage::SetCurveChange);
  On(point_, &QCheckBox::toggled, &CurvesPage::SetCurveChange);
  On(legendText_, &QLineEdit::textChanged, &CurvesPage::SetCurveChange);
  On(color_, &ColorPanel::Clicked, &CurvesPage::LabelCurveColorDblClick);
  On(colorLabel_, &ClickLabel::Clicked, &CurvesPage::LabelCurveColorDblClick);
}

int CurvesPage::Current() const {
  const int n = curve_.Spinner->Position();
  return n >= 1 && n <= kCurveCount ? n : 0;
}

void CurvesPage::SelectSymbol(int index) {
  // Choosing an item from the model runs nothing.
  const QSignalBlocker blocker(symbol_);
  symbol_->setCurrentIndex(index >= 0 && index < symbol_->count() ? index : -1);
}

void CurvesPage::ShowCurve(TCurve curve) {
  SelectSymbol(curve.Symbol);
  legendText_->setText(Q(curve.LegendText));
  color_->SetColor(curve.Color);
  point_->setChecked(curve.SymbolVisible);
  line_->setChecked(curve.LineVisible);
}

void CurvesPage::StoreCurve(TCurve& curve) const {
  const int index = symbol_->findText(symbol_->currentText(), Qt::MatchExactly);
  // The list shows the glyphs, but options files keep the code-page character.
  curve.SymbolText = S(index >= 0 ? symbol_->itemData(index).toString() : symbol_->currentText());
  curve.Symbol = index;
  curve.LegendText = S(legendText_->text());
  curve.Color = color_->Color();
  curve.SymbolVisible = point_->isChecked();
  curve.LineVisible = line_->isChecked();
  curve.Type = 1;
}

void CurvesPage::Fill() {
  const GraphModel& m = Model();
  const int32_t size = m.CurvesFont.Size, width = m.CurveLineWidth;
  const TCurve first = m.Curve[1];
  SetPosition(symbolSize_, size);
  SetPosition(lineWidth_, width);
  CurveLoading = true;
  SetPosition(curve_, 1);
  CurveLoading = true;  // a change of the curve shown ran EditCurveChange, which clears it
  color_->SetColor(first.Color);
  SelectSymbol(first.Symbol);
  legendText_->setText(Q(first.LegendText));
  line_->setChecked(first.LineVisible);
  point_->setChecked(first.SymbolVisible);
  CurveLoading = false;
}

void CurvesPage::EditCurveSymbolSizeChange() {
  Model().CurvesFont.Size = symbolSize_.Spinner->Position();
  Redraw();
}

void CurvesPage::EditCurveLineWidthChange() {
  StoreInt(lineWidth_.Edit, Model().CurveLineWidth);
}

void CurvesPage::EditCurveChange() {
  CurveLoading = true;
  // Cleared also when showing fails, or the next user's change would be taken for the program's.
  const auto loaded = qScopeGuard([this] { CurveLoading = false; });
  if (const int n = Current()) ShowCurve(Model().Curve[n]);
}

void CurvesPage::SetCurveChange() {
  if (CurveLoading) return;
  if (const int n = Current()) StoreCurve(Model().Curve[n]);
  Redraw();
}

void CurvesPage::LabelCurveColorDblClick() {
  TColor color = color_->Color();
  color_->SetColor(Graph().ChangeColorOption(color));
  SetCurveChange();
}

}  // namespace kurvex::shell
