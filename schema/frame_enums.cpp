// Reading and setting enumerated texts: each is read as a string, with the
// string's checks and messages, and then stored as its enumeration's string.
#include <kyr/schema/frame.hpp>

namespace kyr {
namespace schema {
namespace {

// The string a value is read into before it is stored; kept, so that reading
// an enumerated value allocates nothing once the longest one has been seen.
std::wstring& read_buffer()
{
    thread_local std::wstring text;
    return text;
}

} // namespace

bool frame::read_value(lmx::c_xml_reader& reader, std::string* name, enum_text* value, bool* present,
                       const s_facets& facets, const lmx::s_event_map* next, elmx_error* error)
{
    std::wstring& text = read_buffer();
    bool read = false;
    const bool ok = read_value(reader, name, &text, &read, facets, next, error);
    if (read) {
        value->assign(text, facets);
        if (present)
            *present = true;
    }
    return ok;
}

bool frame::read_attribute(lmx::c_xml_reader& reader, const std::string& name, enum_text* value,
                           bool* present, const s_facets& facets, elmx_error* error)
{
    if (*present) {
        const path_step step(reader, name, "@");
        if (!report(reader, lmx::ELMX_ATTRIBUTE_ALREADY_READ, name, error))
            return false;
    }
    std::wstring& text = read_buffer();
    bool read = false;
    const bool ok = read_attribute(reader, name, &text, &read, facets, error);
    if (read) {
        value->assign(text, facets);
        *present = true;
    }
    return ok;
}

bool frame::read_text(lmx::c_xml_reader& reader, const std::string& name, enum_text* value, bool* present,
                      const s_facets& facets, bool not_empty, bool optional, elmx_error* error)
{
    std::wstring& text = read_buffer();
    bool read = false;
    const bool ok = read_text(reader, name, &text, &read, facets, not_empty, optional, error);
    if (read) {
        value->assign(text, facets);
        *present = true;
    }
    return ok;
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
