#pragma once

#include <QWidget>

class QPushButton;

// The Reference window: names the published article the element data come from. Created once,
// then only shown and hidden.
class Form3 : public QWidget {
  Q_OBJECT
 public:
  explicit Form3(QWidget* parent = nullptr);

 private:
  void Command1_Click();

  QPushButton* Command1;
};
