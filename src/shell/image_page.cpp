#include "shell/image_page.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "common/number_text.h"
#include "shell/color_panel.h"
#include "shell/form_kurvex.h"
#include "shell/guard.h"
#include "shell/page_parts.h"
#include "shell/qt_convert.h"
#include "shell/up_down.h"

namespace kurvex::shell {

ImagePage::ImagePage(QWidget* page) : QObject(page) {
  LabelImage = PageTitle("LabelImage", "Image", page);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  int row = 0;
  auto spinRow = [&](const char* label, const char* text, const char* edit, const char* upDown,
                     int min, int max, int step, int position, QLineEdit*& editOut,
                     UpDown*& upDownOut) {
    grid->addWidget(NamedLabel(label, text, page), row, 0);
    editOut = NumberEdit(edit, page);
    upDownOut = new UpDown(upDown, editOut, min, max, step, position, page);
    grid->addWidget(editOut, row, 1);
    grid->addWidget(upDownOut, row, 2, Qt::AlignLeft);
    ++row;
  };
  auto colorRow = [&](const char* label, const char* text, const char* panel, ClickLabel*& labelOut,
                      ColorPanel*& panelOut) {
    labelOut = new ClickLabel(label, text, page);
    panelOut = new ColorPanel(panel, page);
    panelOut->setToolTip("Image bacground color");
    grid->addWidget(labelOut, row, 0);
    grid->addWidget(panelOut, row, 1, 1, 2, Qt::AlignLeft);
    ++row;
  };
  spinRow("LabelImageLeft", "Left", "EditGraphLeft", "UpDownGraphLeft", 0, 100, 1, 10,
          EditGraphLeft, UpDownGraphLeft);
  spinRow("LabelImageTop", "Top", "EditGraphTop", "UpDownGraphTop", 0, 100, 1, 10, EditGraphTop,
          UpDownGraphTop);
  spinRow("LabelImageWidth", "Width", "EditGraphWidth", "UpDownGraphWidth", 100, 2000, 100, 550,
          EditGraphWidth, UpDownGraphWidth);
  spinRow("LabelImageHeight", "Height", "EditGraphHeight", "UpDownGraphHeight", 100, 2000, 100, 500,
          EditGraphHeight, UpDownGraphHeight);
  colorRow("LabelImageColor", "Color", "PanelImageColor", LabelImageColor, PanelImageColor);
  CheckBoxGraphBorder = NamedCheckBox("CheckBoxGraphBorder", "Border", true, page);
  grid->addWidget(CheckBoxGraphBorder, row++, 0, 1, 3);
  spinRow("LabelBorderWidth", "Border width", "EditBorderWidth", "UpDownBorderWidth", 1, 8, 1, 1,
          EditBorderWidth, UpDownBorderWidth);
  colorRow("LabelBorderColor", "Border color", "PanelBorderColor", LabelBorderColor,
           PanelBorderColor);
  grid->setColumnStretch(3, 1);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 4, 8, 8);
  layout->addWidget(LabelImage);
  layout->addLayout(grid);
  layout->addStretch(1);
}

void ImagePage::Bind(TFormKurvex& graph) {
  graph_ = &graph;
  auto on = [this](auto* sender, auto signal, void (ImagePage::*handler)()) {
    ConnectGuarded(this, graph_->Errors(), sender, signal, handler);
  };
  on(EditGraphLeft, &QLineEdit::textChanged, &ImagePage::EditGraphLeftChange);
  on(EditGraphTop, &QLineEdit::textChanged, &ImagePage::EditGraphTopChange);
  on(EditGraphWidth, &QLineEdit::textChanged, &ImagePage::EditGraphWidthChange);
  on(EditGraphHeight, &QLineEdit::textChanged, &ImagePage::EditGraphHeightChange);
  on(PanelImageColor, &ColorPanel::Clicked, &ImagePage::PanelImageColorDblClick);
  on(LabelImageColor, &ClickLabel::Clicked, &ImagePage::PanelImageColorDblClick);
  on(CheckBoxGraphBorder, &QCheckBox::toggled, &ImagePage::CheckBoxGraphBorderClick);
  on(EditBorderWidth, &QLineEdit::textChanged, &ImagePage::EditBorderWidthChange);
  on(PanelBorderColor, &ColorPanel::Clicked, &ImagePage::PanelBorderColorDblClick);
  on(LabelBorderColor, &ClickLabel::Clicked, &ImagePage::PanelBorderColorDblClick);
}

void ImagePage::Fill() {
  const GraphModel& m = graph_->Model();
  auto set = [](UpDown* upDown, QLineEdit* edit, int value) {
    upDown->SetPosition(value);
    edit->setText(QString::number(value));
  };
  // Read each value before its spinner moves: a clamped spinner writes back a different one.
  const int left = m.ImageLeft, top = m.ImageTop, width = m.ImageWidth, height = m.ImageHeight,
            border = m.ImageBorderWidth;
  set(UpDownGraphLeft, EditGraphLeft, left);
  set(UpDownGraphTop, EditGraphTop, top);
  set(UpDownGraphWidth, EditGraphWidth, width);
  set(UpDownGraphHeight, EditGraphHeight, height);
  set(UpDownBorderWidth, EditBorderWidth, border);
  PanelImageColor->SetColor(m.ImageColor);
  PanelBorderColor->SetColor(m.ImageBorderColor);
  CheckBoxGraphBorder->setChecked(m.ImageBorderVisible);
}

void ImagePage::EditGraphLeftChange() {
  graph_->Model().ImageLeft = TextToInt(S(EditGraphLeft->text()));
  graph_->PlaceImage();
}

void ImagePage::EditGraphTopChange() {
  graph_->Model().ImageTop = UpDownGraphTop->Position();
  graph_->PlaceImage();
}

void ImagePage::EditGraphWidthChange() {
  SetImageWidth(graph_->Model(), UpDownGraphWidth->Position());
  graph_->RepaintIfAuto();
}

void ImagePage::EditGraphHeightChange() {
  SetImageHeight(graph_->Model(), UpDownGraphHeight->Position());
  graph_->RepaintIfAuto();
}

void ImagePage::PanelImageColorDblClick() {
  PanelImageColor->SetColor(graph_->ChangeColorOption(graph_->Model().ImageColor));
}

void ImagePage::CheckBoxGraphBorderClick() {
  graph_->Model().ImageBorderVisible = CheckBoxGraphBorder->isChecked();
  graph_->RepaintIfAuto();
}

void ImagePage::EditBorderWidthChange() {
  graph_->Model().ImageBorderWidth = UpDownBorderWidth->Position();
  graph_->RepaintIfAuto();
}

void ImagePage::PanelBorderColorDblClick() {
  PanelBorderColor->SetColor(graph_->ChangeColorOption(graph_->Model().ImageBorderColor));
}

}  // namespace kurvex::shell
