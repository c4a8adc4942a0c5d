#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "MaterialFile.h"
#include "SampleTables.h"
#include "Workspace.h"

using namespace xscatter;

namespace {

// A working folder with element files A.xfs (the sample table) and B.xfs (twice its F and S).
class MaterialFileTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteTableFile(ws.elementFolder() / "A.xfs", SampleTable()).ok());
    ASSERT_TRUE(WriteTableFile(ws.elementFolder() / "B.xfs", SampleTable(2)).ok());
    inputs.ElementFiles = {"", "A.xfs", "B.xfs"};
  }

  ScatteringTable ReadMaterial(std::string_view name) {
    ScatteringTable read;
    TableLines readLines;
    EXPECT_TRUE(ReadTableFile(ws.root() / MaterialPath(name), read, readLines).ok());
    return read;
  }

  Workspace ws{std::initializer_list<const char*>{}};
  MaterialInputs inputs;
  ScatteringTable table;
  TableLines lines;
};

}  // namespace

TEST_F(MaterialFileTest, CompoundFileHoldsTheCombinedRows) {
  EXPECT_EQ(MaterialPath("water.mix"), std::filesystem::path("XFSM-data/water.mix.xfs"));
  inputs.ElementCount = 2;
  inputs.ElementWeights = {0, 2, 1};
  ASSERT_TRUE(CreateCompoundFile(ws.root(), "water", inputs, {table, lines}).ok());
  EXPECT_EQ(FileBytes(ws.materialFolder() / "water.xfs").size(), 45u * 36u);
  const ScatteringTable read = ReadMaterial("water");
  const ScatteringTable element = ReadMaterial("../XFS-data/A");
  EXPECT_EQ(inputs.Rows.F[2][5], 2 * element.F[5]);
  EXPECT_EQ(table.x, element.x);
  EXPECT_EQ(lines[45], FileBytes(ws.elementFolder() / "B.xfs").substr(44 * 36, 34));
  EXPECT_NEAR(read.F[5], std::sqrt(6.0) * element.F[5], 1e-4 * read.F[5]);
  EXPECT_NEAR(read.S[5], 4 * element.S[5], 1e-4 * read.S[5]);
}

TEST_F(MaterialFileTest, MixtureAndEmptyCountWriteFiles) {
  inputs.ElementCount = 2;
  inputs.AtomicWeights = {0, 1, 2};
  inputs.ElementWeights = {0, 50, 50};
  ASSERT_TRUE(CreateMixtureFile(ws.root(), "brass.xfs", inputs, {table, lines}).ok());
  EXPECT_EQ(inputs.Ratio[2], 0.5);
  EXPECT_NEAR(ReadMaterial("brass.xfs").S[3], 2 * ReadMaterial("../XFS-data/A").S[3], 1e-4);
  ScatteringTable untouched;
  untouched.x[3] = 0.5;
  inputs.ElementCount = 0;
  ASSERT_TRUE(CreateMixtureFile(ws.root(), "empty", inputs, {untouched, lines}).ok());
  const ScatteringTable empty = ReadMaterial("empty");
  EXPECT_EQ(empty.x[3], 0.5);
  EXPECT_EQ(empty.F, ScatteringTable{}.F);
}

TEST_F(MaterialFileTest, FailuresWriteNoFile) {
  WriteBytes(ws.elementFolder() / "Short.xfs", std::string(44, '\n'));
  const auto fails = [&](double count, std::string_view name) {
    inputs.ElementCount = count;
    EXPECT_FALSE(CreateCompoundFile(ws.root(), name, inputs, {table, lines}).ok()) << name;
    EXPECT_TRUE(std::filesystem::is_empty(ws.materialFolder())) << name;
  };
  fails(3, "empty slot 3");
  inputs.ElementFiles[3] = "Missing.xfs";
  fails(3, "missing file");
  inputs.ElementFiles[3] = "Short.xfs";
  fails(3, "44 lines");
  inputs.ElementFiles.fill("A.xfs");
  fails(11, "eleven elements");
  fails(1, "");
  fails(1, "../escape");
  fails(1, std::string_view("nul\0x", 5));
  inputs.ElementWeights = {0, -1};
  fails(1, "negative sum");
  std::filesystem::remove(ws.materialFolder());
  inputs.ElementWeights = {0, 1};
  EXPECT_FALSE(CreateCompoundFile(ws.root(), "nofolder", inputs, {table, lines}).ok());
}
