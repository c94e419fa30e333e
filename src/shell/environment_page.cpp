#include "shell/environment_page.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "shell/color_panel.h"
#include "shell/form_kurvex.h"
#include "shell/guard.h"
#include "shell/page_parts.h"

namespace kurvex::shell {

EnvironmentPage::EnvironmentPage(QWidget* page) : QObject(page) {
  LabelEnvironment = PageTitle("LabelEnvironment", "Environment", page);
  LabelLanguage = NamedLabel("LabelLanguage", "Language", page);
  ComboBoxLocalize = new QComboBox(page);
  ComboBoxLocalize->setObjectName("ComboBoxLocalize");
  ComboBoxLocalize->setEditable(true);
  ComboBoxLocalize->setInsertPolicy(QComboBox::NoInsert);
  ComboBoxLocalize->setEditText("ComboBoxLanguages");
  // Language names are short; the captions beside it must not be cut in a narrow panel.
  ComboBoxLocalize->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  ComboBoxLocalize->setMinimumContentsLength(6);
  CheckBoxLoadAllOptions = NamedCheckBox("CheckBoxLoadAllOptions", "Load all options", true, page);
  CheckBoxAutoSave = NamedCheckBox("CheckBoxAutoSave", "Auto save options", false, page);
  LabelBackGroundColor = new ClickLabel("LabelBackGroundColor", "Background color", page);
  PanelBackGroundColor = new ColorPanel("PanelBackGroundColor", page);
  PanelBackGroundColor->setToolTip("Image bacground color");
  CheckBoxStatusBarVisible =
      NamedCheckBox("CheckBoxStatusBarVisible", "Show status bar", false, page);
  CheckBoxAutoRepaint = NamedCheckBox("CheckBoxAutoRepaint", "Auto repaint", false, page);
  CheckBoxOnlyCurves = NamedCheckBox("CheckBoxOnlyCurves", "Repaint only curves", false, page);
  CheckBoxAutoSaveImage = NamedCheckBox("CheckBoxAutoSaveImage", "Auto save images", false, page);
  CheckBoxSaveImageToDataDir =
      NamedCheckBox("CheckBoxSaveImageToDataDir", "to data Directory", false, page);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 4, 8, 8);
  layout->setSpacing(6);
  layout->addWidget(LabelEnvironment);
  // Each row on its own: the two captions differ too much in width to share a column.
  auto* language = new QHBoxLayout;
  language->addWidget(LabelLanguage);
  language->addWidget(ComboBoxLocalize, 1);
  layout->addLayout(language);
  auto* background = new QHBoxLayout;
  background->addWidget(LabelBackGroundColor);
  background->addWidget(PanelBackGroundColor);
  background->addStretch(1);
  layout->addLayout(background);
  layout->addSpacing(4);
  for (QCheckBox* box : {CheckBoxLoadAllOptions, CheckBoxAutoSave, CheckBoxStatusBarVisible,
                         CheckBoxAutoRepaint, CheckBoxOnlyCurves, CheckBoxAutoSaveImage}) {
    layout->addWidget(box);
  }
  auto* indented = new QHBoxLayout;
  indented->addSpacing(20);
  indented->addWidget(CheckBoxSaveImageToDataDir);
  layout->addLayout(indented);
  layout->addStretch(1);
}

void EnvironmentPage::Bind(TFormKurvex& graph) {
  graph_ = &graph;
  auto on = [this](auto* sender, auto signal, void (EnvironmentPage::*handler)()) {
    ConnectGuarded(this, graph_->Errors(), sender, signal, handler);
  };
  on(CheckBoxAutoRepaint, &QCheckBox::toggled, &EnvironmentPage::CheckBoxAutoRepaintClick);
  on(CheckBoxOnlyCurves, &QCheckBox::toggled, &EnvironmentPage::CheckBoxOnlyCurvesClick);
  on(CheckBoxStatusBarVisible, &QCheckBox::toggled,
     &EnvironmentPage::CheckBoxStatusBarVisibleClick);
  on(CheckBoxLoadAllOptions, &QCheckBox::toggled, &EnvironmentPage::CheckBoxLoadAllOptionsClick);
  on(PanelBackGroundColor, &ColorPanel::Clicked, &EnvironmentPage::PanelBackGroundColorDblClick);
  on(LabelBackGroundColor, &ClickLabel::Clicked, &EnvironmentPage::PanelBackGroundColorDblClick);
}

void EnvironmentPage::Fill(bool onLoadIniPage) {
  GraphModel& model = graph_->Model();
  PanelBackGroundColor->SetColor(graph_->BackgroundColor());
  CheckBoxStatusBarVisible->setChecked(graph_->StatusBarVisible());
  CheckBoxOnlyCurves->setChecked(model.OnlyCurves);
  if (onLoadIniPage) {
    model.LoadAllOptions = CheckBoxLoadAllOptions->isChecked();
  } else {
    CheckBoxLoadAllOptions->setChecked(model.LoadAllOptions);
  }
  CheckBoxAutoRepaint->setChecked(model.AutoRepaint);
}

void EnvironmentPage::CheckBoxAutoRepaintClick() {
  graph_->Model().AutoRepaint = CheckBoxAutoRepaint->isChecked();
  graph_->RepaintIfAuto();
}

void EnvironmentPage::CheckBoxOnlyCurvesClick() {
  graph_->Model().OnlyCurves = CheckBoxOnlyCurves->isChecked();
}

void EnvironmentPage::CheckBoxStatusBarVisibleClick() {
  Quietly([this] { graph_->SetStatusBarVisible(CheckBoxStatusBarVisible->isChecked()); });
}

void EnvironmentPage::PanelBackGroundColorDblClick() {
  PanelBackGroundColor->SetColor(graph_->PickBackgroundColor());
}

void EnvironmentPage::CheckBoxLoadAllOptionsClick() {
  graph_->Model().LoadAllOptions = CheckBoxLoadAllOptions->isChecked();
}

}  // namespace kurvex::shell
