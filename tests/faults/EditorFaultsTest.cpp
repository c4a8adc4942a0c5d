// Faults met by the editors' "OK", through the windows: each must end in the input-error
// message with the editor still open, leaving the working folder as it was (an earlier
// material file byte for byte, and no temporary file).
#include <QtTest>

#include "BrokenFiles.h"
#include "EditorRig.h"
#include "FileSizeLimit.h"
#include "FolderSnapshot.h"
#include "Form4.h"
#include "Form6.h"

namespace fs = std::filesystem;

namespace {

// Iron oxide as a compound: two atoms of iron and three of oxygen.
void enterRust(EditorRig<Form4>& rig) {
  rig.click("Text1", {"rust"});
  rig.click("Text2", {"2"});
  rig.choose("Fe.xfs");
  rig.click("Label8", {"2"});
  rig.choose("O.xfs");
  rig.click("Text4", {"3"});
}

// Iron oxide as a mixture: 70 % iron and 30 % oxygen by weight.
void enterRust(EditorRig<Form6>& rig) {
  rig.click("Text1", {"rust"});
  rig.click("Text2", {"2"});
  rig.choose("Fe.xfs");
  rig.click("Label8", {"55.845", "70"});
  rig.choose("O.xfs");
  rig.click("Text4", {"15.999", "30"});
}

template <class Editor>
using Fault = std::pair<std::string, std::function<void(EditorRig<Editor>&)>>;

// Each fault is applied after the element list has offered O.xfs and the entries are made.
template <class Editor>
std::vector<Fault<Editor>> Faults() {
  using Rig = EditorRig<Editor>;
  std::vector<Fault<Editor>> faults = {
      {"name of a folder",
       [](Rig& rig) {
         fs::create_directory(rig.material("scale"));
         WriteFileBytes(rig.material("scale") / "notes.txt", "kept");
         rig.click("Text1", {"scale"});
       }},
      {"name leading out of XFSM-data", [](Rig& rig) { rig.click("Text1", {"../rust"}); }},
      {"name with a NUL", [](Rig& rig) { rig.click("Text1", {QString("ru") + QChar(0) + "st"}); }},
      {"XFSM-data a file",
       [](Rig& rig) {
         fs::remove_all(rig.workspace.materialFolder());
         WriteFileBytes(rig.workspace.materialFolder(), "not a folder");
       }},
      {"XFSM-data missing", [](Rig& rig) { fs::remove_all(rig.workspace.materialFolder()); }},
  };
  for (const BrokenFile& broken : BrokenElementFiles()) {
    faults.push_back({std::string("O.xfs ") + broken.what, [broken](Rig& rig) {
                        const fs::path oxygen = rig.workspace.elementFolder() / "O.xfs";
                        fs::remove(oxygen);
                        broken.make(Workspace::shippedElement("O.xfs"), oxygen);
                      }});
  }
  return faults;
}

template <class Editor>
void ExpectOkFailsChangingNothing(EditorRig<Editor>& rig) {
  const FolderSnapshot before = Snapshot(rig.workspace.root());
  rig.click("Command1");
  QCOMPARE(rig.lastMessage().text, kInputError);
  QCOMPARE(rig.lastMessage().title, "Input Error");
  QCOMPARE(rig.lastMessage().icon, Dialogs::Icon::None);
  QVERIFY(rig.editor->isVisible());
  QVERIFY(rig.returns.isEmpty());
  QVERIFY(Snapshot(rig.workspace.root()) == before);
}

template <class Editor>
void ExpectEveryFaultFails() {
  for (const auto& [what, breakIt] : Faults<Editor>()) {
    EditorRig<Editor> rig;
    enterRust(rig);
    WriteFileBytes(rig.material("rust"), "rust made earlier\r\n");
    breakIt(rig);
    ExpectOkFailsChangingNothing(rig);
    if (QTest::currentTestFailed()) QFAIL(what.c_str());
  }
}

// The entries alone are sound: "OK" replaces the earlier file and goes back to the main window,
// and with every file kept under 1000 bytes the same "OK" breaks off while writing.
template <class Editor>
void ExpectWriteBreakingOffToFail() {
  EditorRig<Editor> rig;
  enterRust(rig);
  WriteFileBytes(rig.material("rust"), "rust made earlier\r\n");
  {
    const FileSizeLimit limit(1000);
    ExpectOkFailsChangingNothing(rig);
  }
  rig.click("Command1");
  QCOMPARE(rig.lastMessage().text, kSaved);
  QCOMPARE(fs::file_size(rig.material("rust")), 45u * 36u);
}

}  // namespace

class EditorFaultsTest : public QObject {
  Q_OBJECT
 private slots:
  void compoundFaults() { ExpectEveryFaultFails<Form4>(); }
  void mixtureFaults() { ExpectEveryFaultFails<Form6>(); }
  void compoundWriteBreakingOff() { ExpectWriteBreakingOffToFail<Form4>(); }
  void mixtureWriteBreakingOff() { ExpectWriteBreakingOffToFail<Form6>(); }
};

QTEST_MAIN(EditorFaultsTest)
#include "EditorFaultsTest.moc"
