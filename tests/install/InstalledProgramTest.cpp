#include <QtTest>
#include <cstdlib>

#include "FileListBox.h"
#include "Form1.h"
#include "Module1.h"
#include "ScriptedDialogs.h"
#include "Workspace.h"

namespace fs = std::filesystem;

// Run plainly, it checks where the windows find their folders. install-check.sh runs it once
// more after installing the build into a temporary tree, with XSCATTER_INSTALLED_BIN naming the
// tree's program folder, from an empty folder and with a temporary XDG_DATA_HOME.
class InstalledProgramTest : public QObject {
  Q_OBJECT
 private slots:
  void findsTheUsersFolderFromTheEnvironment() {
    QCOMPARE(xscatter::UserDataFolder("/d", "/h"), fs::path("/d/xscatter"));
    QCOMPARE(xscatter::UserDataFolder("d", "/h"), fs::path("/h/.local/share/xscatter"));
    QCOMPARE(xscatter::UserDataFolder(nullptr, "h"), fs::path());
  }

  // Where the user's folder cannot be made, the installed tables are listed all the same, and
  // the message says which folder could not be made and why.
  void listsTheInstalledTablesWhereTheUsersFolderCannotBeMade() {
    Workspace start({});
    const fs::path tables = Workspace::shippedElement("H.xfs").parent_path();
    const fs::path user = tables / "H.xfs" / "user";
    Module1 module;
    module.Folders =
        xscatter::FindDataFolders({{}, start.materialFolder(), user, {tables}}).value();
    ScriptedDialogs dialogs;
    Form1 form(module, dialogs);
    QCOMPARE(form.findChild<FileListBox*>("File1")->count(), 98);
    QCOMPARE(dialogs.transcript(),
             {"The folder \"XFSM-data\" could not be created in the working folder\n" +
              QString::fromStdString(user.string()) + " | InstalledProgramTest !"});
    QVERIFY(dialogs.messages()[0].detail.endsWith(": Not a directory"));
  }

  void listsTheInstalledTablesFromTheUsersFolder() {
    const QString programFolder = qEnvironmentVariable("XSCATTER_INSTALLED_BIN");
    if (programFolder.isEmpty()) QSKIP("install-check.sh runs this on an installed tree");
    Module1 module;
    module.Folders = WindowDataFolders(programFolder.toStdString());
    const fs::path user = xscatter::UserDataFolder(std::getenv("XDG_DATA_HOME"), "");
    QCOMPARE(module.Folders.materials, user / "XFSM-data");
    ScriptedDialogs dialogs;
    Form1 form(module, dialogs);
    QCOMPARE(form.findChild<FileListBox*>("File1")->count(), 98);
    QVERIFY(dialogs.messages().isEmpty());
  }
};

QTEST_MAIN(InstalledProgramTest)
#include "InstalledProgramTest.moc"
