#include <QApplication>

#include "Form1.h"
#include "Module1.h"
#include "QtDialogs.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The name titles every message box and input dialog; a display name would also be appended
  // to every window caption, so none is set.
  QApplication::setApplicationName("XScatter");
  Module1 module;
  QtDialogs dialogs;
  Form1 form(module, dialogs);
  form.show();
  return QApplication::exec();
}
