#include <QtTest>
#include <cstdlib>

#include "Form4.h"
#include "Form6.h"
#include "MainWindowRig.h"

namespace {

// Design numbers of the row labels, row 1 first; the compound editor has the first five.
constexpr int kRowLabels[] = {8, 9, 10, 11, 12, 13, 15, 16, 17, 18};

// Enters each row (element file, then its dialog answers) and presses "OK"; then
// xscatter-table --save writes the same material in the file's place: the bytes must agree,
// and both must be the material worked out apart from the program with these atoms of each
// shipped element (a mixture's n_k = (A_1 / A_k) w_k / w_1).
template <class Editor>
void ExpectSameFile(const QString& name, const QList<QStringList>& rows,
                    const std::string& arguments,
                    const std::vector<std::pair<const char*, double>>& atoms) {
  EditorRig<Editor> rig;
  rig.click("Text1", {name});
  rig.click("Text2", {QString::number(rows.size())});
  for (int k = 0; k < rows.size(); ++k) {
    rig.choose("File1", rows[k].first());
    rig.click("Label" + QString::number(kRowLabels[k]), rows[k].mid(1));
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
  // All five rows of the compound editor, and unequal weights in six rows of the mixture editor.
  void fullerEntriesAgreeToo() {
    ExpectSameFile<Form4>(
        "oxides",
        {{"Cu.xfs", "2"}, {"Zn.xfs", "1"}, {"Fe.xfs", "3"}, {"H.xfs", "0.5"}, {"O.xfs", "7.25"}},
        "compound oxides Cu:2 Zn:1 Fe:3 H:0.5 O:7.25",
        {{"Cu.xfs", 2}, {"Zn.xfs", 1}, {"Fe.xfs", 3}, {"H.xfs", 0.5}, {"O.xfs", 7.25}});
    ExpectSameFile<Form6>("alloy",
                          {{"Fe.xfs", "55.845", "61"},
                           {"Cu.xfs", "63.546", "20"},
                           {"Zn.xfs", "65.38", "9.5"},
                           {"O.xfs", "15.999", "6"},
                           {"H.xfs", "1.008", "0.5"},
                           {"Cu.xfs", "63.546", "3"}},
                          "mixture alloy Fe:55.845:61 Cu:63.546:20 Zn:65.38:9.5 O:15.999:6 "
                          "H:1.008:0.5 Cu:63.546:3",
                          {{"Fe.xfs", 1},
                           {"Cu.xfs", 55.845 / 63.546 * 20 / 61},
                           {"Zn.xfs", 55.845 / 65.38 * 9.5 / 61},
                           {"O.xfs", 55.845 / 15.999 * 6 / 61},
                           {"H.xfs", 55.845 / 1.008 * 0.5 / 61},
                           {"Cu.xfs", 55.845 / 63.546 * 3 / 61}});
  }
};

QTEST_MAIN(CliParityTest)
#include "CliParityTest.moc"
