#include "QtDialogs.h"

#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
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

QString QtDialogs::askWithList(const QString& prompt, const QString& defaultAnswer,
                               const QStringList& entries) {
  QInputDialog dialog;
  dialog.setWindowTitle(titleOrApplicationName({}));
  dialog.setLabelText(prompt);
  dialog.setComboBoxItems(entries);
  dialog.setComboBoxEditable(true);
  dialog.setTextValue(defaultAnswer);
  if (auto* box = dialog.findChild<QComboBox*>()) {
    box->setMaxVisibleItems(20);
    QCompleter* completer = box->completer();
    completer->setFilterMode(Qt::MatchContains);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
  }
  return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
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

// Only one file can be saved, so a typed name is one name, quotes and all: Qt's own dialog
// takes quotes as the bounds of several names (a"b.csv would save as b.csv).
class SaveDialog : public QFileDialog {
 public:
  SaveDialog(const QString& title, const QString& defaultPath, const QStringList& filters)
      : QFileDialog(nullptr, title, defaultPath, filters.join(QStringLiteral(";;"))) {
    setAcceptMode(QFileDialog::AcceptSave);
    setOption(QFileDialog::DontUseNativeDialog);
    // A name typed without an extension gets the one of the filter chosen.
    setDefaultSuffix(QFileInfo(defaultPath).suffix());
    connect(this, &QFileDialog::filterSelected, this,
            [this](const QString& filter) { setDefaultSuffix(FirstSuffix(filter)); });
  }

  QString chosenPath() const {
    return quotedName_.isEmpty() ? selectedFiles().value(0) : quotedName_;
  }

  // Such a name goes the rest of the way as Qt's own would: the filter's suffix where it has
  // none, and a question before an existing file is replaced.
  void accept() override {
    const auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!name || !name->text().contains(QLatin1Char('"'))) {
      QFileDialog::accept();
      return;
    }
    QString path = directory().absoluteFilePath(name->text());
    if (QFileInfo(path).suffix().isEmpty() && !defaultSuffix().isEmpty()) {
      path += QLatin1Char('.') + defaultSuffix();
    }
    const QFileInfo file(path);
    if (file.exists() &&
        QMessageBox::warning(
            this, windowTitle(),
            tr("%1 already exists.\nDo you want to replace it?").arg(file.fileName()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
      return;
    quotedName_ = path;
    QDialog::accept();
  }

 private:
  QString quotedName_;
};

}  // namespace

QString QtDialogs::saveFileName(const QString& title, const QString& defaultPath,
                                const QStringList& filters) {
  const bool lastStillThere = !lastSaveFolder_.isEmpty() && QFileInfo(lastSaveFolder_).isDir();
  SaveDialog dialog(title,
                    lastStillThere
                        ? QDir(lastSaveFolder_).filePath(QFileInfo(defaultPath).fileName())
                        : defaultPath,
                    filters);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QString path = dialog.chosenPath();
  lastSaveFolder_ = QFileInfo(path).absolutePath();
  return path;
}
