#pragma once

#include <QListWidget>
#include <QTest>
#include <QWidget>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Module1.h"
#include "ScriptedDialogs.h"
#include "Workspace.h"

inline const QString kInputError = "入力したデータに誤りがあります。  よく確認してください。";
inline const QString kSaved = "データはファイルに保存されました。";

inline std::vector<std::string> linesOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

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

  QWidget* control(const QString& name) const {
    auto* found = editor->template findChild<QWidget*>(name);
    if (!found) qFatal("no control %s", qPrintable(name));
    return found;
  }
  bool shown(const QString& name) const { return control(name)->isVisibleTo(editor.get()); }
  QString text(const QString& name) const { return control(name)->property("text").toString(); }
  // Clicks with the given answers queued for the dialogs it opens; a null answer cancels.
  void click(const QString& name, const QStringList& answers = {}) {
    for (const QString& answer : answers) dialogs.answer(answer);
    QTest::mouseClick(control(name), Qt::LeftButton);
  }
  void choose(const QString& file) {
    auto* list = static_cast<QListWidget*>(control("File1"));
    list->setCurrentItem(list->findItems(file, Qt::MatchExactly).value(0));
  }
  // The row numbers, counted from 1, of the given controls that are shown.
  QList<int> shownRows(const QStringList& controls) const {
    QList<int> rows;
    for (int k = 0; k < controls.size(); ++k)
      if (shown(controls[k])) rows << k + 1;
    return rows;
  }
  ScriptedDialogs::Message lastMessage() const {
    return dialogs.messages().isEmpty() ? ScriptedDialogs::Message{} : dialogs.messages().last();
  }
  std::filesystem::path material(const std::string& name) const {
    return workspace.materialFolder() / (name + ".xfs");
  }

  // "OK" must end in the input-error message with the editor still open and an earlier file
  // of the same name as it was.
  void expectInputError(const std::string& name) {
    std::ofstream(material(name), std::ios::binary) << "earlier\r\n";
    click("Command1");
    QCOMPARE(lastMessage().text, kInputError);
    QCOMPARE(lastMessage().title, "Input Error");
    QCOMPARE(lastMessage().icon, Dialogs::Icon::None);
    QVERIFY(editor->isVisible() && returns.isEmpty());
    QCOMPARE(linesOf(material(name)), std::vector<std::string>{"earlier\r"});
  }
};

// The table a compound of these elements and numbers of atoms must have, recomputed from the
// element files by the rule F = sqrt(sum n F^2), S = sum n S, as lines ending in CR.
inline std::vector<std::string> expectedLines(
    const Workspace& workspace, const std::vector<std::pair<std::string, double>>& atoms) {
  std::vector<std::vector<std::string>> elements;
  for (const auto& [file, n] : atoms) elements.push_back(linesOf(workspace.elementFolder() / file));
  std::vector<std::string> expected;
  for (int row = 0; row < 45; ++row) {
    double x = 0, F = 0, S = 0;
    for (std::size_t k = 0; k < atoms.size(); ++k) {
      const std::string& line = elements[k][row];
      x = std::stod(line.substr(0, 10));
      F += atoms[k].second * std::pow(std::stod(line.substr(10, 12)), 2);
      S += atoms[k].second * std::stod(line.substr(22, 12));
    }
    expected.push_back(xscatter::FormatTableLine(x, std::sqrt(F), S).value() + "\r");
  }
  return expected;
}
