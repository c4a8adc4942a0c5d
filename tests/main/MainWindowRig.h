#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "FileListBox.h"
#include "Form1.h"
#include "Interpolation.h"
#include "Module1.h"
#include "ScriptedDialogs.h"
#include "Workspace.h"
#include "WorldCanvas.h"

inline QWidget* Window(const QString& caption) {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->windowTitle() == caption) return window;
  qFatal("no window %s", qPrintable(caption));
}

// A main window on a fresh working folder, with scripted dialogs and the steps a user takes.
struct MainWindowRig {
  Workspace workspace;
  Module1 module;
  ScriptedDialogs dialogs;
  std::unique_ptr<Form1> form;

  MainWindowRig() {
    module.WorkingFolder = workspace.root();
    form = std::make_unique<Form1>(module, dialogs);
  }

  template <class Control = QWidget>
  Control& get(const char* name) const {
    auto* found = form->findChild<Control*>(QString::fromLatin1(name));
    if (!found) qFatal("no control %s", name);
    return *found;
  }
  QListWidget& list() const { return get<QListWidget>("List1"); }
  WorldCanvas& graph() const { return get<WorldCanvas>("Picture1"); }
  MarkerLine& marker(const char* name) const { return get<MarkerLine>(name); }
  QStringList readOut() const {
    return {get<QLineEdit>("Text1").text(), get<QLineEdit>("Text2").text(),
            get<QLineEdit>("Text3").text()};
  }
  bool anyMarkerShown() const {
    return marker("Line1").isShown() || marker("Line2").isShown() || marker("Line3").isShown();
  }

  void choose(const char* fileList, const QString& file) {
    auto& files = get<FileListBox>(fileList);
    files.setCurrentItem(files.findItems(file, Qt::MatchExactly).value(0));
  }
  void load(const char* fileList, const QString& file) {
    choose(fileList, file);
    get<QPushButton>("Command2").click();
  }
  void type(const QString& value) {
    get<QLineEdit>("Text1").setText(value);
    QTest::keyClick(&get<QLineEdit>("Text1"), Qt::Key_Return);
  }
  void point(float X, float Y) { emit graph().pointerMoved(Qt::NoButton, Qt::NoModifier, X, Y); }
};
