// Reads a document for any command: a plain file, a ".kyrz" container, or
// standard input ("-"), keeping the reader's own error message.
#ifndef KYR_TOOLS_DOCUMENT_LOADING_HPP
#define KYR_TOOLS_DOCUMENT_LOADING_HPP

#include <kyr/io/document_loading.hpp>
#include <kyr/schema/classes.hpp>

#include <string>

namespace kyr_tool {

using kyr::io::load_outcome;
using load_result = kyr::io::s_load_report;
// How a document is read: leniently, strictly, or checked for well-formedness alone.
using reading = kyr::io::xml_check;

// Loads into `document`, which should be fresh, since loading adds to what it
// holds. An invalid document comes back with the reader's message ("line:12-
// 'Kyr:Header'-Mandatory element missing"), an unreadable file with the
// system's reason; one the strict check refuses with its fault's text and place.
load_result load_document(const std::string& path, com_kyrandel_v2::Kyr& document,
                          reading mode = reading::lenient);

// Loads for a command: a failure is reported on standard error as "kyr: PATH: MESSAGE" and
// comes back as the command's exit status (1 invalid, 2 unreadable); 0 when loaded.
int load_for_command(const std::string& path, com_kyrandel_v2::Kyr& document);

} // namespace kyr_tool

#endif
