#include <QPushButton>
#include <QtTest>

#include "EditorRig.h"
#include "Form4.h"
#include "Form5.h"
#include "Form6.h"

namespace {

// The chooser in a fresh working folder, with a current table of ones.
struct ChooserRig {
  Workspace workspace;
  Module1 module;
  ScriptedDialogs dialogs;
  QList<bool> returns;
  Form5 chooser{module, dialogs, [this](bool reload) { returns << reload; }};

  ChooserRig() {
    module.WorkingFolder = workspace.root();
    for (auto* column : {&module.Table.x, &module.Table.F, &module.Table.S}) column->fill(1);
    chooser.show();
  }
  void click(const char* button) {
    QTest::mouseClick(chooser.findChild<QPushButton*>(button), Qt::LeftButton);
  }
  double tableSum() const {
    double sum = 0;
    for (int row = 1; row <= xscatter::kTableRows; ++row)
      sum += module.Table.x[row] + module.Table.F[row] + module.Table.S[row];
    return sum;
  }
};

}  // namespace

class ChooserTest : public QObject {
  Q_OBJECT
 private slots:
  void editorButtonsClearTheTableAndOpenEachEditorOnce() {
    ChooserRig rig;
    QCOMPARE(rig.chooser.windowTitle(), "New Data");
    rig.click("Command1");
    QCOMPARE(rig.tableSum(), 0.0);
    Form4* compound = rig.chooser.compoundEditor();
    QVERIFY(!rig.chooser.isVisible() && compound->isVisible() && rig.returns.isEmpty());
    rig.dialogs.answer("water");
    QTest::mouseClick(compound->findChild<QWidget*>("Text1"), Qt::LeftButton);
    compound->Command2_Click();

    rig.chooser.show();
    rig.click("Command1");
    QCOMPARE(rig.chooser.compoundEditor(), compound);
    QCOMPARE(compound->findChild<QLineEdit*>("Text1")->text(), "water");
    compound->Command2_Click();

    rig.chooser.show();
    rig.click("Command2");
    QVERIFY(rig.chooser.mixtureEditor()->isVisible());
    rig.chooser.mixtureEditor()->close();
    QCOMPARE(rig.returns, QList<bool>({false, false, false}));
  }

  void cancelAndCloseGoBackWithoutTouchingTheTable() {
    ChooserRig rig;
    rig.click("Command3");
    QVERIFY(!rig.chooser.isVisible());
    rig.chooser.show();
    rig.chooser.close();
    QCOMPARE(rig.returns, QList<bool>({false, false}));
    QCOMPARE(rig.tableSum(), 135.0);
  }
};

QTEST_MAIN(ChooserTest)
#include "ChooserTest.moc"
