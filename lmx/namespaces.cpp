#include <kyr/lmx/namespaces.hpp>

#include <cstring>

namespace lmx {

c_enumerated_namespaces::c_enumerated_namespaces() : m_next_id(k_ns_id_first_document)
{
    clear();
}

int c_enumerated_namespaces::find_namespace(const std::string& uri) const
{
    int id = k_ns_id_unresolved;
    m_ids.find(uri.c_str(), &id);
    return id;
}

const char* c_enumerated_namespaces::find_namespace_from_id(int id) const
{
    for (size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids.get_value(i) == id)
            return m_ids.get_name(i);
    return nullptr;
}

int c_enumerated_namespaces::add_namespace(const char* uri)
{
    int id = k_ns_id_unresolved;
    if (m_ids.find(uri, &id))
        return id;
    id = m_next_id++;
    m_ids.add(uri, id);
    return id;
}

int c_enumerated_namespaces::add_namespace(const char* uri, int id)
{
    int existing = k_ns_id_unresolved;
    const bool present = m_ids.find(uri, &existing);
    if (!present)
        m_ids.add(uri, id);
    if (id >= m_next_id)
        m_next_id = id + 1;
    return present ? existing : id;
}

void c_enumerated_namespaces::clear()
{
    m_ids.clear();
    m_next_id = k_ns_id_first_document;
    m_ids.add(k_xsi_namespace_uri, k_ns_id_xsi);
    m_ids.add(k_xml_namespace_uri, k_ns_id_xml);
}

c_xml_local::c_xml_local(const c_xml_local& parent) : m_parent(&parent), m_declaring(parent.m_declaring) {}

void c_xml_local::add_namespace(const char* prefix, int id)
{
    m_prefixes.add(prefix, id);
    m_declaring = this;
    forget_memo();
}

const c_xml_local* c_xml_local::next_declaring(const c_xml_local* scope) const
{
    return scope->m_parent ? scope->m_parent->m_declaring : nullptr;
}

int c_xml_local::look_up_namespace_id(std::string_view prefix) const
{
    if (prefix == "xml")
        return k_ns_id_xml;
    if (!m_declaring)
        return k_ns_id_unresolved;
    int found = k_ns_id_unresolved;
    for (const c_xml_local* scope = m_declaring; scope; scope = next_declaring(scope))
        if (scope->m_prefixes.find(prefix, &found))
            break;
    const c_xml_local& owner = *m_declaring;
    if (prefix.empty()) {
        owner.m_default_memo = found;
    } else if (prefix.size() < sizeof owner.m_memo_prefix) {
        for (size_t i = 0; i < prefix.size(); ++i)
            owner.m_memo_prefix[i] = prefix[i];
        owner.m_memo_length = static_cast<unsigned char>(prefix.size());
        owner.m_memo_id = found;
    }
    return found;
}

const char* c_xml_local::prefix_in_scope(int id) const
{
    for (size_t i = 0; i < m_prefixes.size(); ++i)
        if (m_prefixes.get_value(i) == id)
            return m_prefixes.get_name(i);
    return nullptr;
}

const char* c_xml_local::find_namespace_prefix(int id) const
{
    if (id == k_ns_id_xml)
        return "xml";
    for (const c_xml_local* scope = m_declaring; scope; scope = next_declaring(scope))
        if (const char* prefix = scope->prefix_in_scope(id))
            return prefix;
    return nullptr;
}

const char* c_xml_local::find_first_namespace_prefix(int id) const
{
    if (id == k_ns_id_xml)
        return "xml";
    const char* outermost = nullptr;
    for (const c_xml_local* scope = m_declaring; scope; scope = next_declaring(scope))
        if (const char* prefix = scope->prefix_in_scope(id))
            outermost = prefix;
    return outermost;
}

void c_xml_local::drop_declarations()
{
    m_prefixes.clear();
    m_declaring = m_parent ? m_parent->m_declaring : nullptr;
    forget_memo();
}

c_cracked_name::c_cracked_name() : m_has_ns_prefix(false), m_ns_id(k_ns_id_unresolved) {}

c_cracked_name::c_cracked_name(const c_xml_local* scope, const std::string& name) : c_cracked_name()
{
    set(scope, name);
}

void c_cracked_name::set(const c_xml_local* scope, const char* name, size_t length)
{
    if (m_bytes.size() < length)
        m_bytes.resize(length);
    if (length != 0)
        std::memcpy(m_bytes.data(), name, length);
    m_length = length;
    const void* colon = std::memchr(name, ':', length);
    m_has_ns_prefix = colon != nullptr;
    m_local_start = m_has_ns_prefix ? size_t(static_cast<const char*>(colon) - name) + 1 : 0;
    m_strings_made = false;
    m_ns_id = scope ? scope->find_namespace_id(ns_prefix_view()) : k_ns_id_unresolved;
}

const std::string& c_cracked_name::get_full_name() const
{
    get_local_name();
    return m_full_name;
}

const std::string& c_cracked_name::get_local_name() const
{
    if (!m_strings_made) {
        m_full_name.assign(full_name_view());
        m_local_name.assign(local_name_view());
        m_ns_prefix.assign(ns_prefix_view());
        m_strings_made = true;
    }
    return m_local_name;
}

const std::string& c_cracked_name::get_ns_prefix() const
{
    get_local_name();
    return m_ns_prefix;
}

int c_cracked_name::get_element_ns_id() const
{
    if (m_ns_id != k_ns_id_unresolved)
        return m_ns_id;
    return m_has_ns_prefix ? k_ns_id_unresolved : k_ns_id_none;
}

} // namespace lmx
