// Why a document cannot be written: writeFile and writeString stop at the first item that
// is missing (46) or at text XML cannot carry (6); this check goes through the whole
// document and names every one, with its path.
#ifndef KYR_IO_WRITE_CHECK_HPP
#define KYR_IO_WRITE_CHECK_HPP

#include <kyr/export.hpp>
#include <kyr/schema/classes/Kyr.hpp>
#include <kyr/schema/diagnostics.hpp>

namespace kyr::io {

// Records in `found` every mandatory item that is not set (an element, an attribute, a
// choice with nothing chosen) and every value holding a character XML cannot carry.
// Returns the first one's code (46 or 6), or ELMX_OK when the document can be written.
KYR_API lmx::elmx_error check_writable(const com_kyrandel_v2::Kyr& document, kyr::diagnostics& found);

} // namespace kyr::io

#endif
