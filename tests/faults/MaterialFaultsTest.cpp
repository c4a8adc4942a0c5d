// Faults met while creating a material file, through the creation behind the editors' "OK".
// Each must fail and leave the working folder as it was: an existing material file byte for
// byte, and no temporary file beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "BrokenFiles.h"
#include "FileSizeLimit.h"
#include "FolderSnapshot.h"
#include "MaterialFile.h"
#include "Workspace.h"

using namespace xscatter;
namespace fs = std::filesystem;

namespace {

using Create = Status (*)(const fs::path&, std::string_view, MaterialInputs&, TableState);

struct Creation {
  const char* name;
  Create create;
};

constexpr std::string_view kEarlierRust = "rust made earlier\r\n";

// Iron oxide in either editor, with an earlier XFSM-data/rust.xfs in place.
class MaterialFaults : public testing::TestWithParam<Creation> {
 protected:
  MaterialFaults() {
    inputs.ElementCount = 2;
    inputs.ElementFiles = {"", "Fe.xfs", "O.xfs"};
    inputs.ElementWeights = {0, 70, 30};
    inputs.AtomicWeights = {0, 55.845, 15.999};
    WriteFileBytes(ws.materialFolder() / "rust.xfs", std::string(kEarlierRust));
  }

  Status Create(std::string_view name) {
    return GetParam().create(ws.root(), name, inputs, {table, lines});
  }

  void ExpectFailureChangesNothing(std::string_view name) {
    const FolderSnapshot before = Snapshot(ws.root());
    EXPECT_FALSE(Create(name).ok());
    EXPECT_EQ(Snapshot(ws.root()), before);
  }

  Workspace ws;
  MaterialInputs inputs;
  ScatteringTable table;
  TableLines lines;
};

}  // namespace

// The faults below must be what fails, not the inputs around them.
TEST_P(MaterialFaults, SoundInputsReplaceTheEarlierFile) {
  ASSERT_TRUE(Create("rust").ok());
  EXPECT_EQ(fs::file_size(ws.materialFolder() / "rust.xfs"), 45u * 36u);
  EXPECT_EQ(std::distance(fs::directory_iterator(ws.materialFolder()), fs::directory_iterator()),
            1);
}

TEST_P(MaterialFaults, TargetThatIsAFolderStays) {
  fs::create_directories(ws.materialFolder() / "scale.xfs");
  WriteFileBytes(ws.materialFolder() / "scale.xfs" / "notes.txt", "kept");
  ExpectFailureChangesNothing("scale");
}

TEST_P(MaterialFaults, NameThatIsNoPlainFileName) {
  fs::create_directory(ws.materialFolder() / "sub");
  for (const std::string name : {"sub/rust", "../rust", "rust/", "/tmp/rust"}) {
    SCOPED_TRACE(name);
    ExpectFailureChangesNothing(name);
  }
  ExpectFailureChangesNothing(std::string_view("ru\0st", 5));
}

TEST_P(MaterialFaults, MaterialFolderThatIsAFile) {
  fs::remove_all(ws.materialFolder());
  WriteFileBytes(ws.materialFolder(), "not a folder");
  ExpectFailureChangesNothing("rust");
}

TEST_P(MaterialFaults, MaterialFolderMissing) {
  fs::remove_all(ws.materialFolder());
  ExpectFailureChangesNothing("rust");
}

TEST_P(MaterialFaults, BrokenElementFile) {
  const std::string garbage = BinaryGarbage();
  ASSERT_LT(std::count(garbage.begin(), garbage.end(), '\n'), 45);
  inputs.ElementFiles[2] = "Broken.xfs";
  for (const BrokenFile& broken : BrokenElementFiles()) {
    SCOPED_TRACE(broken.what);
    broken.make(ws.elementFolder() / "O.xfs", ws.elementFolder() / "Broken.xfs");
    ExpectFailureChangesNothing("rust");
    fs::remove_all(ws.elementFolder() / "Broken.xfs");
  }
}

// A negative S cannot be written in its columns; the writer refuses the whole table.
TEST_P(MaterialFaults, ElementValueThatDoesNotFitTheColumns) {
  std::string lines45;
  for (int row = 1; row <= kTableRows; ++row) lines45 += "  .500E-02  .10000E+01 -.10000E+01\r\n";
  WriteFileBytes(ws.elementFolder() / "Negative.xfs", lines45);
  inputs.ElementFiles[2] = "Negative.xfs";
  ExpectFailureChangesNothing("rust");
}

TEST_P(MaterialFaults, WriteThatBreaksOffPartWay) {
  const FolderSnapshot before = Snapshot(ws.root());
  {
    const FileSizeLimit limit(1000);
    EXPECT_FALSE(Create("rust").ok());
    EXPECT_FALSE(Create("fresh").ok());
  }
  EXPECT_EQ(Snapshot(ws.root()), before);
}

INSTANTIATE_TEST_SUITE_P(BothEditors, MaterialFaults,
                         testing::Values(Creation{"Compound", CreateCompoundFile},
                                         Creation{"Mixture", CreateMixtureFile}),
                         [](const auto& info) { return std::string(info.param.name); });
