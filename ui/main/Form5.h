#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "Dialogs.h"
#include "Module1.h"

class Form4;
class Form6;
class QCloseEvent;

// The New Data chooser: asks whether a compound or a mixture is to be created, clears the
// current table for it and opens the matching editor; or makes a material of a chemical formula
// or a reference material at once.
class Form5 final : public QWidget {
 public:
  using BackToMain = std::function<void(bool reloadMaterialList)>;

  Form5(Module1& module, Dialogs& dialogs, BackToMain backToMain);
  ~Form5() override;

  void Command1_Click();  // "化合物"
  void Command2_Click();  // "混合物"
  void Command3_Click();  // "Cancel"
  void Command4_Click();  // "Formula or Material…"

  // The editors, once they have been opened; null before.
  Form4* compoundEditor() const { return form4_.get(); }
  Form6* mixtureEditor() const { return form6_.get(); }

 protected:
  // Closing the window acts as "Cancel", so the main window comes back.
  void closeEvent(QCloseEvent* event) override;

 private:
  void open(QWidget& editor);
  void warn(const QString& text, const std::string& reason = {});

  Module1& module_;
  Dialogs& dialogs_;
  BackToMain backToMain_;
  std::unique_ptr<Form4> form4_;
  std::unique_ptr<Form6> form6_;
  QString lastFormula_;  // offered again, so that a mistyped formula can be mended
};
