#include "Commands.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "Help.h"
#include "Numbers.h"
#include "Output.h"
#include "xscatter/Interpolation.h"
#include "xscatter/Material.h"
#include "xscatter/TableStore.h"

namespace xscatter::cli {
namespace {

void WriteTable(std::string_view name, const ScatteringTable& table, Format format,
                OutputBuffer& out) {
  RowWriter writer(out, format, name);
  for (int row = 1; row <= kTableRows; ++row) {
    writer.row(table.x[row], FunctionValues{table.F[row], table.S[row]});
  }
  writer.finish();
}

double GridPoint(const Invocation& invocation, std::size_t k) {
  const Grid& grid = invocation.grid;
  if (invocation.source == Source::LinearGrid)
    return grid.start + static_cast<double>(k) * grid.step;
  if (k + 1 == grid.count) return grid.stop;  // exactly, whatever the rounding before
  // Evenly spaced in decades, so that a grid over whole decades hits 0.1, 1, 10 exactly.
  const double first = std::log10(grid.start);
  const double fraction = static_cast<double>(k) / static_cast<double>(grid.count - 1);
  return std::pow(10.0, first + fraction * (std::log10(grid.stop) - first));
}

// One line of a stream at a time: a million values are never held together.
class LineReader {
 public:
  explicit LineReader(std::FILE* in) : in_(in) {}
  // The next line without its line end (LF or CR LF); false at the end of the stream.
  bool next(std::string_view& line) {
    char* data = buffer_.release();
    const ssize_t length = getline(&data, &capacity_, in_);
    buffer_.reset(data);
    if (length < 0) return false;
    line = std::string_view(data, static_cast<std::size_t>(length));
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return true;
  }

 private:
  struct Free {
    void operator()(char* p) const { std::free(p); }
  };
  std::FILE* in_;
  std::unique_ptr<char, Free> buffer_;
  std::size_t capacity_ = 0;
};

Status StreamMomenta(std::FILE* in, const LogLogTable& table, RowWriter& writer,
                     const OutputBuffer& out) {
  LineReader reader(in);
  std::string_view line;
  for (std::size_t number = 1; !out.failed() && reader.next(line); ++number) {
    const auto x = StrictNumber(line);
    if (!x) {
      return Status::Failed("line " + std::to_string(number) + " of standard input: \"" +
                            std::string(line) + "\" is not a number");
    }
    writer.row(*x, TypedReadOut(table, *x));
  }
  if (std::ferror(in)) return Status::Failed("cannot read standard input");
  return Status::Ok();
}

Status WriteValues(const Invocation& invocation, const LogLogTable& table, RowWriter& writer,
                   std::FILE* in, const OutputBuffer& out) {
  switch (invocation.source) {
    case Source::Listed:
      for (double x : invocation.momenta) writer.row(x, TypedReadOut(table, x));
      return Status::Ok();
    case Source::StandardInput:
      return StreamMomenta(in, table, writer, out);
    default:
      for (std::size_t k = 0; k < invocation.grid.count && !out.failed(); ++k) {
        const double x = GridPoint(invocation, k);
        writer.row(x, TypedReadOut(table, x));
      }
      return Status::Ok();
  }
}

// How a command ended: failed with a reason, or done with or without values out of range.
struct Outcome {
  Status status;
  bool valuesMissing = false;
};

Outcome RunAt(const Invocation& invocation, const TableStore& store, std::FILE* in,
              OutputBuffer& out) {
  const auto found = store.Find(invocation.table);
  if (!found) return {found.status()};
  RowWriter writer(out, invocation.format, found->name);
  const LogLogTable table(found->table);
  if (Status status = WriteValues(invocation, table, writer, in, out); !status.ok()) {
    return {status};
  }
  writer.finish();
  return {Status::Ok(), writer.anyMissing()};
}

// The compound or mixture of the invocation's terms, made from the element tables exactly as
// the editors' "OK" makes it; with --save also written to XFSM-data/NAME.xfs.
Result<ScatteringTable> MakeNamedMaterial(const Invocation& invocation, const TableStore& store) {
  Recipe recipe;
  if (invocation.command == Command::Mixture) recipe.kind = MaterialKind::Mixture;
  for (const ElementTerm& term : invocation.terms) {
    recipe.components.push_back(
        {term.symbol + std::string(kTableExtension), term.amount, term.atomicWeight});
  }
  auto made = MakeMaterial(store, recipe);
  if (!made || !invocation.save) return made;
  if (Status status = MakeMaterialFolder(store.folders()); !status.ok()) return status;
  if (Status status = store.SaveMaterial(invocation.name, *made); !status.ok()) return status;
  return made;
}

Outcome RunOnTables(const Invocation& invocation, const TableStore& store, std::FILE* in,
                    OutputBuffer& out) {
  if (invocation.command == Command::At) return RunAt(invocation, store, in, out);
  if (invocation.command == Command::Show) {
    const auto found = store.Find(invocation.table);
    if (found) WriteTable(found->name, found->table, invocation.format, out);
    return {found.status()};
  }
  const auto made = MakeNamedMaterial(invocation, store);
  if (made) WriteTable(invocation.name, *made, invocation.format, out);
  return {made.status()};
}

Outcome RunCommand(const Invocation& invocation, const std::filesystem::path& programFolder,
                   std::FILE* in, OutputBuffer& out) {
  if (invocation.version || invocation.help) {
    out.text(invocation.version ? VersionText() : HelpText(invocation.command));
    return {};
  }
  // An installed program started anywhere finds the same tables and materials as its window.
  const auto folders =
      FindDataFolders(UserSearch(invocation.dataFolder, InstalledTablesBeside(programFolder)));
  if (!folders) {
    return {Status::Failed(folders.error() + " (--data DIR names a folder that holds " +
                           std::string(kElementFolder) + ")")};
  }
  return RunOnTables(invocation, TableStore(*folders), in, out);
}

int Fail(std::FILE* err, const std::string& reason) {
  std::fprintf(err, "xscatter-table: %s\n", reason.c_str());
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
  if (!outcome.status.ok()) return Fail(err, outcome.status.error);
  if (!output.flush()) return Fail(err, "cannot write to standard output");
  return outcome.valuesMissing ? kValuesOutOfRange : kDone;
}

}  // namespace xscatter::cli
