#pragma once

#include "shell/pages/settings_page.h"

class QComboBox;

namespace kurvex::shell {

/// The "Image" page: position, size, colour and border of the graph image, smooth drawing, and
/// the scale of copied and saved pictures.
class ImagePage : public SettingsPage {
  Q_OBJECT

 public:
  explicit ImagePage(QWidget* page);
  void Fill() override;

  /// The axis-length fields that follow a change of the image size.
  void SetAxisLengthFields(const SpinField& axisX, const SpinField& axisY);

  QLineEdit* EditGraphLeft;
  QLineEdit* EditGraphTop;
  QLineEdit* EditGraphWidth;
  QLineEdit* EditGraphHeight;
  QLineEdit* EditBorderWidth;
  UpDown* UpDownGraphLeft;
  UpDown* UpDownGraphTop;
  UpDown* UpDownGraphWidth;
  UpDown* UpDownGraphHeight;
  UpDown* UpDownBorderWidth;
  ColorPanel* PanelImageColor;
  ClickLabel* LabelImageColor;
  QCheckBox* CheckBoxGraphBorder;
  ColorPanel* PanelBorderColor;
  ClickLabel* LabelBorderColor;
  /// Shares its state with the "Smooth drawing" action of the graph's context menu.
  QCheckBox* CheckBoxSmooth;
  /// Pixels of a copied or saved BMP or PNG to one of the layout: 1, 2, 4, or the screen's
  /// (the item's data: 0). A desktop setting (Data.ImageScale), which the image actions keep.
  QLabel* LabelScale;
  QComboBox* ComboBoxScale;

 private:
  void Connect() override;
  void ScaleRow();

  void EditGraphLeftChange();
  void EditGraphTopChange();
  void EditGraphWidthChange();
  void EditGraphHeightChange();
  void PanelImageColorDblClick();
  void CheckBoxGraphBorderClick();
  void EditBorderWidthChange();
  void PanelBorderColorDblClick();
  void CheckBoxSmoothClick();

  SpinField left_;
  SpinField top_;
  SpinField width_;
  SpinField height_;
  SpinField border_;
  SpinField axisXLength_;
  SpinField axisYLength_;
};

}  // namespace kurvex::shell
