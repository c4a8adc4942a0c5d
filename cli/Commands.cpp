#include "Commands.h"

#include <cstring>
#include <string>
#include <vector>

#include "Help.h"
#include "Names.h"
#include "Numbers.h"
#include "Output.h"
#include "xscatter/Interpolation.h"
#include "xscatter/Material.h"
#include "xscatter/TableStore.h"
#include "xscatter/Text.h"

namespace xscatter::cli {
namespace {

// The longest line of standard input taken; a longer one is an error, not a value.
constexpr std::size_t kLongestLine = 4096;
constexpr std::size_t kInputBlock = 1 << 16;

// Columns and heading of a table of F and S against x.
constexpr Column kTableColumns[] = {{"x", "x (1/Å)"}, {"F", "F"}, {"S", "S"}};

Heading TableHeading(std::string_view name) {
  return {std::string(name) + ": x = sin(θ/2)/λ in 1/Å", {{"table", std::string(name)}}};
}

void WriteRow(TableWriter& writer, double x, const std::optional<FunctionValues>& values) {
  const std::optional<double> row[] = {x, values ? std::optional(values->F) : std::nullopt,
                                       values ? std::optional(values->S) : std::nullopt};
  writer.row(row);
}

void WriteTable(std::string_view name, const ScatteringTable& table, Format format,
                OutputBuffer& out) {
  TableWriter writer(out, format, TableHeading(name), kTableColumns);
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

Outcome RunAt(const Invocation& invocation, const TableStore& store, std::FILE* in,
              OutputBuffer& out) {
  const auto found = store.Find(invocation.table);
  if (!found) return {found.status()};
  TableWriter writer(out, invocation.format, TableHeading(found->name), kTableColumns);
  const LogLogTable table(found->table);
  // A bad line ends the rows there; the rows before it stand, and JSON says why it ended.
  const Status status = WriteValues(invocation, table, writer, in, out);
  writer.finish(status.error);
  return {status, writer.anyMissing()};
}

// The compound or mixture of the invocation's terms, made from the element tables exactly as
// the editors' "OK" makes it. With --save it is written to XFSM-data/NAME.xfs only once the
// table has reached standard output, so that a failed output leaves no file behind.
Outcome RunMaterial(const Invocation& invocation, const TableStore& store, OutputBuffer& out) {
  if (Status status = CheckNotElementName(store.folders(), invocation.name); !status.ok()) {
    return {status};
  }
  Recipe recipe;
  if (invocation.command == Command::Mixture) recipe.kind = MaterialKind::Mixture;
  for (const ElementTerm& term : invocation.terms) {
    if (Status status = CheckElement(store.folders(), term.symbol); !status.ok()) return {status};
    recipe.components.push_back(
        {term.symbol + std::string(kTableExtension), term.amount, term.atomicWeight});
  }
  const auto made = MakeMaterial(store, recipe);
  if (!made) return {made.status()};
  WriteTable(invocation.name, *made, invocation.format, out);
  if (!invocation.save) return {};
  if (!out.flush()) return {Status::Failed(std::string(kCannotWrite) + "; nothing saved")};
  Status saved = MakeMaterialFolder(store.folders());
  if (saved.ok()) saved = store.SaveMaterial(invocation.name, *made);
  if (!saved.ok()) return {Status::Failed("the table above was not saved: " + saved.error)};
  return {};
}

Outcome RunOnTables(const Invocation& invocation, const TableStore& store, std::FILE* in,
                    OutputBuffer& out) {
  if (invocation.command == Command::At) return RunAt(invocation, store, in, out);
  if (invocation.command != Command::Show) return RunMaterial(invocation, store, out);
  const auto found = store.Find(invocation.table);
  if (found) WriteTable(found->name, found->table, invocation.format, out);
  return {found.status()};
}

Outcome RunCommand(const Invocation& invocation, const std::filesystem::path& programFolder,
                   std::FILE* in, OutputBuffer& out) {
  if (invocation.version || invocation.help) {
    out.text(invocation.version ? VersionText() : HelpText(invocation.command));
    out.complete();
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
