#include <QLabel>
#include <QTimer>
#include <QtTest>
#include <fstream>

#include "MainWindowRig.h"

namespace {

const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kWhite(255, 255, 255);
const QColor kDarkBlue(0, 0, 128);

QStringList Names(const QListWidget& list) {
  QStringList names;
  for (int row = 0; row < list.count(); ++row) names << list.item(row)->text();
  return names;
}

QWidget* ReferenceWindow() {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->windowTitle() == "Reference") return window;
  return nullptr;
}

}  // namespace

class MainWindowLoadTest : public QObject {
  Q_OBJECT
 private slots:
  void startsWithItsFoldersListed() {
    MainWindowRig rig;
    QCOMPARE(rig.form->windowTitle(), " Form Factors & Incoherent Scattering Functions");
    QCOMPARE(rig.form->size(), QSize(1351, 799));
    QCOMPARE(Names(rig.get<FileListBox>("File1")),
             QStringList({"Cu.xfs", "Fe.xfs", "H.xfs", "O.xfs", "Zn.xfs"}));
    QCOMPARE(rig.get<FileListBox>("File2").count(), 0);
    QCOMPARE(rig.get<QLabel>("Label4").text(), "---");
    QCOMPARE(rig.readOut(), QStringList({"", "", ""}));
    QVERIFY(!rig.anyMarkerShown());
    QCOMPARE(rig.module.TableLoaded, 0);
    QVERIFY(rig.dialogs.messages().isEmpty());

    QStringList order;
    QWidget* widget = &rig.get("File1");
    do {
      if (widget->focusPolicy() & Qt::TabFocus) order << widget->objectName();
      widget = widget->nextInFocusChain();
    } while (widget != &rig.get("File1"));
    QCOMPARE(order, QStringList({"File1", "Command2", "List1", "Command1", "Command3", "Command4",
                                 "Text1", "Text2", "Text3", "File2", "Command5"}));
  }

  void missingFoldersAreReportedOrMade() {
    Workspace workspace;
    std::filesystem::remove_all(workspace.elementFolder());
    std::filesystem::remove_all(workspace.materialFolder());
    Module1 module;
    module.WorkingFolder = workspace.root();
    ScriptedDialogs dialogs;
    Form1 form(module, dialogs);
    QVERIFY(std::filesystem::is_directory(workspace.materialFolder()));
    QCOMPARE(dialogs.messages().size(), 1);
    const auto message = dialogs.messages().first();
    QVERIFY(message.text.contains("\"XFS-data\""));
    QVERIFY(message.text.contains(QString::fromStdString(workspace.root().string())));
    QCOMPARE(message.icon, Dialogs::Icon::Exclamation);

    // A file where the material folder should be cannot become a folder.
    std::filesystem::create_directory(workspace.elementFolder());
    std::filesystem::remove_all(workspace.materialFolder());
    std::ofstream(workspace.materialFolder()) << "in the way";
    ScriptedDialogs blocked;
    Form1 again(module, blocked);
    QCOMPARE(blocked.messages().size(), 1);
    QVERIFY(blocked.messages().first().text.contains("\"XFSM-data\""));
  }

  void loadsTheFileChosenLastFromItsFolder() {
    MainWindowRig rig;
    rig.showActive();
    rig.choose("File1", "Cu.xfs");
    QCOMPARE(rig.module.SelectedFileName, "Cu.xfs");
    QCOMPARE(QApplication::focusWidget(), &rig.get("Command2"));
    QTest::keyClick(&rig.get("Command2"), Qt::Key_Return);

    QCOMPARE(rig.get<QLabel>("Label4").text(), "Cu");
    QCOMPARE(rig.list().count(), 45);
    QCOMPARE(rig.list().item(0)->text(), " 0.00E+00  2.9000E+01  0.0000E+00");
    QCOMPARE(rig.list().item(1)->text(), " 5.00E-03  2.8984E+01  9.0000E-03");
    QCOMPARE(rig.list().item(44)->text(), " 1.00E+09  1.1186E-25  2.9000E+01");
    QCOMPARE(rig.module.Table.x[2], 0.005);
    QCOMPARE(rig.module.TableLoaded, 1);

    // A material of the same name is read from the material folder.
    xscatter::ScatteringTable material = SmoothTable();
    rig.loadMaterial("Cu.xfs", material);
    QCOMPARE(rig.module.SelectedFileName, "Cu.xfs");
    QCOMPARE(rig.list().item(1)->text(), " 5.00E-03  9.9502E+00  4.7619E-02");
    rig.loadMaterial("water.mix.xfs", material);
    QCOMPARE(rig.get<QLabel>("Label4").text(), "water.mix");
    QVERIFY(rig.dialogs.messages().isEmpty());
  }

  void failedLoadsKeepTheWindowAsItWas() {
    MainWindowRig rig;
    rig.get<QPushButton>("Command2").click();
    QCOMPARE(rig.dialogs.messages().last().text, "Select element or material");
    QCOMPARE(rig.dialogs.messages().last().icon, Dialogs::Icon::Exclamation);
    QCOMPARE(rig.get<QLabel>("Label4").text(), "---");

    rig.load("File1", "Cu.xfs");
    rig.list().setCurrentRow(11);
    const QStringList rows = Names(rig.list());
    const QImage picture = rig.picture();
    const auto expectUnchanged = [&](const char* file) {
      QCOMPARE(rig.dialogs.messages().size(), 1);
      QVERIFY(rig.dialogs.messages().first().text.contains(file));
      QCOMPARE(rig.dialogs.messages().first().icon, Dialogs::Icon::Exclamation);
      QCOMPARE(rig.get<QLabel>("Label4").text(), "Cu");
      QCOMPARE(Names(rig.list()), rows);
      QCOMPARE(rig.text("Text1"), "1.00E-01");
      QVERIFY(rig.marker("Line1").isShown());
      QCOMPARE(rig.picture(), picture);
      QCOMPARE(rig.module.Table.F[2], 28.984);
      QCOMPARE(rig.module.TableLoaded, 1);
    };

    // Listed, then deleted before "OK".
    rig.choose("File1", "Fe.xfs");
    std::filesystem::remove(rig.workspace.elementFolder() / "Fe.xfs");
    rig.dialogs.forget();
    rig.get<QPushButton>("Command2").click();
    expectUnchanged("Fe.xfs");

    std::ofstream(rig.workspace.materialFolder() / "short.xfs")
        << "  .000E+00  .10000E+01  .00000E+00\n";
    rig.form->showAgain(true);
    rig.dialogs.forget();
    rig.load("File2", "short.xfs");
    expectUnchanged("short.xfs");
  }

  void graphShowsCurvesFrameAndMasks() {
    MainWindowRig rig;
    rig.load("File1", "Cu.xfs");
    const QImage image = rig.picture();
    const WorldCanvas& graph = rig.graph();
    const xscatter::ScatteringTable table = rig.module.Table;
    QVERIFY(ColourNear(image, PixelOf(graph, table.x[12], table.F[12]), kRed));
    QVERIFY(ColourNear(image, PixelOf(graph, table.x[12], table.S[12]), kYellow));
    // The frame, then S at 29 running on beyond x = 1000 under the right mask.
    QVERIFY(ColourNear(image, PixelOf(graph, 0.001, 1), kWhite));
    QVERIFY(ColourNear(image, PixelOf(graph, std::exp(13.8) / 1000, 1), kWhite));
    QCOMPARE(image.pixelColor(PixelOf(graph, 1300, 29)), kDarkBlue);
    QVERIFY(ColourNear(image, PixelOf(graph, 500, 29), kYellow));

    // S rising from below 0.001 is hidden under the lower mask, and a row without a
    // logarithm is passed over by the line.
    xscatter::ScatteringTable table2 = SmoothTable();
    table2.x[2] = 0.002;
    table2.S[2] = 1e-6;
    table2.x[3] = 0.006;
    table2.S[3] = 0.01;
    table2.F[20] = 0;
    rig.loadMaterial("rising.xfs", table2);
    const QImage second = rig.picture();
    const auto alongRise = [&](double t) {
      return PixelOf(graph, 0.002 * std::pow(3.0, t), 1e-6 * std::pow(1e4, t));
    };
    QCOMPARE(second.pixelColor(alongRise(0.65)), kDarkBlue);
    QVERIFY(ColourNear(second, alongRise(0.9), kYellow));
    const auto& loaded = rig.module.Table;
    QVERIFY(ColourNear(second,
                       PixelOf(graph, std::sqrt(loaded.x[19] * loaded.x[21]),
                               std::sqrt(loaded.F[19] * loaded.F[21])),
                       kRed));
    QVERIFY(!ColourNear(second, PixelOf(graph, table.x[12], table.F[12]), kRed));
  }

  void referenceWindowIsMadeOnceAndHidden() {
    MainWindowRig rig;
    QVERIFY(!ReferenceWindow());
    rig.get<QPushButton>("Command3").click();
    rig.get<QPushButton>("Command3").click();
    QWidget* reference = ReferenceWindow();
    QVERIFY(reference && reference->isVisible());
    QCOMPARE(reference->size(), QSize(489, 252));
    QVERIFY(!(reference->windowFlags() & Qt::WindowMinMaxButtonsHint));
    QVERIFY(reference->findChild<QLabel*>("Label6")->text() == "4 (3), 471 - 538, (1975)");
    reference->findChild<QPushButton*>("Command1")->click();
    QVERIFY(!reference->isVisible());
    rig.get<QPushButton>("Command3").click();
    QCOMPARE(ReferenceWindow(), reference);
    rig.form->hideReference();
    QVERIFY(!reference->isVisible());
  }

  void exitAndClosingEndTheProgram() {
    MainWindowRig rig;
    rig.form->show();
    rig.get<QPushButton>("Command3").click();  // a second window does not keep it running
    QTimer::singleShot(0, &rig.get<QPushButton>("Command1"), &QPushButton::click);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!rig.form->isVisible());
    rig.form->show();
    QTimer::singleShot(0, rig.form.get(), &QWidget::close);
    QCOMPARE(QApplication::exec(), 0);
  }
};

QTEST_MAIN(MainWindowLoadTest)
#include "MainWindowLoadTest.moc"
