#include <kyr/lmx/reader_limits.hpp>
#include <kyr/lmx/xml.hpp>

#include "messages.hpp"
#include "xml_lexer.hpp"

namespace lmx {

c_xml::c_xml(c_read& source, c_error& errors, bool char_ref_obeys_ws_mode)
    : m_attributes(1, '\0'), m_attribute_pos(0), m_value_pending(false), m_source(source)
{
    // The byte storage of xml.hpp is the lexer and the DTD reader themselves, in their places.
    static_assert(sizeof(c_get_for_xml) == k_lexer_size && alignof(c_get_for_xml) == alignof(void*),
                  "k_lexer_size must be the lexer's size");
    static_assert(sizeof(c_internal_dtd) == k_dtd_size && alignof(c_internal_dtd) == alignof(void*),
                  "k_dtd_size must be the DTD reader's size");
    new (m_lexer) c_get_for_xml(source, errors, char_ref_obeys_ws_mode);
    new (m_dtd) c_internal_dtd(lexer());
}

c_xml::~c_xml()
{
    dtd().~c_internal_dtd();
    lexer().~c_get_for_xml();
}

void c_xml::add_general_entity(const char* name, const char* value)
{
    lexer().add_general_entity(name, value);
}

void c_xml::add_parameter_entity(const char* name, const char* value)
{
    lexer().add_parameter_entity(name, value);
}

int c_xml::get_line_num() const
{
    return lexer().get_line_num();
}

int c_xml::get_column_num() const
{
    return lexer().get_column_num();
}

void c_xml::note_tag_places(bool on)
{
    m_note_tag_places = on;
    lexer().track_line_starts(on);
}

const char* c_xml::get_source_id() const
{
    return lexer().get_source_id();
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
    lexer().rewind();
    lexer().set_dtd_read(false);
    lexer().set_element_seen(false);
    m_namespaces.clear();
    m_attributes.assign(1, '\0');
    m_declarations.clear();
    m_attribute_pos = 0;
    m_value_pending = false;
}

bool c_xml::fail_limit(e_limit limit)
{
    struct s_bound
    {
        const char* what;
        size_t value;
        const char* unit;
    };
    static const s_bound bounds[] = {
        {message::k_nested_too_deeply, k_max_element_depth, "levels"},
        {message::k_name_too_long, k_max_name_length, "bytes"},
        {message::k_too_many_attributes, k_max_attribute_count, "attributes"},
        {message::k_attribute_too_long, k_max_attribute_length, "bytes"},
        {message::k_text_too_long, k_max_text_length, "bytes"},
    };
    const s_bound& bound = bounds[limit];
    lexer().error(ELMX_ERROR_TYPE_FATAL, ELMX_NOT_WELL_FORMED,
                  message::past_limit(bound.what, bound.value, bound.unit));
    return false;
}

} // namespace lmx
