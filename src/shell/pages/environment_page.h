#pragma once

#include "graph/graph_image.h"
#include "shell/pages/settings_page.h"

class QComboBox;

namespace kurvex::shell {

/// The "Environment" page: the graph window's environment and the program's own switches.
class EnvironmentPage : public SettingsPage {
  Q_OBJECT

 public:
  explicit EnvironmentPage(QWidget* page);

  /// Copies the model into the controls. On the "LoadIni" page the user's "Load all options"
  /// wins over the value just read; elsewhere the box shows the value read.
  void FillEnvironment(bool onLoadIniPage);

  /// The status bar and the menu bar shown or hidden as their boxes do it, one undo step.
  void SetStatusBarVisible(bool visible);
  void SetMenuBarVisible(bool visible);

  /// The format "Auto save images" writes in.
  ImageFormat AutoSaveFormat() const;
  void SetAutoSaveFormat(ImageFormat format);

  QCheckBox* CheckBoxLoadAllOptions;
  QCheckBox* CheckBoxAutoSave;
  QCheckBox* CheckBoxAutoRepaint;
  QCheckBox* CheckBoxOnlyCurves;
  QCheckBox* CheckBoxStatusBarVisible;
  /// The menu bar follows it; a key of the window (Environment.MenuBarVisible), not the style.
  QCheckBox* CheckBoxMenuBarVisible;
  QCheckBox* CheckBoxAutoSaveImage;
  QCheckBox* CheckBoxSaveImageToDataDir;
  QCheckBox* CheckBoxFitAxes;
  QComboBox* ComboBoxAutoSaveFormat;
  QLabel* LabelAutoSaveFormat;
  ColorPanel* PanelBackGroundColor;
  ClickLabel* LabelBackGroundColor;
  QComboBox* ComboBoxLocalize;
  QLabel* LabelLanguage;
  ClickLabel* LabelEnvironment;

 private:
  void Connect() override;
  /// The format of the auto-saved pictures, under "Auto save images".
  void AutoSaveFormatRow();

  void CheckBoxAutoRepaintClick();
  void CheckBoxOnlyCurvesClick();
  void CheckBoxStatusBarVisibleClick();
  void PanelBackGroundColorDblClick();
  void CheckBoxLoadAllOptionsClick();
  void CheckBoxFitAxesClick();
};

}  // namespace kurvex::shell
