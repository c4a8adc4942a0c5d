#include <QPushButton>
#include <QtTest>

#include "EditorRig.h"
#include "Form4.h"
#include "Form5.h"
#include "Form6.h"

namespace {

// The chooser in a fresh working folder, with a current table that is not zero.
struct ChooserRig {
  Workspace workspace;
  Module1 module;
  ScriptedDialogs dialogs;
  QList<bool> returns;
  Form5 chooser{module, dialogs, [this](bool reload) { returns << reload; }};

  ChooserRig() {
    module.WorkingFolder = workspace.root();
    module.Table.x.fill(1);
    module.Table.F.fill(2);
    module.Table.S.fill(3);
    chooser.show();
  }
  void click(const char* button) {
    QTest::mouseClick(chooser.findChild<QPushButton*>(button), Qt::LeftButton);
  }
  bool tableIsZero() const {
    for (int row = 1; row <= xscatter::kTableRows; ++row)
      if (module.Table.x[row] != 0 || module.Table.F[row] != 0 || module.Table.S[row] != 0)
        return false;
    return true;
  }
};

}  // namespace

class ChooserTest : public QObject {
  Q_OBJECT
 private slots:
  void looksAsDesigned() {
    ChooserRig rig;
    QCOMPARE(rig.chooser.windowTitle(), "New Data");
    QCOMPARE(rig.chooser.size(), QSize(295, 247));
    QVERIFY(!(rig.chooser.windowFlags() &
              (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(rig.chooser.findChild<QPushButton*>("Command1")->text(), "化合物");
    QCOMPARE(rig.chooser.findChild<QPushButton*>("Command2")->text(), "混合物");
  }

  void editorButtonsClearTheTableAndOpenEachEditorOnce() {
    ChooserRig rig;
    rig.click("Command1");
    QVERIFY(rig.tableIsZero() && rig.module.Table.x[0] == 1);
    QVERIFY(!rig.chooser.isVisible() && rig.chooser.compoundEditor()->isVisible());
    QVERIFY(rig.returns.isEmpty() && !rig.chooser.mixtureEditor());
    Form4* compound = rig.chooser.compoundEditor();
    rig.dialogs.answer("water");
    QTest::mouseClick(compound->findChild<QWidget*>("Text1"), Qt::LeftButton);
    compound->Command2_Click();
    QCOMPARE(rig.returns, QList<bool>{false});

    rig.module.Table.F[7] = 5;
    rig.chooser.show();
    rig.click("Command1");
    QCOMPARE(rig.chooser.compoundEditor(), compound);
    QCOMPARE(compound->findChild<QLineEdit*>("Text1")->text(), "water");
    QVERIFY(rig.tableIsZero());
    compound->Command2_Click();

    rig.chooser.show();
    rig.click("Command2");
    QVERIFY(rig.chooser.mixtureEditor()->isVisible() && !compound->isVisible());
    rig.chooser.mixtureEditor()->close();
    QCOMPARE(rig.returns, QList<bool>({false, false, false}));
  }

  void cancelAndCloseReturnWithoutTouchingTheTable() {
    ChooserRig rig;
    rig.click("Command3");
    QCOMPARE(rig.returns, QList<bool>{false});
    QVERIFY(!rig.chooser.isVisible());
    rig.chooser.show();
    rig.chooser.close();
    QCOMPARE(rig.returns, QList<bool>({false, false}));
    QCOMPARE(rig.module.Table.S[45], 3.0);
  }
};

QTEST_MAIN(ChooserTest)
#include "ChooserTest.moc"
