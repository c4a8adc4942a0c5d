#pragma once

#include <QWidget>

// A ring in the highlight colour just outside a control while it has the keyboard focus. Lists
// show the focus only as a faint frame around their current row, and not at all while they are
// empty; a drawing area shows none. The ring lies in the parent, over the gap around the control,
// so that it never makes the control repaint.
class FocusRing : public QWidget {
 public:
  static constexpr int kWidth = 2;

  // The ring belongs to the control's parent; the control must have one.
  static FocusRing* Around(QWidget& control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  explicit FocusRing(QWidget& control);

  QWidget& control_;
};
