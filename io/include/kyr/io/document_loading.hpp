// Loading a document with the reader's own words: what Kyr::loadFile does, for callers that
// show why a document was refused (the line and the item) rather than only its code.
#ifndef KYR_IO_DOCUMENT_LOADING_HPP
#define KYR_IO_DOCUMENT_LOADING_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <string>
#include <string_view>

#include <kyr/lmx/error.hpp>

namespace lmx {
class c_xml_reader;
}

namespace com_kyrandel_v2 {
class Kyr;
}

namespace kyr::io {

// A name ending in ".kyrz" is a container, one ending in ".kyr" a plain document; the endings
// are compared exactly, so ".KYRZ" is neither.
KYR_API bool names_container(std::string_view path);
KYR_API bool names_container(std::wstring_view path);
KYR_API bool names_plain_document(std::string_view path);
KYR_API bool names_plain_document(std::wstring_view path);

// How a document is read: by the lenient reader of loadFile, strictly (the text must be
// well-formed XML first), or checked for well-formedness alone, the document left as it was.
enum class xml_check { lenient, strict, xml_only };

enum class load_outcome { loaded, invalid, unreadable };

struct s_load_report
{
    load_outcome outcome = load_outcome::loaded;
    // The code loadFile returns for the same file.
    lmx::elmx_error code = lmx::ELMX_OK;
    // Empty when loaded: the reader's message ("line:12-'Kyr:Header'-Mandatory element
    // missing"), the strict check's fault, the archive's failure or the system's reason.
    std::string message;
    // Where the strict check found its fault, counted from 1; both 0 for other messages.
    std::size_t line = 0;
    std::size_t column = 0;
    // The line the reader had reached when it stopped; 0 when nothing was read.
    int reader_line = 0;
};

// Reads the document of `reader` into `document`.
KYR_API s_load_report read_with_report(lmx::c_xml_reader& reader, com_kyrandel_v2::Kyr& document,
                                       xml_check check = xml_check::lenient);

// Loads the file at the UTF-8 `path` into `document`: a container when names_container(path),
// else plain XML. Loading adds to what `document` holds, so it should be fresh; a container
// that fails its archive checks leaves it as it was. Never raises.
KYR_API s_load_report load_with_report(const std::string& path, com_kyrandel_v2::Kyr& document,
                                       xml_check check = xml_check::lenient);

} // namespace kyr::io

#endif
