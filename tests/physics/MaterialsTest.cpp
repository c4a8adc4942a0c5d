// Elements, formulas, compositions and reference materials, with xraylib as the second source.
#include <gtest/gtest.h>
#include <xraylib.h>

#include <cmath>
#include <map>
#include <set>

#include "Workspace.h"
#include "xscatter/Combination.h"
#include "xscatter/Composition.h"
#include "xscatter/CrossSections.h"
#include "xscatter/Elements.h"
#include "xscatter/ReferenceMaterials.h"

using namespace xscatter;

namespace {

ScatteringTable ElementTable(int Z) {
  ScatteringTable table;
  TableLines lines;
  const std::string file = std::string(ElementOf(Z)->symbol) + ".xfs";
  EXPECT_TRUE(ReadTableFile(Workspace::shippedElement(file), table, lines).ok()) << file;
  return table;
}

Result<ScatteringTable> Table(int Z) {
  return ElementTable(Z);
}

double Weight(int Z) {
  return ElementOf(Z)->atomicWeight;
}

}  // namespace

// xraylib's weights are older and rounder. Where they differ by more than 1e-3 the IUPAC values
// are kept: H 1.008 (xraylib 1.01), Tm 168.934 (167.27), Au 196.967 (197.2), and the mass
// numbers Tc [98] (99), Pm [145] (147), Pu [244] (239.1), Bk [247] (249).
TEST(Elements, StandardAtomicWeightsAgreeWithXraylib) {
  const std::set<std::string_view> differing{"H", "Tc", "Pm", "Tm", "Au", "Pu", "Bk"};
  ASSERT_EQ(Elements().size(), 98u);
  for (const Element& element : Elements()) {
    EXPECT_EQ(ElementOf(element.Z), &element);
    char* symbol = AtomicNumberToSymbol(element.Z, nullptr);
    EXPECT_EQ(element.symbol, symbol);
    xrlFree(symbol);
    const double difference =
        std::fabs(element.atomicWeight / AtomicWeight(element.Z, nullptr) - 1);
    EXPECT_EQ(difference > 1e-3, differing.contains(element.symbol)) << element.symbol;
  }
  EXPECT_EQ(std::tie(ElementOf(26)->name, ElementOf(13)->name), std::tie("Iron", "Aluminium"));
  EXPECT_EQ(std::tie(ElementOf(43)->atomicWeight, ElementOf(43)->massNumber),
            std::make_tuple(98.0, true));
  EXPECT_FALSE(ElementOf(1)->massNumber);
  EXPECT_EQ(FindElement("Co")->Z, 27);
  for (const char* none : {"CO", "co", "", "Fe2", "Es", "X"}) EXPECT_FALSE(FindElement(none));
  EXPECT_FALSE(ElementOf(0) || ElementOf(99));
  EXPECT_NE(ElementsSource().find("IUPAC 2013"), std::string_view::npos);
}

// Each formula against xraylib's parser on a spelling it reads (it knows neither [] nor hydrate
// dots), both weighed with the same standard atomic weights.
TEST(Formula, MolarMassesAgreeWithXraylibsParser) {
  const std::pair<const char*, const char*> formulas[] = {
      {"H2O", "H2O"},
      {"Ca5(PO4)3OH", "Ca5(PO4)3OH"},
      {"C2H5OH", "C2H5OH"},
      {"Fe0.7Ni0.3", "Fe0.7Ni0.3"},
      {"CuSO4·5H2O", "CuSO4(H2O)5"},
      {"CuSO4*5H2O", "CuSO4(H2O)5"},
      {"CO", "CO"},
      {"Co", "Co"},
      {"K4[Fe(CN)6]", "K4(Fe(CN)6)"},
      {"K4[Fe(CN)6]·3H2O", "K4(Fe(CN)6)(H2O)3"},
      {"Mg3Si4O10(OH)2", "Mg3Si4O10(OH)2"},
      {"(CH3)3COH", "(CH3)3COH"},
      {"[Co(NH3)6]Cl3", "(Co(NH3)6)Cl3"},
      {"Al2(SO4)3·18H2O", "Al2(SO4)3(H2O)18"},
      {"C6H12O6", "C6H12O6"},
      {"Gd2O2S", "Gd2O2S"},
      {"Bi4Ge3O12", "Bi4Ge3O12"},
      {"CaWO4", "CaWO4"},
      {"UO2", "UO2"},
      {"Na2B4O7·10H2O", "Na2B4O7(H2O)10"},
  };
  for (const auto& [ours, theirs] : formulas) {
    const Result<Formula> formula = ParseFormula(ours);
    ASSERT_TRUE(formula.ok()) << ours << ": " << formula.error();
    compoundData* data = CompoundParser(theirs, nullptr);
    ASSERT_NE(data, nullptr) << theirs;
    double molarMass = 0;
    for (int k = 0; k < data->nElements; ++k)
      molarMass += data->nAtoms[k] * Weight(data->Elements[k]);
    EXPECT_EQ(formula->atoms.size(), static_cast<std::size_t>(data->nElements)) << ours;
    EXPECT_NEAR(formula->molarMass / molarMass, 1, 1e-4) << ours;
    FreeCompoundData(data);
    // Written back, it reads as the same atoms.
    EXPECT_EQ(ParseFormula(FormulaText(formula->atoms))->atoms, formula->atoms) << ours;
  }
  const auto ethanol = ParseFormula("C2H5OH");
  EXPECT_EQ(ethanol->atoms, (std::vector<AtomCount>{{6, 2}, {1, 6}, {8, 1}}));
  EXPECT_EQ(FormulaText(ethanol->atoms), "C2H6O");
  EXPECT_EQ(FormulaText(ParseFormula("Fe0.7Ni0.3")->atoms), "Fe0.7Ni0.3");
  EXPECT_EQ(FormulaText(ParseFormula(" 2H2O \u00B7 0.5CO2 ")->atoms), "H4O3C0.5");
}

TEST(Formula, FaultsNameTheColumnAndTheFix) {
  const std::pair<const char*, const char*> faults[] = {
      {"h2o", "column 1: element symbols start with a capital letter: H2O?"},
      {"cuso4", "column 1: element symbols start with a capital letter: CuSO4?"},
      {"Xx2", "column 1: no element Xx"},
      {"CCL4", "column 3: no element L: CCl4?"},
      {"NaCL", "column 4: no element L: NaCl?"},
      {"Ca(PO4", "column 3: '(' is not closed: add ')': Ca(PO4)?"},
      {"H2O)", "column 4: ')' closes no bracket: remove it: H2O?"},
      {"K4[Fe(CN)6)", "column 11: ')' does not close the '[' of column 3: use ']': K4[Fe(CN)6]?"},
      {"()", "column 1: empty brackets: put a formula inside or leave them out"},
      {"H0", "column 2: a count of 0: give a positive count or leave the element out"},
      {"CuSO4·0H2O", "column 7: a count of 0: give a positive count or leave the element out"},
      {"", "column 1: empty formula: type one such as H2O"},
      {"  ", "column 1: empty formula: type one such as H2O"},
      {"5", "column 1: a formula must follow the count, as in 5H2O"},
      {"CuSO4·", "column 6: nothing after the hydrate dot: add a part such as 5H2O"},
      {"*H2O", "column 1: nothing before the hydrate dot"},
      {"(H2O·NaCl)", "column 5: a hydrate dot inside brackets"},
      {"Fe0,7Ni0,3", "column 4: use a point as the decimal separator: Fe0.7Ni0.3?"},
      {"H2O.NaCl",
       "column 4: a point stands only inside a number: join hydrate parts with \u00B7 or *: "
       "H2O\u00B7NaCl?"},
      {"H 2O", "column 2: a blank inside the formula: H2O?"},
      {"(2H)", "column 2: a count stands after an element symbol or a closing bracket"},
      {"H2O→", "column 4: unexpected '→'"},
      {"H\x01", "column 2: unexpected byte 0x1"},
      {"H1e5", "column 3: element symbols start with a capital letter"},
      {"((((((((((((((((((((((((((((((((((H))))))))))))))))))))))))))))))))))",
       "column 33: brackets nested deeper than 32"},
  };
  for (const auto& [text, error] : faults) {
    EXPECT_EQ(ParseFormula(text).error(), error) << text;
  }
  const std::string nines(200, '9');
  EXPECT_EQ(ParseFormula("H" + nines + nines).error(), "column 2: count out of range");
  EXPECT_EQ(ParseFormula("(H" + nines + ")" + nines).error(),
            "column 204: the counts multiply to a number of atoms out of range");
}

TEST(Composition, SaysWhatItIsPerAndMixesByMass) {
  const auto water = CompositionOfFormula(" H2O ");
  EXPECT_EQ(water->unit, "per formula unit of H2O (18.015 g/mol)");
  EXPECT_EQ(CompositionOfFormula("Fe")->unit, "per atom of Fe (55.845 g/mol)");
  const std::string_view pairs[] = {"Cu:1", "Zn:2", "Cu:0.5"};
  const auto alloy = CompositionOfAtoms(pairs);
  EXPECT_EQ(alloy->atoms, (std::vector<AtomCount>{{29, 1.5}, {30, 2}}));
  EXPECT_EQ(alloy->unit, "per formula unit of Cu1.5Zn2 (226.08 g/mol)");
  for (auto [pair, error] : {std::pair{"Cu", "Cu: write SYMBOL:ATOMS, e.g. Zn:1"},
                             {"Qq:1", "Qq:1: no element Qq"},
                             {"Cu:0", "Cu:0: the atoms must be a positive number"},
                             {"Cu:1,5", "Cu:1,5: the atoms must be a positive number"}}) {
    const std::string_view one[] = {pair};
    EXPECT_EQ(CompositionOfAtoms(one).error(), error);
  }

  // Saline: atoms per gram of each part, w_p n_k / M_p, then per mean atom.
  const std::vector<MixturePart> parts{{*CompositionOfFormula("H2O"), 99.1},
                                       {*CompositionOfFormula("NaCl"), 0.9}};
  const auto saline = MixtureByMass(parts);
  const double mNaCl = Weight(11) + Weight(17), mH2O = 2 * Weight(1) + Weight(8);
  const double waters = 0.991 / mH2O, salts = 0.009 / mNaCl, all = 3 * waters + 2 * salts;
  const std::map<int, double> expected{
      {1, 2 * waters / all}, {8, waters / all}, {11, salts / all}, {17, salts / all}};
  ASSERT_EQ(saline->atoms.size(), 4u);
  for (const AtomCount& count : saline->atoms) {
    EXPECT_NEAR(count.atoms, expected.at(count.Z), 1e-15) << count.Z;
  }
  EXPECT_NEAR(saline->molarMass, 1 / all, 1e-12);
  EXPECT_EQ(saline->unit, "per mean atom of H2O 99.1 % + NaCl 0.9 % (6.0482 g/mol per atom)");
  EXPECT_EQ(MixtureByMass(std::vector<MixturePart>{{*water, 0}}).error(),
            "part 1 (H2O): its weight must be a positive number");
}

// The editors' brass with either metal first: the numbers differ, and the words say why.
TEST(Composition, CombinesAnyNumberOfTablesAsTheEditorsDo) {
  const TypedMixtureElement zinc{30, 65.38, 30}, copper{29, 63.546, 70};
  for (const auto& brass : {std::array{zinc, copper}, std::array{copper, zinc}}) {
    const auto mixture = EditorsMixture(brass);
    ElementRows rows;
    ElementNumbers atomicWeights{}, weights{};
    for (int k = 1; k <= 2; ++k) {
      const ScatteringTable table = ElementTable(brass[k - 1].Z);
      rows.F[k] = table.F, rows.S[k] = table.S;
      atomicWeights[k] = brass[k - 1].atomicWeight, weights[k] = brass[k - 1].weight;
    }
    AtomRatio ratio{};
    ScatteringTable editors;
    ASSERT_TRUE(CombineMixture(2, rows, atomicWeights, weights, ratio, editors).ok());
    const auto table = CombineComposition(*mixture, Table);
    EXPECT_EQ(table->F, editors.F);
    EXPECT_EQ(table->S, editors.S);
    EXPECT_NEAR(table->F[1], brass[0].Z == 30 ? 54.03 : 34.87, 0.005);
  }
  EXPECT_EQ(EditorsMixture(std::array{zinc, copper})->unit,
            "per atom of Zn, the first element (217.93 g/mol per unit)");

  // Twelve elements, past the editors' ten slots: F(0)² = sum n_k Z².
  const auto salts = CompositionOfFormula("LiBeBNaMgAlSiPSClKCa");
  const auto table = CombineComposition(*salts, Table);
  double squares = 0;
  for (const AtomCount& count : salts->atoms) squares += count.Z * count.Z;
  EXPECT_DOUBLE_EQ(table->F[1], std::sqrt(squares));
  ScatteringTable moved = ElementTable(1);
  moved.x[3] *= 1.01;
  const ScatteringTable oxygen = ElementTable(8);
  const TableTerm terms[] = {{&oxygen, 1}, {&moved, 2}};
  EXPECT_EQ(CombineTables(terms).error(), "table 2 has other momentum transfers than table 1");
  EXPECT_EQ(
      CombineComposition(
          *salts, [](int) -> Result<ScatteringTable> { return Status::Failed("no tables here"); })
          .error(),
      "no tables here");
}

// Five materials against xraylib's own list; the generator divided each material's fractions by
// their sum, which the source leaves up to 2e-6 away from 1.
TEST(ReferenceMaterials, AgreeWithTheirSourceAndSumToOne) {
  const auto materials = ReferenceMaterials();
  EXPECT_EQ(materials.size(), 180u);
  std::set<std::string_view> ids;
  for (const ReferenceMaterial& material : materials) {
    EXPECT_TRUE(ids.insert(material.id).second) << material.id;
    double sum = 0;
    for (const MassFraction& fraction : material.massFractions) sum += fraction.fraction;
    EXPECT_NEAR(sum, 1, 1e-6) << material.id;
  }
  for (const char* id : {"water-liquid", "air-dry-near-sea-level", "bone-cortical-icrp",
                         "polymethyl-methacralate-lucite-perspex", "glass-lead"}) {
    const ReferenceMaterial* material = FindReferenceMaterial(id);
    ASSERT_NE(material, nullptr) << id;
    EXPECT_EQ(FindReferenceMaterial(material->name), material);
    compoundDataNIST* source =
        GetCompoundDataNISTByName(std::string(material->name).c_str(), nullptr);
    ASSERT_NE(source, nullptr) << id;
    EXPECT_EQ(material->density, source->density);
    ASSERT_EQ(material->massFractions.size(), static_cast<std::size_t>(source->nElements));
    for (int k = 0; k < source->nElements; ++k) {
      EXPECT_EQ(material->massFractions[k].Z, source->Elements[k]);
      EXPECT_NEAR(material->massFractions[k].fraction, source->massFractions[k], 2e-6) << id;
    }
    FreeCompoundDataNIST(source);
  }
  EXPECT_EQ(FindReferenceMaterial("Water"), nullptr);
  EXPECT_NE(ReferenceMaterialsSource().find("python3-xraylib"), std::string_view::npos);
}

// Liquid water by mass fractions is one third of H2O per mean atom, and its cross sections per
// gram are xraylib's within the elements' agreement.
TEST(ReferenceMaterials, GiveCrossSectionsPerGram) {
  const auto water = CompositionOf(*FindReferenceMaterial("water-liquid"));
  EXPECT_EQ(water->unit, "per mean atom of Water, Liquid (6.0054 g/mol per atom)");
  EXPECT_NEAR(water->atoms[0].atoms, 2.0 / 3, 1e-4);
  const auto curve = ScatteringCurve::Make(*CombineComposition(*water, Table));
  for (double energy : {10.0, 100.0}) {
    const CrossSections totals = TotalCrossSections(*curve, energy);
    EXPECT_NEAR(totals.incoherent * PerGram(water->molarMass) / CS_Compt_CP("H2O", energy, nullptr),
                1, 0.02);
    EXPECT_NEAR(totals.coherent * PerGram(water->molarMass) / CS_Rayl_CP("H2O", energy, nullptr), 1,
                0.025);
  }
}
