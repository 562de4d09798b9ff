// The kyr module: the generated classes, the lists, the document and the colour functions.
#include "colour.hpp"
#include "document.hpp"
#include "errors.hpp"
#include "lists.hpp"

#include <kyr/version.hpp>

namespace kyr_python {
void bind_classes(py::module_& m);
}

PYBIND11_MODULE(_kyr, m)
{
    using namespace kyr_python;
    m.doc() = "Reads, validates, computes on and writes Kyr colour-data documents.";
    m.attr("__version__") = KYR_VERSION_STRING;
    bind_errors(m);
    py::class_<node>(m, "Node", "An object in a document; it raises ReferenceError once removed from it.");
    bind_lists(m);
    bind_classes(m);
    bind_spectral_arrays(m);
    bind_document(m);
    py::module_ colour =
        m.def_submodule("colour", "Colorimetry, colour differences and verdicts over numpy arrays.");
    bind_colour(colour);
}
