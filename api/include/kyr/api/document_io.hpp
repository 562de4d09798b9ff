// Whole documents in and out: every load gives a fresh document, every failure a kyr::error.
#ifndef KYR_API_DOCUMENT_IO_HPP
#define KYR_API_DOCUMENT_IO_HPP

#include <kyr/export.hpp>

#include <kyr/api/classes/Kyr.hpp>

#include <string>
#include <string_view>

namespace kyr {

/// Reads the document at the UTF-8 `path`: a ".kyrz" container, else plain XML.
/// Throws kyr::error with the reader's code, message and line when the document is
/// invalid, ELMX_NO_FILE when the file cannot be opened and ELMX_USER_DEFINED_1 when a
/// container is damaged.
KYR_API Document load(std::string_view path);

/// Reads a document from its XML text (UTF-8, or any encoding its declaration names).
/// Throws kyr::error as load does.
KYR_API Document parse(std::string_view xml);

/// Writes `document` to the UTF-8 `path`: ".kyrz" makes a container, ".kyr" plain XML.
/// Stamps the writing library into the header first, as the generated writeFile does.
/// Throws kyr::error with the code when the document is incomplete or the file cannot be written.
KYR_API void save(Document& document, std::string_view path);

/// The document as UTF-8 XML text, stamped as save stamps it. Throws kyr::error as save does.
KYR_API std::string to_xml(Document& document);

} // namespace kyr

#endif
