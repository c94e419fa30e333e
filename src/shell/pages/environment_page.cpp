#include "shell/pages/environment_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "shell/kit/color_panel.h"
#include "shell/pages/page_graph.h"

namespace kurvex::shell {

EnvironmentPage::EnvironmentPage(QWidget* page)
    : SettingsPage(page, "ScrollBoxEnvironment", "ScrollBoxEnvironmentContent") {
  LabelEnvironment = Heading("LabelEnvironment", "Environment");
  const int row = NextRow();
  LabelLanguage = new QLabel("Language", Parent());
  LabelLanguage->setObjectName("LabelLanguage");
  ComboBoxLocalize = new QComboBox(Parent());
  ComboBoxLocalize->setObjectName("ComboBoxLocalize");
  ComboBoxLocalize->setEditable(true);
  ComboBoxLocalize->setInsertPolicy(QComboBox::NoInsert);
  ComboBoxLocalize->setEditText("ComboBoxLanguages");
  // Typed text is no choice of a language: no completion may turn it into one.
  ComboBoxLocalize->setCompleter(nullptr);
  // Language names are short; the captions beside it must not be cut in a narrow panel.
  ComboBoxLocalize->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  ComboBoxLocalize->setMinimumContentsLength(3);
  LabelLanguage->setBuddy(ComboBoxLocalize);
  // A row of its own: the caption column of the page is as wide as "Background color".
  auto* language = new QHBoxLayout;
  language->addWidget(LabelLanguage);
  language->addWidget(ComboBoxLocalize, 1);
  Grid()->addLayout(language, row, 0, 1, 4);
  PanelBackGroundColor = Swatch("LabelBackGroundColor", "Background color", "PanelBackGroundColor",
                                "Background color", &LabelBackGroundColor);
  PanelBackGroundColor->setToolTip("Background color");
  CheckBoxLoadAllOptions = Check("CheckBoxLoadAllOptions", "Load all options", true);
  CheckBoxAutoSave = Check("CheckBoxAutoSave", "Auto save options", false);
  CheckBoxStatusBarVisible = Check("CheckBoxStatusBarVisible", "Show status bar", false);
  CheckBoxMenuBarVisible = Check("CheckBoxMenuBarVisible", "Show menu bar", true);
  CheckBoxAutoRepaint = Check("CheckBoxAutoRepaint", "Auto repaint", false);
  CheckBoxOnlyCurves = Check("CheckBoxOnlyCurves", "Repaint only curves", false);
  CheckBoxAutoSaveImage = Check("CheckBoxAutoSaveImage", "Auto save images", false);
  CheckBoxSaveImageToDataDir = Check("CheckBoxSaveImageToDataDir", "to data Directory", false);
  CheckBoxSaveImageToDataDir->setStyleSheet("margin-left: 18px;");
  AutoSaveFormatRow();
  CheckBoxFitAxes = Check("CheckBoxFitAxes", "Fit axes to each data file", false);
}

void EnvironmentPage::AutoSaveFormatRow() {
  LabelAutoSaveFormat = new QLabel("Format", Parent());
  LabelAutoSaveFormat->setObjectName("LabelAutoSaveFormat");
  LabelAutoSaveFormat->setStyleSheet("margin-left: 18px;");
  ComboBoxAutoSaveFormat = new QComboBox(Parent());
  ComboBoxAutoSaveFormat->setObjectName("ComboBoxAutoSaveFormat");
  for (const ImageFormat format :
       {ImageFormat::kBmp, ImageFormat::kPng, ImageFormat::kSvg, ImageFormat::kPdf}) {
    const QString name = QString::fromStdString(ImageFormatName(format));
    ComboBoxAutoSaveFormat->addItem(name.toUpper(), name);
  }
  LabelAutoSaveFormat->setBuddy(ComboBoxAutoSaveFormat);
  auto* row = new QHBoxLayout;
  row->addWidget(LabelAutoSaveFormat);
  row->addWidget(ComboBoxAutoSaveFormat);
  row->addStretch(1);
  Grid()->addLayout(row, NextRow(), 0, 1, 4);
}

ImageFormat EnvironmentPage::AutoSaveFormat() const {
  return ImageFormatNamed(ComboBoxAutoSaveFormat->currentData().toString().toStdString())
      .value_or(ImageFormat::kBmp);
}

void EnvironmentPage::SetAutoSaveFormat(ImageFormat format) {
  ComboBoxAutoSaveFormat->setCurrentIndex(
      ComboBoxAutoSaveFormat->findData(QString::fromStdString(ImageFormatName(format))));
}

void EnvironmentPage::Connect() {
  On(CheckBoxAutoRepaint, &QCheckBox::toggled, &EnvironmentPage::CheckBoxAutoRepaintClick);
  On(CheckBoxOnlyCurves, &QCheckBox::toggled, &EnvironmentPage::CheckBoxOnlyCurvesClick);
  On(CheckBoxStatusBarVisible, &QCheckBox::toggled,
     &EnvironmentPage::CheckBoxStatusBarVisibleClick);
  On(CheckBoxLoadAllOptions, &QCheckBox::toggled, &EnvironmentPage::CheckBoxLoadAllOptionsClick);
  // A switch of how files load, like the other environment boxes: no undo step of the style.
  connect(CheckBoxFitAxes, &QCheckBox::toggled, this, [this] { CheckBoxFitAxesClick(); });
  On(PanelBackGroundColor, &ColorPanel::Clicked, &EnvironmentPage::PanelBackGroundColorDblClick);
  On(LabelBackGroundColor, &ClickLabel::Clicked, &EnvironmentPage::PanelBackGroundColorDblClick);
}

void EnvironmentPage::FillEnvironment(bool onLoadIniPage) {
  GraphModel& model = Model();
  PanelBackGroundColor->SetColor(Graph().BackgroundColor());
  CheckBoxStatusBarVisible->setChecked(Graph().StatusBarVisible());
  CheckBoxOnlyCurves->setChecked(model.OnlyCurves);
  if (onLoadIniPage) {
    model.LoadAllOptions = CheckBoxLoadAllOptions->isChecked();
  } else {
    CheckBoxLoadAllOptions->setChecked(model.LoadAllOptions);
  }
  CheckBoxAutoRepaint->setChecked(model.AutoRepaint);
  CheckBoxFitAxes->setChecked(model.FitAxesToData);
}

void EnvironmentPage::CheckBoxAutoRepaintClick() {
  // Switching it on redraws at once.
  StoreCheck(CheckBoxAutoRepaint, Model().AutoRepaint);
}

void EnvironmentPage::CheckBoxOnlyCurvesClick() {
  Model().OnlyCurves = CheckBoxOnlyCurves->isChecked();
}

void EnvironmentPage::SetStatusBarVisible(bool visible) {
  CheckBoxStatusBarVisible->setChecked(visible);
}

void EnvironmentPage::SetMenuBarVisible(bool visible) {
  CheckBoxMenuBarVisible->setChecked(visible);
}

void EnvironmentPage::CheckBoxStatusBarVisibleClick() {
  Quietly([this] { Graph().SetStatusBarVisible(CheckBoxStatusBarVisible->isChecked()); });
}

void EnvironmentPage::PanelBackGroundColorDblClick() {
  PanelBackGroundColor->SetColor(Graph().PickBackgroundColor());
}

// The style carries the switch, so kurvex-plot fits with a style saved here as the window did.
void EnvironmentPage::CheckBoxFitAxesClick() {
  Model().FitAxesToData = CheckBoxFitAxes->isChecked();
}

void EnvironmentPage::CheckBoxLoadAllOptionsClick() {
  Model().LoadAllOptions = CheckBoxLoadAllOptions->isChecked();
}

}  // namespace kurvex::shell
