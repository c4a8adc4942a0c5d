// Every element file that ships with XScatter must be readable by the table reader and agree
// with the others on the momentum-transfer grid, since compounds match rows by number alone.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ScatteringTable.h"

namespace {

constexpr std::array<const char*, 98> kSymbols = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si",
    "P",  "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni",
    "Cu", "Zn", "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo",
    "Tc", "Ru", "Rh", "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba",
    "La", "Ce", "Pr", "Nd", "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb",
    "Lu", "Hf", "Ta", "W",  "Re", "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po",
    "At", "Rn", "Fr", "Ra", "Ac", "Th", "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf"};

std::filesystem::path ElementFile(const char* symbol) {
  return std::filesystem::path(XSCATTER_DATA_DIR) / "XFS-data" / (std::string(symbol) + ".xfs");
}

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ShippedElements, AreWrittenInTheFixedLayoutWithCrLf) {
  for (const char* symbol : kSymbols) {
    SCOPED_TRACE(symbol);
    const std::string text = Contents(ElementFile(symbol));
    ASSERT_EQ(text.size(), 45u * 36u);
    for (std::size_t line = 0; line < 45; ++line) {
      const std::string_view row = std::string_view(text).substr(line * 36, 36);
      EXPECT_EQ(row.substr(34), "\r\n");
      const auto written = xscatter::ParseTableLine(row.substr(0, 34));
      EXPECT_EQ(xscatter::FormatTableLine(written.x, written.F, written.S), row.substr(0, 34));
    }
  }
}

TEST(ShippedElements, ShareOneIncreasingGridAndStartAtTheZeroLimits) {
  xscatter::ScatteringTable hydrogen;
  xscatter::TableLines lines;
  ASSERT_TRUE(xscatter::ReadTableFile(ElementFile("H"), hydrogen, lines).ok());
  for (int row = 3; row <= xscatter::kTableRows; ++row)
    EXPECT_GT(hydrogen.x[row], hydrogen.x[row - 1]) << "row " << row;
  EXPECT_EQ(hydrogen.x[2], 0.005);
  EXPECT_EQ(hydrogen.x[45], 1e9);

  for (std::size_t z = 1; z <= kSymbols.size(); ++z) {
    SCOPED_TRACE(kSymbols[z - 1]);
    xscatter::ScatteringTable table;
    ASSERT_TRUE(xscatter::ReadTableFile(ElementFile(kSymbols[z - 1]), table, lines).ok());
    EXPECT_EQ(table.x, hydrogen.x);
    EXPECT_EQ(table.F[1], double(z));
    EXPECT_EQ(table.S[1], 0.0);
    for (int row = 2; row <= xscatter::kTableRows; ++row) {
      EXPECT_GT(table.F[row], 0.0) << "row " << row;
      EXPECT_GT(table.S[row], 0.0) << "row " << row;
    }
  }
}

}  // namespace
