// The reader's attribute searches and name resolution in its current scope.
#include <kyr/lmx/xml_reader.hpp>

#include <cstring>

namespace lmx {

namespace {

bool is_qname_start(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
}

bool is_qname_char(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-'
        || c == '_';
}

bool is_qname_part(const std::string& part)
{
    if (part.empty() || !is_qname_start(part[0]))
        return false;
    for (size_t i = 1; i < part.size(); ++i)
        if (!is_qname_char(part[i]))
            return false;
    return true;
}

} // namespace

bool c_xml_reader::get_named_attribute(int ns_id, const std::string& local_name, std::string* value)
{
    skip_attribute_value();
    size_t pos = get_attribute_read_position();
    const char* name = nullptr;
    char quote = 0;
    const char* raw = nullptr;
    bool found = false;
    while (attribute_at(&pos, &name, &quote, &raw)) {
        const char* colon = std::strchr(name, ':');
        if (local_name != (colon ? colon + 1 : name))
            continue;
        const int id = colon ? m_current_local->find_namespace_id(std::string(name, colon)) : k_ns_id_none;
        if (id != ns_id)
            continue;
        value->clear();
        found = expand_attribute_value(raw - get_attribute_data(), value, ELMX_WHITESPACE_PRESERVE);
        break;
    }
    restart_attributes();
    return found;
}

bool c_xml_reader::get_xsi_type(int* ns_id, std::string* type_name)
{
    if (!get_named_attribute(k_ns_id_xsi, "type", &m_text))
        return false;
    const c_cracked_name type(m_current_local, m_text);
    *type_name = type.get_local_name();
    *ns_id = type.get_element_ns_id();
    return true;
}

bool c_xml_reader::is_xsi_attribute(const std::string& name) const
{
    return c_xml::is_xsi_attribute(m_current_local, name);
}

void c_xml_reader::get_namespace(const std::string& qname, std::string* uri) const
{
    const int id = get_ns_id(m_current_local, qname);
    if (id == k_ns_id_unresolved) {
        *uri = k_namespace_not_found;
    } else if (id == k_ns_id_none) {
        uri->clear();
    } else {
        const char* text = find_namespace_from_id(id);
        *uri = text ? text : "";
    }
}

bool c_xml_reader::is_valid_qname(const std::string& name) const
{
    const c_cracked_name cracked(m_current_local, name);
    if (cracked.get_ns_id() == k_ns_id_unresolved)
        return false;
    if (cracked.get_has_ns_prefix() && !is_qname_part(cracked.get_ns_prefix()))
        return false;
    return is_qname_part(cracked.get_local_name());
}

} // namespace lmx
