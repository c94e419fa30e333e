#include "shell/kit/color_panel.h"

#include <QMouseEvent>

#include "shell/kit/qt_convert.h"

namespace kurvex::shell {

ColorPanel::ColorPanel(const QString& objectName, QWidget* parent) : QFrame(parent) {
  setObjectName(objectName);
  setFrameShape(QFrame::Box);
  setFixedSize(40, 20);
  setAutoFillBackground(true);
  setCursor(Qt::PointingHandCursor);
  SetColor(color_);
}

void ColorPanel::SetColor(TColor color) {
  color_ = color;
  QPalette p = palette();
  p.setColor(QPalette::Window, ToQColor(color));
  setPalette(p);
}

void ColorPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit Clicked();
  }
}

ClickLabel::ClickLabel(const QString& objectName, const QString& text, QWidget* parent)
    : QLabel(text, parent) {
  setObjectName(objectName);
  setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit Clicked();
  }
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

}  // namespace kurvex::shell
