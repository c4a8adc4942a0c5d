// The Python module xscatter: a thin layer that turns array-likes into contiguous float64
// arrays, runs the core's loops without the GIL and turns failures into Python exceptions.
// All arithmetic stays in the core.
#include <dlfcn.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Docstrings.h"
#include "xscatter/Composition.h"
#include "xscatter/CrossSections.h"
#include "xscatter/DataFolders.h"
#include "xscatter/Elements.h"
#include "xscatter/Formula.h"
#include "xscatter/Interpolation.h"
#include "xscatter/Kinematics.h"
#include "xscatter/ReferenceMaterials.h"
#include "xscatter/TableStore.h"

namespace py = pybind11;
namespace fs = std::filesystem;

namespace xscatter::python {
namespace {

// Contiguous float64: an array that already is one passes without a copy.
using Doubles = py::array_t<double, py::array::c_style | py::array::forcecast>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

[[noreturn]] void Fail(const Status& status) {
  throw py::value_error(status.error);
}

template <typename T>
T Take(Result<T> result) {
  if (!result) Fail(result.status());
  return std::move(result).value();
}

Doubles AsDoubles(py::handle values, const char* name) {
  Doubles array = Doubles::ensure(values);
  if (!array) {
    throw py::type_error(std::string(name) + " must be a number or an array of numbers");
  }
  return array;
}

// The arguments broadcast against each other as NumPy does, each as a contiguous float64 array
// of the common shape; an argument that already has that shape is not copied.
std::vector<Doubles> Broadcast(std::initializer_list<std::pair<py::handle, const char*>> values) {
  std::vector<Doubles> arrays;
  for (const auto& [value, name] : values) arrays.push_back(AsDoubles(value, name));
  if (arrays.size() == 1) return arrays;
  py::tuple broadcast;
  try {
    broadcast = py::module_::import("numpy").attr("broadcast_arrays")(*py::cast(arrays));
  } catch (py::error_already_set& error) {
    if (!error.matches(PyExc_ValueError)) throw;
    throw py::value_error("the arguments cannot be broadcast together: " +
                          std::string(py::str(error.value())));
  }
  for (std::size_t k = 0; k < arrays.size(); ++k) arrays[k] = AsDoubles(broadcast[k], "");
  return arrays;
}

Doubles SameShape(const Doubles& like) {
  return Doubles(std::vector<py::ssize_t>(like.shape(), like.shape() + like.ndim()));
}

// Results of scalar inputs come back as plain floats, of arrays as arrays of their shape.
py::object Shaped(const Doubles& array) {
  if (array.ndim() == 0) return py::float_(*array.data());
  return array;
}

// Runs work(first, last) over blocks of 0 to n without the GIL: a large array is split among the
// machine's cores, each element is still worked out alone, so the results do not depend on the
// split.
template <typename Work>
void ForEachBlock(py::ssize_t n, const Work& work) {
  constexpr py::ssize_t kWorthAThread = 1 << 16;
  const py::ssize_t cores = std::max(1u, std::thread::hardware_concurrency());
  const py::ssize_t threads = std::clamp<py::ssize_t>(n / kWorthAThread, 1, cores);
  py::gil_scoped_release released;
  std::vector<std::jthread> helpers;
  const py::ssize_t block = (n + threads - 1) / threads;
  for (py::ssize_t first = block; first < n; first += block) {
    helpers.emplace_back([&work, first, last = std::min(n, first + block)] { work(first, last); });
  }
  work(0, std::min(n, block));
}

// Two results of one shape, worked out element by element from the broadcast inputs.
template <typename Pair>
py::tuple PairOver(const std::vector<Doubles>& inputs, const Pair& pair) {
  const Doubles& shape = inputs.front();
  Doubles first = SameShape(shape), second = SameShape(shape);
  std::vector<const double*> in;
  for (const Doubles& input : inputs) in.push_back(input.data());
  double* a = first.mutable_data();
  double* b = second.mutable_data();
  ForEachBlock(shape.size(), [&](py::ssize_t from, py::ssize_t to) {
    for (py::ssize_t k = from; k < to; ++k) std::tie(a[k], b[k]) = pair(in, k);
  });
  return py::make_tuple(Shaped(first), Shaped(second));
}

// The photon energy in keV from energy= or wavelength= (Å), exactly one of them.
py::object EnergyArgument(const py::object& energy, const py::object& wavelength) {
  if (energy.is_none() == wavelength.is_none()) {
    throw py::value_error("give either energy (keV) or wavelength (angstrom)");
  }
  if (!energy.is_none()) return energy;
  const Doubles lambda = AsDoubles(wavelength, "wavelength");
  Doubles energies = SameShape(lambda);
  std::transform(lambda.data(), lambda.data() + lambda.size(), energies.mutable_data(),
                 EnergyOfWavelength);
  return energies;
}

fs::path ModuleFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&ModuleFolder), &info) == 0 || !info.dli_fname) {
    return {};
  }
  return fs::path(info.dli_fname).parent_path();
}

// The folders as xscatter-table chooses them, with the tables installed beside this module.
DataFolders Folders(const py::object& data) {
  const fs::path given = data.is_none() ? fs::path() : fs::path(py::str(data).cast<std::string>());
  const fs::path installed = (ModuleFolder() / XSCATTER_TABLES_FROM_MODULE).lexically_normal();
  return Take(FindDataFolders(UserSearch(given, installed)));
}

TableStore Store(const py::object& data) {
  return TableStore(Folders(data));
}

Reading ReadingOf(const std::optional<std::string>& kind) {
  if (!kind) return Reading::Any;
  static const std::pair<const char*, Reading> kReadings[] = {
      {"path", Reading::Path},
      {"element", Reading::Element},
      {"material", Reading::Material},
      {"reference", Reading::ReferenceMaterial},
      {"formula", Reading::Formula}};
  for (const auto& [name, reading] : kReadings) {
    if (*kind == name) return reading;
  }
  throw py::value_error("kind must be one of path, element, material, reference, formula, not " +
                        *kind);
}

py::dict AtomsBySymbol(std::span<const AtomCount> atoms) {
  py::dict bySymbol;
  for (const AtomCount& atom : atoms) bySymbol[py::str(ElementOf(atom.Z)->symbol)] = atom.atoms;
  return bySymbol;
}

py::dict MassFractionsOf(std::span<const AtomCount> atoms) {
  const double molarMass = MolarMass(atoms);
  py::dict fractions;
  for (const AtomCount& atom : atoms) {
    const Element& element = *ElementOf(atom.Z);
    fractions[py::str(element.symbol)] = atom.atoms * element.atomicWeight / molarMass;
  }
  return fractions;
}

// A table ready for look-ups and cross sections, with what it is per.
class Table {
 public:
  explicit Table(NamedTable named) : named_(std::move(named)), logLog_(named_.table) {}

  const NamedTable& named() const { return named_; }

  py::object composition() const {
    if (!named_.composition) return py::none();
    return AtomsBySymbol(named_.composition->atoms);
  }

  py::tuple at(py::handle x) const {
    // A plain Python number skips the arrays, which would cost more than the look-up.
    if (PyFloat_Check(x.ptr()) || PyLong_Check(x.ptr())) {
      const auto [F, S] = readOut(x.cast<double>());
      return py::make_tuple(F, S);
    }
    const Doubles xs = AsDoubles(x, "x");
    Doubles F = SameShape(xs), S = SameShape(xs);
    const double* in = xs.data();
    double* f = F.mutable_data();
    double* s = S.mutable_data();
    ForEachBlock(xs.size(), [&](py::ssize_t from, py::ssize_t to) {
      const auto n = static_cast<std::size_t>(to - from);
      TypedReadOut(logLog_, {in + from, n}, {f + from, n}, {s + from, n});
    });
    return py::make_tuple(Shaped(F), Shaped(S));
  }

  py::tuple differential(const py::object& energy, const py::object& angle,
                         const py::object& wavelength, bool perGram) const {
    const ScatteringCurve& curve = this->curve();
    const double scale = unitScale(perGram);
    return PairOver(Broadcast({{EnergyArgument(energy, wavelength), "energy"}, {angle, "angle"}}),
                    [&curve, scale](const auto& in, py::ssize_t k) {
                      const AngleValues v = ScatteringAtAngle(curve, in[0][k], in[1][k]);
                      return std::pair(v.coherent * scale, v.incoherent * scale);
                    });
  }

  py::tuple crossSections(const py::object& energy, const py::object& wavelength,
                          bool perGram) const {
    const ScatteringCurve& curve = this->curve();
    const double scale = unitScale(perGram);
    return PairOver(Broadcast({{EnergyArgument(energy, wavelength), "energy"}}),
                    [&curve, scale](const auto& in, py::ssize_t k) {
                      const CrossSections totals = TotalCrossSections(curve, in[0][k]);
                      return std::pair(totals.coherent * scale, totals.incoherent * scale);
                    });
  }

 private:
  std::pair<double, double> readOut(double x) const {
    const std::optional<FunctionValues> v = TypedReadOut(logLog_, x);
    return v ? std::pair(v->F, v->S) : std::pair(kNaN, kNaN);
  }

  const ScatteringCurve& curve() const {
    if (!curve_) curve_ = Take(ScatteringCurve::Make(named_.table));
    return *curve_;
  }

  double unitScale(bool perGram) const {
    if (!perGram) return 1;
    if (!named_.molarMass) {
      throw py::value_error("per_gram needs the molar mass of " + named_.name +
                            ", which is not known (" + named_.per + ")");
    }
    return PerGram(*named_.molarMass);
  }

  NamedTable named_;
  LogLogTable logLog_;
  mutable std::optional<ScatteringCurve> curve_;
};

using ColumnOf = std::array<double, kTableSlots> ScatteringTable::*;

// Rows 1 to 45 of one column as a read-only array that shares the table's memory and keeps the
// table alive.
py::array Column(const py::object& self, ColumnOf column) {
  const ScatteringTable& rows = self.cast<const Table&>().named().table;
  py::array view(py::dtype::of<double>(), {kTableRows}, {sizeof(double)}, (rows.*column).data() + 1,
                 self);
  py::detail::array_proxy(view.ptr())->flags &= ~py::detail::npy_api::NPY_ARRAY_WRITEABLE_;
  return view;
}

Table FindTable(const std::string& name, const py::object& data,
                const std::optional<std::string>& kind) {
  const Reading reading = ReadingOf(kind);
  // A file named by its path needs no data folder.
  const bool path = reading == Reading::Path || (reading == Reading::Any && IsTablePath(name));
  const TableStore store = path ? TableStore(DataFolders{}) : Store(data);
  return Table(Take(store.Find(name, reading)));
}

// A material is saved under a plain name into the material folder, which is made if needed.
void Save(const TableStore& store, const std::string& name, const NamedTable& named) {
  if (Status status = CheckPlainFileName(name); !status.ok()) Fail(status);
  if (Status status = MakeMaterialFolder(store.folders()); !status.ok()) Fail(status);
  if (Status status = store.SaveMaterial(name, named.table, named.composition); !status.ok()) {
    Fail(status);
  }
}

Table MakeMaterial(const std::string& name, const Composition& composition, bool save,
                   const py::object& data) {
  const TableStore store = Store(data);
  NamedTable named = Take(store.Combine(composition));
  named.name = name;
  if (save) Save(store, name, named);
  return Table(std::move(named));
}

Composition CompoundComposition(const py::object& atoms) {
  if (py::isinstance<py::str>(atoms)) return Take(CompositionOfFormula(atoms.cast<std::string>()));
  std::vector<std::string> terms;
  for (const auto& [symbol, count] : atoms.cast<py::dict>()) {
    terms.push_back(py::str(symbol).cast<std::string>() + ":" +
                    py::str(py::float_(count.cast<double>())).cast<std::string>());
  }
  const std::vector<std::string_view> views(terms.begin(), terms.end());
  return Take(CompositionOfAtoms(views));
}

Composition MixtureComposition(const py::dict& parts) {
  std::vector<MixturePart> mixture;
  for (const auto& [formula, percent] : parts) {
    mixture.push_back(
        {Take(CompositionOfFormula(py::str(formula).cast<std::string>())), percent.cast<double>()});
  }
  return Take(MixtureByMass(mixture));
}

py::dict FormulaInfo(const std::string& text) {
  const Formula formula = Take(ParseFormula(text));
  py::dict info;
  info["formula"] = FormulaText(formula.atoms);
  info["molar_mass"] = formula.molarMass;
  info["atoms"] = AtomsBySymbol(formula.atoms);
  info["mass_fractions"] = MassFractionsOf(formula.atoms);
  return info;
}

py::list MaterialsList() {
  py::list list;
  for (const ReferenceMaterial& material : ReferenceMaterials()) {
    py::dict fractions;
    for (const MassFraction& part : material.massFractions) {
      fractions[py::str(ElementOf(part.Z)->symbol)] = part.fraction;
    }
    py::dict entry;
    entry["id"] = material.id;
    entry["name"] = material.name;
    entry["density"] = material.density;
    entry["mass_fractions"] = fractions;
    list.append(entry);
  }
  return list;
}

double AtomicWeight(const std::string& symbol) {
  const Element* element = FindElement(symbol);
  if (!element) throw py::value_error("no element " + Quoted(symbol));
  return element->atomicWeight;
}

py::object MomentumTransfer(const py::object& energy, const py::object& angle,
                            const py::object& wavelength) {
  const std::vector<Doubles> in =
      Broadcast({{EnergyArgument(energy, wavelength), "energy"}, {angle, "angle"}});
  Doubles x = SameShape(in[0]);
  std::transform(in[0].data(), in[0].data() + in[0].size(), in[1].data(), x.mutable_data(),
                 MomentumTransferAtEnergy);
  return Shaped(x);
}

}  // namespace
}  // namespace xscatter::python

PYBIND11_MODULE(xscatter, module) {
  using namespace xscatter::python;
  using xscatter::ScatteringTable;
  module.doc() = docs::kModule;
  module.attr("__version__") = XSCATTER_VERSION;

  py::class_<Table>(module, "Table", docs::kTable)
      .def_property_readonly(
          "name", [](const Table& t) { return t.named().name; }, docs::kName)
      .def_property_readonly(
          "unit", [](const Table& t) { return t.named().per; }, docs::kUnit)
      .def_property_readonly(
          "molar_mass", [](const Table& t) { return t.named().molarMass; }, docs::kMolarMass)
      .def_property_readonly("composition", &Table::composition, docs::kComposition)
      .def_property_readonly(
          "x", [](const py::object& self) { return Column(self, &ScatteringTable::x); }, docs::kX)
      .def_property_readonly(
          "F", [](const py::object& self) { return Column(self, &ScatteringTable::F); }, docs::kF)
      .def_property_readonly(
          "S", [](const py::object& self) { return Column(self, &ScatteringTable::S); }, docs::kS)
      .def("at", &Table::at, py::arg("x"), docs::kAt)
      .def("differential", &Table::differential, py::kw_only(), py::arg("energy") = py::none(),
           py::arg("angle"), py::arg("wavelength") = py::none(), py::arg("per_gram") = false,
           docs::kDifferential)
      .def("cross_sections", &Table::crossSections, py::kw_only(), py::arg("energy") = py::none(),
           py::arg("wavelength") = py::none(), py::arg("per_gram") = false, docs::kCrossSections)
      .def("__repr__", [](const Table& t) {
        return "<xscatter.Table " + t.named().name + ", " + t.named().per + ">";
      });

  module.def("table", &FindTable, py::arg("name"), py::kw_only(), py::arg("data") = py::none(),
             py::arg("kind") = py::none(), docs::kTableFunction);
  module.def("momentum_transfer", &MomentumTransfer, py::kw_only(), py::arg("energy") = py::none(),
             py::arg("angle"), py::arg("wavelength") = py::none(), docs::kMomentumTransfer);
  module.def("formula", &FormulaInfo, py::arg("formula"), docs::kFormula);
  module.def("atomic_weight", &AtomicWeight, py::arg("symbol"), docs::kAtomicWeight);
  module.def("materials", &MaterialsList, docs::kMaterials);
  module.def(
      "compound",
      [](const std::string& name, const py::object& atoms, bool save, const py::object& data) {
        return MakeMaterial(name, CompoundComposition(atoms), save, data);
      },
      py::arg("name"), py::arg("atoms"), py::kw_only(), py::arg("save") = false,
      py::arg("data") = py::none(), docs::kCompound);
  module.def(
      "mixture",
      [](const std::string& name, const py::dict& parts, bool save, const py::object& data) {
        return MakeMaterial(name, MixtureComposition(parts), save, data);
      },
      py::arg("name"), py::arg("parts"), py::kw_only(), py::arg("save") = false,
      py::arg("data") = py::none(), docs::kMixture);
  module.def(
      "data_folder",
      [](const py::object& data) { return Folders(data).materials.parent_path().string(); },
      py::kw_only(), py::arg("data") = py::none(), docs::kDataFolder);
}
