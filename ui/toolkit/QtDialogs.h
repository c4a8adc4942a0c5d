#pragma once

#include "Dialogs.h"

// The dialogs a user sees: QMessageBox and QInputDialog.
class QtDialogs final : public Dialogs {
public:
  void message(const QString& text, const QString& title, Icon icon) override;
  QString ask(const QString& prompt, const QString& defaultAnswer) override;
};
