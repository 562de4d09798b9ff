// kyr.Document and the whole-document calls: load, parse, save, to_xml, and the document's
// colours as arrays.
#ifndef KYR_PYTHON_DOCUMENT_HPP
#define KYR_PYTHON_DOCUMENT_HPP

#include "py_classes.hpp"

namespace kyr_python {

/// The document element of a document the Python object owns (through its node).
struct py_document : py_Kyr
{
    explicit py_document(const std::shared_ptr<owner>& document)
        : py_Kyr(node(document), document->document.generated())
    {
    }
    kyr::Document& whole() const
    {
        check();
        return document()->document;
    }
};

void bind_document(py::module_& m);
/// Reflectances and wavelengths of spectral values as arrays.
void bind_spectral_arrays(py::module_& m);

} // namespace kyr_python

#endif
