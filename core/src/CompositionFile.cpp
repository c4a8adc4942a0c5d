#include "CompositionFile.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <map>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "DataText.h"
#include "RegularFile.h"
#include "xscatter/AtomicFile.h"
#include "xscatter/Elements.h"

namespace fs = std::filesystem;

namespace xscatter {
namespace {

constexpr std::string_view kFirstLine = "xscatter-composition 1";
constexpr std::string_view kSuffix = ".composition";
// A few hundred bytes in practice; anything much longer was not written here.
constexpr std::size_t kReadLimit = 64 * 1024;

// FNV-1a over the rows' text, each row ended by a line feed.
std::uint64_t Fingerprint(const TableLines& lines) {
  std::uint64_t hash = 14695981039346656037u;
  const auto take = [&hash](char c) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211u;
  };
  for (int row = 1; row <= kTableRows; ++row) {
    for (char c : lines[row]) take(c);
    take('\n');
  }
  return hash;
}

std::string Hex(std::uint64_t value) {
  char text[17];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value, 16);
  return std::string(16 - static_cast<std::size_t>(end - text), '0') + std::string(text, end);
}

// As short as it reads back exactly.
std::string Number(double value) {
  char text[32];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  return {text, end};
}

bool IsPositive(double value) {
  return value > 0 && std::isfinite(value);
}

// A line break inside a value would end it early.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

Result<std::string> CompositionText(const Composition& composition, std::uint64_t fingerprint) {
  std::string atoms;
  for (const AtomCount& count : composition.atoms) {
    const Element* element = ElementOf(count.Z);
    if (!element) return Status::Failed("no element of Z = " + std::to_string(count.Z));
    if (!atoms.empty()) atoms += ' ';
    atoms += std::string(element->symbol) + ':' + Number(count.atoms);
  }
  return std::string(kFirstLine) + "\ntable " + Hex(fingerprint) + "\nname " +
         OneLine(composition.name) + "\nunit " + OneLine(composition.unit) + "\nmolar-mass " +
         Number(composition.molarMass) + "\natoms " + atoms + "\n";
}

// "H:2 O:1"; none unless every element and number is good.
std::optional<std::vector<AtomCount>> Atoms(std::string_view text) {
  const auto numbers = ElementNumbers(text);
  if (!numbers || numbers->empty()) return {};
  std::vector<AtomCount> atoms;
  for (const auto& [Z, n] : *numbers) {
    if (!IsPositive(n)) return {};
    atoms.push_back({Z, n});
  }
  return atoms;
}

}  // namespace

fs::path CompositionFileOf(const fs::path& tableFile) {
  fs::path kept = tableFile;
  kept += kSuffix;
  return kept;
}

Status KeepComposition(const fs::path& tableFile, const ScatteringTable& table,
                       const std::optional<Composition>& composition) {
  const fs::path file = CompositionFileOf(tableFile);
  if (!composition) {
    std::error_code error;
    fs::remove(file, error);
    if (error) return FailedFile(file, "cannot be removed: " + error.message());
    return Status::Ok();
  }
  TableLines lines;
  for (int row = 1; row <= kTableRows; ++row) {
    const auto line = FormatTableLine(table.x[row], table.F[row], table.S[row]);
    if (!line) return FailedFile(tableFile, "a value does not fit its columns");
    lines[row] = *line;
  }
  const auto text = CompositionText(*composition, Fingerprint(lines));
  if (!text) return text.status();
  return WriteFileAtomically(file, *text);
}

std::optional<Composition> KeptComposition(const fs::path& tableFile, const TableLines& lines) {
  const auto text = ReadSmallFile(CompositionFileOf(tableFile), kReadLimit);
  if (!text) return {};
  std::string_view rest = *text;
  std::map<std::string_view, std::string_view> values;
  bool first = true;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (std::exchange(first, false)) {
      if (line != kFirstLine) return {};
      continue;
    }
    const std::size_t blank = line.find(' ');
    if (blank != std::string_view::npos) values[line.substr(0, blank)] = line.substr(blank + 1);
  }
  if (values["table"] != Hex(Fingerprint(lines))) return {};
  const auto molarMass = DataNumber(values["molar-mass"]);
  auto atoms = Atoms(values["atoms"]);
  if (!molarMass || !IsPositive(*molarMass) || !atoms || values["name"].empty() ||
      values["unit"].empty())
    return {};
  return Composition{std::string(values["name"]), std::move(*atoms), *molarMass,
                     std::string(values["unit"])};
}

}  // namespace xscatter
