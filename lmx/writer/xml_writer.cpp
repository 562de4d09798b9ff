// c_xml_writer: declaration, indentation, namespace declarations and error hooks.
#include <kyr/lmx/xml_writer.hpp>

#include <cstring>
#include <locale>
#include <typeinfo>

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

c_xml_writer::c_xml_writer(std::ostream& os, const char* tab, const char* nl)
    : m_os(os), m_tab(tab), m_nl(nl), m_buffer(new char[k_buffer_size]), m_next(m_buffer.get()),
      m_buffer_end(m_buffer.get() + k_buffer_size), m_tab_length(std::strlen(tab)),
      m_nl_length(std::strlen(nl))
{
    m_os.imbue(std::locale::classic());
}

c_xml_writer::~c_xml_writer()
{
    flush_from_destructor();
}

std::ostream& c_xml_writer::operator()(bool indent)
{
    if (indent)
        start_line();
    flush();
    return m_os;
}

void c_xml_writer::nest()
{
    write(m_tab, m_tab_length);
    // A call of its own, outside any marshal, reaches the stream at once.
    if (m_scope_depth == 0)
        flush();
}

void c_xml_writer::start_line_slowly()
{
    if (m_indent <= 0)
        return;
    if (!m_own_layout) {
        // An overriding nest() may write to the stream itself.
        flush();
        for (int level = 0; level < m_indent; ++level)
            nest();
        return;
    }
    const std::size_t length = static_cast<std::size_t>(m_indent) * m_tab_length;
    // Kept at least k_indentation_reach long for the fixed-size copy of start_line.
    while (m_indentation.size() < length || (m_tab_length > 0 && m_indentation.size() < k_indentation_reach))
        m_indentation.append(m_tab, m_tab_length);
    write(m_indentation.data(), length);
}

void c_xml_writer::end_line_slowly()
{
    if (m_own_layout) {
        write(m_nl, m_nl_length);
    } else {
        flush();
        write(endl());
    }
}

void c_xml_writer::flush()
{
    const char* begin = m_buffer.get();
    if (m_next != begin) {
        m_os.write(begin, m_next - begin);
        m_next = m_buffer.get();
    }
}

void c_xml_writer::write_through(const char* text, std::size_t length)
{
    flush();
    if (length > k_buffer_size / 2) {
        m_os.write(text, static_cast<std::streamsize>(length));
        return;
    }
    std::memcpy(m_next, text, length);
    m_next += length;
}

void c_xml_writer::open_scope()
{
    // The dynamic type is known only once construction is over.
    if (m_scope_depth++ == 0)
        m_own_layout = typeid(*this) == typeid(c_xml_writer);
}

void c_xml_writer::close_scope()
{
    if (--m_scope_depth == 0)
        flush_from_destructor();
}

void c_xml_writer::flush_from_destructor() noexcept
{
    // A stream made to throw on failure has its error state set before it
    // throws; the exception must not leave a destructor.
    try {
        flush();
    } catch (...) {
        m_next = m_buffer.get();
    }
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

void c_xml_writer::write_ns_attr(const char* prefix, const char* uri)
{
    m_os << " xmlns";
    if (*prefix != '\0')
        m_os << ':' << prefix;
    m_os << "=\"" << uri << '"';
}

void c_xml_writer::write_ns_attrs(bool force_xsi)
{
    flush();
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

elmx_error c_xml_writer::handle_error(elmx_error code, const std::string& item_name, const char* file,
                                      int line)
{
    // A hook that logs into the stream comes after what was written so far.
    flush();
    m_handled_error = code;
    m_error_item_name = item_name;
    if (m_error_sink) {
        m_error_sink->add_unwritable(code, std::string(get_error_description(code)) + ": " + item_name);
        return m_handled_error = ELMX_OK;
    }
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
