#include "QtDialogs.h"

#include <QInputDialog>
#include <QMessageBox>

void QtDialogs::message(const QString& text, const QString& title, Icon icon) {
  QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                  titleOrApplicationName(title), text, QMessageBox::Ok);
  box.exec();
}

QString QtDialogs::ask(const QString& prompt, const QString& defaultAnswer) {
  bool accepted = false;
  QString answer = QInputDialog::getText(nullptr, titleOrApplicationName({}), prompt,
                                         QLineEdit::Normal, defaultAnswer, &accepted);
  return accepted ? answer : QString();
}
