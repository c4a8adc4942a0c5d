#include <QApplication>

#include "CommandLine.h"
#include "FontconfigPreload.h"
#include "Form1.h"
#include "Module1.h"
#include "QtDialogs.h"

int main(int argc, char* argv[]) {
  // Before QApplication, which needs a display even for --help and takes options of its own.
  if (const std::optional<int> status = AnswerCommandLine(argc, argv)) return *status;
  FontconfigPreload fonts;  // while QApplication connects to the display
  QApplication app(argc, argv);
  fonts.wait();
  // The name titles every message box and input dialog; a display name would also be appended
  // to every window caption, so none is set.
  QApplication::setApplicationName("XScatter");
  // Lets the desktop match the windows to the menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(XSCATTER_DESKTOP_ID));
  Module1 module;
  module.Folders = WindowDataFolders(QCoreApplication::applicationDirPath().toStdString());
  QtDialogs dialogs;
  Form1 form(module, dialogs);
  form.show();
  return QApplication::exec();
}
