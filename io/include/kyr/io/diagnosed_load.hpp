// Loads that give back every error they can get past, each with its place, beside the code
// that loadFile and loadString return.
#ifndef KYR_IO_DIAGNOSED_LOAD_HPP
#define KYR_IO_DIAGNOSED_LOAD_HPP

#include <kyr/export.hpp>
#include <kyr/schema/classes/Kyr.hpp>
#include <kyr/schema/diagnostics.hpp>

#include <string>
#include <string_view>

namespace lmx {
class c_xml_reader;
}

namespace kyr::io {

// How the text is read: as loadFile does, or refused unless it is well-formed XML first.
enum class checking { lenient, strict };

// Reads a document from `reader` into `document`, recording in `found` every error and
// reading on past each one where the document's structure allows. Returns the first
// error's code, or ELMX_OK.
KYR_API lmx::elmx_error load_with_diagnostics(lmx::c_xml_reader& reader, com_kyrandel_v2::Kyr& document,
                                              kyr::diagnostics& found, checking mode = checking::lenient);

// The same for a plain file or a ".kyrz" container (by its UTF-8 path; a container's failure
// is ELMX_USER_DEFINED_1 with its reason, and one that holds more than one entry is an
// error too) and for UTF-8 text in memory.
KYR_API lmx::elmx_error load_file_with_diagnostics(const std::string& path, com_kyrandel_v2::Kyr& document,
                                                   kyr::diagnostics& found,
                                                   checking mode = checking::lenient);
KYR_API lmx::elmx_error load_string_with_diagnostics(std::string_view xml, com_kyrandel_v2::Kyr& document,
                                                     kyr::diagnostics& found,
                                                     checking mode = checking::lenient);

} // namespace kyr::io

#endif
