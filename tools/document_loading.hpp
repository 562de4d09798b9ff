// Reads a document for any command: a plain file, a ".kyrz" container, or
// standard input ("-"), keeping the reader's own error message.
#pragma once

#include <kyr/schema/classes.hpp>

#include <string>

namespace kyr_tool {

enum class load_outcome { loaded, invalid, unreadable };

struct load_result
{
    load_outcome outcome;
    std::string message; // empty when loaded
    // The place of a fault the strict check found, counted from 1; 0 for a message without one.
    std::size_t line = 0;
    std::size_t column = 0;
};

// How a document is read: by the lenient reader of loadFile, strictly (the document must be
// well-formed XML first), or checked for well-formedness alone, as any XML file can be.
enum class reading { lenient, strict, xml_only };

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
