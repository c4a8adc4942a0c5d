// Faults met while creating or loading a table. Each must fail and leave the working folder as
// it was: an earlier material file byte for byte and no temporary file beside it. Every fault
// runs through the compound and the mixture creation (the editors' "OK" shows the input error
// for any failure of these); those that break an element file after it was listed also run
// through the main window's load, which must end at once and keep the loaded table shown.
#include <sys/resource.h>
#include <sys/stat.h>

#include <QLabel>
#include <QtTest>
#include <algorithm>
#include <csignal>
#include <cstring>
#include <fstream>
#include <map>
#include <random>

#include "MainWindowRig.h"
#include "xscatter/Material.h"

namespace fs = std::filesystem;

// Replaces a path below the working folder by a file of these bytes, or removes it; a FIFO
// or a link is made by its own maker instead.
static auto Put(const std::string& path, std::optional<std::string> bytes = {},
                std::function<void(const fs::path&)> make = {}) {
  return [=](const Workspace& ws) {
    fs::remove_all(ws.root() / path);
    fs::create_directories((ws.root() / path).parent_path());
    if (bytes) std::ofstream(ws.root() / path, std::ios::binary) << *bytes;
    if (make) make(ws.root() / path);
  };
}

// One way for creating XFSM-data/<name>.xfs of iron oxide from Fe.xfs and O.xfs to fail, set
// up after the element files were listed and the entries made.
struct Fault {
  const char* what;
  std::string name;
  std::function<void(const Workspace&)> setUp = [](const Workspace&) {};
  rlim_t sizeLimit = RLIM_INFINITY;  // files may grow to this many bytes while it acts
};

static std::vector<Fault> Faults() {
  std::string lines44;
  for (int k = 0; k < 44; ++k) lines44 += "  .500E-02  .10000E+01  .10000E+01\r\n";
  std::string garbage(2048, '\0');  // NUL bytes, and far too few line ends for a table
  std::generate(garbage.begin(), garbage.end(), std::mt19937(20240611));
  return {
      {"target name is a folder", "scale", Put("XFSM-data/scale.xfs/notes.txt", "kept")},
      {"name with a path separator", "../rust"},
      {"name with a NUL", std::string("ru\0st", 5)},
      {"XFSM-data is a file", "rust", Put("XFSM-data", "not a folder")},
      {"XFSM-data missing", "rust", Put("XFSM-data")},
      {"O.xfs deleted after listing", "rust", Put("XFS-data/O.xfs")},
      {"O.xfs of 44 lines", "rust", Put("XFS-data/O.xfs", lines44)},
      {"O.xfs of 0 bytes", "rust", Put("XFS-data/O.xfs", "")},
      {"O.xfs of binary garbage", "rust", Put("XFS-data/O.xfs", garbage)},
      {"O.xfs of 2 MiB without a line end", "rust",
       Put("XFS-data/O.xfs", std::string(2 << 20, '1'))},
      {"O.xfs a FIFO", "rust", Put("XFS-data/O.xfs", {}, [](auto& p) { mkfifo(p.c_str(), 0644); })},
      {"O.xfs a link to /dev/zero", "rust",
       Put("XFS-data/O.xfs", {}, [](auto& p) { fs::create_symlink("/dev/zero", p); })},
      {"name of 256 bytes", std::string(252, 'r')},
      {"write breaking off part way", "rust", [](const Workspace&) {}, 1000},
  };
}

// Every entry below a folder with the bytes of each file; the others are marked as what they are.
static std::map<fs::path, std::string> Snapshot(const fs::path& root) {
  std::map<fs::path, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    entries[entry] = entry.is_symlink()        ? "-> " + fs::read_symlink(entry).string()
                     : entry.is_directory()    ? "(folder)"
                     : entry.is_regular_file() ? FileBytes(entry)
                                               : "(FIFO)";
  }
  return entries;
}

// Sets the fault up beside an earlier XFSM-data/rust.xfs and runs `act` under its file-size
// limit (EFBIG rather than SIGXFSZ; unlike a read-only folder this holds for root too). True
// when the working folder is then as before `act`.
static bool LeavesFolderAsItWas(const Workspace& ws, const Fault& fault, auto act) {
  Put("XFSM-data/rust.xfs", "rust made earlier\r\n")(ws);
  fault.setUp(ws);
  const auto before = Snapshot(ws.root());
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{}, limited{fault.sizeLimit, RLIM_INFINITY};
  prlimit(0, RLIMIT_FSIZE, &limited, &saved);
  act();
  setrlimit(RLIMIT_FSIZE, &saved);
  return Snapshot(ws.root()) == before;
}

// Iron oxide from Fe.xfs and O.xfs: 70 and 30 atoms in a compound, per cent in a mixture,
// made and saved as every front end does.
static bool CreateRust(const Workspace& ws, xscatter::MaterialKind kind, const std::string& name) {
  const xscatter::TableStore store(xscatter::FoldersIn(ws.root()));
  const auto made =
      xscatter::MakeMaterial(store, {kind, {{"Fe.xfs", 70, 55.845}, {"O.xfs", 30, 15.999}}});
  return made && store.SaveMaterial(name, *made).ok();
}

// What the main window shows: the read-out, the table's name and the table list.
static QStringList Shown(const MainWindowRig& rig) {
  QStringList shown = rig.readOut() << rig.get<QLabel>("Label4").text();
  for (int row = 0; row < rig.list().count(); ++row) shown << rig.list().item(row)->text();
  return shown;
}

class FaultsTest : public QObject {
  Q_OBJECT
 private slots:
  void creation() {
    for (const auto kind : {xscatter::MaterialKind::Compound, xscatter::MaterialKind::Mixture}) {
      QVERIFY(CreateRust(Workspace(), kind, "rust"));  // without a fault the entries are sound
      for (const Fault& fault : Faults()) {
        Workspace ws;
        bool created = true;
        const auto act = [&] { created = CreateRust(ws, kind, fault.name); };
        QVERIFY2(LeavesFolderAsItWas(ws, fault, act) && !created, fault.what);
      }
    }
  }

  // A table file broken after being listed is reported and leaves the loaded table shown.
  void mainWindowLoad() {
    for (const Fault& fault : Faults()) {
      if (!std::string_view(fault.what).starts_with("O.xfs")) continue;
      MainWindowRig rig;
      rig.load("File1", "Cu.xfs");
      rig.list().setCurrentRow(11);
      const QStringList shown = Shown(rig);
      const QImage picture = rig.graph().grab().toImage();
      const Module1 before = rig.module;
      const bool kept =
          LeavesFolderAsItWas(rig.workspace, fault, [&] { rig.load("File1", "O.xfs"); });
      const auto& messages = rig.dialogs.messages();
      QVERIFY2(kept && messages.size() == 1 && messages[0].text.contains("O.xfs"), fault.what);
      QVERIFY2(Shown(rig) == shown && rig.graph().grab().toImage() == picture &&
                   !std::memcmp(&rig.module.Table, &before.Table, sizeof before.Table),
               fault.what);
    }
  }
};

QTEST_MAIN(FaultsTest)
#include "FaultsTest.moc"
