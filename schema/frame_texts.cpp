// Reading and setting optional texts kept out of line: each is read as a string,
// with the string's checks and messages, into the string of its box.
#include <kyr/schema/frame.hpp>

namespace kyr {
namespace schema {

bool frame::read_value(lmx::c_xml_reader& reader, std::string* name, boxed_text* value, bool* present,
                       const s_facets& facets, const lmx::s_event_map* next, elmx_error* error)
{
    const bool ok = read_value(reader, name, &value->edit(), present, facets, next, error);
    value->drop_if_empty();
    return ok;
}

bool frame::read_attribute(lmx::c_xml_reader& reader, const std::string& name, boxed_text* value,
                           bool* present, const s_facets& facets, elmx_error* error)
{
    const bool ok = read_attribute(reader, name, &value->edit(), present, facets, error);
    value->drop_if_empty();
    return ok;
}

elmx_error frame::set_value(const std::wstring& value, boxed_text* member, bool* present,
                            const s_facets& facets)
{
    const elmx_error code = check_value(value, facets);
    if (code != lmx::ELMX_OK)
        return code;
    member->assign(value);
    if (present)
        *present = true;
    return lmx::ELMX_OK;
}

} // namespace schema
} // namespace kyr
