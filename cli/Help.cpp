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
  compound NAME SYMBOL:ATOMS...   a compound of 1 to 5 elements
  mixture NAME SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT...
                                  a mixture of 1 to 10 elements

TABLE is an element symbol (Fe: XFS-data/Fe.xfs), a material name
(water: XFSM-data/water.xfs) or, when it holds a / or ends in .xfs, the path
of a table file.

Options:
  --data DIR       the folder that holds XFS-data and XFSM-data (default: the
                   current folder, or where the installed XScatter keeps them)
  --format FORMAT  text (aligned, the default), csv, tsv or json; csv and tsv
                   begin with their header line, x (1/Å),F,S
  -h, --help       this help; after a command, the command's help
  --version        the program's version

Numbers are written in the shortest text that reads back to the same double.
Exit status: 0 done; 1 some value out of range (after all were printed);
2 a usage, input or write error (one line on standard error), with nothing
written, except that a stream from standard input keeps the rows before its
first bad line (JSON then closes with "error") and that --save writes its file
only after the table was printed.

Examples:
  xscatter-table show Fe
  xscatter-table at Fe 0.1 0.5 --format csv
  xscatter-table --data ~/xscatter compound water H:2 O:1 --save
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
  xscatter-table at Fe 0.005 0.1 1000
  xscatter-table at water --log-grid 0.01:10:31 --format csv
  seq 0.01 0.01 2 | xscatter-table at Cu - --format tsv
)";

constexpr std::string_view kCompoundHelp =
    R"(Usage: xscatter-table compound NAME SYMBOL:ATOMS... [--save]

Combines 1 to 5 element tables into a compound, row by row:
F = sqrt(sum of ATOMS * F^2), S = sum of ATOMS * S. ATOMS must be greater
than 0 and need not be whole. Prints the compound's table; with --save it is
then written to XFSM-data/NAME.xfs, byte for byte as the compound editor
writes it. NAME is a plain file name without the .xfs extension, without ":"
and not an element's symbol.

Examples:
  xscatter-table compound water H:2 O:1
  xscatter-table compound quartz Si:1 O:2 --save
)";

constexpr std::string_view kMixtureHelp =
    R"(Usage: xscatter-table mixture NAME SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT... [--save]

Combines 1 to 10 element tables into a mixture: each element counts with
(ATOMIC_WEIGHT_1 / ATOMIC_WEIGHT) * WEIGHT_PERCENT / WEIGHT_PERCENT_1 atoms per
atom of the first element, then as in a compound. Both numbers must be greater
than 0. Prints the mixture's table; with --save it is then written to
XFSM-data/NAME.xfs, byte for byte as the mixture editor writes it. NAME as
for a compound.

Examples:
  xscatter-table mixture brass Cu:63.546:70 Zn:65.38:30
  xscatter-table mixture brass Cu:63.546:70 Zn:65.38:30 --save
)";

constexpr std::string_view kCrossSectionsHelp = "";
constexpr std::string_view kFormulaHelp = "";
constexpr std::string_view kMaterialsHelp = "";

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
