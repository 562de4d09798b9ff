// kyr.colour: colorimetry, colour differences and tolerance verdicts over numpy arrays,
// computed in C++ without the GIL.
#ifndef KYR_PYTHON_COLOUR_HPP
#define KYR_PYTHON_COLOUR_HPP

#include <pybind11/pybind11.h>

namespace kyr_python {

namespace py = pybind11;

void bind_colour(py::module_& colour);

} // namespace kyr_python

#endif
