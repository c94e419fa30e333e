#include "shell/pages/image_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "shell/kit/color_panel.h"
#include "shell/kit/up_down.h"
#include "shell/pages/page_graph.h"

namespace kurvex::shell {

ImagePage::ImagePage(QWidget* page)
    : SettingsPage(page, "ScrollBoxImage", "ScrollBoxImageContent") {
  Heading("LabelImage", "Image");
  left_ = Spin("LabelImageLeft", "Left", "EditGraphLeft", "UpDownGraphLeft", 0, 100, 1, 10);
  top_ = Spin("LabelImageTop", "Top", "EditGraphTop", "UpDownGraphTop", 0, 100, 1, 10);
  width_ =
      Spin("LabelImageWidth", "Width", "EditGraphWidth", "UpDownGraphWidth", 100, 2000, 100, 550);
  height_ = Spin("LabelImageHeight", "Height", "EditGraphHeight", "UpDownGraphHeight", 100, 2000,
                 100, 500);
  PanelImageColor =
      Swatch("LabelImageColor", "Color", "PanelImageColor", "Image color", &LabelImageColor);
  PanelImageColor->setToolTip("Image color");
  CheckBoxGraphBorder = Check("CheckBoxGraphBorder", "Border");
  border_ =
      Spin("LabelBorderWidth", "Border width", "EditBorderWidth", "UpDownBorderWidth", 1, 8, 1, 1);
  PanelBorderColor = Swatch("LabelBorderColor", "Border color", "PanelBorderColor", "Border color",
                            &LabelBorderColor);
  PanelBorderColor->setToolTip("Border color");
  CheckBoxSmooth = Check("CheckBoxSmooth", "Smooth drawing", false);
  ScaleRow();
  EditGraphLeft = left_.Edit;
  EditGraphTop = top_.Edit;
  EditGraphWidth = width_.Edit;
  EditGraphHeight = height_.Edit;
  EditBorderWidth = border_.Edit;
  UpDownGraphLeft = left_.Spinner;
  UpDownGraphTop = top_.Spinner;
  UpDownGraphWidth = width_.Spinner;
  UpDownBorderWidth = border_.Spinner;
  UpDownGraphHeight = height_.Spinner;
}

void ImagePage::ScaleRow() {
  LabelScale = new QLabel("Scale", Parent());
  LabelScale->setObjectName("LabelScale");
  ComboBoxScale = new QComboBox(Parent());
  ComboBoxScale->setObjectName("ComboBoxScale");
  for (const int scale : {1, 2, 4}) ComboBoxScale->addItem(QString("%1\u00D7").arg(scale), scale);
  ComboBoxScale->addItem("Screen", 0);
  ComboBoxScale->setCurrentIndex(3);
  LabelScale->setBuddy(ComboBoxScale);
  auto* row = new QHBoxLayout;
  row->addWidget(LabelScale);
  row->addWidget(ComboBoxScale);
  row->addStretch(1);
  Grid()->addLayout(row, NextRow(), 0, 1, 4);
}

void ImagePage::SetAxisLengthFields(const SpinField& axisX, const SpinField& axisY) {
  axisXLength_ = axisX;
  axisYLength_ = axisY;
}

void ImagePage::Connect() {
  On(EditGraphLeft, &QLineEdit::textChanged, &ImagePage::EditGraphLeftChange);
  On(EditGraphTop, &QLineEdit::textChanged, &ImagePage::EditGraphTopChange);
  On(EditGraphWidth, &QLineEdit::textChanged, &ImagePage::EditGraphWidthChange);
  On(EditGraphHeight, &QLineEdit::textChanged, &ImagePage::EditGraphHeightChange);
  On(PanelImageColor, &ColorPanel::Clicked, &ImagePage::PanelImageColorDblClick);
  On(LabelImageColor, &ClickLabel::Clicked, &ImagePage::PanelImageColorDblClick);
  On(CheckBoxGraphBorder, &QCheckBox::toggled, &ImagePage::CheckBoxGraphBorderClick);
  On(EditBorderWidth, &QLineEdit::textChanged, &ImagePage::EditBorderWidthChange);
  On(PanelBorderColor, &ColorPanel::Clicked, &ImagePage::PanelBorderColorDblClick);
  On(LabelBorderColor, &ClickLabel::Clicked, &ImagePage::PanelBorderColorDblClick);
  On(CheckBoxSmooth, &QCheckBox::toggled, &ImagePage::CheckBoxSmoothClick);
}

void ImagePage::Fill() {
  const GraphModel m = Model();
  SetPosition(left_, m.ImageLeft);
  SetPosition(top_, m.ImageTop);
  SetPosition(width_, m.ImageWidth);
  SetPosition(height_, m.ImageHeight);
  SetPosition(border_, m.ImageBorderWidth);
  PanelImageColor->SetColor(m.ImageColor);
  PanelBorderColor->SetColor(m.ImageBorderColor);
  SetChecked(CheckBoxGraphBorder, m.ImageBorderVisible);
  SetChecked(CheckBoxSmooth, m.ImageSmooth);
}

void ImagePage::EditGraphLeftChange() {
  if (const auto left = ReadInt(EditGraphLeft)) {
    Model().ImageLeft = *left;
    Graph().PlaceImage();
  }
}

void ImagePage::EditGraphTopChange() {
  Model().ImageTop = top_.Spinner->Position();
  Graph().PlaceImage();
}

void ImagePage::EditGraphWidthChange() {
  SetImageWidth(Model(), width_.Spinner->Position());
  // The edit gets the exact length after the spinner, so a length beyond the spinner's range
  // is not cut to it.
  if (axisXLength_.Edit) SetPosition(axisXLength_, Model().AxisX.Length);
  Redraw();
}

void ImagePage::EditGraphHeightChange() {
  SetImageHeight(Model(), height_.Spinner->Position());
  if (axisYLength_.Edit) SetPosition(axisYLength_, Model().AxisY.Length);
  Redraw();
}

void ImagePage::PanelImageColorDblClick() {
  PanelImageColor->SetColor(Graph().ChangeColorOption(Model().ImageColor));
}

void ImagePage::CheckBoxGraphBorderClick() {
  StoreCheck(CheckBoxGraphBorder, Model().ImageBorderVisible);
}

void ImagePage::EditBorderWidthChange() {
  Model().ImageBorderWidth = border_.Spinner->Position();
  Redraw();
}

void ImagePage::PanelBorderColorDblClick() {
  PanelBorderColor->SetColor(Graph().ChangeColorOption(Model().ImageBorderColor));
}

void ImagePage::CheckBoxSmoothClick() {
  StoreCheck(CheckBoxSmooth, Model().ImageSmooth);
}

}  // namespace kurvex::shell
