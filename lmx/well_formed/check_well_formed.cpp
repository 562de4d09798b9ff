#include <kyr/lmx/well_formed.hpp>

#include "checker.hpp"
#include "decoded_text.hpp"

#include <algorithm>

namespace lmx {

elmx_error check_well_formed(std::string_view document, s_well_formed_fault* fault)
{
    const well_formed::s_decoded decoded = well_formed::decode_document(document);
    elmx_error code = decoded.code;
    std::size_t at = decoded.text.size();
    std::string message = decoded.message;
    if (code == ELMX_OK) {
        well_formed::c_checker checker(decoded.text);
        code = checker.check_document();
        at = checker.fault_offset();
        message = checker.fault_message();
    }
    if (code != ELMX_OK && fault != nullptr) {
        const auto begin = decoded.text.begin();
        const auto place = begin + static_cast<std::ptrdiff_t>(std::min(at, decoded.text.size()));
        const auto line_start =
            std::find(std::make_reverse_iterator(place), decoded.text.rend(), U'\n').base();
        fault->code = code;
        fault->line = static_cast<std::size_t>(std::count(begin, place, U'\n')) + 1;
        fault->column = static_cast<std::size_t>(place - line_start) + 1;
        fault->message = std::move(message);
    }
    return code;
}

} // namespace lmx
