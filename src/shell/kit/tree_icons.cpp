#include "shell/kit/tree_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace kurvex::shell {

namespace {

const QColor kInk(60, 60, 70);

void DrawGraph(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(0.5, 0.5, 15, 15));
  p.setPen(QPen(kInk, 1.2));
  p.drawLine(QPointF(3, 2.5), QPointF(3, 13));
  p.drawLine(QPointF(3, 13), QPointF(13.5, 13));
  QPainterPath red(QPointF(3.5, 11));
  red.cubicTo(6, 3, 9, 3, 13, 7);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(220, 40, 40), 1.4));
  p.drawPath(red);
  QPainterPath blue(QPointF(3.5, 6));
  blue.cubicTo(7, 12, 10, 11, 13, 10);
  p.setPen(QPen(QColor(40, 80, 220), 1.4));
  p.drawPath(blue);
}

void DrawFolder(QPainter& p) {
  p.setPen(QPen(QColor(150, 110, 20), 1));
  p.setBrush(QColor(250, 210, 90));
  p.drawPolygon(QPolygonF({{0.5, 3}, {5.5, 3}, {7, 4.5}, {13.5, 4.5}, {13.5, 14}, {0.5, 14}}));
  p.setBrush(QColor(255, 228, 130));
  p.drawPolygon(QPolygonF({{0.5, 14}, {3, 7.5}, {15.5, 7.5}, {13.5, 14}}));
}

void DrawLoad(QPainter& p) {
  DrawFolder(p);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 150, 60));
  p.drawPolygon(
      QPolygonF({{11, 0}, {15.5, 4.5}, {12.5, 4.5}, {12.5, 7}, {9.5, 7}, {9.5, 4.5}, {6.5, 4.5}}));
}

void DrawSave(QPainter& p) {
  p.setPen(QPen(QColor(20, 40, 110), 1));
  p.setBrush(QColor(50, 90, 190));
  p.drawPolygon(QPolygonF({{0.5, 0.5}, {13, 0.5}, {15.5, 3}, {15.5, 15.5}, {0.5, 15.5}}));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(3, 1, 9, 5));
  p.setBrush(QColor(210, 215, 225));
  p.drawRect(QRectF(3, 9, 10, 6));
  p.setBrush(QColor(50, 90, 190));
  p.drawRect(QRectF(9, 1.5, 2, 3.5));
}

void DrawGear(QPainter& p) {
  QPainterPath gear;
  const QPointF c(8, 8);
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4;
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotateRadians(a);
    gear.addPolygon(t.map(QPolygonF({{-1.6, -7.5}, {1.6, -7.5}, {1.6, -4}, {-1.6, -4}})));
  }
  gear.addEllipse(c, 5.6, 5.6);
  gear.setFillRule(Qt::WindingFill);
  QPainterPath hole;
  hole.addEllipse(c, 2.2, 2.2);
  p.setPen(QPen(QColor(70, 75, 85), 1));
  p.setBrush(QColor(150, 158, 170));
  p.drawPath(gear.simplified().subtracted(hole));
}

void DrawData(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({{2.5, 0.5}, {10.5, 0.5}, {13.5, 3.5}, {13.5, 15.5}, {2.5, 15.5}}));
  p.drawPolyline(QPolygonF({{10.5, 0.5}, {10.5, 3.5}, {13.5, 3.5}}));
  p.setPen(QPen(QColor(40, 120, 60), 1));
  for (int row = 0; row < 4; ++row) {
    const double y = 6 + row * 2.5;
    p.drawLine(QPointF(4.5, y), QPointF(7, y));
    p.drawLine(QPointF(8.5, y), QPointF(11.5, y));
  }
}

void DrawManual(QPainter& p) {
  p.setPen(QPen(QColor(90, 20, 20), 1));
  p.setBrush(QColor(170, 40, 40));
  p.drawRoundedRect(QRectF(2.5, 0.5, 12, 15), 1.5, 1.5);
  p.setBrush(Qt::white);
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(3, 13, 11, 2));
  p.setPen(QPen(Qt::white, 1.6));
  QFont font("DejaVu Sans");
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRectF(3, 1, 11.5, 12), Qt::AlignCenter, "?");
}

QPixmap Draw(int index, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);
  switch (index) {
    case 1:
      DrawGraph(p);
      break;
    case 3:
      DrawLoad(p);
      break;
    case 4:
      DrawSave(p);
      break;
    case 5:
      DrawGear(p);
      break;
    case 7:
      DrawData(p);
      break;
    case 8:
      DrawManual(p);
      break;
    default:
      break;
  }
  return pixmap;
}

}  // namespace

QIcon TreeStateImage(int index) {
  if (index != 1 && index != 3 && index != 4 && index != 5 && index != 7 && index != 8) {
    return {};
  }
  QIcon icon;
  icon.addPixmap(Draw(index, 16));
  icon.addPixmap(Draw(index, 32));
  return icon;
}

}  // namespace kurvex::shell
