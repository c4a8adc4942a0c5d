#include "QtDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>

void QtDialogs::message(const QString& text, const QString& title, Icon icon,
                        const QString& detail) {
  QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                  titleOrApplicationName(title), text, QMessageBox::Ok);
  box.setDetailedText(detail);
  box.exec();
}

QString QtDialogs::ask(const QString& prompt, const QString& defaultAnswer) {
  bool accepted = false;
  QString answer = QInputDialog::getText(nullptr, titleOrApplicationName({}), prompt,
                                         QLineEdit::Normal, defaultAnswer, &accepted);
  return accepted ? answer : QString();
}

std::optional<int> QtDialogs::menu(const QStringList& entries, bool enabled, QPoint at) {
  QMenu menu;
  for (const QString& entry : entries) menu.addAction(entry)->setEnabled(enabled);
  const QAction* chosen = menu.exec(at);
  const int position = chosen ? int(menu.actions().indexOf(chosen)) : -1;
  return position >= 0 ? std::optional(position) : std::nullopt;
}

namespace {

// "Tab-separated text (*.tsv *.txt)" gives "tsv".
QString FirstSuffix(const QString& filter) {
  static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
  return pattern.match(filter).captured(1);
}

}  // namespace

QString QtDialogs::saveFileName(const QString& title, const QString& defaultPath,
                                const QStringList& filters) {
  QFileDialog dialog(nullptr, title, defaultPath, filters.join(QStringLiteral(";;")));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // A name typed without an extension gets the one of the filter chosen.
  dialog.setDefaultSuffix(QFileInfo(defaultPath).suffix());
  QObject::connect(
      &dialog, &QFileDialog::filterSelected, &dialog,
      [&dialog](const QString& filter) { dialog.setDefaultSuffix(FirstSuffix(filter)); });
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
