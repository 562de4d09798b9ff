// c_xml_writer: declaration, indentation, namespace declarations and error hooks.
#include <kyr/lmx/xml_writer.hpp>

#include <cstring>
#include <locale>

namespace lmx {

namespace {

const char k_xsi_namespace[] = "http://www.w3.org/2001/XMLSchema-instance";

bool same_text(const char* a, const std::string& b)
{
    return std::strlen(a) == b.size() && std::memcmp(a, b.data(), b.size()) == 0;
}

} // namespace

c_xml_writer::c_xml_writer(std::ostream& os, int options, const char* tab, const char* nl)
    : c_xml_writer(os, tab, nl)
{
    if ((options & (include_xml_decl | include_standalone)) == 0)
        return;
    m_os << "<?xml version=\"1.0\" encoding=\"UTF-8\"";
    if ((options & include_standalone) != 0)
        m_os << " standalone=\"yes\"";
    m_os << "?>" << m_nl;
}

c_xml_writer::c_xml_writer(std::ostream& os, const char* tab, const char* nl) : m_os(os), m_tab(tab), m_nl(nl)
{
    m_os.imbue(std::locale::classic());
}

std::ostream& c_xml_writer::operator()(bool indent)
{
    if (indent) {
        for (int level = 0; level < m_indent; ++level)
            nest();
    }
    return m_os;
}

void c_xml_writer::nest()
{
    m_os << m_tab;
}

const char* c_xml_writer::endl()
{
    return m_nl;
}

void c_xml_writer::add_namespace(const std::string& prefix, const std::string& uri)
{
    m_added_namespaces.emplace_back(prefix, uri);
}

void c_xml_writer::add_schema_location(const std::string& ns, const std::string& location)
{
    m_schema_locations.emplace_back(ns, location);
}

void c_xml_writer::conditionally_select_ns_map(const s_ns_map* map)
{
    if (m_ns_map == nullptr)
        m_ns_map = map;
}

void c_xml_writer::write_ns_attr(const char* prefix, const char* uri)
{
    m_os << " xmlns";
    if (*prefix != '\0')
        m_os << ':' << prefix;
    m_os << "=\"" << uri << '"';
}

void c_xml_writer::conditionally_write_ns_attrs(bool force_xsi)
{
    if (m_ns_attrs_written)
        return;
    if (m_ns_map != nullptr) {
        for (const s_ns_map* entry = m_ns_map; entry->ns != nullptr; ++entry)
            write_ns_attr(entry->prefix != nullptr ? entry->prefix : "", entry->ns);
    }
    for (const auto& [prefix, uri] : m_added_namespaces)
        write_ns_attr(prefix.c_str(), uri.c_str());
    if (force_xsi || !m_schema_locations.empty())
        m_os << " xmlns:xsi=\"" << k_xsi_namespace << '"';
    if (!m_schema_locations.empty()) {
        if (m_schema_locations.front().first.empty()) {
            m_os << " xsi:noNamespaceSchemaLocation=\"" << m_schema_locations.front().second << '"';
        } else {
            m_os << " xsi:schemaLocation=\"";
            const char* separator = "";
            for (const auto& [ns, location] : m_schema_locations) {
                m_os << separator << ns << ' ' << location;
                separator = " ";
            }
            m_os << '"';
        }
    }
    m_ns_attrs_written = true;
}

void c_xml_writer::reenable_ns_map_output()
{
    m_ns_map = nullptr;
    m_ns_attrs_written = false;
}

const char* c_xml_writer::get_namespace_prefix(const std::string& uri) const
{
    if (m_ns_map != nullptr) {
        for (const s_ns_map* entry = m_ns_map; entry->ns != nullptr; ++entry) {
            if (same_text(entry->ns, uri))
                return entry->prefix != nullptr ? entry->prefix : "";
        }
    }
    for (const auto& [prefix, added_uri] : m_added_namespaces) {
        if (added_uri == uri)
            return prefix.c_str();
    }
    return nullptr;
}

elmx_error c_xml_writer::handle_error(elmx_error code, const std::string& item_name, const char* file, int line)
{
    m_handled_error = code;
    m_error_item_name = item_name;
    m_handled_error = user_handle_error(code, item_name, file, line);
    return m_handled_error;
}

elmx_error c_xml_writer::user_handle_error(elmx_error code, const std::string&, const char*, int)
{
    return user_handle_error(code);
}

elmx_error c_xml_writer::user_handle_error(elmx_error code)
{
    return code;
}

std::string& c_xml_writer::get_error_message(std::string* out) const
{
    if (m_handled_error == ELMX_OK) {
        *out = get_error_description(ELMX_OK);
    } else {
        *out = "'";
        *out += m_error_item_name;
        *out += "'-";
        *out += get_error_description(m_handled_error);
    }
    return *out;
}

bool c_xml_writer::get_error_info(elmx_error_type* type, elmx_error* code, int* line) const
{
    return m_error.get_error_info(type, code, line);
}

} // namespace lmx
