#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "EditorRig.h"
#include "FileListBox.h"
#include "Form1.h"

namespace {

QWidget* window(const QString& caption) {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->windowTitle() == caption) return top;
  qFatal("no window %s", qPrintable(caption));
}

void click(QWidget* top, const char* control) {
  QTest::mouseClick(top->findChild<QWidget*>(control), Qt::LeftButton);
}

}  // namespace

// The whole way from the main window through the chooser and an editor back to a new,
// loadable material.
class NewDataPathTest : public QObject {
  Q_OBJECT
 private slots:
  void createdCompoundIsListedAndLoads() {
    Workspace workspace;
    Module1 module;
    module.WorkingFolder = workspace.root();
    ScriptedDialogs dialogs;
    Form1 main(module, dialogs);
    main.show();
    click(&main, "Command3");
    click(&main, "Command4");
    QVERIFY(!main.isVisible() && !window("Reference")->isVisible());
    QVERIFY(window("New Data")->isVisible());

    click(window("New Data"), "Command1");
    QWidget* editor = window("Chemical compound");
    for (const char* answer : {"water", "1"}) dialogs.answer(answer);
    click(editor, "Text1");
    click(editor, "Text2");
    editor->findChild<FileListBox*>("File1")->setCurrentRow(0);
    dialogs.answer("3");
    click(editor, "Label8");
    click(editor, "Command1");
    QVERIFY(main.isVisible() && !editor->isVisible());

    auto* materials = main.findChild<FileListBox*>("File2");
    QCOMPARE(materials->count(), 1);
    materials->setCurrentRow(0);
    click(&main, "Command2");
    QCOMPARE(main.findChild<QLabel*>("Label4")->text(), "water");
    const auto lines = linesOf(workspace.materialFolder() / "water.xfs");
    QCOMPARE(module.Table.S[45], xscatter::ParseTableLine(lines[44]).S);
  }
};

QTEST_MAIN(NewDataPathTest)
#include "NewDataPathTest.moc"
