#include "errors.hpp"

#include "node.hpp"

#include <kyr/api/error.hpp>

namespace kyr_python {

namespace {

PyObject* kyr_error_type = nullptr;

// The exception object of `error`: its message, and each diagnostic the error carries as a
// (code, line, message) tuple; today one, the error itself.
py::object exception_of(const kyr::error& error)
{
    py::object exception = py::reinterpret_borrow<py::object>(kyr_error_type)(error.what());
    exception.attr("code") = static_cast<int>(error.code());
    exception.attr("line") = error.line();
    exception.attr("message") = std::string(error.what());
    py::list diagnostics;
    diagnostics.append(
        py::make_tuple(static_cast<int>(error.code()), error.line(), std::string(error.what())));
    exception.attr("diagnostics") = diagnostics;
    return exception;
}

} // namespace

void bind_errors(py::module_& m)
{
    kyr_error_type = PyErr_NewExceptionWithDoc(
        "kyr.KyrError",
        "A document that failed to load, save or take a value: code, line, message and diagnostics.",
        PyExc_Exception, nullptr);
    m.attr("KyrError") = py::handle(kyr_error_type);
    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown)
                std::rethrow_exception(thrown);
        } catch (const kyr::error& error) {
            py::object exception = exception_of(error);
            PyErr_SetObject(kyr_error_type, exception.ptr());
        } catch (const stale_object& error) {
            PyErr_SetString(PyExc_ReferenceError, error.what());
        }
    });
}

} // namespace kyr_python
