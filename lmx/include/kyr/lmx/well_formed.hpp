// The strict check: whether a document is well-formed XML 1.0 (fifth edition)
// with namespaces, all of it, as the lenient reader does not insist.
#ifndef KYR_LMX_WELL_FORMED_HPP
#define KYR_LMX_WELL_FORMED_HPP

#include <kyr/export.hpp>

#include <kyr/lmx/error.hpp>

#include <cstddef>
#include <string>
#include <string_view>

namespace lmx {

// Bytes of a document a strict reader checks: it holds them and their characters (four bytes
// each) whole, five times the document at most. Default 128 MiB.
constexpr std::size_t k_max_strict_document_length = 128u * 1024u * 1024u;

// The first fault of a document: its code, its place (both counted from 1,
// the column in characters) and what is wrong there.
struct KYR_API s_well_formed_fault
{
    elmx_error code = ELMX_OK;
    std::size_t line = 0;
    std::size_t column = 0;
    std::string message;
};

// Checks the bytes of a whole document (a byte order mark included) in UTF-8,
// UTF-16, ISO-8859-1 or US-ASCII. Nothing external is read: references to
// external entities are left unchecked, as a reader that reads no external
// entity may. Returns ELMX_OK, or the code of the first fault, which is
// described in *fault when fault is not null.
KYR_API elmx_error check_well_formed(std::string_view document, s_well_formed_fault* fault = nullptr);

} // namespace lmx

#endif
