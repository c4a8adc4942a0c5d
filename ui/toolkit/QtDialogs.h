#pragma once

#include "Dialogs.h"

// The dialogs a user sees: QMessageBox, QInputDialog, QMenu and Qt's own QFileDialog, which
// works the same on every desktop.
class QtDialogs final : public Dialogs {
 public:
  // Saving opens in the folder the user saved to last in this run, if it is still there;
  // otherwise as the caller offers.
  void message(const QString& text, const QString& title, Icon icon,
               const QString& detail) override;
  QString ask(const QString& prompt, const QString& defaultAnswer) override;
  QString askWithList(const QString& prompt, const QString& defaultAnswer,
                      const QStringList& entries) override;
  std::optional<int> menu(const QStringList& entries, bool enabled, QPoint at) override;
  QString saveFileName(const QString& title, const QString& defaultPath,
                       const QStringList& filters) override;

 private:
  QString lastSaveFolder_;
};
