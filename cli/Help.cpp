#include "Help.h"

namespace xscatter::cli {
namespace {

constexpr std::string_view kProgramHelp =
    R"(Usage: xscatter-table [OPTIONS] COMMAND ARGUMENTS...

The atomic form factor F(x) and the incoherent scattering function S(x) of
elements, compounds and mixtures, from XScatter's tables; x = sin(θ/2)/λ in 1/Å.

Commands:
  show TABLE                      the 45 rows of a table
  at TABLE X... | - | --grid G    F and S interpolated at momentum transfers
  at TABLE --energy KEV --angle DEG... | --angle-grid START:STOP:STEP
                                  x, F, S and dσ/dΩ at scattering angles
  cross-sections TABLE --energy KEV... | --energy-grid G | --log-energy-grid G
                                  total coherent and incoherent σ
  compound NAME FORMULA | SYMBOL:ATOMS...
                                  a compound of any number of elements
  mixture NAME FORMULA:PERCENT... | SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT...
                                  a mixture by mass
  formula FORMULA                 elements, atoms, mass fractions, molar mass
  materials                       the reference materials: id, name, density

TABLE is, looked up in this order, the path of a table file (when it holds a /
or ends in .xfs; no data folder is needed then), an element symbol (Fe:
XFS-data/Fe.xfs), a saved material (water: XFSM-data/water.xfs), a reference
material's id (water-liquid, see materials) or a chemical formula (H2O,
Ca5(PO4)3OH, CuSO4·5H2O), combined at full precision and not saved.
--material NAME or --formula FORMULA in TABLE's place forces one reading.

Every output says what its numbers are per: per atom of an element, per
formula unit of a formula, per mean atom of a mixture by mass or reference
material; per gram where the molar mass is known.

Options:
  --data DIR       the folder that holds XFS-data and XFSM-data (default: the
                   current folder, or where the installed XScatter keeps them)
  --format FORMAT  text (aligned, the default), csv, tsv or json; csv and tsv
                   begin with their header line, names with units: x (1/Å),F,S
  -h, --help       this help; after a command, the command's help
  --version        the program's version

Numbers are written in the shortest text that reads back to the same double.
Exit status: 0 done; 1 some value out of range (after all were printed);
2 a usage, input or write error (one line on standard error), with nothing
written, except that a stream from standard input keeps the rows before its
first bad line (JSON then closes with "error") and that --save writes its file
only after the table was printed.

Examples:
  xscatter-table at H2O --energy 17.48 --angle-grid 0:180:1    (water at Mo Kα)
  xscatter-table cross-sections water-liquid --energy 17.48 --format json
  xscatter-table show Fe
  xscatter-table at Fe 0.1 0.5 --format csv
  xscatter-table --data ~/xscatter compound water H2O --save
)";

constexpr std::string_view kShowHelp =
    R"(Usage: xscatter-table show TABLE

Prints the 45 rows of a table: x, F(x) and S(x).

Examples:
  xscatter-table show Cu
  xscatter-table show water --format json
  xscatter-table show ./my-tables/Si.xfs --format tsv
)";

constexpr std::string_view kAtHelp =
    R"(Usage: xscatter-table at TABLE X...
       xscatter-table at TABLE -
       xscatter-table at TABLE --grid START:STOP:STEP
       xscatter-table at TABLE --log-grid START:STOP:COUNT
       xscatter-table at TABLE (--energy KEV | --wavelength ANGSTROM)
                               (--angle DEG... | --angle-grid START:STOP:STEP)

With a photon energy (keV) or wavelength (Å), prints per scattering angle θ
(degrees, 0 to 180; another is an error): angle, x = sin(θ/2)/λ (1/Å), F, S,
coherent = rₑ²(1 + cos²θ)/2·F² and incoherent = Klein–Nishina dσ/dΩ·S (barn/sr
per unit of the table), compton_energy E′ (keV), and where the molar mass is
known coherent_per_gram and incoherent_per_gram (cm²/g/sr). Below the first
positive row, F and S run quadratically in x from x = 0 (docs/physics.md).

Prints F and S interpolated log-log at each momentum transfer X, by the rule of
XScatter's typed read-out. X must lie in 0.005 to 1000; a value outside, or one
the table has no rows around, prints "out of range" (an empty field in CSV and
TSV, null in JSON) and makes the exit status 1.

  -          read one X per line from standard input, as a stream
  --grid     START, START+STEP, ... up to STOP, in the decimals written
  --log-grid COUNT points from START to STOP, evenly spaced in logarithm

A grid begins at START and, when it reaches it, ends at STOP exactly; it has
at most 100000000 points. Every X is a whole number text with a decimal
point, such as 0.25 or 2.5e-1; a line of standard input has at most 4096 bytes.

Examples:
  xscatter-table at H2O --energy 17.48 --angle-grid 0:180:1    (water, Mo Kα)
  xscatter-table at water-liquid --energy 17.48 --angle 30 60 90 --format csv
  xscatter-table at Fe 0.005 0.1 1000
  xscatter-table at water --log-grid 0.01:10:31 --format csv
  seq 0.01 0.01 2 | xscatter-table at Cu - --format tsv
)";

constexpr std::string_view kCrossSectionsHelp =
    R"(Usage: xscatter-table cross-sections TABLE --energy KEV...
       xscatter-table cross-sections TABLE --energy-grid START:STOP:STEP
       xscatter-table cross-sections TABLE --log-energy-grid START:STOP:COUNT

Prints per photon energy (keV, greater than 0) the total coherent and
incoherent cross sections of unpolarised photons, dσ/dΩ integrated over all
directions: energy, coherent and incoherent (barn per unit of the table) and,
where the molar mass is known, coherent_per_gram and incoherent_per_gram
(cm²/g). An energy whose 1/λ lies beyond the table prints "out of range".

Examples:
  xscatter-table cross-sections H2O --energy 17.48    (water at Mo Kα)
  xscatter-table cross-sections water-liquid --log-energy-grid 1:1000:31
  xscatter-table cross-sections Fe --energy 10 100 800 --format json
)";

constexpr std::string_view kFormulaHelp =
    R"(Usage: xscatter-table formula FORMULA

Prints the elements of a chemical formula with their atoms per formula unit and
mass fractions, and its molar mass, from the standard atomic weights. Symbols
are case-sensitive (CO, Co); counts may be decimal (Fe0.7Ni0.3); groups in ()
or [] nest (Ca5(PO4)3OH); a hydrate dot · or * joins parts (CuSO4·5H2O).
JSON: {"formula", "molar_mass", "atoms": {...}, "mass_fractions": {...}}.

Examples:
  xscatter-table formula H2O    (water, as for Mo Kα: at H2O --energy 17.48)
  xscatter-table formula 'Ca5(PO4)3OH' --format json
)";

constexpr std::string_view kMaterialsHelp =
    R"(Usage: xscatter-table materials

Lists the reference materials: id, name and density (g/cm³); JSON also gives
each one's mass fractions. An id is a TABLE, per mean atom of the material.

Examples:
  xscatter-table materials --format csv
  xscatter-table at water-liquid --energy 17.48 --angle-grid 0:180:1    (Mo Kα)
)";

constexpr std::string_view kCompoundHelp =
    R"(Usage: xscatter-table compound NAME FORMULA [--save]
       xscatter-table compound NAME SYMBOL:ATOMS... [--save]

Combines element tables into a compound, per formula unit, row by row:
F = sqrt(sum of ATOMS * F^2), S = sum of ATOMS * S. ATOMS must be greater
than 0 and need not be whole. Prints the compound's table with what it is per
and its molar mass; with --save it is then written to XFSM-data/NAME.xfs,
SYMBOL:ATOMS byte for byte as the compound editor writes it. NAME is a plain
file name without the .xfs extension, without ":" and not an element's symbol.

Examples:
  xscatter-table compound water H2O --save    (then: at water --energy 17.48 --angle 90, Mo Kα)
  xscatter-table compound apatite 'Ca5(PO4)3OH'
  xscatter-table compound quartz Si:1 O:2 --save
)";

constexpr std::string_view kMixtureHelp =
    R"(Usage: xscatter-table mixture NAME FORMULA:PERCENT... [--save]
       xscatter-table mixture NAME SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT... [--save]

FORMULA:PERCENT: parts by mass, each a formula (an element symbol is one) turned
into atoms per gram with the standard atomic weights; the table is per mean
atom of the mixture.

SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT, 1 to 10 elements, the mixture editor's
rule: each element counts with (ATOMIC_WEIGHT_1 / ATOMIC_WEIGHT) *
WEIGHT_PERCENT / WEIGHT_PERCENT_1 atoms per atom of the first element, then as
in a compound; with --save byte for byte as the mixture editor writes it.

All numbers must be greater than 0. Prints the mixture's table with what it is
per and its molar mass; with --save it is then written to XFSM-data/NAME.xfs.
NAME as for a compound.

Examples:
  xscatter-table mixture saline H2O:99.1 NaCl:0.9    (then at Mo Kα: --energy 17.48)
  xscatter-table mixture brass Cu:70 Zn:30 --save
  xscatter-table mixture brass Cu:63.546:70 Zn:65.38:30
)";

}  // namespace

std::string_view HelpText(std::optional<Command> command) {
  if (!command) return kProgramHelp;
  switch (*command) {
    case Command::Show:
      return kShowHelp;
    case Command::At:
      return kAtHelp;
    case Command::Compound:
      return kCompoundHelp;
    case Command::Mixture:
      return kMixtureHelp;
    case Command::CrossSections:
      return kCrossSectionsHelp;
    case Command::Formula:
      return kFormulaHelp;
    case Command::Materials:
      return kMaterialsHelp;
  }
  return kProgramHelp;
}

std::string_view VersionText() {
  return "xscatter-table " XSCATTER_VERSION "\n";
}

}  // namespace xscatter::cli
