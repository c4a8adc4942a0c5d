#pragma once

#include <QLineEdit>
#include <QMouseEvent>

// A one-line text box that reports every mouse click, also when it already has the focus.
class ClickableTextBox : public QLineEdit {
  Q_OBJECT
 public:
  using QLineEdit::QLineEdit;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
      emit clicked();
  }
};
