#include "shell/kit/panel_splitter.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace kurvex::shell {

void SetPanelWidth(QWidget* panel, int width) {
  panel->setFixedWidth(std::max(0, width));
}

PanelSplitter::PanelSplitter(const QString& objectName, QWidget* panel, QWidget* neighbour,
                             Side side, int minSize, QWidget* parent)
    : QWidget(parent), panel_(panel), neighbour_(neighbour), side_(side), minSize_(minSize) {
  setObjectName(objectName);
  setFixedWidth(2);
  setCursor(Qt::SplitHCursor);
}

void PanelSplitter::mousePressEvent(QMouseEvent* event) {
  pressX_ = event->globalPosition().toPoint().x();
  startWidth_ = panel_->width();
  startNeighbour_ = neighbour_->width();
}

void PanelSplitter::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  int delta = event->globalPosition().toPoint().x() - pressX_;
  if (side_ == Side::PanelOnRight) delta = -delta;
  const int maxWidth = startWidth_ + startNeighbour_ - minSize_;
  SetPanelWidth(panel_, std::clamp(startWidth_ + delta, minSize_, std::max(minSize_, maxWidth)));
}

void PanelSplitter::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Mid));
}

}  // namespace kurvex::shell
