#include "xscatter/ScatteringTable.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>
#include <system_error>
#include <vector>

#include "RegularFile.h"
#include "xscatter/AtomicFile.h"
#include "xscatter/FileDescriptor.h"

namespace xscatter {
namespace {

constexpr int kMomentumDigits = 3;
constexpr int kFunctionDigits = 5;
constexpr std::size_t kMomentumWidth = 10;
constexpr std::size_t kFunctionWidth = 12;
constexpr std::size_t kFunctionColumn = kMomentumWidth;
constexpr std::size_t kScatteringColumn = kMomentumWidth + kFunctionWidth;
constexpr std::size_t kKeptColumns = kScatteringColumn + kFunctionWidth;
// A table file is under 2 kB; one that has not given 45 lines by 1 MiB is no table, whatever
// it is, and reading on would cost time and memory without end.
constexpr std::size_t kReadLimit = std::size_t{1} << 20;
constexpr std::size_t kReadChunk = 16 * 1024;

bool IsDroppedBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsExponentLetter(char c) {
  return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// The pieces of the longest leading number in a text without blanks.
struct NumberText {
  bool negative = false;
  std::string_view integer;
  std::string_view fraction;
  bool exponentNegative = false;
  std::string_view exponent;
};

// Advances pos over digits and returns them.
std::string_view TakeDigits(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return text.substr(start, pos - start);
}

bool TakeSign(std::string_view text, std::size_t& pos) {
  if (pos >= text.size() || (text[pos] != '+' && text[pos] != '-')) return false;
  return text[pos++] == '-';
}

// The exponent only counts when at least one digit follows its letter and sign, so that
// "1.5e" or "2E+" still read as their mantissa.
void TakeExponent(std::string_view text, std::size_t pos, NumberText& number) {
  if (pos >= text.size() || !IsExponentLetter(text[pos])) return;
  ++pos;
  const bool negative = TakeSign(text, pos);
  const std::string_view digits = TakeDigits(text, pos);
  if (digits.empty()) return;
  number.exponentNegative = negative;
  number.exponent = digits;
}

std::optional<NumberText> SplitNumber(std::string_view text) {
  NumberText number;
  std::size_t pos = 0;
  number.negative = TakeSign(text, pos);
  number.integer = TakeDigits(text, pos);
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    number.fraction = TakeDigits(text, pos);
  }
  if (number.integer.empty() && number.fraction.empty()) return std::nullopt;
  TakeExponent(text, pos, number);
  return number;
}

// The canonical form from_chars reads: no plus sign, always an integer digit, 'e' exponent.
std::string CanonicalText(const NumberText& number) {
  std::string text;
  if (number.negative) text += '-';
  text += number.integer.empty() ? std::string_view("0") : number.integer;
  if (!number.fraction.empty()) (text += '.') += number.fraction;
  if (!number.exponent.empty()) {
    text += number.exponentNegative ? "e-" : "e";
    text += number.exponent;
  }
  return text;
}

// Whether a number from_chars found out of range lies above the doubles rather than below:
// its leading significant digit stands at a positive power of ten.
bool IsTooLarge(const NumberText& number) {
  constexpr long kExponentCap = 1'000'000;
  long exponent = 0;
  for (char c : number.exponent) exponent = std::min(exponent * 10 + (c - '0'), kExponentCap);
  if (number.exponentNegative) exponent = -exponent;
  const std::size_t firstInteger = number.integer.find_first_not_of('0');
  if (firstInteger != std::string_view::npos) {
    return exponent + static_cast<long>(number.integer.size() - firstInteger) - 1 > 0;
  }
  const std::size_t firstFraction = number.fraction.find_first_not_of('0');
  if (firstFraction == std::string_view::npos) return false;
  return exponent - static_cast<long>(firstFraction) - 1 > 0;
}

std::string WithoutBlanks(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
               [](char c) { return !IsDroppedBlank(c); });
  return kept;
}

double FieldValue(std::string_view line, std::size_t column, std::size_t width) {
  if (column >= line.size()) return 0;
  return LenientNumber(line.substr(column, width)).value_or(0);
}

// One field of the written form: two blanks, a point, `digits` mantissa digits, E and a signed
// two-digit exponent, for 0.d1d2... x 10^e.
std::optional<std::string> FormatField(double v, int digits) {
  if (!std::isfinite(v) || v < 0) return std::nullopt;
  if (v == 0) return "  ." + std::string(digits, '0') + "E+00";
  // to_chars rounds to d1.d2...e(e-1), carrying into the exponent where the mantissa rounds up.
  char buffer[32];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, digits - 1);
  if (ec != std::errc()) return std::nullopt;
  const std::string_view written(buffer, end - buffer);
  const std::size_t e = written.find('e');
  int exponent = 0;
  std::from_chars(written.data() + e + (written[e + 1] == '+' ? 2 : 1), end, exponent);
  ++exponent;
  if (exponent < -99 || exponent > 99) return std::nullopt;
  std::string field = "  .";
  field += written[0];
  if (digits > 1) field += written.substr(2, digits - 1);
  field += exponent < 0 ? "E-" : "E+";
  const int magnitude = std::abs(exponent);
  field += static_cast<char>('0' + magnitude / 10);
  field += static_cast<char>('0' + magnitude % 10);
  return field;
}

// Splits the bytes of a file into its first 45 lines as they arrive. Nothing after column 34
// is ever needed, so each line keeps only that far, and a file of one endless line costs no
// memory. One byte more is held while a line runs, for a CR that may end it.
class LineCollector {
 public:
  void Take(std::string_view bytes) {
    while (!bytes.empty() && !complete()) {
      const std::size_t end = bytes.find('\n');
      const std::size_t room = kKeptColumns + 1 - std::min(current_.size(), kKeptColumns + 1);
      current_ += bytes.substr(0, std::min(end, room));
      if (end == std::string_view::npos) return;
      Finish();
      bytes.remove_prefix(end + 1);
    }
  }
  // At the end of the file a last line without its line end counts when it holds anything.
  void End() {
    if (!current_.empty() && !complete()) Finish();
  }
  bool complete() const { return count_ == kTableRows; }
  int count() const { return count_; }
  const std::string& line(int row) const { return lines_[row]; }

 private:
  void Finish() {
    if (!current_.empty() && current_.back() == '\r') current_.pop_back();
    if (current_.size() > kKeptColumns) current_.resize(kKeptColumns);
    lines_[++count_] = std::move(current_);
    current_.clear();
  }

  TableLines lines_;
  std::string current_;
  int count_ = 0;
};

// The written lines of rows 1 to 45, each with its CR LF; no value if a row does not fit.
std::optional<std::vector<std::string>> FormatTable(const ScatteringTable& table) {
  std::vector<std::string> lines;
  lines.reserve(kTableRows);
  for (int row = 1; row <= kTableRows; ++row) {
    const auto line = FormatTableLine(table.x[row], table.F[row], table.S[row]);
    if (!line) return std::nullopt;
    lines.push_back(*line + "\r\n");
  }
  return lines;
}

}  // namespace

std::optional<double> LenientNumber(std::string_view text) {
  const std::string compact = WithoutBlanks(text);
  const auto number = SplitNumber(compact);
  if (!number) return 0.0;
  const std::string canonical = CanonicalText(*number);
  double value = 0;
  const auto [end, ec] = std::from_chars(canonical.data(), canonical.data() + canonical.size(),
                                         value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    if (IsTooLarge(*number)) return std::nullopt;
    return 0.0;
  }
  if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

TableRow ParseTableLine(std::string_view line) {
  return {FieldValue(line, 0, kMomentumWidth), FieldValue(line, kFunctionColumn, kFunctionWidth),
          FieldValue(line, kScatteringColumn, kFunctionWidth)};
}

std::optional<std::string> FormatTableLine(double x, double F, double S) {
  const auto xField = FormatField(x, kMomentumDigits);
  const auto fField = FormatField(F, kFunctionDigits);
  const auto sField = FormatField(S, kFunctionDigits);
  if (!xField || !fField || !sField) return std::nullopt;
  return *xField + *fField + *sField;
}

Status ReadTableFile(const std::filesystem::path& path, ScatteringTable& table, TableLines& lines) {
  FileDescriptor file;
  off_t size = 0;
  if (Status status = OpenRegularFile(path, file, size); !status.ok()) return status;
  LineCollector collector;
  std::array<char, kReadChunk> buffer;
  for (std::size_t total = 0; !collector.complete();) {
    if (total == kReadLimit) return FailedFile(path, "has no 45 lines within its first 1 MiB");
    const ssize_t got = ::read(file.get(), buffer.data(), std::min(kReadChunk, kReadLimit - total));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return FailedFile(path, std::string("cannot be read: ") + std::strerror(errno));
    if (got == 0) break;
    // One on a file system not known above claims a size of 0 and yields data all the same.
    if (size == 0) return FailedFile(path, kMadeAsRead);
    total += static_cast<std::size_t>(got);
    collector.Take(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
  }
  collector.End();
  if (!collector.complete()) {
    return FailedFile(path, "only " + std::to_string(collector.count()) + " lines");
  }
  for (int row = 1; row <= kTableRows; ++row) {
    lines[row] = collector.line(row);
    const TableRow parsed = ParseTableLine(lines[row]);
    table.x[row] = parsed.x;
    table.F[row] = parsed.F;
    table.S[row] = parsed.S;
  }
  return Status::Ok();
}

Status WriteTableFile(const std::filesystem::path& path, const ScatteringTable& table,
                      const LineGate& beforeLine) {
  const auto lines = FormatTable(table);
  if (!lines) return FailedFile(path, "a value does not fit its columns");
  AtomicWriteSeam seam;
  if (beforeLine) {
    seam.beforePiece = [&beforeLine](std::size_t piece) { return beforeLine(int(piece) + 1); };
  }
  return WriteFileAtomically(path, *lines, seam);
}

std::string DisplayName(std::string_view fileName) {
  constexpr std::size_t kExtensionLength = 4;
  if (fileName.size() <= kExtensionLength) return {};
  return std::string(fileName.substr(0, fileName.size() - kExtensionLength));
}

}  // namespace xscatter
