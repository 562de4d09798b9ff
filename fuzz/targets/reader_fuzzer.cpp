// Drives the strict check over arbitrary bytes, then the pull reader the way generated code
// does: scopes, the name stack, the attribute loop, simple values, wildcard capture and
// skipping of unwanted elements. The local name picks the content operation, so the fuzzer
// reaches each one.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <kyr/lmx/well_formed.hpp>
#include <kyr/lmx/xml_reader.hpp>

namespace {

using namespace lmx;

enum e_content {
    CONTENT_SIMPLE = ELXP_FIRST_USER_EVENT,
    CONTENT_CAPTURE,
    CONTENT_UR,
    CONTENT_NESTED,
    CONTENT_SKIP,
    CONTENT_ELEMENT
};

const s_event_map k_events[] = {{k_ns_id_none, "v", 1, CONTENT_SIMPLE},
                                {k_ns_id_none, "c", 1, CONTENT_CAPTURE},
                                {k_ns_id_none, "u", 1, CONTENT_UR},
                                {k_ns_id_none, "n", 1, CONTENT_NESTED},
                                {k_ns_id_none, "s", 1, CONTENT_SKIP},
                                {k_ns_id_none, "e", 1, CONTENT_ELEMENT},
                                {k_ns_id_none, "Name", 4, CONTENT_SIMPLE},
                                {k_ns_id_none, "Value", 5, CONTENT_SIMPLE},
                                {k_ns_id_none, nullptr, 0, 0}};

const s_known_elements k_known[] = {{k_ns_id_none, "k", 1}, {k_ns_id_none, nullptr, 0}};

elmx_whitespace mode_for(const std::string& name)
{
    static const elmx_whitespace modes[] = {ELMX_WHITESPACE_PRESERVE, ELMX_WHITESPACE_REPLACE,
                                            ELMX_WHITESPACE_COLLAPSE};
    return modes[name.size() % 3];
}

bool read_element(c_xml_reader& reader, const std::string& name);

bool read_content(c_xml_reader& reader, int event, const std::string& name)
{
    std::string value;
    std::string end_name;
    elmx_error error = ELMX_OK;
    bool empty = false;
    switch (event) {
    case CONTENT_SIMPLE:
        return reader.get_simple_type_value(name, mode_for(name), &value, &error, &empty);
    case CONTENT_CAPTURE:
        return reader.get_any_element(name, &value, mode_for(name));
    case CONTENT_UR:
        return reader.get_element_ur_value(name, &value, &error, &empty);
    case CONTENT_NESTED:
        return reader.skip_start_tag(&empty) && (empty || reader.get_nested_element_value(&value, &end_name));
    case CONTENT_SKIP:
        return reader.skip_rest_of_element(name);
    default:
        return read_element(reader, name);
    }
}

bool read_element(c_xml_reader& reader, const std::string& name)
{
    c_string_stack_node node(reader.get_element_name_stack(), name);
    elmx_error error = ELMX_OK;
    std::string attribute;
    std::string value;
    while (reader.get_attribute_event(k_events, &error, &attribute)) {
        if (error != ELMX_OK)
            return false;
        if (attribute.size() % 4 == 3)
            reader.skip_attribute_value();
        else if (!reader.get_attribute_value(&value, mode_for(attribute)))
            return false;
    }
    if (reader.get_current_event() == ELXP_END_TAG)
        return true;
    if (reader.get_current_event() != ELXP_START_TAG_END)
        return false;
    c_xml_reader_local scope(reader);
    // Odd-length names skip children they do not know, as generated content models do.
    const bool skips_unknown = name.size() % 2 == 1;
    c_known_elements_selector known(reader, skips_unknown ? k_known : nullptr);
    std::string child;
    for (;;) {
        const int event = skips_unknown ? reader.get_known_element_event(k_events, &error, &child)
                                        : reader.get_element_event(k_events, &error, &child);
        if (event == ELXP_END_TAG)
            return node == child;
        if (event == ELXP_VALUE || event == ELXP_UNKNOWN_ITEM) {
            if (event == ELXP_UNKNOWN_ITEM && !read_element(reader, child))
                return false;
            continue;
        }
        if (event < ELXP_FIRST_USER_EVENT || !read_content(reader, event, child))
            return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The strict check sees the same bytes first, as a strict reader would.
    check_well_formed(std::string_view(reinterpret_cast<const char*>(data), size));
    c_xml_reader_memory reader(reinterpret_cast<const char*>(data), size);
    c_xml_reader_local scope(reader);
    elmx_error error = ELMX_OK;
    std::string name;
    const int event = reader.get_element_event(k_events, &error, &name);
    const bool read = event == ELXP_UNKNOWN_ITEM ? read_element(reader, name)
        : event >= ELXP_FIRST_USER_EVENT         ? read_content(reader, event, name)
                                                 : false;
    if (read)
        reader.get_element_event(nullptr, &error, &name);
    std::string message;
    reader.get_error_message(&message);
    return 0;
}
