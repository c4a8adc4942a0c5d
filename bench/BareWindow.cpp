// The yardsticks for XScatter's start-up: a Qt Widgets program that shows one empty window of
// the main window's client size and nothing else, or, given "--label", the same window with
// one label in the default font. A window without text never starts fontconfig, FreeType and
// HarfBuzz before its first frame; one with a label pays for them, as XScatter must.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

#include "FirstPaintProbe.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(1351, 799);
  if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
    auto* label = new QLabel(QStringLiteral("Form Factors"), &window);
    label->move(8, 8);
  }
  return RunUntilFirstPaint(window);
}
