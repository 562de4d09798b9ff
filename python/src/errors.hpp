// kyr.KyrError: the one place where the library's errors become Python exceptions.
#ifndef KYR_PYTHON_ERRORS_HPP
#define KYR_PYTHON_ERRORS_HPP

#include <pybind11/pybind11.h>

namespace kyr_python {

namespace py = pybind11;

/// Defines kyr.KyrError (code, line, message, diagnostics) and ReferenceError for removed objects.
void bind_errors(py::module_& m);

} // namespace kyr_python

#endif
