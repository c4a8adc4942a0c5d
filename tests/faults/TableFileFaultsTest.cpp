// A table read that fails keeps the table that was loaded before, and a table write that
// fails keeps the earlier file and leaves nothing beside it.
#include <gtest/gtest.h>

#include <filesystem>

#include "BrokenFiles.h"
#include "FolderSnapshot.h"
#include "ScatteringTable.h"
#include "Workspace.h"

using namespace xscatter;
namespace fs = std::filesystem;

namespace {

class TableFileFaults : public testing::Test {
 protected:
  TableFileFaults() {
    EXPECT_TRUE(ReadTableFile(ws.elementFolder() / "Fe.xfs", table, lines).ok());
    WriteFileBytes(ws.materialFolder() / "rust.xfs", "rust made earlier\r\n");
  }

  void ExpectWriteFailureChangesNothing(const ScatteringTable& written, const LineGate& gate) {
    const FolderSnapshot before = Snapshot(ws.root());
    EXPECT_FALSE(WriteTableFile(ws.materialFolder() / "rust.xfs", written, gate).ok());
    EXPECT_EQ(Snapshot(ws.root()), before);
  }

  Workspace ws;
  ScatteringTable table;
  TableLines lines;
};

}  // namespace

TEST_F(TableFileFaults, BrokenFileKeepsTheLoadedTable) {
  const ScatteringTable loaded = table;
  const TableLines loadedLines = lines;
  for (const BrokenFile& broken : BrokenElementFiles()) {
    SCOPED_TRACE(broken.what);
    const fs::path path = ws.elementFolder() / "Broken.xfs";
    broken.make(ws.elementFolder() / "O.xfs", path);
    const Status status = ReadTableFile(path, table, lines);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.error.find("Broken.xfs"), std::string::npos) << status.error;
    EXPECT_EQ(table.x, loaded.x);
    EXPECT_EQ(table.F, loaded.F);
    EXPECT_EQ(table.S, loaded.S);
    EXPECT_EQ(lines, loadedLines);
    fs::remove_all(path);
  }
}

TEST_F(TableFileFaults, WriteStoppedAtAnyRowChangesNothing) {
  for (int stop : {1, 23, kTableRows}) {
    SCOPED_TRACE(stop);
    ExpectWriteFailureChangesNothing(table, [stop](int row) { return row != stop; });
  }
}

TEST_F(TableFileFaults, ValuesOutsideTheColumnsChangeNothing) {
  for (double wrong : {-1.0, 1e100, 1e-120}) {
    SCOPED_TRACE(wrong);
    ScatteringTable written = table;
    written.S[30] = wrong;
    ExpectWriteFailureChangesNothing(written, {});
  }
}
