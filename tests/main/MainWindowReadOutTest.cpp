#include <QtTest>
#include <cmath>

#include "MainWindowRig.h"

namespace {

const QStringList kEmpty{"", "", ""};

// What the list row of the given position shows, split like the read-out boxes.
QStringList ListedValues(const QListWidget& list, int position) {
  const QString row = list.item(position)->text();
  return {row.mid(1, 8), row.mid(11, 10), row.mid(23, 10)};
}

// A read-out agrees with a value to the five digits it shows.
bool Shows(const QString& text, double value) {
  return std::abs(text.toDouble() / value - 1) < 1e-4;
}

float Coordinate(double v) {
  return float(*xscatter::GraphCoordinate(v));
}

// Cu: row 12 is x = 0.1, row 13 is x = 0.125.
struct LoadedCopper : MainWindowRig {
  LoadedCopper() { load("File1", "Cu.xfs"); }
};

}  // namespace

class MainWindowReadOutTest : public QObject {
  Q_OBJECT
 private slots:
  void typedValuesAreInterpolated() {
    LoadedCopper rig;
    rig.type("0.005");
    QCOMPARE(rig.readOut(), QStringList({"5.00E-03", "2.8984E+01", "9.0000E-03"}));
    rig.type("1000");
    QCOMPARE(rig.readOut(), QStringList({"1.00E+03", "7.4126E-08", "2.9000E+01"}));
    rig.type("1e-1");
    QCOMPARE(rig.readOut(), QStringList({"1.00E-01", "2.7081E+01", "2.3480E+00"}));
    rig.type(" 1 . 1 1 8 E - 1 ");
    QCOMPARE(rig.text("Text1"), "1.12E-01");
    rig.type(QString::number(std::sqrt(0.1 * 0.125), 'g', 17));
    QVERIFY(Shows(rig.text("Text2"), std::sqrt(27.081 * 26.243)));
    QVERIFY(Shows(rig.text("Text3"), std::sqrt(2.348 * 3.1392)));
    QVERIFY(rig.dialogs.messages().isEmpty());
  }

  void unusableTypedValuesAreRefused() {
    MainWindowRig before;
    before.type("0.1");  // nothing loaded, nothing to interpolate in
    QCOMPARE(before.dialogs.messages().size(), 1);

    LoadedCopper rig;
    rig.list().setCurrentRow(11);
    for (const char* typed : {"1000.01", "0.00499", "", "abc", "-1", "1e999"}) {
      rig.dialogs.forget();
      rig.type(QString::fromLatin1(typed));
      QCOMPARE(rig.dialogs.messages().size(), 1);
      QCOMPARE(rig.dialogs.messages().first().text, "This value is out of range.");
      QCOMPARE(rig.dialogs.messages().first().icon, Dialogs::Icon::Exclamation);
      QCOMPARE(rig.readOut(), kEmpty);
      QCOMPARE(rig.list().currentRow(), 11);
      QVERIFY(rig.marker("Line1").isShown());
    }
  }

  void listSelectionShowsAndMarksItsRow() {
    LoadedCopper rig;
    rig.list().setCurrentRow(0);
    QCOMPARE(rig.readOut(), ListedValues(rig.list(), 0));
    QVERIFY(!rig.anyMarkerShown());

    rig.list().setCurrentRow(11);
    QCOMPARE(rig.readOut(), QStringList({"1.00E-01", "2.7081E+01", "2.3480E+00"}));
    QCOMPARE(rig.marker("Line1").position(), Coordinate(0.1));
    QCOMPARE(rig.marker("Line2").position(), Coordinate(27.081));
    QCOMPARE(rig.marker("Line3").position(), Coordinate(2.348));
    QVERIFY(rig.marker("Line1").isShown() && rig.marker("Line2").isShown() &&
            rig.marker("Line3").isShown());
    const QImage image = rig.picture();
    QCOMPARE(image.pixelColor(rig.marker("Line1").area().center()), QColor(Qt::white));
    QCOMPARE(image.pixelColor(rig.marker("Line2").area().topLeft()), QColor(Qt::red));

    // Row 1 leaves the markers where they were; a typed value leaves them and the highlight.
    rig.list().setCurrentRow(0);
    QCOMPARE(rig.marker("Line1").position(), Coordinate(0.1));
    QVERIFY(rig.marker("Line2").isShown());
    rig.list().setCurrentRow(11);
    rig.type("0.5");
    QCOMPARE(rig.text("Text1"), "5.00E-01");
    QCOMPARE(rig.list().currentRow(), 11);
    QCOMPARE(rig.marker("Line1").position(), Coordinate(0.1));

    // A row whose F has no logarithm has no F marker.
    xscatter::ScatteringTable table = SmoothTable();
    table.F[5] = 0;
    rig.loadMaterial("gap.xfs", table);
    rig.list().setCurrentRow(4);
    QVERIFY(rig.marker("Line1").isShown() && !rig.marker("Line2").isShown() &&
            rig.marker("Line3").isShown());
  }

  void clickIntoTheBoxAndClearStartAfresh() {
    MainWindowRig rig;
    QTest::mouseClick(&rig.get("Text1"), Qt::LeftButton);
    QCOMPARE(rig.readOut(), kEmpty);
    QCOMPARE(rig.list().currentRow(), -1);

    rig.load("File1", "Cu.xfs");
    rig.list().setCurrentRow(11);
    QTest::mouseClick(&rig.get("Text1"), Qt::LeftButton);
    QCOMPARE(rig.list().currentRow(), 0);
    QCOMPARE(rig.readOut(), kEmpty);
    QVERIFY(!rig.anyMarkerShown());

    rig.showActive();
    rig.list().setCurrentRow(11);
    rig.get<QPushButton>("Command2").setFocus();
    rig.get<QPushButton>("Command5").click();
    QCOMPARE(rig.list().currentRow(), 0);
    QCOMPARE(rig.readOut(), kEmpty);
    QVERIFY(!rig.anyMarkerShown());
    QCOMPARE(QApplication::focusWidget(), &rig.get("Text1"));
  }

  void pointerMarksTheRowAboveItsMomentum() {
    MainWindowRig before;
    before.point(5, 5);
    QVERIFY(!before.anyMarkerShown());
    QCOMPARE(before.readOut(), kEmpty);

    LoadedCopper rig;
    const float atTenth = Coordinate(0.1);
    rig.point(std::nextafter(std::nextafter(atTenth, 0.f), 0.f), 5);
    QCOMPARE(rig.list().currentRow(), 11);
    rig.point(std::nextafter(std::nextafter(atTenth, 20.f), 20.f), 5);
    QCOMPARE(rig.list().currentRow(), 12);
    QCOMPARE(rig.readOut(), QStringList({"1.25E-01", "2.6243E+01", "3.1392E+00"}));
    QCOMPARE(rig.marker("Line1").position(), Coordinate(0.125));
    QCOMPARE(rig.marker("Line3").position(), Coordinate(3.1392));
    QVERIFY(rig.marker("Line2").isShown());

    // On the border of the plotting window or beyond it only the markers go.
    const float edge = 13.8f;
    for (auto [X, Y] : {std::pair{0.f, 5.f}, {edge, 5.f}, {5.f, 0.f}, {5.f, edge}, {-1.f, 5.f}}) {
      rig.point(atTenth + 0.1f, 5);
      QVERIFY(rig.anyMarkerShown());
      rig.point(X, Y);
      QVERIFY(!rig.anyMarkerShown());
      QCOMPARE(rig.list().currentRow(), 12);
      QCOMPARE(rig.text("Text1"), "1.25E-01");
    }

    // A real pointer movement arrives the same way.
    QMouseEvent move(QEvent::MouseMove, rig.graph().toWidget({Coordinate(0.11), 5}),
                     rig.graph().mapToGlobal(rig.graph().toWidget({Coordinate(0.11), 5})),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&rig.graph(), &move);
    QCOMPARE(rig.list().currentRow(), 12);
  }

  void sweepingMovesTheHighlightRowByRow() {
    LoadedCopper rig;
    int last = 1;
    for (float X = 0.01f; X < 13.8f; X += 0.01f) {
      rig.point(X, 7);
      const int row = rig.list().currentRow();
      QVERIFY(row == last || row == last + 1);
      last = row;
      QCOMPARE(rig.readOut(), ListedValues(rig.list(), row));
    }
    QCOMPARE(last, 42);  // x = 1000, the first row above about 984.6
  }

  void pointerOnTablesWithoutUsualRows() {
    MainWindowRig rig;
    xscatter::ScatteringTable table = SmoothTable();
    table.x[1] = 0.002;
    rig.loadMaterial("first.xfs", table);
    rig.point(Coordinate(0.0015), 5);
    QCOMPARE(rig.list().currentRow(), 0);
    QCOMPARE(rig.readOut(), ListedValues(rig.list(), 0));
    QVERIFY(rig.marker("Line1").isShown());
    QVERIFY(!rig.marker("Line2").isShown() && !rig.marker("Line3").isShown());

    // Nothing above the pointer: the markers go, the rest stays.
    rig.point(Coordinate(10), 5);
    QVERIFY(rig.anyMarkerShown());
    const QStringList shown = rig.readOut();
    const int row = rig.list().currentRow();
    rig.point(Coordinate(900), 5);
    QVERIFY(!rig.anyMarkerShown());
    QCOMPARE(rig.list().currentRow(), row);
    QCOMPARE(rig.readOut(), shown);
  }
};

QTEST_MAIN(MainWindowReadOutTest)
#include "MainWindowReadOutTest.moc"
