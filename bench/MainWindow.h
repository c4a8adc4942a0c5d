#pragma once

#include <QCoreApplication>
#include <QListWidget>
#include <QPushButton>
#include <string>

#include "BenchData.h"
#include "FileListBox.h"
#include "Form1.h"
#include "Module1.h"
#include "ScriptedDialogs.h"

namespace bench {

inline Module1 ModuleOnShippedData() {
  Module1 module;
  module.Folders = xscatter::FoldersIn(ShippedDataFolder());
  return module;
}

inline void Settle() {
  QCoreApplication::processEvents();
}

// The main window on the shipped data, shown so that its changes are really painted; any
// message it shows would mean a case went wrong, so it stops the run.
class MainWindow {
 public:
  MainWindow() {
    form_.show();
    Settle();
  }
  ~MainWindow() { checkNoMessage(); }

  template <typename Control>
  Control& control(const char* name) {
    auto* found = form_.findChild<Control*>(QString::fromLatin1(name));
    if (!found) Abort(std::string("the main window has no ") + name);
    return *found;
  }

  void chooseElement(const QString& fileName) {
    auto& list = control<FileListBox>("File1");
    const QList<QListWidgetItem*> items = list.findItems(fileName, Qt::MatchExactly);
    if (items.isEmpty()) Abort("no element file " + fileName.toStdString());
    list.setCurrentItem(items.first());
  }

  // "OK", and the repaint that follows.
  void load() {
    ok_->click();
    Settle();
  }

  void checkNoMessage() const {
    if (!dialogs_.messages().isEmpty()) Abort(dialogs_.messages().first().text.toStdString());
  }

 private:
  Module1 module_ = ModuleOnShippedData();
  ScriptedDialogs dialogs_;
  Form1 form_{module_, dialogs_};
  QPushButton* ok_ = &control<QPushButton>("Command2");
};

}  // namespace bench
