// Checks one document for kyr validate: reads it with every diagnostic the reader can give,
// then, when it reads cleanly, runs the check a write would make.
#ifndef KYR_TOOLS_DOCUMENT_CHECK_HPP
#define KYR_TOOLS_DOCUMENT_CHECK_HPP

#include "document_loading.hpp"

#include <kyr/schema/diagnostics.hpp>

#include <cstddef>
#include <string>
#include <vector>

namespace kyr_tool {

struct check_result
{
    load_outcome outcome = load_outcome::loaded;
    std::vector<kyr::diagnostic> diagnostics; // what is wrong with an invalid document
    std::string unreadable;                   // why an unreadable file could not be read
};

// `limit` bounds the diagnostics, as kyr::diagnostics does.
check_result check_document(const std::string& path, reading mode, std::size_t limit);

} // namespace kyr_tool

#endif
