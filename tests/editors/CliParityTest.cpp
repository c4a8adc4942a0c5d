#include <QtTest>
#include <cstdlib>

#include "Form4.h"
#include "Form6.h"
#include "MainWindowRig.h"

namespace {

// Design numbers of the row labels, row 1 first; the compound editor has the first five.
constexpr int kRowLabels[] = {8, 9, 10, 11, 12, 13, 15, 16, 17, 18};

// Enters each row (element file, then its dialog answers) and presses "OK"; then
// xscatter-table --save writes the same material in the file's place: the bytes must agree.
template <class Editor>
void ExpectSameFile(const QString& name, const QList<QStringList>& rows,
                    const std::string& arguments) {
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
}

}  // namespace

class CliParityTest : public QObject {
  Q_OBJECT
 private slots:
  void compoundSaveWritesTheCompoundEditorsBytes() {
    ExpectSameFile<Form4>("water", {{"H.xfs", "2"}, {"O.xfs", "1"}}, "compound water H:2 O:1");
  }
  void mixtureSaveWritesTheMixtureEditorsBytes() {
    ExpectSameFile<Form6>("brass", {{"Cu.xfs", "63.546", "70"}, {"Zn.xfs", "65.38", "30"}},
                          "mixture brass Cu:63.546:70 Zn:65.38:30");
  }
  // All five rows of the compound editor, and unequal weights in six rows of the mixture editor.
  void fullerEntriesAgreeToo() {
    ExpectSameFile<Form4>(
        "oxides",
        {{"Cu.xfs", "2"}, {"Zn.xfs", "1"}, {"Fe.xfs", "3"}, {"H.xfs", "0.5"}, {"O.xfs", "7.25"}},
        "compound oxides Cu:2 Zn:1 Fe:3 H:0.5 O:7.25");
    ExpectSameFile<Form6>("alloy",
                          {{"Fe.xfs", "55.845", "61"},
                           {"Cu.xfs", "63.546", "20"},
                           {"Zn.xfs", "65.38", "9.5"},
                           {"O.xfs", "15.999", "6"},
                           {"H.xfs", "1.008", "0.5"},
                           {"Cu.xfs", "63.546", "3"}},
                          "mixture alloy Fe:55.845:61 Cu:63.546:20 Zn:65.38:9.5 O:15.999:6 "
                          "H:1.008:0.5 Cu:63.546:3");
  }
};

QTEST_MAIN(CliParityTest)
#include "CliParityTest.moc"
