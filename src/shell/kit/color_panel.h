#pragma once

#include <QFrame>
#include <QLabel>

#include "graph/model.h"

namespace kurvex::shell {

/// A swatch that shows one model colour and reports a click.
class ColorPanel : public QFrame {
  Q_OBJECT

 public:
  explicit ColorPanel(const QString& objectName, QWidget* parent = nullptr);

  TColor Color() const { return color_; }
  /// Shows the colour; runs nothing.
  void SetColor(TColor color);

 signals:
  void Clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TColor color_ = 0xFFFFFF;
};

/// A caption that reacts to a click, for labels that open the dialog of their swatch or font.
class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  ClickLabel(const QString& objectName, const QString& text, QWidget* parent = nullptr);

 signals:
  void Clicked();
  void DoubleClicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace kurvex::shell
