// Whatever loads cleanly must write cleanly and load back to the same document: the texts
// written from the first and the second load are identical. One refusal is by design:
// reading accepts an empty element whose type needs children (an empty Person), and
// writing such a document is refused with ELMX_OCCURRENCE_ERROR_ON_MARSHAL.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <kyr/io/document_result.hpp>
#include <kyr/schema/classes/Kyr.hpp>

namespace {

[[noreturn]] void fail(const char* what, int code)
{
    std::fprintf(stderr, "round trip broken: %s (code %d)\n", what, code);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    com_kyrandel_v2::Kyr first;
    if (first.unmarshal(reinterpret_cast<const char*>(data), size) != lmx::ELMX_OK)
        return 0;
    const com_kyrandel_v2::XMLDocumentResult written = first.writeString();
    if (written.getElmxError() == lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL)
        return 0;
    if (written.getElmxError() != lmx::ELMX_OK)
        fail("a loaded document does not write", written.getElmxError());

    com_kyrandel_v2::Kyr second;
    const lmx::elmx_error reloaded = second.loadString(written.getXmlDocument());
    if (reloaded != lmx::ELMX_OK)
        fail("a written document does not load", reloaded);
    const com_kyrandel_v2::XMLDocumentResult rewritten = second.writeString();
    if (rewritten.getElmxError() != lmx::ELMX_OK)
        fail("a reloaded document does not write", rewritten.getElmxError());
    if (rewritten.getXmlDocument() != written.getXmlDocument())
        fail("the reloaded document differs", 0);
    return 0;
}
