#pragma once

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Arguments.h"

namespace xscatter::cli {

// Collects the output in one large block and hands it to the stream a block at a time, so that
// a long run of values costs no library call per value. Only what was marked complete ever
// reaches the stream: output cut short by an error ends after its last complete piece (a whole
// row), never inside one.
class OutputBuffer {
 public:
  explicit OutputBuffer(std::FILE* stream);

  void text(std::string_view text);
  // The shortest text that reads back to v, followed by blanks up to width (at least one).
  void number(double v, std::size_t width = 0);
  // Blanks after a text of `written` characters up to width (at least one).
  void padTo(std::size_t width, std::size_t written);
  // Everything written so far may reach the stream.
  void complete() { completed_ = used_; }
  // Hands the complete output to the stream and drops the rest; false once the stream has
  // refused any part of the output.
  bool flush();
  bool failed() const { return failed_; }

 private:
  void makeRoom(std::size_t size);
  void write(std::size_t size);

  std::FILE* stream_;
  std::vector<char> block_;
  std::size_t used_ = 0;
  std::size_t completed_ = 0;
  bool failed_ = false;
};

// One column of a table: its key in JSON, and its name with the unit in brackets in the header
// of the other formats ("x", "x (1/Å)").
struct Column {
  std::string_view key;
  std::string_view name;
};

// A value that JSON gives beside the rows: a text, a number, or null (std::monostate).
struct Field {
  std::string_view key;
  std::variant<std::monostate, double, std::string> value;
};

// What a table's output says before its rows.
struct Heading {
  std::string comment;        // the text format's comment line, without its "# "
  std::vector<Field> fields;  // JSON's keys before "rows", in order
};

// One value of a row that may also be a text: a name, an element symbol.
using Cell = std::variant<std::optional<double>, std::string_view>;

// Puts out a table in one format, a whole row at a time:
//   text  the comment line, the column names, then one aligned line per row;
//   csv   the column names, then one line per row (so that a spreadsheet, numpy.genfromtxt
//   tsv   with names=True and pandas.read_csv take the first line as the header);
//   json  {"field": value, ..., "rows": [{"key": value, ...}, ...]}.
// A missing value (or one that is not finite) is "out of range" in text, an empty field in CSV
// and TSV, and null in JSON. Texts are escaped: the comment line and JSON cannot be broken by a
// name holding a line end, a control character or bytes that are not UTF-8.
class TableWriter {
 public:
  TableWriter(OutputBuffer& out, Format format, const Heading& heading,
              std::span<const Column> columns);

  // One row: a value or none for each column, in the order of the columns.
  void row(std::span<const std::optional<double>> values);
  // One row of values and texts. A text is quoted in CSV where it holds a separator or a quote.
  void row(std::span<const Cell> cells);
  // Closes the document. With a reason, the rows stopped early: JSON then ends with
  // "error": reason beside the rows, so that it stays valid and says it is incomplete.
  void finish(std::string_view error = {});
  bool anyMissing() const { return anyMissing_; }

 private:
  void writeHeading(const Heading& heading, std::span<const Column> columns);
  void beginRow();
  void value(std::size_t k, const std::optional<double>& value);
  void text(std::size_t k, std::string_view text);
  void endRow();

  OutputBuffer& out_;
  Format format_;
  std::vector<std::string> prefixes_;  // what goes before each value of a row
  bool firstRow_ = true;
  bool anyMissing_ = false;
};

}  // namespace xscatter::cli
