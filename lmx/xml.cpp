#include <kyr/lmx/xml.hpp>

namespace lmx {

c_xml::c_xml(c_read& source, c_error& errors, bool char_ref_obeys_ws_mode)
    : m_lexer(source, errors, char_ref_obeys_ws_mode),
      m_dtd(m_lexer),
      m_attributes(1, '\0'),
      m_attribute_pos(0),
      m_value_pending(false),
      m_source(source)
{
}

void c_xml::get_namespace_prefix(const std::string& qname, std::string* prefix)
{
    const size_t colon = qname.find(':');
    if (colon == std::string::npos)
        prefix->clear();
    else
        prefix->assign(qname, 0, colon);
}

void c_xml::get_local_name(const std::string& qname, std::string* local_name)
{
    const size_t colon = qname.find(':');
    if (colon == std::string::npos)
        *local_name = qname;
    else
        local_name->assign(qname, colon + 1, std::string::npos);
}

int c_xml::get_ns_id(const c_xml_local* scope, const std::string& qname)
{
    if (!scope)
        return k_ns_id_unresolved;
    const size_t colon = qname.find(':');
    if (colon == std::string::npos)
        return scope->find_namespace_id(std::string());
    return scope->find_namespace_id(qname.substr(0, colon));
}

bool c_xml::is_xsi_attribute(const c_xml_local* scope, const std::string& name)
{
    return get_ns_id(scope, name) == k_ns_id_xsi;
}

void c_xml::rewind()
{
    m_lexer.rewind();
    m_lexer.set_dtd_read(false);
    m_lexer.set_element_seen(false);
    m_namespaces.clear();
    m_attributes.assign(1, '\0');
    m_declarations.clear();
    m_attribute_pos = 0;
    m_value_pending = false;
}

bool c_xml::fail_limit(const char* message)
{
    m_lexer.error(ELMX_ERROR_TYPE_FATAL, ELMX_NOT_WELL_FORMED, message);
    return false;
}

} // namespace lmx
