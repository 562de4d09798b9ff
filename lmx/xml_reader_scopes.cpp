// Scopes, known-element tables, namespace presets and the readers that own their source.
#include <kyr/lmx/xml_reader.hpp>

namespace lmx {

c_known_elements_selector::c_known_elements_selector(c_xml_reader& reader, const s_known_elements* known)
    : m_reader(reader), m_previous(reader.get_known_elements())
{
    reader.set_known_elements(known);
}

c_known_elements_selector::~c_known_elements_selector()
{
    m_reader.set_known_elements(m_previous);
}

std::string& c_xml_reader::grow_depth_names()
{
    while (m_depth_names.size() <= m_depth)
        m_depth_names.emplace_back();
    return m_depth_names[m_depth];
}

void c_xml_reader::set_ns_map(const s_ns_map* map)
{
    for (const s_ns_map* entry = map; entry && entry->ns; ++entry)
        add_namespace(entry->ns, entry->ns_id);
    for (const auto& preset : m_ns_presets) {
        int id = find_enumerated_namespace(preset.second);
        if (id == k_ns_id_unresolved)
            id = add_namespace(preset.second.c_str());
        m_root_local.add_namespace(preset.first.c_str(), id);
    }
}

void c_xml_reader::add_namespace_mapping(const std::string& prefix, const std::string& uri)
{
    m_ns_presets.emplace_back(prefix, uri);
}

void c_xml_reader::add_default_namespace_mapping(const std::string& uri)
{
    add_namespace_mapping(std::string(), uri);
}

c_xml_reader_file::c_xml_reader_file(const char* name) : s_file_source(name), c_xml_reader(m_file) {}

c_xml_reader_file::c_xml_reader_file(const wchar_t* name) : s_file_source(name), c_xml_reader(m_file) {}

c_xml_reader_file::c_xml_reader_file(FILE* stream, bool close_on_delete)
    : s_file_source(stream, close_on_delete), c_xml_reader(m_file)
{
}

c_xml_reader_memory::c_xml_reader_memory(const char* data, size_t length)
    : s_memory_source(data, length), c_xml_reader(m_memory)
{
}

} // namespace lmx
