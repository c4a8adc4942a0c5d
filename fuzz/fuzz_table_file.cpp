// Any bytes as a data file. The reader must take exactly the first 45 lines (ended by LF or
// CR LF, the last one possibly by the end of the file), keep their first 34 columns, read each
// by its columns, and leave the table as it was when the file is shorter. A table it has read must
// be written back complete, or be refused with the previous file untouched and nothing left behind;
// the writer's line gate, driven by the input, breaks some writes off part way.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <vector>

#include "FuzzCheck.h"
#include "xscatter/ScatteringTable.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPreviousMaterial = "previous material\r\n";
constexpr std::size_t kFieldColumns = 34;

// A private folder for the process, in memory where the machine has /dev/shm, removed at exit.
class ScratchFolder {
 public:
  ScratchFolder() {
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "xscatter-fuzz-XXXXXX").string();
    Expect(mkdtemp(pattern.data()) != nullptr, "no scratch folder");
    root_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  const fs::path& root() const { return root_; }

 private:
  fs::path root_;
};

const fs::path& Scratch() {
  static const ScratchFolder folder;
  return folder.root();
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Expect(static_cast<bool>(out), "the input cannot be put in a file");
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> FolderNames() {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(Scratch())) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// The lines a line-by-line reader sees: split at LF, a last piece only if it holds anything,
// one CR before the LF dropped; of each, the 34 columns that hold its fields.
std::vector<std::string_view> Lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line.substr(0, kFieldColumns));
  }
  return lines;
}

// A table and lines that no read gives, to see whether a read touched them.
void FillWithMarks(xscatter::ScatteringTable& table, xscatter::TableLines& lines) {
  table.x.fill(-7);
  table.F.fill(-8);
  table.S.fill(-9);
  lines.fill("mark");
}

bool AreMarks(const xscatter::ScatteringTable& table, const xscatter::TableLines& lines, int slot) {
  return table.x[slot] == -7 && table.F[slot] == -8 && table.S[slot] == -9 && lines[slot] == "mark";
}

bool IsFinite(const xscatter::TableRow& row) {
  return std::isfinite(row.x) && std::isfinite(row.F) && std::isfinite(row.S);
}

void CheckReadRows(const std::vector<std::string_view>& expected,
                   const xscatter::ScatteringTable& table, const xscatter::TableLines& lines) {
  Expect(AreMarks(table, lines, 0), "a read touches slot 0");
  for (int row = 1; row <= xscatter::kTableRows; ++row) {
    Expect(lines[row] == expected[row - 1], "a line is not kept as read");
    const xscatter::TableRow parsed = xscatter::ParseTableLine(lines[row]);
    Expect(IsFinite(parsed), "a row reads as infinity or NaN");
    Expect(table.x[row] == parsed.x && table.F[row] == parsed.F && table.S[row] == parsed.S,
           "a row is not the reading of its line");
  }
}

// The file WriteTableFile must produce, or nothing when a row does not fit the layout.
std::optional<std::string> ExpectedFile(const xscatter::ScatteringTable& table) {
  std::string file;
  for (int row = 1; row <= xscatter::kTableRows; ++row) {
    const auto line = xscatter::FormatTableLine(table.x[row], table.F[row], table.S[row]);
    if (!line) return std::nullopt;
    file += *line + "\r\n";
  }
  return file;
}

void CheckWriteBack(const xscatter::ScatteringTable& table, int stopRow) {
  const fs::path target = Scratch() / "material.xfs";
  WriteBytes(target, kPreviousMaterial);
  const std::set<std::string> before = FolderNames();
  const auto gate = [stopRow](int row) { return row != stopRow; };
  const xscatter::Status status = xscatter::WriteTableFile(target, table, gate);
  const auto expected = ExpectedFile(table);
  Expect(FolderNames() == before, "a write leaves a file behind");
  if (!expected || (stopRow >= 1 && stopRow <= xscatter::kTableRows)) {
    Expect(!status.ok(), "a write that cannot be completed succeeds");
    Expect(ReadBytes(target) == kPreviousMaterial, "a failed write changes the previous file");
    return;
  }
  Expect(status.ok(), "a table that fits the layout is not written");
  Expect(ReadBytes(target) == *expected, "the written file is not the table's lines");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const fs::path input = Scratch() / "input.xfs";
  WriteBytes(input, bytes);

  xscatter::ScatteringTable table;
  xscatter::TableLines lines;
  FillWithMarks(table, lines);
  const xscatter::Status status = xscatter::ReadTableFile(input, table, lines);
  const std::vector<std::string_view> expected = Lines(bytes);
  if (expected.size() < xscatter::kTableRows) {
    Expect(!status.ok(), "a file of fewer than 45 lines is read");
    Expect(status.error.find("input.xfs") != std::string::npos, "a failure does not name the file");
    for (int slot = 0; slot <= xscatter::kTableRows; ++slot) {
      Expect(AreMarks(table, lines, slot), "a failed read changes the table");
    }
    return 0;
  }
  Expect(status.ok(), "a file of 45 lines or more is refused");
  CheckReadRows(expected, table, lines);
  // A hash of the input picks the row at which the gate stops the write; most let it finish.
  CheckWriteBack(table, static_cast<int>(std::hash<std::string_view>()(bytes) % 256));
  return 0;
}
