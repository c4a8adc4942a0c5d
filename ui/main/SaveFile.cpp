#include "SaveFile.h"

#include <QDir>
#include <QFileInfo>

#include "Dialogs.h"
#include "xscatter/Status.h"

namespace save_file {

QString Ask(Dialogs& dialogs, const QString& title, const std::filesystem::path& folder,
            const QString& name, const char* suffix, const QStringList& filters) {
  const QString defaultPath =
      QString::fromStdString(folder.string()) + QLatin1Char('/') + name + QLatin1String(suffix);
  return dialogs.saveFileName(title, defaultPath, filters);
}

void Report(Dialogs& dialogs, const QString& path, const xscatter::Status& saved) {
  if (saved.ok()) return;
  dialogs.message(QStringLiteral("Could not save %1\n%2")
                      .arg(QDir::toNativeSeparators(path), QString::fromStdString(saved.error)),
                  {}, Dialogs::Icon::Exclamation);
}

std::filesystem::path FilePath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

xscatter::Status UnknownType(const QString& path, const char* knownSuffixes) {
  return xscatter::Status::Failed(QStringLiteral("%1: not a %2 file")
                                      .arg(QFileInfo(path).fileName(), knownSuffixes)
                                      .toStdString());
}

}  // namespace save_file
