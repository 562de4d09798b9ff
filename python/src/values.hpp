// Binary values as Python bytes.
#ifndef KYR_PYTHON_VALUES_HPP
#define KYR_PYTHON_VALUES_HPP

#include <kyr/lmx/binary.hpp>

#include <pybind11/pybind11.h>

#include <string>

namespace kyr_python {

namespace py = pybind11;

inline py::bytes to_bytes(const lmx::c_binary& value)
{
    std::string bytes(value.size(), '\0');
    value.get(reinterpret_cast<unsigned char*>(&bytes[0]), bytes.size());
    return py::bytes(bytes);
}

inline lmx::c_binary from_bytes(const py::bytes& value)
{
    const std::string bytes = value;
    return lmx::c_binary(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

} // namespace kyr_python

#endif
