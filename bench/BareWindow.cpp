// The yardstick for XScatter's start-up: a Qt Widgets program that shows one empty window of
// the main window's client size and nothing else.
#include <QApplication>
#include <QWidget>

#include "FirstPaintProbe.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(1351, 799);
  return RunUntilFirstPaint(window);
}
