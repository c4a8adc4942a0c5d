// XScatter's own start-up, as the program makes it, with a probe that reports the first
// painted frame; the program itself carries no measuring code.
#include <QApplication>

#include "FirstPaintProbe.h"
#include "FontconfigPreload.h"
#include "Form1.h"
#include "Module1.h"
#include "QtDialogs.h"

int main(int argc, char* argv[]) {
  FontconfigPreload fonts;  // while QApplication connects to the display
  QApplication app(argc, argv);
  fonts.wait();
  QApplication::setApplicationName("XScatter");
  Module1 module;
  module.Folders = WindowDataFolders(QCoreApplication::applicationDirPath().toStdString());
  QtDialogs dialogs;
  Form1 form(module, dialogs);
  return RunUntilFirstPaint(form);
}
