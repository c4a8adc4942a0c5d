#include "Output.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "xscatter/TableText.h"
#include "xscatter/Text.h"

namespace xscatter::cli {
namespace {

constexpr std::size_t kBlockSize = 1 << 16;
// Every finite double fits with a blank to spare, so text columns stay aligned in a stream
// whose values are not known in advance.
constexpr std::size_t kTextColumn = kLongestShortestNumber;
constexpr std::string_view kMissingText = "out of range";

char Separator(Format format) {
  return format == Format::Tsv ? '\t' : ',';
}

}  // namespace

OutputBuffer::OutputBuffer(std::FILE* stream) : stream_(stream), block_(kBlockSize) {}

void OutputBuffer::text(std::string_view text) {
  makeRoom(text.size());
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
  write(completed_);
  used_ = 0;
  failed_ |= std::fflush(stream_) != 0;
  return !failed_;
}

// The complete part goes out and the piece in progress moves to the front; a piece longer
// than a block gets a longer block.
void OutputBuffer::makeRoom(std::size_t size) {
  if (used_ + size <= block_.size()) return;
  write(completed_);
  if (used_ + size > block_.size()) block_.resize(used_ + size);
}

void OutputBuffer::write(std::size_t size) {
  if (size > 0) failed_ |= std::fwrite(block_.data(), 1, size, stream_) != size;
  std::memmove(block_.data(), block_.data() + size, used_ - size);
  used_ -= size;
  completed_ -= size;
}

TableWriter::TableWriter(OutputBuffer& out, Format format, const Heading& heading,
                         std::span<const Column> columns)
    : out_(out), format_(format) {
  for (const Column& column : columns) {
    const bool first = prefixes_.empty();
    if (format_ == Format::Json) {
      prefixes_.push_back((first ? "{" : ", ") + JsonString(column.key) + ": ");
    } else {
      // Text aligns its values instead of separating them.
      const bool separated = !first && format_ != Format::Text;
      prefixes_.push_back(separated ? std::string(1, Separator(format_)) : std::string());
    }
  }
  writeHeading(heading, columns);
  out_.complete();
}

void TableWriter::writeHeading(const Heading& heading, std::span<const Column> columns) {
  if (format_ == Format::Json) {
    out_.text("{");
    for (const Field& field : heading.fields) {
      out_.text(JsonString(field.key) + ": ");
      if (const auto* text = std::get_if<std::string>(&field.value)) {
        out_.text(JsonString(*text));
      } else if (const auto* number = std::get_if<double>(&field.value)) {
        out_.number(*number);
      } else {
        out_.text("null");
      }
      out_.text(", ");
    }
    out_.text("\"rows\": [");
    return;
  }
  if (format_ == Format::Text) out_.text("# " + Printable(heading.comment) + "\n");
  for (std::size_t k = 0; k < columns.size(); ++k) {
    out_.text(prefixes_[k]);
    out_.text(columns[k].name);
    if (format_ == Format::Text && k + 1 < columns.size()) {
      out_.padTo(kTextColumn, CharacterCount(columns[k].name));
    }
  }
  out_.text("\n");
}

void TableWriter::row(std::span<const std::optional<double>> values) {
  beginRow();
  for (std::size_t k = 0; k < prefixes_.size(); ++k) value(k, values[k]);
  endRow();
}

void TableWriter::row(std::span<const Cell> cells) {
  beginRow();
  for (std::size_t k = 0; k < prefixes_.size(); ++k) {
    if (const auto* words = std::get_if<std::string_view>(&cells[k])) {
      text(k, *words);
    } else {
      value(k, std::get<std::optional<double>>(cells[k]));
    }
  }
  endRow();
}

void TableWriter::beginRow() {
  if (format_ == Format::Json) out_.text(firstRow_ ? "\n  " : ",\n  ");
  firstRow_ = false;
}

void TableWriter::value(std::size_t k, const std::optional<double>& value) {
  const bool last = k + 1 == prefixes_.size();
  const bool given = value && std::isfinite(*value);
  anyMissing_ |= !given;
  if (!prefixes_[k].empty()) out_.text(prefixes_[k]);
  if (given) {
    out_.number(*value, format_ == Format::Text && !last ? kTextColumn : 0);
  } else if (format_ == Format::Json) {
    out_.text("null");
  } else if (format_ == Format::Text) {
    out_.text(kMissingText);
    if (!last) out_.padTo(kTextColumn, kMissingText.size());
  }
}

void TableWriter::text(std::size_t k, std::string_view text) {
  out_.text(prefixes_[k]);
  const std::string printable = Printable(text);
  switch (format_) {
    case Format::Json:
      out_.text(JsonString(text));
      return;
    case Format::Csv:
      if (printable.find_first_of(",\"") == std::string::npos) break;
      out_.text("\"");
      for (char c : printable)
        out_.text(c == '"' ? std::string_view("\"\"") : std::string_view(&c, 1));
      out_.text("\"");
      return;
    case Format::Text:
      out_.text(printable);
      if (k + 1 < prefixes_.size()) out_.padTo(kTextColumn, CharacterCount(printable));
      return;
    case Format::Tsv:
      break;
  }
  out_.text(printable);
}

void TableWriter::endRow() {
  out_.text(format_ == Format::Json ? "}" : "\n");
  out_.complete();
}

void TableWriter::finish(std::string_view error) {
  if (format_ == Format::Json) {
    out_.text(firstRow_ ? "]" : "\n]");
    if (!error.empty()) out_.text(", \"error\": " + JsonString(error));
    out_.text("}\n");
  }
  out_.complete();
}

}  // namespace xscatter::cli
