#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>

class Dialogs;
namespace xscatter {
struct Status;
}  // namespace xscatter

// The steps every save of a result shares: ask where, write, and say why it failed.
namespace save_file {

// The path the user chose, empty when cancelled; the dialog offers the name with the suffix in
// the folder.
QString Ask(Dialogs& dialogs, const QString& title, const std::filesystem::path& folder,
            const QString& name, const char* suffix, const QStringList& filters);

// Tells the user why a save failed; a success says nothing.
void Report(Dialogs& dialogs, const QString& path, const xscatter::Status& saved);

std::filesystem::path FilePath(const QString& path);

// The failure of a path whose suffix names no format of the save: "name.ods: not a .csv or
// .tsv file".
xscatter::Status UnknownType(const QString& path, const char* knownSuffixes);

}  // namespace save_file
