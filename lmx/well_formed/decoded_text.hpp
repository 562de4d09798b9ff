// Internal: a document's bytes as characters for the strict check.
#ifndef KYR_LMX_WELL_FORMED_DECODED_TEXT_HPP
#define KYR_LMX_WELL_FORMED_DECODED_TEXT_HPP

#include <kyr/lmx/error.hpp>

#include <string>
#include <string_view>

namespace lmx::well_formed {

struct s_decoded
{
    std::u32string text;       // line ends as single line feeds
    elmx_error code = ELMX_OK; // with the text decoded up to the fault
    const char* message = "";
};

// Decodes by the byte order mark or the declared encoding; only XML characters pass.
s_decoded decode_document(std::string_view bytes);

} // namespace lmx::well_formed

#endif
