// The Python module xscatter: a thin layer that turns array-likes into contiguous float64
// arrays, runs the core's loops without the GIL and turns failures into Python exceptions.
// All arithmetic stays in the core.
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

#include "xscatter/Interpolation.h"
#include "xscatter/ScatteringTable.h"

namespace py = pybind11;

namespace xscatter::python {
namespace {

// Contiguous float64: an array that already is one passes without a copy.
using Doubles = py::array_t<double, py::array::c_style | py::array::forcecast>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

Doubles AsDoubles(py::handle values, const char* name) {
  Doubles array = Doubles::ensure(values);
  if (!array) throw py::type_error(std::string(name) + " must be a number or an array of numbers");
  return array;
}

Doubles SameShape(const Doubles& like) {
  return Doubles(std::vector<py::ssize_t>(like.shape(), like.shape() + like.ndim()));
}

// Results of a scalar input come back as plain floats, of an array as arrays of its shape.
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
  const py::ssize_t threads = std::clamp<py::ssize_t>(
      n / kWorthAThread, 1, std::max(1u, std::thread::hardware_concurrency()));
  py::gil_scoped_release released;
  std::vector<std::jthread> helpers;
  const py::ssize_t block = (n + threads - 1) / threads;
  for (py::ssize_t first = block; first < n; first += block) {
    helpers.emplace_back([&work, first, last = std::min(n, first + block)] { work(first, last); });
  }
  work(0, std::min(n, block));
}

// A table ready for look-ups, with what it is.
class Table {
 public:
  Table(std::string name, const ScatteringTable& rows)
      : name_(std::move(name)), rows_(rows), logLog_(rows) {}

  const std::string& name() const { return name_; }

  py::tuple at(py::handle xs) const {
    const Doubles x = AsDoubles(xs, "x");
    Doubles F = SameShape(x), S = SameShape(x);
    const double* in = x.data();
    double* f = F.mutable_data();
    double* s = S.mutable_data();
    ForEachBlock(x.size(), [&](py::ssize_t first, py::ssize_t last) {
      for (py::ssize_t k = first; k < last; ++k) {
        const std::optional<FunctionValues> v = TypedReadOut(logLog_, in[k]);
        f[k] = v ? v->F : kNaN;
        s[k] = v ? v->S : kNaN;
      }
    });
    return py::make_tuple(Shaped(F), Shaped(S));
  }

  const ScatteringTable& rows() const { return rows_; }

 private:
  std::string name_;
  ScatteringTable rows_;
  LogLogTable logLog_;
};

using ColumnOf = std::array<double, kTableSlots> ScatteringTable::*;

// Rows 1 to 45 of one column as a read-only array that shares the table's memory and keeps the
// table alive.
py::array Column(py::object self, ColumnOf column) {
  const ScatteringTable& rows = self.cast<const Table&>().rows();
  py::array view(py::dtype::of<double>(), {kTableRows}, {sizeof(double)}, (rows.*column).data() + 1,
                 self);
  py::detail::array_proxy(view.ptr())->flags &= ~py::detail::npy_api::NPY_ARRAY_WRITEABLE_;
  return view;
}

Table LoadTable(const std::string& path) {
  ScatteringTable rows;
  TableLines lines;
  if (Status status = ReadTableFile(path, rows, lines); !status.ok()) {
    throw py::value_error(status.error);
  }
  return Table(DisplayName(std::filesystem::path(path).filename().string()), rows);
}

}  // namespace
}  // namespace xscatter::python

PYBIND11_MODULE(xscatter, module) {
  using namespace xscatter::python;
  module.doc() = R"(Atomic form factors, incoherent scattering functions and photon cross sections.

The tables are those of Hubbell et al., J. Phys. Chem. Ref. Data 4, 471 (1975): the atomic form
factor F(x) and the incoherent scattering function S(x) of the momentum transfer
x = sin(theta/2)/lambda in 1/angstrom.)";
  module.attr("__version__") = XSCATTER_VERSION;

  py::class_<Table>(module, "Table", "A scattering table: F(x) and S(x) at 45 momentum transfers.")
      .def_property_readonly("name", &Table::name, "The table's name.")
      .def_property_readonly(
          "x", [](py::object self) { return Column(self, &xscatter::ScatteringTable::x); },
          "ndarray: momentum transfers x = sin(theta/2)/lambda of the 45 rows, in 1/angstrom.")
      .def_property_readonly(
          "F", [](py::object self) { return Column(self, &xscatter::ScatteringTable::F); },
          "ndarray: the form factor F(x) of the 45 rows, per unit of the table.")
      .def_property_readonly(
          "S", [](py::object self) { return Column(self, &xscatter::ScatteringTable::S); },
          "ndarray: the incoherent scattering function S(x) of the 45 rows, per unit of the table.")
      .def("at", &Table::at, py::arg("x"), "F and S at x.");
  module.def("table", &LoadTable, py::arg("name"));
}
