#include <QtTest>

#include "EditorRig.h"
#include "Form4.h"

namespace {

using Rig = EditorRig<Form4>;
const QString kInvalid = "入力値が不正です。";
const QStringList kRowBoxes{"Text3", "Text4", "Text5", "Text6", "Text7"};
const QStringList kRowLabels{"Label8", "Label9", "Label10", "Label11", "Label12"};

// Name water, two elements: two atoms of H and one of O.
void enterWater(Rig& rig) {
  rig.click("Text1", {"water"});
  rig.click("Text2", {"2"});
  rig.choose("H.xfs");
  rig.click("Label8", {"2"});
  rig.choose("O.xfs");
  rig.click("Text4", {"1"});
}

}  // namespace

class CompoundEditorTest : public QObject {
  Q_OBJECT
 private slots:
  void fileNameDialogs() {
    Rig rig;
    rig.click("Text1", {"water"});
    QCOMPARE(rig.dialogs.questions().last().prompt,
             "新規ファイル名を入力して下さい（拡張子なしで）");
    rig.click("Label1", {"salt"});
    QCOMPARE(rig.dialogs.questions().last().defaultAnswer, "water");
    QCOMPARE(rig.text("Text1"), "salt.mix");
    rig.click("Label1", {QString()});
    QCOMPARE(rig.lastMessage().text, "ファイル名を入力して下さい");
    QCOMPARE(rig.lastMessage().icon, Dialogs::Icon::Exclamation);
    QCOMPARE(rig.text("Text1"), "salt.mix");
  }

  void countsOnlyEverShowRows() {
    Rig rig;
    QVERIFY(rig.shownRows(kRowBoxes).isEmpty() && !rig.shown("File1"));
    for (const char* bad : {"0", "-1", "abc", "", "1e999"}) {
      rig.click("Text2", {bad});
      QCOMPARE(rig.lastMessage().text, kInvalid);
      QCOMPARE(rig.text("Text2"), bad);
    }
    QCOMPARE(rig.module.Editor.ElementCount, 0.0);
    rig.click("Text2", {"2.5"});
    QCOMPARE(rig.shownRows(kRowLabels), QList<int>({1, 2}));
    QVERIFY(rig.shown("Label6") && rig.shown("Label7") && rig.shown("File1"));
    rig.click("Text2", {"6"});
    QCOMPARE(rig.shownRows(kRowLabels), QList<int>({1, 2, 3, 4}));
    rig.click("Text2", {"5"});
    rig.click("Text2", {"3"});
    QCOMPARE(rig.shownRows(kRowLabels), QList<int>({1, 2, 3, 4, 5}));
    QCOMPARE(rig.module.Editor.ElementCount, 3.0);

    Rig byLabel;  // no test, and only the boxes come up
    byLabel.click("Label2", {"5"});
    QCOMPARE(byLabel.shownRows(kRowBoxes), QList<int>({1, 2, 3, 4, 5}));
    QVERIFY(byLabel.shownRows(kRowLabels).isEmpty() && !byLabel.shown("File1"));
    byLabel.click("Label2", {"-2"});
    QCOMPARE(byLabel.module.Editor.ElementCount, -2.0);
    QVERIFY(byLabel.dialogs.messages().isEmpty());
  }

  void rowEntryTakesTheChosenElementAndAPositiveNumberOfAtoms() {
    Rig rig;
    rig.click("Text2", {"2"});
    rig.click("Label8");
    QCOMPARE(rig.lastMessage().text, "元素を選択して下さい");
    QCOMPARE(rig.dialogs.questions().size(), 1);
    rig.choose("H.xfs");
    rig.click("Text3", {"0.5"});
    QCOMPARE(rig.dialogs.questions().last().prompt, "原子数を入力して下さい");
    QCOMPARE(rig.module.Editor.ElementWeights[1], 0.5);
    rig.click("Label9", {"-3"});  // the same element again; the bad number is not stored
    QCOMPARE(rig.module.Editor.ElementFiles[2], "H.xfs");
    QCOMPARE(rig.text("Text9"), "-3");
    QCOMPARE(rig.lastMessage().text, kInvalid);
    static_cast<QListWidget*>(rig.control("File1"))->setCurrentRow(-1);
    rig.click("Text8", {QString()});  // no element needed for the number of atoms
    QCOMPARE(rig.text("Text8"), "");
    QCOMPARE(rig.module.Editor.ElementWeights[1], 0.5);
  }

  void cancelAndCloseGoBackWithoutReload() {
    Rig rig;
    enterWater(rig);
    rig.click("Command2");
    QVERIFY(!rig.editor->isVisible() && rig.shownRows(kRowBoxes + kRowLabels).isEmpty());
    QVERIFY(rig.shown("File1") && rig.text("Text8") == "2");
    rig.editor->show();
    rig.editor->close();
    QCOMPARE(rig.returns, QList<bool>({false, false}));
  }

  void okWritesTheCompoundAndGoesBackWithReload() {
    Rig rig;
    rig.click("Command1");
    QCOMPARE(rig.lastMessage().text, "ファイル名が入力されていません");
    enterWater(rig);
    rig.click("Command1");
    QCOMPARE(rig.lastMessage().text, kSaved);
    QCOMPARE(rig.lastMessage().title, "New Data : XFSM-data/water.xfs");
    QCOMPARE(rig.lastMessage().icon, Dialogs::Icon::None);
    const auto expected = expectedLines(rig.workspace, {{"H.xfs", 2}, {"O.xfs", 1}});
    QCOMPARE(linesOf(rig.material("water")), expected);
    QCOMPARE(rig.returns, QList<bool>{true});
    QVERIFY(!rig.editor->isVisible() && !rig.shown("Text3"));

    std::filesystem::remove(rig.material("water"));  // reopened, "OK" at once writes it again
    rig.editor->show();
    rig.click("Command1");
    QCOMPARE(linesOf(rig.material("water")), expected);
  }

  void failuresEndInTheInputError() {
    const std::vector<std::function<void(Rig&)>> causes{
        [](Rig& rig) { rig.module.Editor.ElementWeights[1] = -100; },  // negative sum
        [](Rig& rig) {
          rig.click("Text2", {"6"});  // slot 6 is never filled here
          for (int slot = 3; slot <= 5; ++slot) rig.module.Editor.ElementFiles[slot] = "H.xfs";
        }};
    for (const auto& breakIt : causes) {
      Rig rig;
      enterWater(rig);
      breakIt(rig);
      rig.expectInputError("water");
    }
    Rig rig;
    enterWater(rig);
    rig.module.Editor.ElementFiles[2].clear();
    rig.expectInputError("water");
    rig.click("Label9", {"1"});  // mended, "OK" succeeds without reopening
    rig.click("Command1");
    QCOMPARE(rig.returns, QList<bool>{true});
  }
};

QTEST_MAIN(CompoundEditorTest)
#include "CompoundEditorTest.moc"
