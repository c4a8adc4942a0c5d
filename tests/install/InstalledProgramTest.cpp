#include <QtTest>
#include <cstdlib>

#include "FileListBox.h"
#include "Form1.h"
#include "Module1.h"
#include "ScriptedDialogs.h"
#include "Workspace.h"
#include "xscatter/WorkingFolder.h"

namespace fs = std::filesystem;
using xscatter::ChooseWorkingFolder;

// Run plainly, it checks how the working folder is chosen. install-check.sh runs it once more
// after installing the build into a temporary tree, with XSCATTER_INSTALLED_BIN naming the
// tree's program folder, from an empty folder and with a temporary XDG_DATA_HOME.
class InstalledProgramTest : public QObject {
  Q_OBJECT
 private slots:
  void findsTheUsersFolderFromTheEnvironment() {
    QCOMPARE(xscatter::UserDataFolder("/d", "/h"), fs::path("/d/xscatter"));
    QCOMPARE(xscatter::UserDataFolder("d", "/h"), fs::path("/h/.local/share/xscatter"));
    QCOMPARE(xscatter::UserDataFolder(nullptr, "h"), fs::path());
  }

  void movesToTheUsersFolderOnlyFromAFolderWithoutTables() {
    Workspace withTables, other({});
    const fs::path tables = Workspace::shippedElement("H.xfs").parent_path();
    const fs::path none = other.materialFolder(), user = other.root() / "user";
    QCOMPARE(ChooseWorkingFolder(withTables.root(), tables, user), withTables.root());
    QVERIFY(!fs::exists(user));

    fs::create_directory(user);
    fs::create_directory_symlink(none, user / "XFS-data");
    QCOMPARE(ChooseWorkingFolder(none, tables, user), user);
    QCOMPARE(fs::read_symlink(user / "XFS-data"), tables);
    QVERIFY(fs::is_directory(user / "XFSM-data"));

    // The user's own folder of that name is kept; a user folder that cannot be made is not used.
    fs::remove(user / "XFS-data");
    fs::create_directory(user / "XFS-data");
    QCOMPARE(ChooseWorkingFolder(none, tables, user), user);
    QVERIFY(!fs::is_symlink(user / "XFS-data"));
    QCOMPARE(ChooseWorkingFolder(none, tables, tables / "H.xfs" / "user"), none);
  }

  void listsTheInstalledTablesFromTheUsersFolder() {
    const QString programFolder = qEnvironmentVariable("XSCATTER_INSTALLED_BIN");
    if (programFolder.isEmpty()) QSKIP("install-check.sh runs this on an installed tree");
    Module1 module;
    module.WorkingFolder = xscatter::EnterWorkingFolder(programFolder.toStdString());
    QCOMPARE(module.WorkingFolder, xscatter::UserDataFolder(std::getenv("XDG_DATA_HOME"), ""));
    QCOMPARE(fs::current_path(), module.WorkingFolder);
    ScriptedDialogs dialogs;
    Form1 form(module, dialogs);
    QCOMPARE(form.findChild<FileListBox*>("File1")->count(), 98);
    QVERIFY(dialogs.messages().isEmpty());
  }
};

QTEST_MAIN(InstalledProgramTest)
#include "InstalledProgramTest.moc"
