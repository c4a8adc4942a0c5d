#include "Commands.h"

#include <cstring>
#include <string>
#include <vector>

#include "Help.h"
#include "Names.h"
#include "Numbers.h"
#include "Output.h"
#include "xscatter/CrossSections.h"
#include "xscatter/Elements.h"
#include "xscatter/Interpolation.h"
#include "xscatter/Material.h"
#include "xscatter/ReferenceMaterials.h"
#include "xscatter/TableStore.h"
#include "xscatter/TableText.h"
#include "xscatter/Text.h"

namespace xscatter::cli {
namespace {

// The longest line of standard input taken; a longer one is an error, not a value.
constexpr std::size_t kLongestLine = 4096;
constexpr std::size_t kInputBlock = 1 << 16;

// Columns and heading of a table of F and S against x.
constexpr Column kTableColumns[] = {{"x", "x (1/Å)"}, {"F", "F"}, {"S", "S"}};

// At one energy, against the angle; the last two only where the molar mass is known.
constexpr Column kAngleColumns[] = {{"angle", "angle (°)"},
                                    {"x", "x (1/Å)"},
                                    {"F", "F"},
                                    {"S", "S"},
                                    {"coherent", "coherent (barn/sr)"},
                                    {"incoherent", "incoherent (barn/sr)"},
                                    {"compton_energy", "compton_energy (keV)"},
                                    {"coherent_per_gram", "coherent_per_gram (cm²/g/sr)"},
                                    {"incoherent_per_gram", "incoherent_per_gram (cm²/g/sr)"}};

constexpr Column kEnergyColumns[] = {{"energy", "energy (keV)"},
                                     {"coherent", "coherent (barn)"},
                                     {"incoherent", "incoherent (barn)"},
                                     {"coherent_per_gram", "coherent_per_gram (cm²/g)"},
                                     {"incoherent_per_gram", "incoherent_per_gram (cm²/g)"}};
constexpr std::size_t kPerGramColumns = 2;

// The columns of a table of cross sections, without those per gram when the molar mass is not
// known.
std::span<const Column> CrossSectionColumns(std::span<const Column> all, const NamedTable& named) {
  return named.molarMass ? all : all.first(all.size() - kPerGramColumns);
}

// What every table says before its rows: its name, what its numbers are per, and in what units.
Heading TableHeading(const NamedTable& named, std::string_view units,
                     std::optional<double> energy = std::nullopt) {
  std::string comment = named.name;
  if (energy) comment += " at " + ShortestNumber(*energy) + " keV";
  Heading heading{comment + ", " + named.per + ": " + std::string(units),
                  {{"table", named.name}, {"unit", named.per}, {"molar_mass", std::monostate()}}};
  if (named.molarMass) heading.fields.back().value = *named.molarMass;
  if (energy) heading.fields.push_back({"energy", *energy});
  return heading;
}

constexpr std::string_view kMomentumUnits = "x = sin(θ/2)/λ in 1/Å";

void WriteRow(TableWriter& writer, double x, const std::optional<FunctionValues>& values) {
  const std::optional<double> row[] = {x, values ? std::optional(values->F) : std::nullopt,
                                       values ? std::optional(values->S) : std::nullopt};
  writer.row(row);
}

void WriteTable(const NamedTable& named, Format format, OutputBuffer& out) {
  TableWriter writer(out, format, TableHeading(named, kMomentumUnits), kTableColumns);
  const ScatteringTable& table = named.table;
  for (int row = 1; row <= kTableRows; ++row) {
    WriteRow(writer, table.x[row], FunctionValues{table.F[row], table.S[row]});
  }
  writer.finish();
}

// One line of a stream at a time, at most kLongestLine bytes: neither a million values nor
// one endless line are ever held together.
class LineReader {
 public:
  explicit LineReader(std::FILE* in) : in_(in), block_(kInputBlock) {}

  enum class Read { Line, End, TooLong };
  // The next line without its line end (LF or CR LF).
  Read next(std::string_view& line) {
    for (;;) {
      const std::string_view held(block_.data() + begin_, end_ - begin_);
      const std::size_t lineEnd = held.find('\n');
      if (lineEnd != std::string_view::npos || ended_) {
        line = held.substr(0, lineEnd);
        if (line.empty() && lineEnd == std::string_view::npos) return Read::End;
        begin_ += lineEnd == std::string_view::npos ? held.size() : lineEnd + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        return line.size() > kLongestLine ? Read::TooLong : Read::Line;
      }
      if (held.size() > kLongestLine + 1) return Read::TooLong;  // room for a CR
      std::memmove(block_.data(), held.data(), held.size());
      begin_ = 0;
      end_ = held.size();
      const std::size_t got = std::fread(block_.data() + end_, 1, block_.size() - end_, in_);
      end_ += got;
      ended_ = got == 0;
    }
  }

 private:
  std::FILE* in_;
  std::vector<char> block_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool ended_ = false;
};

Status StreamMomenta(std::FILE* in, const LogLogTable& table, TableWriter& writer,
                     const OutputBuffer& out) {
  LineReader reader(in);
  std::string_view line;
  for (std::size_t number = 1; !out.failed(); ++number) {
    const LineReader::Read read = reader.next(line);
    if (read == LineReader::Read::End) break;
    const auto where = [&] { return "line " + std::to_string(number) + " of standard input"; };
    if (read == LineReader::Read::TooLong) {
      return Status::Failed(where() + " is longer than " + std::to_string(kLongestLine) + " bytes");
    }
    const auto x = StrictNumber(line);
    if (!x) return Status::Failed(where() + ": " + ReadNumber(line).error());
    WriteRow(writer, *x, TypedReadOut(table, *x));
  }
  if (std::ferror(in)) return Status::Failed("cannot read standard input");
  return Status::Ok();
}

Status WriteValues(const Invocation& invocation, const LogLogTable& table, TableWriter& writer,
                   std::FILE* in, const OutputBuffer& out) {
  switch (invocation.source) {
    case Source::Listed:
      for (double x : invocation.momenta) WriteRow(writer, x, TypedReadOut(table, x));
      return Status::Ok();
    case Source::StandardInput:
      return StreamMomenta(in, table, writer, out);
    case Source::Grid:
      break;
  }
  const Grid& grid = *invocation.grid;
  for (std::size_t k = 0; k < grid.size() && !out.failed(); ++k) {
    WriteRow(writer, grid[k], TypedReadOut(table, grid[k]));
  }
  return Status::Ok();
}

// How a command ended: failed with a reason, or done with or without values out of range.
struct Outcome {
  Status status;
  bool valuesMissing = false;
};

constexpr std::string_view kCannotWrite = "cannot write to standard output";

// TABLE as the invocation reads it. A saved material is looked for first under --material;
// without one of that name, a reference material of that id is taken.
Result<NamedTable> FindTable(const Invocation& invocation, const TableStore& store) {
  auto found = store.Find(invocation.table, invocation.reading);
  std::error_code error;
  if (!found && invocation.reading == Reading::Material &&
      FindReferenceMaterial(invocation.table) &&
      !std::filesystem::exists(
          store.folders().materials / (invocation.table + std::string(kTableExtension)), error)) {
    return store.Find(invocation.table, Reading::ReferenceMaterial);
  }
  return found;
}

Outcome RunAtMomenta(const Invocation& invocation, const NamedTable& named, std::FILE* in,
                     OutputBuffer& out) {
  TableWriter writer(out, invocation.format, TableHeading(named, kMomentumUnits), kTableColumns);
  const LogLogTable table(named.table);
  // A bad line ends the rows there; the rows before it stand, and JSON says why it ended.
  const Status status = WriteValues(invocation, table, writer, in, out);
  writer.finish(status.error);
  return {status, writer.anyMissing()};
}

// Per angle at one energy, per unit and, where the molar mass is known, per gram: each value
// times PerGram(M), as the Python module computes it, so that both give the same doubles.
Outcome RunAtAngles(const Invocation& invocation, const NamedTable& named, OutputBuffer& out) {
  const auto curve = ScatteringCurve::Make(named.table);
  if (!curve) return {curve.status()};
  const double energy = *invocation.energy;
  TableWriter writer(out, invocation.format,
                     TableHeading(named,
                                  "θ in degrees, x = sin(θ/2)/λ in 1/Å, dσ/dΩ in barn/sr per "
                                  "unit and cm²/g/sr, E′ in keV",
                                  energy),
                     CrossSectionColumns(kAngleColumns, named));
  const double perGram = named.molarMass ? PerGram(*named.molarMass) : 0;
  const Points& angles = invocation.angles;
  for (std::size_t k = 0; k < angles.size() && !out.failed(); ++k) {
    const AngleValues v = ScatteringAtAngle(*curve, energy, angles[k]);
    const std::optional<double> row[] = {angles[k],
                                         v.x,
                                         v.F,
                                         v.S,
                                         v.coherent,
                                         v.incoherent,
                                         v.comptonEnergy,
                                         v.coherent * perGram,
                                         v.incoherent * perGram};
    writer.row(
        std::span(row).first(named.molarMass ? std::size(row) : std::size(row) - kPerGramColumns));
  }
  writer.finish();
  return {{}, writer.anyMissing()};
}

Outcome RunCrossSections(const Invocation& invocation, const NamedTable& named, OutputBuffer& out) {
  const auto curve = ScatteringCurve::Make(named.table);
  if (!curve) return {curve.status()};
  TableWriter writer(out, invocation.format,
                     TableHeading(named, "E in keV, σ in barn per unit and cm²/g"),
                     CrossSectionColumns(kEnergyColumns, named));
  const double perGram = named.molarMass ? PerGram(*named.molarMass) : 0;
  const Points& energies = invocation.energies;
  for (std::size_t k = 0; k < energies.size() && !out.failed(); ++k) {
    const CrossSections sigma = TotalCrossSections(*curve, energies[k]);
    const std::optional<double> row[] = {energies[k], sigma.coherent, sigma.incoherent,
                                         sigma.coherent * perGram, sigma.incoherent * perGram};
    writer.row(
        std::span(row).first(named.molarMass ? std::size(row) : std::size(row) - kPerGramColumns));
  }
  writer.finish();
  return {{}, writer.anyMissing()};
}

Outcome RunOnTable(const Invocation& invocation, const TableStore& store, std::FILE* in,
                   OutputBuffer& out) {
  const auto found = FindTable(invocation, store);
  if (!found) return {found.status()};
  switch (*invocation.command) {
    case Command::At:
      return invocation.energy ? RunAtAngles(invocation, *found, out)
                               : RunAtMomenta(invocation, *found, in, out);
    case Command::CrossSections:
      return RunCrossSections(invocation, *found, out);
    default:
      WriteTable(*found, invocation.format, out);
      return {};
  }
}

Status CheckElements(const Invocation& invocation, const TableStore& store) {
  for (const ElementTerm& term : invocation.terms) {
    if (Status status = CheckElement(store.folders(), term.symbol); !status.ok()) return status;
  }
  return Status::Ok();
}

// The editors' mixture, made from the element tables exactly as the editor's "OK" makes it, with
// what it is per.
Result<NamedTable> TypedWeightsMixture(const Invocation& invocation, const TableStore& store) {
  Recipe recipe{MaterialKind::Mixture, {}};
  std::vector<TypedMixtureElement> elements;
  for (const ElementTerm& term : invocation.terms) {
    recipe.components.push_back(
        {term.symbol + std::string(kTableExtension), term.amount, term.atomicWeight});
    elements.push_back({FindElement(term.symbol)->Z, term.atomicWeight, term.amount});
  }
  auto made = MakeMaterial(store, recipe);
  if (!made) return made.status();
  auto composition = EditorsMixture(elements);
  if (!composition) return composition.status();
  return NamedTable{{}, Reading::Any, composition->unit, composition->molarMass, *composition,
                    {}, *made};
}

Result<Composition> MaterialComposition(const Invocation& invocation) {
  if (invocation.form == MaterialForm::Formula) return CompositionOfFormula(invocation.formula);
  if (invocation.form == MaterialForm::Atoms) {
    std::vector<std::string> texts;
    for (const ElementTerm& term : invocation.terms) {
      texts.push_back(term.symbol + ":" + ShortestNumber(term.amount));
    }
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    return CompositionOfAtoms(views);
  }
  std::vector<MixturePart> parts;
  for (const ElementTerm& term : invocation.terms) {
    auto part = CompositionOfFormula(term.symbol);
    if (!part) return Status::Failed(Quoted(term.symbol) + ": " + part.error());
    parts.push_back({std::move(*part), term.amount});
  }
  return MixtureByMass(parts);
}

Result<NamedTable> MakeNamedMaterial(const Invocation& invocation, const TableStore& store) {
  if (invocation.form != MaterialForm::Formula && invocation.form != MaterialForm::ByMass) {
    if (Status status = CheckElements(invocation, store); !status.ok()) return status;
  }
  if (invocation.form == MaterialForm::TypedWeights) return TypedWeightsMixture(invocation, store);
  const auto composition = MaterialComposition(invocation);
  if (!composition) return composition.status();
  return store.Combine(*composition);
}

// The compound or mixture of the invocation. With --save it is written to XFSM-data/NAME.xfs
// only once the table has reached standard output, so that a failed output leaves no file
// behind.
Outcome RunMaterial(const Invocation& invocation, const TableStore& store, OutputBuffer& out) {
  if (Status status = CheckNotElementName(store.folders(), invocation.name); !status.ok()) {
    return {status};
  }
  auto made = MakeNamedMaterial(invocation, store);
  if (!made) return {made.status()};
  made->name = invocation.name;
  WriteTable(*made, invocation.format, out);
  if (!invocation.save) return {};
  if (!out.flush()) return {Status::Failed(std::string(kCannotWrite) + "; nothing saved")};
  Status saved = MakeMaterialFolder(store.folders());
  if (saved.ok()) saved = store.SaveMaterial(invocation.name, made->table, made->composition);
  if (!saved.ok()) return {Status::Failed("the table above was not saved: " + saved.error)};
  return {};
}

// Elements with their atoms and mass fractions from the standard atomic weights.
Outcome RunFormula(const Invocation& invocation, OutputBuffer& out) {
  const auto formula = ParseFormula(invocation.formula);
  if (!formula) return {formula.status()};
  const std::string canonical = FormulaText(formula->atoms);
  const double molarMass = MolarMass(formula->atoms);
  const auto fraction = [&](const AtomCount& atom) {
    return atom.atoms * ElementOf(atom.Z)->atomicWeight / molarMass;
  };
  if (invocation.format == Format::Json) {
    std::string atoms, fractions;
    for (const AtomCount& atom : formula->atoms) {
      const std::string key =
          (atoms.empty() ? "" : ", ") + JsonString(ElementOf(atom.Z)->symbol) + ": ";
      atoms += key + ShortestNumber(atom.atoms);
      fractions += key + ShortestNumber(fraction(atom));
    }
    out.text("{\"formula\": " + JsonString(canonical) +
             ", \"molar_mass\": " + ShortestNumber(molarMass) + ", \"atoms\": {" + atoms +
             "}, \"mass_fractions\": {" + fractions + "}}\n");
    out.complete();
    return {};
  }
  static constexpr Column kColumns[] = {
      {"element", "element"}, {"atoms", "atoms"}, {"mass_fraction", "mass_fraction"}};
  TableWriter writer(out, invocation.format,
                     {canonical + ": " + ShortestNumber(molarMass) +
                          " g/mol per formula unit, from the standard atomic weights",
                      {}},
                     kColumns);
  for (const AtomCount& atom : formula->atoms) {
    const Cell row[] = {ElementOf(atom.Z)->symbol, atom.atoms, fraction(atom)};
    writer.row(row);
  }
  writer.finish();
  return {};
}

// The reference materials; JSON gives each one's mass fractions as well.
Outcome RunMaterials(const Invocation& invocation, OutputBuffer& out) {
  const auto materials = ReferenceMaterials();
  if (invocation.format == Format::Json) {
    out.text("[");
    for (std::size_t k = 0; k < materials.size(); ++k) {
      const ReferenceMaterial& material = materials[k];
      std::string fractions;
      for (const MassFraction& part : material.massFractions) {
        fractions += (fractions.empty() ? "" : ", ") + JsonString(ElementOf(part.Z)->symbol) +
                     ": " + ShortestNumber(part.fraction);
      }
      out.text(std::string(k == 0 ? "\n  " : ",\n  ") + "{\"id\": " + JsonString(material.id) +
               ", \"name\": " + JsonString(material.name) + ", \"density\": " +
               ShortestNumber(material.density) + ", \"mass_fractions\": {" + fractions + "}}");
    }
    out.text("\n]\n");
    out.complete();
    return {};
  }
  static constexpr Column kColumns[] = {
      {"id", "id"}, {"name", "name"}, {"density", "density (g/cm³)"}};
  TableWriter writer(out, invocation.format,
                     {"reference materials by mass fraction, density in g/cm³", {}}, kColumns);
  for (const ReferenceMaterial& material : materials) {
    const Cell row[] = {material.id, material.name, material.density};
    writer.row(row);
  }
  writer.finish();
  return {};
}

Outcome RunOnTables(const Invocation& invocation, const TableStore& store, std::FILE* in,
                    OutputBuffer& out) {
  switch (*invocation.command) {
    case Command::Compound:
    case Command::Mixture:
      return RunMaterial(invocation, store, out);
    default:
      return RunOnTable(invocation, store, in, out);
  }
}

// A table named by its path is read without any data folder.
bool IsPathTable(const Invocation& invocation) {
  const bool onTable =
      invocation.command != Command::Compound && invocation.command != Command::Mixture;
  return onTable && (invocation.reading == Reading::Path ||
                     (invocation.reading == Reading::Any && IsTablePath(invocation.table)));
}

Outcome RunCommand(const Invocation& invocation, const std::filesystem::path& programFolder,
                   std::FILE* in, OutputBuffer& out) {
  if (invocation.version || invocation.help) {
    out.text(invocation.version ? VersionText() : HelpText(invocation.command));
    out.complete();
    return {};
  }
  if (invocation.command == Command::Formula) return RunFormula(invocation, out);
  if (invocation.command == Command::Materials) return RunMaterials(invocation, out);
  if (IsPathTable(invocation)) return RunOnTables(invocation, TableStore(DataFolders{}), in, out);
  // An installed program started anywhere finds the same tables and materials as its window.
  const auto folders =
      FindDataFolders(UserSearch(invocation.dataFolder, InstalledTablesBeside(programFolder)));
  if (!folders) {
    return {Status::Failed(folders.error() + " (--data DIR names a folder that holds " +
                           std::string(kElementFolder) + ")")};
  }
  return RunOnTables(invocation, TableStore(*folders), in, out);
}

int Fail(std::FILE* err, std::string_view reason) {
  std::fprintf(err, "xscatter-table: %s\n", Printable(reason).c_str());
  return kFailed;
}

}  // namespace

int Run(std::span<const std::string_view> arguments, const std::filesystem::path& programFolder,
        std::FILE* in, std::FILE* out, std::FILE* err) {
  Invocation invocation;
  if (Status status = ParseArguments(arguments, invocation); !status.ok()) {
    return Fail(err, status.error);
  }
  OutputBuffer output(out);
  const Outcome outcome = RunCommand(invocation, programFolder, in, output);
  const bool written = output.flush();
  if (!outcome.status.ok()) return Fail(err, outcome.status.error);
  if (!written) return Fail(err, kCannotWrite);
  return outcome.valuesMissing ? kValuesOutOfRange : kDone;
}

}  // namespace xscatter::cli
