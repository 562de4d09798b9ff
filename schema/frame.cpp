// Reading and writing steps shared by all generated classes.
#include <kyr/schema/frame.hpp>

namespace kyr {
namespace schema {

bool report(lmx::c_xml_reader& reader, elmx_error code, const std::string& item, elmx_error* error)
{
    *error = reader.handle_error(code, item, __FILE__, __LINE__);
    return *error == lmx::ELMX_OK;
}

elmx_error report(lmx::c_xml_writer& writer, elmx_error code, const std::string& item)
{
    return writer.handle_error(code, item, __FILE__, __LINE__);
}

elmx_error report_missing(lmx::c_xml_writer& writer, const std::vector<const char*>& items)
{
    lmx::c_error_sink* sink = writer.get_error_sink();
    if (!sink)
        return lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL;
    for (const char* item : items)
        sink->add_unwritable(lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL,
                             std::string("Mandatory element missing: ") + item + " is not set");
    if (items.empty())
        sink->add_unwritable(lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL, "Mandatory element missing");
    return lmx::ELMX_OK;
}

bool next_element(lmx::c_xml_reader& reader, const lmx::s_event_map* map, std::string* name,
                  elmx_error* error)
{
    elmx_error code = lmx::ELMX_OK;
    reader.get_element_event(map, &code, name);
    return code == lmx::ELMX_OK || report(reader, code, *name, error);
}

void retokenise(lmx::c_xml_reader& reader, const lmx::s_event_map* map)
{
    if (reader.is_current_event_tokenisable())
        reader.tokenise(map, lmx::ELXP_ELEM);
}

bool is_member(lmx::c_xml_reader& reader, const lmx::s_event_map* members)
{
    if (!reader.is_current_event_tokenisable())
        return false;
    const int previous = reader.get_current_event();
    const int event = reader.tokenise(members, lmx::ELXP_ELEM);
    if (event >= lmx::ELXP_FIRST_USER_EVENT)
        return true;
    reader.restore_event(previous);
    return false;
}

bool read_nil(lmx::c_xml_reader& reader, const std::string& name, bool* nil, elmx_error* error)
{
    std::string& text = reader.m_value;
    if (!reader.get_attribute_value(&text, lmx::ELMX_WHITESPACE_COLLAPSE))
        return report(reader, lmx::ELMX_UNABLE_TO_READ_ATTRIBUTE_VALUE, name, error);
    *nil = lmx::to_bool(text);
    return true;
}

bool read_any(lmx::c_xml_reader& reader, std::string* name, std::vector<lmx::c_any_info>* items,
              elmx_error* error)
{
    while (reader.get_current_event() == lmx::ELXP_NAME
           || reader.get_current_event() == lmx::ELXP_UNKNOWN_ITEM
           || reader.get_current_event() >= lmx::ELXP_FIRST_USER_EVENT) {
        std::string ns;
        reader.get_namespace(*name, &ns);
        std::string xml;
        if (!reader.get_any_element(*name, &xml)) {
            if (!report(reader, lmx::ELMX_UNABLE_TO_READ_ELEMENT_VALUE, *name, error))
                return false;
        } else {
            items->emplace_back(ns, *name, xml);
        }
        if (!next_element(reader, nullptr, name, error))
            return false;
    }
    return true;
}

void write_any(lmx::c_xml_writer& writer, const std::vector<lmx::c_any_info>& items)
{
    for (const lmx::c_any_info& item : items) {
        writer.start_line();
        writer.write(item.get_value().data(), item.get_value().size());
        writer.end_line();
    }
}

void write_xsi_type(lmx::c_xml_writer& writer, const char* prefix, const char* id)
{
    const char* expected = writer.get_expected_class_identity();
    if (expected == nullptr || expected == id)
        return;
    writer.write(" xsi:type=\"");
    writer.write(prefix);
    writer.write(':');
    writer.write(id);
    writer.write('"');
    writer.clear_expected_class_identity();
}

elmx_error frame::check_end(lmx::c_xml_reader& reader, const std::string& name, const std::string& end_name)
{
    if (reader.get_current_event() == lmx::ELXP_END_TAG && end_name == name)
        return lmx::ELMX_OK;
    const elmx_error error = reader.handle_error(lmx::ELMX_BAD_END_OF_ELEMENT, name, __FILE__, __LINE__);
    if (error == lmx::ELMX_OK && reader.get_error_sink() && !skip_to_end(reader, name, end_name))
        return lmx::ELMX_BAD_END_OF_ELEMENT;
    return error;
}

bool frame::skip_to_end(lmx::c_xml_reader& reader, const std::string& name, const std::string& current)
{
    std::string tag = current;
    while (reader.get_current_event() != lmx::ELXP_END_TAG) {
        if (reader.is_error_event(reader.get_current_event()) || !reader.skip_rest_of_element(tag))
            return false;
        elmx_error code = lmx::ELMX_OK;
        reader.get_element_event(nullptr, &code, &tag);
        if (code != lmx::ELMX_OK)
            return false;
    }
    return tag == name;
}

} // namespace schema
} // namespace kyr
