// Reads a whole document the way generated unmarshal code drives the reader: scopes, the name
// stack, the attribute loop, simple values through get_simple_type_value, errors through
// handle_error. Simple-content elements are recognised by their local name.
#ifndef KYR_TESTS_LMX_READER_DOCUMENT_DRIVER_HPP
#define KYR_TESTS_LMX_READER_DOCUMENT_DRIVER_HPP

#include <string>

#include <kyr/lmx/xml_reader.hpp>

namespace reader_test {

inline bool is_simple_element(const lmx::c_xml_reader& reader)
{
    const std::string& local = reader.get_local_name();
    return local == "Name" || local == "Comment" || local == "Value";
}

inline lmx::elmx_error read_element(lmx::c_xml_reader& reader, const std::string& name)
{
    using namespace lmx;
    c_string_stack_node node(reader.get_element_name_stack(), name);
    elmx_error error = ELMX_OK;
    std::string attribute;
    std::string value;
    while (reader.get_attribute_event(nullptr, &error, &attribute)) {
        if (error != ELMX_OK)
            return reader.handle_error(error, name, __FILE__, __LINE__);
        if (!reader.get_attribute_value(&value, ELMX_WHITESPACE_PRESERVE))
            return reader.handle_error(ELMX_UNABLE_TO_READ_ATTRIBUTE_VALUE, attribute, __FILE__, __LINE__);
    }
    if (reader.get_current_event() == ELXP_END_TAG)
        return ELMX_OK;
    c_xml_reader_local content(reader);
    std::string child;
    for (;;) {
        const int event = reader.get_element_event(nullptr, &error, &child);
        if (event == ELXP_NAME && is_simple_element(reader)) {
            bool empty = false;
            if (!reader.get_simple_type_value(child, ELMX_WHITESPACE_COLLAPSE, &value, &error, &empty))
                return reader.handle_error(error, child, __FILE__, __LINE__);
        } else if (event == ELXP_NAME) {
            if (const elmx_error child_error = read_element(reader, child))
                return child_error;
        } else if (event == ELXP_END_TAG) {
            return node == child ? ELMX_OK
                                 : reader.handle_error(ELMX_BAD_END_OF_ELEMENT, name, __FILE__, __LINE__);
        } else if (event != ELXP_VALUE) {
            return reader.handle_error(error, name, __FILE__, __LINE__);
        }
    }
}

// The document element and nothing after it but white space, comments and PIs.
inline lmx::elmx_error read_document(lmx::c_xml_reader& reader)
{
    using namespace lmx;
    c_xml_reader_local scope(reader);
    elmx_error error = ELMX_OK;
    std::string name;
    if (reader.get_element_event(nullptr, &error, &name) != ELXP_NAME)
        return reader.handle_error(error, name, __FILE__, __LINE__);
    if (const elmx_error root_error = read_element(reader, name))
        return root_error;
    if (reader.get_element_event(nullptr, &error, &name) != ELXP_END_OF_INPUT)
        return reader.handle_error(ELMX_NOT_WELL_FORMED, name, __FILE__, __LINE__);
    return ELMX_OK;
}

} // namespace reader_test

#endif
