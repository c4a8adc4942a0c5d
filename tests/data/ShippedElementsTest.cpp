// Every element file that ships with XScatter must be in the written form and agree with the
// others on the momentum-transfer grid, since compounds match rows by number alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "ScatteringTable.h"

namespace {

// Element symbols by atomic number, 1 to 98.
constexpr const char* kSymbols =
    "H He Li Be B C N O F Ne Na Mg Al Si P S Cl Ar K Ca Sc Ti V Cr Mn Fe Co Ni Cu Zn Ga Ge As Se "
    "Br Kr Rb Sr Y Zr Nb Mo Tc Ru Rh Pd Ag Cd In Sn Sb Te I Xe Cs Ba La Ce Pr Nd Pm Sm Eu Gd Tb Dy "
    "Ho Er Tm Yb Lu Hf Ta W Re Os Ir Pt Au Hg Tl Pb Bi Po At Rn Fr Ra Ac Th Pa U Np Pu Am Cm Bk Cf";

TEST(ShippedElements, AreWrittenFormsOnOneGridStartingAtTheZeroLimits) {
  const std::filesystem::path folder = std::filesystem::path(XSCATTER_DATA_DIR) / "XFS-data";
  xscatter::ScatteringTable hydrogen, table;
  xscatter::TableLines lines;
  ASSERT_TRUE(xscatter::ReadTableFile(folder / "H.xfs", hydrogen, lines).ok());
  for (int row = 2; row <= xscatter::kTableRows; ++row)
    EXPECT_LT(hydrogen.x[row - 1], hydrogen.x[row]);
  std::istringstream symbols(kSymbols);
  double z = 0;
  for (std::string symbol; symbols >> symbol;) {
    SCOPED_TRACE(symbol);
    const auto path = folder / (symbol + ".xfs");
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(text.size(), 45u * 36u);
    for (std::size_t line = 0; line < 45; ++line) {
      const std::string row = text.substr(line * 36, 34);
      const auto read = xscatter::ParseTableLine(row);
      EXPECT_EQ(xscatter::FormatTableLine(read.x, read.F, read.S).value_or("") + "\r\n",
                text.substr(line * 36, 36));
    }
    ASSERT_TRUE(xscatter::ReadTableFile(path, table, lines).ok());
    EXPECT_EQ(table.x, hydrogen.x);
    EXPECT_EQ(table.F[1], ++z);
    EXPECT_EQ(table.S[1], 0.0);
  }
  EXPECT_EQ(z, 98);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 98);
}

}  // namespace
