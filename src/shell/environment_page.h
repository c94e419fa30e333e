#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

namespace kurvex::shell {

class ClickLabel;
class ColorPanel;
class TFormKurvex;

/// The "Environment" page: the graph window's environment and the program's own switches.
class EnvironmentPage : public QObject {
  Q_OBJECT

 public:
  /// Builds the controls into `page` in their design state.
  explicit EnvironmentPage(QWidget* page);

  /// Connects the handlers; from now on a change of a control, also by the program, runs them.
  void Bind(TFormKurvex& graph);

  /// Copies the model into the controls. On the "LoadIni" page the user's "Load all options"
  /// wins over the value just read; elsewhere the box shows the value read.
  void Fill(bool onLoadIniPage);

  QCheckBox* CheckBoxLoadAllOptions;
  QCheckBox* CheckBoxAutoSave;
  QCheckBox* CheckBoxAutoRepaint;
  QCheckBox* CheckBoxOnlyCurves;
  QCheckBox* CheckBoxStatusBarVisible;
  QCheckBox* CheckBoxAutoSaveImage;
  QCheckBox* CheckBoxSaveImageToDataDir;
  ColorPanel* PanelBackGroundColor;
  ClickLabel* LabelBackGroundColor;
  QComboBox* ComboBoxLocalize;
  QLabel* LabelLanguage;
  QLabel* LabelEnvironment;

 private:
  void CheckBoxAutoRepaintClick();
  void CheckBoxOnlyCurvesClick();
  void CheckBoxStatusBarVisibleClick();
  void PanelBackGroundColorDblClick();
  void CheckBoxLoadAllOptionsClick();

  TFormKurvex* graph_ = nullptr;
};

}  // namespace kurvex::shell
