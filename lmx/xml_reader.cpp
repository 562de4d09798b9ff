// The reader's events: start and end tags, attributes, tokens from event maps.
#include <kyr/lmx/reader_limits.hpp>
#include <kyr/lmx/xml_reader.hpp>

#include <cstdint>
#include <cstring>
#include <string_view>

#include "name_chars.hpp"

namespace lmx {

const char* const k_namespace_not_found = " ";

c_xml_reader::c_xml_reader(c_read& source)
    : c_xml(source, m_errors, true), m_current_local(&m_root_local), m_depth(0), m_handled_error(ELMX_OK),
      m_current_event(ELXP_END_OF_INPUT), m_known_elements(nullptr), m_strict_source(source)
{
}

c_xml_reader::~c_xml_reader() = default;

int c_xml_reader::read_element_event(const s_event_map* map, elmx_error* error, std::string* name,
                                     int* raw_event)
{
    m_current_local->clear();
    if (m_strict && !m_strict_checked && !check_strictly()) {
        *error = m_strict_fault.code;
        *raw_event = ELXP_ERROR;
        return m_current_event = ELXP_ERROR;
    }
    int event = get_element_name(m_current_local, name, m_current_local->get_element());
    if (event == ELXP_NAME && m_depth > k_max_element_depth) {
        fail_limit(LIMIT_DEPTH);
        event = ELXP_ERROR;
    }
    *raw_event = event;
    if (event == ELXP_NAME) {
        set_current_name(*name);
        if (map)
            event = tokenise(map, ELXP_ELEM);
    } else if (is_error_event(event)) {
        // A construct refused without a report of its own still fails the read.
        *error = m_errors.get_last_error() != ELMX_OK ? m_errors.get_last_error() : ELMX_NOT_WELL_FORMED;
    } else if (event == ELXP_END_OF_INPUT) {
        *error = ELMX_UNEXPECTED_END_OF_MESSAGE;
    }
    m_current_event = event;
    return event;
}

int c_xml_reader::get_element_event(const s_event_map* map, elmx_error* error, std::string* name)
{
    int raw_event = ELXP_END_OF_INPUT;
    return read_element_event(map, error, name, &raw_event);
}

int c_xml_reader::get_known_element_event(const s_event_map* map, elmx_error* error, std::string* name)
{
    for (;;) {
        int raw_event = ELXP_END_OF_INPUT;
        const int event = read_element_event(map, error, name, &raw_event);
        if (raw_event != ELXP_NAME || (map && event != ELXP_UNKNOWN_ITEM))
            return event;
        if (is_known_element())
            return m_current_event = ELXP_UNKNOWN_ITEM;
        if (!skip_unwanted_element(*name)) {
            *error = ELMX_BADLY_FORMED;
            return m_current_event = ELXP_ERROR;
        }
    }
}

bool c_xml_reader::is_known_element() const
{
    if (!m_known_elements)
        return false;
    const int id = get_element_ns_id();
    const std::string_view local = m_current_name.local_name_view();
    for (const s_known_elements* known = m_known_elements; known->name; ++known)
        if (known->ns_id == id && known->length == local.size()
            && std::memcmp(known->name, local.data(), local.size()) == 0)
            return true;
    return false;
}

bool c_xml_reader::skip_unwanted_element(const std::string& name)
{
    bool empty = false;
    if (!skip_start_tag(&empty))
        return false;
    return empty || skip_element_body(name);
}

bool c_xml_reader::get_attribute_event(const s_event_map* map, elmx_error* error, std::string* name)
{
    *error = ELMX_OK;
    const int event = get_attribute_name(name);
    m_current_event = event;
    if (event == ELXP_NAME) {
        set_current_name(*name);
        if (map)
            tokenise(map, ELXP_ATTR);
        return true;
    }
    if (is_error_event(event)) {
        *error = m_errors.get_last_error() != ELMX_OK ? m_errors.get_last_error() : ELMX_NOT_WELL_FORMED;
        return true;
    }
    if (event == ELXP_END_OF_INPUT) {
        *error = ELMX_UNEXPECTED_END_OF_MESSAGE;
        return true;
    }
    return false;
}

namespace {

// The attributes of the xsi namespace that the reader knows.
int xsi_event(std::string_view local)
{
    if (local == "type")
        return ELXP_XSI_TYPE;
    if (local == "nil")
        return ELXP_XSI_NIL;
    if (local == "schemaLocation")
        return ELXP_XSI_SCHEMA_LOCATION;
    if (local == "noNamespaceSchemaLocation")
        return ELXP_XSI_NO_NAMESPACE_SCHEMA_LOCATION;
    return ELXP_UNKNOWN_ITEM;
}

// The slot of `local` in `index`: the key is the one the map generator hashes.
unsigned indexed_position(const s_event_index& index, std::string_view local)
{
    const size_t length = local.size();
    std::uint32_t head, tail;
    if (length >= 4) {
        head = little_endian_word<std::uint32_t>(local.data());
        tail = little_endian_word<std::uint32_t>(local.data() + length - 4);
    } else {
        head = 0;
        for (size_t i = 0; i < length; ++i)
            head |= static_cast<std::uint32_t>(static_cast<unsigned char>(local[i])) << (8 * i);
        tail = head;
    }
    const std::uint32_t key = (head ^ tail * 0x9E3779B1u) + static_cast<std::uint32_t>(length);
    return index.slots[static_cast<std::uint32_t>(key * index.multiplier) >> index.shift];
}

int find_event(const s_event_map* map, int id, std::string_view local)
{
    const size_t length = local.size();
    if (map->index) {
        const unsigned position = indexed_position(*map->index, local);
        if (position == 0)
            return ELXP_UNKNOWN_ITEM;
        const s_event_map& entry = map[position - 1];
        return entry.length == length && entry.ns_id == id && same_name(entry.name, local.data(), length)
            ? entry.event
            : ELXP_UNKNOWN_ITEM;
    }
    const char first = local.empty() ? '\0' : local[0];
    for (const s_event_map* entry = map; entry->name; ++entry)
        if (entry->length == length && entry->ns_id == id && entry->name[0] == first
            && same_name(entry->name, local.data(), length))
            return entry->event;
    return ELXP_UNKNOWN_ITEM;
}

} // namespace

int c_xml_reader::tokenise(const s_event_map* map, elxp_attr_elem kind)
{
    // Compositors and the class that holds them ask about the same name with the same map.
    if (map && map == m_tokenised_map && kind == m_tokenised_kind)
        return m_current_event = m_tokenised_event;
    int id = k_ns_id_none;
    if (m_current_name.get_has_ns_prefix())
        id = m_current_name.get_ns_id();
    else if (kind == ELXP_ELEM)
        id = m_current_name.get_element_ns_id();
    const std::string_view local = m_current_name.local_name_view();
    int event = ELXP_UNKNOWN_ITEM;
    if (id == k_ns_id_xsi) {
        event = xsi_event(local);
    } else if (map) {
        event = find_event(map, id, local);
        m_tokenised_map = map;
        m_tokenised_kind = kind;
        m_tokenised_event = event;
    }
    m_current_event = event;
    return event;
}

bool c_xml_reader::is_current_event_tokenisable() const
{
    return m_current_event == ELXP_NAME || m_current_event == ELXP_UNKNOWN_ITEM
        || m_current_event >= ELXP_FIRST_USER_EVENT;
}

bool c_xml_reader::get_nested_element_value(std::string* value, std::string* end_name, elmx_whitespace mode,
                                            bool unused)
{
    const bool ok = c_xml::get_nested_element_value(value, end_name, mode, unused);
    if (ok)
        m_current_event = ELXP_END_TAG;
    return ok;
}

bool c_xml_reader::take_end_tag_in_window(const std::string& name)
{
    if (!c_xml::take_end_tag_in_window(name))
        return false;
    m_current_event = ELXP_END_TAG;
    return true;
}

bool c_xml_reader::take_text_and_end_tag(const std::string& name, std::string_view* text,
                                         elmx_whitespace mode)
{
    if (!c_xml::take_text_and_end_tag(name, text, mode))
        return false;
    m_current_event = ELXP_END_TAG;
    return true;
}

} // namespace lmx
