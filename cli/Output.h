#pragma once

#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "Arguments.h"
#include "xscatter/Interpolation.h"

namespace xscatter::cli {

// Collects the output in one large block and hands it to the stream a block at a time, so that
// a long run of values costs no library call per value. Nothing reaches the stream before a
// block is full or flush() is called, so output abandoned on an error is never seen.
class OutputBuffer {
 public:
  explicit OutputBuffer(std::FILE* stream);

  void text(std::string_view text);
  // The shortest text that reads back to v, followed by blanks up to width (at least one).
  void number(double v, std::size_t width = 0);
  void padTo(std::size_t width, std::size_t written);
  // False once the stream has refused any part of the output.
  bool flush();
  bool failed() const { return failed_; }

 private:
  void makeRoom(std::size_t size);

  std::FILE* stream_;
  std::vector<char> block_;
  std::size_t used_ = 0;
  bool failed_ = false;
};

// Puts out a table's values in one format: a heading naming the table, one line per momentum
// transfer, and a closing. A momentum transfer without values is "out of range" in text, an
// empty field in CSV and TSV, and null in JSON.
class RowWriter {
 public:
  RowWriter(OutputBuffer& out, Format format, std::string_view tableName);

  void row(double x, const std::optional<FunctionValues>& values);
  void finish();
  bool anyMissing() const { return anyMissing_; }

 private:
  void heading(std::string_view tableName);
  void textRow(double x, const std::optional<FunctionValues>& values);
  void delimitedRow(double x, const std::optional<FunctionValues>& values);
  void jsonRow(double x, const std::optional<FunctionValues>& values);

  OutputBuffer& out_;
  Format format_;
  bool firstRow_ = true;
  bool anyMissing_ = false;
};

}  // namespace xscatter::cli
