#include <QtTest>

#include "EditorRig.h"
#include "Form4.h"
#include "Form6.h"

namespace {

using Rig = EditorRig<Form6>;
const QStringList kRowBoxes{"Text3",  "Text4",  "Text5",  "Text6",  "Text7",
                            "Text15", "Text16", "Text17", "Text18", "Text19"};

// Name brass: 70 % copper and 30 % zinc.
void enterBrass(Rig& rig) {
  rig.click("Label1", {"brass"});
  rig.click("Label2", {"2"});
  rig.choose("Cu.xfs");
  rig.click("Label8", {"63.546", "70"});
  rig.choose("Zn.xfs");
  rig.click("Text4", {"65.38", "30"});
}

}  // namespace

class MixtureEditorTest : public QObject {
  Q_OBJECT
 private slots:
  void nameAndCountAreTakenWithoutChecks() {
    Rig rig;
    rig.click("Text1", {"brass"});
    rig.click("Label1", {QString()});
    QCOMPARE(rig.lastMessage().text, "ファイル名を入力してください");
    QCOMPARE(rig.lastMessage().icon, Dialogs::Icon::Exclamation);
    QCOMPARE(rig.text("Text1"), "brass");

    rig.click("Text2", {"-1"});
    QCOMPARE(rig.module.Editor.ElementCount, -1.0);
    QVERIFY(rig.shownRows(kRowBoxes).isEmpty() && rig.shown("File1") && rig.shown("Label14"));
    rig.click("Label2", {"2.5"});
    QCOMPARE(rig.shownRows(kRowBoxes), QList<int>({1, 2}));
    rig.click("Label2", {"3"});
    QCOMPARE(rig.shownRows(kRowBoxes), QList<int>({1, 2, 3}));
    rig.click("Label2", {"11"});
    QCOMPARE(rig.shownRows(kRowBoxes), QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9}));
    rig.click("Text2", {"10"});
    QVERIFY(rig.shown("Label18") && rig.shown("Text34") && rig.shown("Text24"));
    QCOMPARE(rig.text("Label18"), "元素10");
    QCOMPARE(rig.dialogs.messages().size(), 1);
  }

  void rowEntryAsksAtomicWeightThenWeight() {
    Rig rig;
    rig.click("Text2", {"3"});
    rig.click("Text5");
    QCOMPARE(rig.lastMessage().text, "元素を選択してください");
    rig.choose("Fe.xfs");
    rig.click("Label10", {QString(), "2"});  // a cancelled atomic weight still asks the weight
    QCOMPARE(rig.dialogs.questions()[1].prompt, "原子量(atomic weight)を入力して下さい");
    QCOMPARE(rig.dialogs.questions()[2].prompt, "相対重量(%)を入力して下さい");
    QCOMPARE(rig.module.Editor.ElementFiles[3], "Fe.xfs");
    QCOMPARE(rig.text("Text27"), "");
    QCOMPARE(rig.module.Editor.AtomicWeights[3], 0.0);
    QCOMPARE(rig.module.Editor.ElementWeights[3], 2.0);
    static_cast<QListWidget*>(rig.control("File1"))->setCurrentRow(-1);
    rig.click("Text27", {"55.8"});
    rig.click("Text10", {"-4"});
    QCOMPARE(rig.module.Editor.AtomicWeights[3], 55.8);
    QCOMPARE(rig.module.Editor.ElementWeights[3], -4.0);
  }

  void okWritesTheMixtureAndKeepsTheAtomicWeightHeading() {
    Rig rig;
    enterBrass(rig);
    rig.click("Command1");
    QCOMPARE(rig.lastMessage().text, kSaved);
    QCOMPARE(rig.lastMessage().title, "New Data : brass.xfs");
    const double zincAtoms = (63.546 / 65.38) * 30 / 70;
    QCOMPARE(linesOf(rig.material("brass")),
             expectedLines(rig.workspace, {{"Cu.xfs", 1}, {"Zn.xfs", zincAtoms}}));
    QCOMPARE(rig.returns, QList<bool>{true});
    QVERIFY(rig.shown("Label6") && rig.shown("File1") && !rig.shown("Text25"));
  }

  void failuresEndInTheInputError() {
    const std::vector<std::function<void(Rig&)>> causes{
        [](Rig& rig) { rig.click("Text26", {"0"}); },  // atomic weight 0
        [](Rig& rig) { rig.click("Text8", {"0"}); },   // first weight 0
        [](Rig& rig) { rig.click("Text9", {"-300"}); },
        [](Rig& rig) {
          // F = 0 in every row: the negative weight makes only S negative
          std::ofstream out(rig.workspace.elementFolder() / "Zn.xfs", std::ios::binary);
          for (int row = 0; row < 45; ++row) out << "  .100E+00  .00000E+00  .10000E+01\r\n";
          rig.click("Text9", {"-300"});
        },
        [](Rig& rig) {
          rig.click("Text2", {"11"});
          for (int slot = 3; slot <= 10; ++slot) {
            rig.module.Editor.ElementFiles[slot] = "Cu.xfs";
            rig.module.Editor.AtomicWeights[slot] = 1;
          }
        }};
    for (const auto& breakIt : causes) {
      Rig rig;
      enterBrass(rig);
      breakIt(rig);
      rig.expectInputError("brass");
    }
  }

  void editorValuesAreSharedWithTheCompoundEditor() {
    Rig rig;
    Form4 compound(rig.module, rig.dialogs, [](bool) {});
    rig.click("Text2", {"1"});
    rig.choose("Cu.xfs");
    rig.click("Label8", {"63.546", "2"});
    rig.dialogs.answer("cuprite");
    QTest::mouseClick(compound.findChild<QWidget*>("Text1"), Qt::LeftButton);
    compound.Command1_Click();  // count 1, Cu, and the mixture's weight 2 as number of atoms
    QCOMPARE(linesOf(rig.material("cuprite")), expectedLines(rig.workspace, {{"Cu.xfs", 2}}));
  }
};

QTEST_MAIN(MixtureEditorTest)
#include "MixtureEditorTest.moc"
