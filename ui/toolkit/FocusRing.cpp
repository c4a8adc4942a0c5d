#include "FocusRing.h"

#include <QEvent>
#include <QPainter>

FocusRing* FocusRing::Around(QWidget& control) {
  return new FocusRing(control);
}

FocusRing::FocusRing(QWidget& control) : QWidget(control.parentWidget()), control_(control) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  const QRect outer = control.geometry().adjusted(-kWidth, -kWidth, kWidth, kWidth);
  setGeometry(outer);
  const QRect all(QPoint(), outer.size());
  setMask(QRegion(all).subtracted(QRegion(all.adjusted(kWidth, kWidth, -kWidth, -kWidth))));
  setVisible(control.hasFocus());
  control.installEventFilter(this);
}

bool FocusRing::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
    setVisible(control_.hasFocus());
    if (isVisible()) raise();
  }
  return false;
}

void FocusRing::paintEvent(QPaintEvent*) {
  QPainter(this).fillRect(rect(), palette().color(QPalette::Active, QPalette::Highlight));
}
