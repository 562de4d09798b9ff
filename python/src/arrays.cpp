#include "arrays.hpp"

namespace kyr_python {

triples as_triples(const py::handle& value, const char* what)
{
    auto data = double_array::ensure(value);
    if (!data)
        throw py::value_error(std::string(what) + ": not an array of numbers");
    const bool single = data.ndim() == 1 && data.shape(0) == 3;
    if (!single && !(data.ndim() == 2 && data.shape(1) == 3))
        throw py::value_error(std::string(what) + ": expected shape (3,) or (n, 3)");
    return {data, single ? 1 : static_cast<std::size_t>(data.shape(0)), single};
}

double_array new_matrix(std::size_t rows, std::size_t columns, bool single)
{
    if (single)
        return double_array(py::array::ShapeContainer{static_cast<py::ssize_t>(columns)});
    return double_array(
        py::array::ShapeContainer{static_cast<py::ssize_t>(rows), static_cast<py::ssize_t>(columns)});
}

} // namespace kyr_python
