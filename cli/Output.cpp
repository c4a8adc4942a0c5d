#include "Output.h"

#include <algorithm>
#include <cstring>

#include "xscatter/TableText.h"

namespace xscatter::cli {
namespace {

constexpr std::size_t kBlockSize = 1 << 16;
// Every finite double fits with a blank to spare, so text columns stay aligned in a stream
// whose values are not known in advance.
constexpr std::size_t kTextColumn = kLongestShortestNumber;

char Separator(Format format) {
  return format == Format::Tsv ? '\t' : ',';
}

std::string JsonString(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

}  // namespace

OutputBuffer::OutputBuffer(std::FILE* stream) : stream_(stream), block_(kBlockSize) {}

void OutputBuffer::text(std::string_view text) {
  makeRoom(text.size());
  if (text.size() > block_.size()) {
    failed_ |= std::fwrite(text.data(), 1, text.size(), stream_) != text.size();
    return;
  }
  std::memcpy(block_.data() + used_, text.data(), text.size());
  used_ += text.size();
}

void OutputBuffer::number(double v, std::size_t width) {
  makeRoom(std::max(width, kLongestShortestNumber + 1));
  char* start = block_.data() + used_;
  const std::size_t written = WriteShortestNumber(start, v) - start;
  used_ += written;
  if (width > 0) padTo(width, written);
}

void OutputBuffer::padTo(std::size_t width, std::size_t written) {
  const std::size_t blanks = written < width ? width - written : 1;
  makeRoom(blanks);
  std::memset(block_.data() + used_, ' ', blanks);
  used_ += blanks;
}

bool OutputBuffer::flush() {
  if (used_ > 0) failed_ |= std::fwrite(block_.data(), 1, used_, stream_) != used_;
  used_ = 0;
  failed_ |= std::fflush(stream_) != 0;
  return !failed_;
}

void OutputBuffer::makeRoom(std::size_t size) {
  if (used_ + size <= block_.size()) return;
  failed_ |= std::fwrite(block_.data(), 1, used_, stream_) != used_;
  used_ = 0;
}

RowWriter::RowWriter(OutputBuffer& out, Format format, std::string_view tableName)
    : out_(out), format_(format) {
  heading(tableName);
}

void RowWriter::heading(std::string_view tableName) {
  switch (format_) {
    case Format::Text: {
      const std::string delimited = DelimitedHeading(tableName, ' ');
      out_.text(delimited.substr(0, delimited.find('\n') + 1));  // the comment line alone
      out_.text("x");
      out_.padTo(kTextColumn, 1);
      out_.text("F(x)");
      out_.padTo(kTextColumn, 4);
      out_.text("S(x)\n");
      return;
    }
    case Format::Json:
      out_.text("{\"table\": " + JsonString(tableName) + ", \"rows\": [");
      return;
    default:
      out_.text(DelimitedHeading(tableName, Separator(format_)));
  }
}

void RowWriter::row(double x, const std::optional<FunctionValues>& values) {
  anyMissing_ |= !values;
  switch (format_) {
    case Format::Text:
      return textRow(x, values);
    case Format::Json:
      return jsonRow(x, values);
    default:
      return delimitedRow(x, values);
  }
}

void RowWriter::finish() {
  if (format_ == Format::Json) out_.text(firstRow_ ? "]}\n" : "\n]}\n");
}

void RowWriter::textRow(double x, const std::optional<FunctionValues>& values) {
  out_.number(x, kTextColumn);
  if (!values) return out_.text("out of range\n");
  out_.number(values->F, kTextColumn);
  out_.number(values->S);
  out_.text("\n");
}

void RowWriter::delimitedRow(double x, const std::optional<FunctionValues>& values) {
  const char separator[] = {Separator(format_), '\0'};
  out_.number(x);
  out_.text(separator);
  if (values) out_.number(values->F);
  out_.text(separator);
  if (values) out_.number(values->S);
  out_.text("\n");
}

void RowWriter::jsonRow(double x, const std::optional<FunctionValues>& values) {
  out_.text(firstRow_ ? "\n  {\"x\": " : ",\n  {\"x\": ");
  firstRow_ = false;
  out_.number(x);
  if (!values) return out_.text(", \"F\": null, \"S\": null}");
  out_.text(", \"F\": ");
  out_.number(values->F);
  out_.text(", \"S\": ");
  out_.number(values->S);
  out_.text("}");
}

}  // namespace xscatter::cli
