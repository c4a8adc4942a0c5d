#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "xscatter/Status.h"

namespace xscatter {

inline constexpr int kTableRows = 45;
inline constexpr int kTableSlots = kTableRows + 1;  // slot 0 is never used

// One table of momentum transfer x with the form factor F(x) and the incoherent scattering
// function S(x), rows 1 to 45 in increasing x; slot 0 carries nothing.
struct ScatteringTable {
  std::array<double, kTableSlots> x{};
  std::array<double, kTableSlots> F{};
  std::array<double, kTableSlots> S{};
};

// The raw text of the data file read last: slot k holds line k, slot 0 is never used.
using TableLines = std::array<std::string, kTableSlots>;

// The three numbers of one table row.
struct TableRow {
  double x = 0;
  double F = 0;
  double S = 0;
};

// The lenient number rule for every number read from text: blanks, tabs and line feeds are
// dropped anywhere; the value is the longest leading "sign digits . digits E|D sign digits";
// the point is the only decimal separator whatever the locale; no number at all reads as 0.
// A number too large for a double (1e999) has no value.
std::optional<double> LenientNumber(std::string_view text);

// Fields of a data-file line by column: x in 1-10, F in 11-22, S in 23-34. Never fails: a
// missing or unreadable field reads as 0.
TableRow ParseTableLine(std::string_view line);

// The written form of one row, 34 characters: x as "  .000E+00", F and S as "  .00000E+00".
// No value when a number cannot be written in its columns (negative, not finite, or an
// exponent of three digits).
std::optional<std::string> FormatTableLine(double x, double F, double S);

// Reads rows 1 to 45 of a data file (lines may end in CR LF or LF); the lines keep their first
// 34 columns. Only a regular file is read, also through a symbolic link, and only its first
// MiB. On success the table and its lines are replaced; on failure both stay as they were and
// the reason names the file.
Status ReadTableFile(const std::filesystem::path& path, ScatteringTable& table, TableLines& lines);

// Asked before each row 1 to 45 is written; false makes the write fail there. A seam for
// testing a write that breaks off part way.
using LineGate = std::function<bool(int row)>;

// Writes rows 1 to 45, each line ending in CR LF. The file is replaced atomically: either the
// complete new table is in place, or an existing file is untouched and nothing is left behind.

Status WriteTableFile(const std::filesystem::path& path, const ScatteringTable& table,
                      const LineGate& beforeLine = {});

// A table's name as shown to the user: its file name without the last four characters.
std::string DisplayName(std::string_view fileName);

}  // namespace xscatter
