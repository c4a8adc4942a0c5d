#pragma once

#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <memory>

#include "Module1.h"
#include "ScriptedDialogs.h"
#include "Workspace.h"

inline const QString kInputError = "入力したデータに誤りがあります。  よく確認してください。";
inline const QString kSaved = "データはファイルに保存されました。";

// One editor window in a fresh working folder, with scripted dialogs and a record of every
// return to the main window.
template <class Editor>
struct EditorRig {
  Workspace workspace;
  Module1 module;
  ScriptedDialogs dialogs;
  QList<bool> returns;  // the reloadMaterialList flag of each return
  std::unique_ptr<Editor> editor;

  EditorRig() {
    module.WorkingFolder = workspace.root();
    editor = std::make_unique<Editor>(module, dialogs, [this](bool reload) { returns << reload; });
    editor->show();
  }

  QWidget* control(const QString& name) const { return editor->template findChild<QWidget*>(name); }
  bool shown(const QString& name) const { return control(name)->isVisibleTo(editor.get()); }
  // Clicks with the given answers queued for the dialogs it opens; a null answer cancels.
  void click(const QString& name, const QStringList& answers = {}) {
    for (const QString& answer : answers) dialogs.answer(answer);
    QTest::mouseClick(control(name), Qt::LeftButton);
  }
  void choose(const QString& file) {
    auto* list = static_cast<QListWidget*>(control("File1"));
    list->setCurrentItem(list->findItems(file, Qt::MatchExactly).value(0));
  }
  ScriptedDialogs::Message lastMessage() const {
    return dialogs.messages().isEmpty() ? ScriptedDialogs::Message{} : dialogs.messages().last();
  }
  std::filesystem::path material(const std::string& name) const {
    return workspace.materialFolder() / (name + ".xfs");
  }
};
