#include <QtTest>
#include <cstdlib>

#include "Form4.h"
#include "Form6.h"
#include "MainWindowRig.h"

namespace {

// Enters each row (element file, then its dialog answers) and presses "OK"; then
// xscatter-table --save writes the same material in the file's place: the bytes must agree,
// and both must be the material worked out apart from the program with these atoms of each
// shipped element.
template <class Editor>
void ExpectSameFile(const QString& name, const QList<QStringList>& rows,
                    const std::string& arguments,
                    const std::vector<std::pair<const char*, double>>& atoms) {
  EditorRig<Editor> rig;
  rig.click("Text1", {name});
  rig.click("Text2", {QString::number(rows.size())});
  for (int k = 0; k < rows.size(); ++k) {
    rig.choose("File1", rows[k].first());
    rig.click("Label" + QString::number(8 + k), rows[k].mid(1));
  }
  rig.click("Command1");
  const std::filesystem::path file = rig.material(name.toStdString());
  const std::string edited = FileBytes(file);
  std::filesystem::remove(file);
  const std::string command = XSCATTER_TABLE_PROGRAM " --data " + rig.workspace.root().string() +
                              " " + arguments + " --save >/dev/null";
  QCOMPARE(std::system(command.c_str()), 0);
  QCOMPARE(FileBytes(file), edited);
  std::vector<std::pair<std::filesystem::path, double>> elements;
  for (const auto& [element, n] : atoms)
    elements.emplace_back(Workspace::shippedElement(element), n);
  QCOMPARE(edited, ExpectedMaterial(elements).value());
}

}  // namespace

class CliParityTest : public QObject {
  Q_OBJECT
 private slots:
  void compoundSaveWritesTheCompoundEditorsBytes() {
    ExpectSameFile<Form4>("water", {{"H.xfs", "2"}, {"O.xfs", "1"}}, "compound water H:2 O:1",
                          {{"H.xfs", 2}, {"O.xfs", 1}});
  }
  void mixtureSaveWritesTheMixtureEditorsBytes() {
    ExpectSameFile<Form6>("brass", {{"Cu.xfs", "63.546", "70"}, {"Zn.xfs", "65.38", "30"}},
                          "mixture brass Cu:63.546:70 Zn:65.38:30",
                          {{"Cu.xfs", 1}, {"Zn.xfs", 63.546 / 65.38 * 30 / 70}});
  }
};

QTEST_MAIN(CliParityTest)
#include "CliParityTest.moc"
