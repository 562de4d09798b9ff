// Reading and setting enumerated texts: each is checked as a string, with the
// string's checks and messages, and stored as its enumeration's string.
#include <kyr/schema/frame.hpp>

namespace kyr {
namespace schema {
namespace {

// Whether `text` is ASCII and reads as `enumerator`. Enumerators of one type tend to share
// a prefix ("Illuminant_D50", "Illuminant_D65"), so the last unit goes first.
bool reads_as(std::string_view text, const std::wstring& enumerator)
{
    const std::size_t n = text.size();
    if (enumerator.size() != n || (n != 0 && enumerator[n - 1] != static_cast<unsigned char>(text[n - 1])))
        return false;
    unsigned bytes = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (enumerator[i] != byte)
            return false;
        bytes |= byte;
    }
    return bytes < 0x80;
}

} // namespace

bool enum_text::assign_utf8(std::string_view text, const s_facets& facets)
{
    // An ASCII text decodes to its own bytes, so it is matched as it stands; any other text
    // is decoded and matched as a string.
    if (facets.values && facets.texts) {
        const std::wstring* texts = facets.texts();
        for (std::size_t i = 0; facets.values[i]; ++i)
            if (reads_as(text, texts[i])) {
                share(texts[i]);
                return true;
            }
    }
    std::wstring decoded;
    lmx::convert_whole(&decoded, text);
    assign(decoded, facets);
    return facets.values && is_enumerated(decoded, facets.values);
}

elmx_error parse_value(std::string_view text, enum_text* value, const s_facets& facets)
{
    const bool enumerated = value->assign_utf8(text, facets);
    const elmx_error code = checks_text(facets) ? check_text_facets(text, facets) : lmx::ELMX_OK;
    if (code != lmx::ELMX_OK)
        return code;
    return facets.values && !enumerated ? lmx::ELMX_VALUE_NOT_ENUMERATED : lmx::ELMX_OK;
}

elmx_error frame::set_value(const std::wstring& value, enum_text* member, bool* present,
                            const s_facets& facets)
{
    const elmx_error code = check_value(value, facets);
    if (code != lmx::ELMX_OK)
        return code;
    member->assign(value, facets);
    if (present)
        *present = true;
    return lmx::ELMX_OK;
}

} // namespace schema
} // namespace kyr
