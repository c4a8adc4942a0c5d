// A table file that breaks between being listed and "OK" in the main window: the load must
// report it and keep the window, the table and the working folder as they were.
#include <QLabel>
#include <QtTest>

#include "BrokenFiles.h"
#include "FolderSnapshot.h"
#include "MainWindowRig.h"

namespace fs = std::filesystem;

namespace {

QStringList Rows(const QListWidget& list) {
  QStringList rows;
  for (int row = 0; row < list.count(); ++row) rows << list.item(row)->text();
  return rows;
}

}  // namespace

class LoadFaultsTest : public QObject {
  Q_OBJECT
 private slots:
  void brokenFileKeepsTheLoadedTable() {
    for (const BrokenFile& broken : BrokenElementFiles()) {
      MainWindowRig rig;
      rig.load("File1", "Cu.xfs");
      rig.list().setCurrentRow(11);
      const QStringList rows = Rows(rig.list());
      const QStringList readOut = rig.readOut();
      const xscatter::ScatteringTable table = rig.module.Table;
      const xscatter::TableLines lines = rig.module.Lines;

      const fs::path oxygen = rig.workspace.elementFolder() / "O.xfs";
      fs::remove(oxygen);
      broken.make(Workspace::shippedElement("O.xfs"), oxygen);
      const FolderSnapshot before = Snapshot(rig.workspace.root());
      rig.dialogs.forget();
      rig.load("File1", "O.xfs");

      QCOMPARE(rig.dialogs.messages().size(), 1);
      QVERIFY(rig.dialogs.messages().first().text.contains("O.xfs"));
      QCOMPARE(rig.get<QLabel>("Label4").text(), "Cu");
      QCOMPARE(Rows(rig.list()), rows);
      QCOMPARE(rig.readOut(), readOut);
      QVERIFY(rig.module.Table.x == table.x && rig.module.Table.F == table.F &&
              rig.module.Table.S == table.S);
      QVERIFY(rig.module.Lines == lines);
      QVERIFY(Snapshot(rig.workspace.root()) == before);
      if (QTest::currentTestFailed()) QFAIL(broken.what);
    }
  }
};

QTEST_MAIN(LoadFaultsTest)
#include "LoadFaultsTest.moc"
