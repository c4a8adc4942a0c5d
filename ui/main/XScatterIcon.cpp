#include "XScatterIcon.h"

#include <QPainter>
#include <QPainterPath>

QPixmap XScatterIcon() {
  QPixmap icon(32, 32);
  icon.fill(QColor(0, 0, 128));
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(128, 128, 128), 1));
  for (int g = 9; g < 29; g += 6) {
    painter.drawLine(4, g, 28, g);
    painter.drawLine(g, 4, g, 28);
  }
  QPainterPath form(QPointF(5, 7));
  form.cubicTo(QPointF(16, 7), QPointF(20, 22), QPointF(27, 27));
  QPainterPath scattering(QPointF(5, 26));
  scattering.cubicTo(QPointF(12, 12), QPointF(18, 10), QPointF(27, 10));
  painter.setPen(QPen(QColor(255, 0, 0), 2));
  painter.drawPath(form);
  painter.setPen(QPen(QColor(255, 255, 0), 2));
  painter.drawPath(scattering);
  painter.setPen(QPen(Qt::white, 1));
  painter.drawRect(QRectF(3.5, 3.5, 25, 25));
  return icon;
}
