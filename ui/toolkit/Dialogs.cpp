#include "Dialogs.h"

#include <QCoreApplication>

QString Dialogs::titleOrApplicationName(const QString& title) {
  return title.isEmpty() ? QCoreApplication::applicationName() : title;
}
