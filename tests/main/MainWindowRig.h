#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "FileListBox.h"
#include "Form1.h"
#include "Module1.h"
#include "ScriptedDialogs.h"
#include "Workspace.h"
#include "WorldCanvas.h"
#include "xscatter/Interpolation.h"

inline QWidget* Window(const QString& caption) {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->windowTitle() == caption) return window;
  qFatal("no window %s", qPrintable(caption));
}

// One window on a fresh working folder with scripted dialogs; its controls are found by their
// design names.
template <class Window>
struct WindowRig {
  Workspace workspace;
  Module1 module;
  ScriptedDialogs dialogs;
  std::unique_ptr<Window> form;

  WindowRig() { module.Folders = xscatter::FoldersIn(workspace.root()); }

  template <class Control = QWidget>
  Control& get(const QString& name) const {
    auto* found = form->template findChild<Control*>(name);
    if (!found) qFatal("no control %s", qPrintable(name));
    return *found;
  }
  void choose(const char* fileList, const QString& file) {
    auto& files = get<FileListBox>(fileList);
    files.setCurrentItem(files.findItems(file, Qt::MatchExactly).value(0));
  }
};

// The main window and the steps a user takes in it.
struct MainWindowRig : WindowRig<Form1> {
  MainWindowRig() { form = std::make_unique<Form1>(module, dialogs); }

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

inline const QString kInputError = "入力したデータに誤りがあります。  よく確認してください。";
inline const QString kSaved = "データはファイルに保存されました。";

// An editor window, with a record of every return to the main window.
template <class Editor>
struct EditorRig : WindowRig<Editor> {
  QList<bool> returns;  // the reloadMaterialList flag of each return

  EditorRig() {
    this->form = std::make_unique<Editor>(this->module, this->dialogs,
                                          [this](bool reload) { returns << reload; });
    this->form->show();
  }

  bool shown(const QString& name) const { return this->get(name).isVisibleTo(this->form.get()); }
  // Clicks with the given answers queued for the dialogs it opens; a null answer cancels.
  void click(const QString& name, const QStringList& answers = {}) {
    for (const QString& answer : answers) this->dialogs.answer(answer);
    QTest::mouseClick(&this->get(name), Qt::LeftButton);
  }
  std::filesystem::path material(const std::string& name) const {
    return this->workspace.materialFolder() / (name + ".xfs");
  }
};
