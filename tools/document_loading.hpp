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
    std::string message;  // empty when loaded
};

// Loads into `document`, which should be fresh, since loading adds to what it
// holds. An invalid document comes back with the reader's message ("line:12-
// 'Kyr:Header'-Mandatory element missing"), an unreadable file with the
// system's reason.
load_result load_document(const std::string& path, com_kyrandel_v2::Kyr& document);

} // namespace kyr_tool
