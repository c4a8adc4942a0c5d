#include "xscatter/TableStore.h"

#include <system_error>

namespace fs = std::filesystem;

namespace xscatter {
namespace {

bool IsPath(std::string_view text) {
  return text.find('/') != std::string_view::npos || text.ends_with(kTableExtension);
}

std::string TableFileName(std::string_view name) {
  return std::string(name) + std::string(kTableExtension);
}

// The words for what a table's F and S are per. An element's table is per atom; what a material
// or a file of unknown origin is per, the file does not tell.
std::string PerWords(Reading reading, const NamedTable& named) {
  const std::string fileName = named.file.filename().string();
  switch (reading) {
    case Reading::Element:
      return "per atom of " + named.name;
    case Reading::Material:
      return "per unit of the material in " + fileName;
    default:
      return "per unit of the table in " + fileName;
  }
}

Result<NamedTable> ReadNamed(Reading reading, const fs::path& file) {
  NamedTable named;
  named.name = DisplayName(file.filename().string());
  named.reading = reading;
  named.file = file;
  named.per = PerWords(reading, named);
  TableLines lines;
  if (Status status = ReadTableFile(file, named.table, lines); !status.ok()) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(file, error))) {
      return Status::Failed("no " + file.filename().string() + " in " +
                            file.parent_path().string());
    }
    return status;
  }
  return named;
}

}  // namespace

Status CheckPlainFileName(std::string_view name) {
  if (name.empty()) return Status::Failed("empty file name");
  if (name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos) {
    return Status::Failed("file name " + Quoted(name) + " is not a plain name");
  }
  return Status::Ok();
}

Result<NamedTable> TableStore::Find(std::string_view text, Reading reading) const {
  switch (reading) {
    case Reading::Path: {
      std::error_code error;
      const fs::path file = fs::absolute(fs::path(text), error);
      return ReadNamed(Reading::Path, error ? fs::path(text) : file);
    }
    case Reading::Element:
    case Reading::Material:
      return Open(reading, TableFileName(text));
    case Reading::ReferenceMaterial:
      return Status::Failed("no reference material " + Quoted(text) + ": none are known yet");
    case Reading::Formula:
      return Status::Failed(Quoted(text) + " cannot be read as a formula yet");
    case Reading::Any:
      break;
  }
  if (IsPath(text)) return Find(text, Reading::Path);
  const std::string fileName = TableFileName(text);
  if (CheckPlainFileName(text).ok()) {
    for (Reading kind : {Reading::Element, Reading::Material}) {
      std::error_code error;
      const fs::path folder = kind == Reading::Element ? folders_.elements : folders_.materials;
      if (fs::is_regular_file(folder / fileName, error)) return Open(kind, fileName);
    }
  }
  return Status::Failed("unknown table " + Quoted(text) + ": no " + fileName + " in " +
                        folders_.elements.string() + " or " + folders_.materials.string());
}

Result<NamedTable> TableStore::OpenElement(std::string_view fileName) const {
  return Open(Reading::Element, fileName);
}

Result<NamedTable> TableStore::OpenMaterial(std::string_view fileName) const {
  return Open(Reading::Material, fileName);
}

Result<NamedTable> TableStore::Open(Reading reading, std::string_view fileName) const {
  if (Status status = CheckPlainFileName(fileName); !status.ok()) return status;
  const fs::path& folder = reading == Reading::Element ? folders_.elements : folders_.materials;
  return ReadNamed(reading, folder / fileName);
}

Status TableStore::SaveMaterial(std::string_view name, const ScatteringTable& table) const {
  if (Status status = CheckPlainFileName(name); !status.ok()) return status;
  return WriteTableFile(folders_.materials / TableFileName(name), table);
}

}  // namespace xscatter
