#include "Commands.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "Help.h"
#include "Numbers.h"
#include "Output.h"
#include "Tables.h"
#include "xscatter/Interpolation.h"
#include "xscatter/WorkingFolder.h"

namespace xscatter::cli {
namespace {

// The typed read-out's rule: nothing outside 0.005 to 1000, nor where the table has no answer.
std::optional<FunctionValues> ValueAt(const LogLogTable& table, double x) {
  if (!IsTypedMomentumInRange(x)) return std::nullopt;
  return InterpolateAt(table, x);
}

void WriteTable(const NamedTable& named, Format format, OutputBuffer& out) {
  RowWriter writer(out, format, named.name);
  const ScatteringTable& table = named.table;
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
    writer.row(*x, ValueAt(table, *x));
  }
  if (std::ferror(in)) return Status::Failed("cannot read standard input");
  return Status::Ok();
}

Status WriteValues(const Invocation& invocation, const LogLogTable& table, RowWriter& writer,
                   std::FILE* in, const OutputBuffer& out) {
  switch (invocation.source) {
    case Source::Listed:
      for (double x : invocation.momenta) writer.row(x, ValueAt(table, x));
      return Status::Ok();
    case Source::StandardInput:
      return StreamMomenta(in, table, writer, out);
    default:
      for (std::size_t k = 0; k < invocation.grid.count && !out.failed(); ++k) {
        const double x = GridPoint(invocation, k);
        writer.row(x, ValueAt(table, x));
      }
      return Status::Ok();
  }
}

// How a command ended: failed with a reason, or done with or without values out of range.
struct Outcome {
  Status status;
  bool valuesMissing = false;
};

Outcome RunAt(const Invocation& invocation, std::FILE* in, OutputBuffer& out) {
  NamedTable loaded;
  if (Status status = LoadTable(invocation.dataFolder, invocation.table, loaded); !status.ok()) {
    return {status};
  }
  RowWriter writer(out, invocation.format, loaded.name);
  const LogLogTable table(loaded.table);
  if (Status status = WriteValues(invocation, table, writer, in, out); !status.ok()) {
    return {status};
  }
  writer.finish();
  return {Status::Ok(), writer.anyMissing()};
}

Outcome RunCommand(const Invocation& invocation, std::FILE* in, OutputBuffer& out) {
  if (invocation.version || invocation.help) {
    out.text(invocation.version ? VersionText() : HelpText(invocation.command));
    return {};
  }
  if (invocation.command == Command::At) return RunAt(invocation, in, out);
  NamedTable named;
  const Status status = invocation.command == Command::Show
                            ? LoadTable(invocation.dataFolder, invocation.table, named)
                            : MakeMaterial(invocation, named);
  if (status.ok()) WriteTable(named, invocation.format, out);
  return {status};
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
  // An installed program started anywhere finds the same tables and materials as its window.
  if (invocation.dataFolder.empty() && !invocation.help && !invocation.version) {
    invocation.dataFolder = ProgramWorkingFolder(programFolder);
  }
  OutputBuffer output(out);
  const Outcome outcome = RunCommand(invocation, in, output);
  if (!outcome.status.ok()) return Fail(err, outcome.status.error);
  if (!output.flush()) return Fail(err, "cannot write to standard output");
  return outcome.valuesMissing ? kValuesOutOfRange : kDone;
}

}  // namespace xscatter::cli
