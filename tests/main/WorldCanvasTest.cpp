#include <QSignalSpy>
#include <QtTest>

#include "WorldCanvas.h"

namespace {

const QRectF kWorld(QPointF(-2.0, 14.5), QPointF(14.5, -1.5));
const QColor kBackground(0, 0, 128);

// Records the areas the canvas repaints.
struct PaintRecorder : QObject {
  QRegion painted;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

}  // namespace

class WorldCanvasTest : public QObject {
  Q_OBJECT
 private slots:
  void mapsWorldOntoTheInside() {
    WorldCanvas canvas(QSize(589, 573), kWorld, kBackground);
    QCOMPARE(canvas.size(), QSize(593, 577));
    QCOMPARE(canvas.toWidget({-2.0, 14.5}), QPointF(2, 2));
    QCOMPARE(canvas.toWidget({14.5, -1.5}), QPointF(591, 575));
    QCOMPARE(canvas.toWidget({0, 0}), QPointF(2 + 2.0 * 589 / 16.5, 2 + 14.5 * 573 / 16));
    QCOMPARE(canvas.toWorld(canvas.toWidget({3.25, 7.5})), QPointF(3.25, 7.5));
  }

  void drawsInWorldUnitsWithPixelWidths() {
    WorldCanvas canvas(QSize(589, 573), kWorld, kBackground);
    QPointF textEnd;
    const QFont font("Times New Roman", 16);
    canvas.draw([&](WorldPainter& painter) {
      painter.setLineWidth(2);
      painter.point({0, 5}, Qt::red);
      painter.lineTo({10, 5}, Qt::red);
      painter.fillRect({1, 10}, {3, 12}, Qt::green);
      textEnd = painter.text({4, 12}, "10", font, Qt::white);
    });
    const QImage image = canvas.grab().toImage();
    const int row = int(canvas.toWidget({5, 5}).y());
    int redRows = 0;
    for (int y = row - 3; y <= row + 3; ++y)
      redRows += image.pixelColor(int(canvas.toWidget({5, 5}).x()), y) == QColor(Qt::red);
    QCOMPARE(redRows, 2);
    QCOMPARE(image.pixelColor(canvas.toWidget({2, 11}).toPoint()), QColor(Qt::green));
    QCOMPARE(image.pixelColor(canvas.toWidget({5, 8}).toPoint()), kBackground);

    // The text hangs below its anchor and ends where the returned point says.
    QCOMPARE(textEnd.y(), 12.0);
    const QRect box =
        QRectF(canvas.toWidget({4, 12}), canvas.toWidget(textEnd) + QPointF(0, 30)).toAlignedRect();
    int inside = 0;
    int outside = 0;
    for (int y = box.top() - 10; y < box.bottom() + 10; ++y)
      for (int x = box.left() - 10; x < box.right() + 10; ++x)
        if (image.pixelColor(x, y) == QColor(Qt::white)) ++(box.contains(x, y) ? inside : outside);
    QVERIFY(inside > 20);
    QCOMPARE(outside, 0);
  }

  void markersRepaintOnlyTheirStrips() {
    WorldCanvas canvas(QSize(589, 573), kWorld, kBackground);
    MarkerLine* line = canvas.addMarker(Qt::Vertical, Qt::white, -0.47f, 14.05f);
    canvas.show();
    QVERIFY(QTest::qWaitForWindowExposed(&canvas));
    QCOMPARE(line->area(), QRect(2 + 71, 2 + 16, 1, 536 - 16 + 1));

    PaintRecorder recorder;
    canvas.installEventFilter(&recorder);
    line->setPosition(5);
    line->setShown(true);
    QApplication::processEvents();
    const QRect first = line->area();
    line->setPosition(6);
    QApplication::processEvents();
    QCOMPARE(recorder.painted, QRegion(first) + QRegion(line->area()));
    QCOMPARE(canvas.grab().toImage().pixelColor(line->area().center()), QColor(Qt::white));
    line->setShown(false);
    QCOMPARE(canvas.grab().toImage().pixelColor(line->area().center()), kBackground);
  }

  void reportsPointerMovesInWorldUnits() {
    WorldCanvas canvas(QSize(589, 573), kWorld, kBackground);
    QSignalSpy spy(&canvas, &WorldCanvas::pointerMoved);
    const QPointF at = canvas.toWidget({6.5, 3.0});
    QMouseEvent move(QEvent::MouseMove, at, canvas.mapToGlobal(at), Qt::NoButton, Qt::RightButton,
                     Qt::ShiftModifier);
    QApplication::sendEvent(&canvas, &move);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].value<Qt::MouseButtons>(), Qt::RightButton);
    QCOMPARE(spy[0][2].toFloat(), 6.5f);
    QCOMPARE(spy[0][3].toFloat(), 3.0f);
  }
};

QTEST_MAIN(WorldCanvasTest)
#include "WorldCanvasTest.moc"
