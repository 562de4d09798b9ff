// numpy arrays of colour triples: reading (n, 3) or (3,) input, making (n, 3) output.
#ifndef KYR_PYTHON_ARRAYS_HPP
#define KYR_PYTHON_ARRAYS_HPP

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cstddef>
#include <string>

namespace kyr_python {

namespace py = pybind11;

using double_array = py::array_t<double, py::array::c_style | py::array::forcecast>;

/// A C-ordered array of triples: `count` rows of three doubles, the input's own when it is one.
struct triples
{
    double_array data;
    std::size_t count;
    bool single; // the input was one triple, shape (3,)
    const double* row(std::size_t i) const { return data.data() + 3 * (count == 1 ? 0 : i); }
};

/// `value` as triples; ValueError unless its shape is (3,) or (n, 3). `what` names it.
triples as_triples(const py::handle& value, const char* what);

/// A new (rows, columns) array of doubles, or (columns,) when rows is 0 and `single`.
double_array new_matrix(std::size_t rows, std::size_t columns, bool single = false);

} // namespace kyr_python

#endif
