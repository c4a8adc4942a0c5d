#include "Form5.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "Form4.h"
#include "Form6.h"
#include "WindowStyle.h"

Form5::Form5(Module1& module, Dialogs& dialogs, BackToMain backToMain)
    : module_(module), dialogs_(dialogs), backToMain_(std::move(backToMain)) {
  window_style::makeFixedWindow(*this, "New Data", {295, 247});
  setFont(window_style::japaneseFont(15.75));

  auto* Label1 = new QLabel("新規データの作成", this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(64, 16, 168, 31);
  QPalette blueText = Label1->palette();
  blueText.setColor(QPalette::WindowText, QColor(0, 0, 255));
  Label1->setPalette(blueText);

  using window_style::lightYellowButton;
  QPushButton* Command1 = lightYellowButton("化合物", {32, 64, 233, 41}, this);
  QPushButton* Command2 = lightYellowButton("混合物", {32, 120, 233, 41}, this);
  QPushButton* Command3 = lightYellowButton("Cancel", {80, 184, 129, 41}, this);
  Command1->setObjectName("Command1");
  Command2->setObjectName("Command2");
  Command3->setObjectName("Command3");
  connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &Form5::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &Form5::Command3_Click);
}

Form5::~Form5() = default;

void Form5::Command1_Click() {
  if (!form4_) form4_ = std::make_unique<Form4>(module_, dialogs_, backToMain_);
  open(*form4_);
}

void Form5::Command2_Click() {
  if (!form6_) form6_ = std::make_unique<Form6>(module_, dialogs_, backToMain_);
  open(*form6_);
}

void Form5::Command3_Click() {
  hide();
  backToMain_(false);
}

void Form5::closeEvent(QCloseEvent* event) {
  Command3_Click();
  event->accept();
}

void Form5::open(QWidget& editor) {
  // The editors build the new material in the current table, starting from zeros.
  for (int row = 1; row <= xscatter::kTableRows; ++row)
    module_.Table.x[row] = module_.Table.F[row] = module_.Table.S[row] = 0.0;
  editor.setWindowIcon(windowIcon());
  editor.show();
  editor.raise();
  editor.activateWindow();
  hide();
}
