#pragma once

#include <QObject>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace kurvex::shell {

class ClickLabel;
class ColorPanel;
class TFormKurvex;
class UpDown;

/// The "Image" page: position, size, colour and border of the graph image.
class ImagePage : public QObject {
  Q_OBJECT

 public:
  explicit ImagePage(QWidget* page);

  /// Connects the handlers; from now on a change of a control, also by the program, runs them.
  void Bind(TFormKurvex& graph);

  /// Copies the model into the controls, each spinner first and then its edit.
  void Fill();

  QLabel* LabelImage;
  QLineEdit* EditGraphLeft;
  UpDown* UpDownGraphLeft;
  QLineEdit* EditGraphTop;
  UpDown* UpDownGraphTop;
  QLineEdit* EditGraphWidth;
  UpDown* UpDownGraphWidth;
  QLineEdit* EditGraphHeight;
  UpDown* UpDownGraphHeight;
  ColorPanel* PanelImageColor;
  ClickLabel* LabelImageColor;
  QCheckBox* CheckBoxGraphBorder;
  QLineEdit* EditBorderWidth;
  UpDown* UpDownBorderWidth;
  ColorPanel* PanelBorderColor;
  ClickLabel* LabelBorderColor;

 private:
  void EditGraphLeftChange();
  void EditGraphTopChange();
  void EditGraphWidthChange();
  void EditGraphHeightChange();
  void PanelImageColorDblClick();
  void CheckBoxGraphBorderClick();
  void EditBorderWidthChange();
  void PanelBorderColorDblClick();

  TFormKurvex* graph_ = nullptr;
};

}  // namespace kurvex::shell
