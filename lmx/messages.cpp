#include "messages.hpp"

namespace lmx {
namespace message {

namespace {

// A byte for a message; the end of input and NUL have names.
std::string describe_byte(int c)
{
    if (c == -1)
        return "EOF";
    if (c == 0)
        return "NUL";
    return std::string(1, static_cast<char>(c));
}

} // namespace

const char k_not_well_formed[] = "XML not Well-Formed";
const char k_not_well_formed_lower_case[] = "XML not well-formed";
const char k_premature_end[] = "Premature end of file encountered";
const char k_unexpected_end[] = "Unexpected end of file";
const char k_bad_comment_end[] = "End of comment not Well-Formed";
const char k_xml_decl_not_at_start[] = "XML declaration not at start of document";
const char k_xml_decl_without_version[] = "Version not present in XML Decl";
const char k_not_standalone[] = "XML Document is not standalone";
const char k_unrecognised_encoding[] = "Unrecognised character encoding";
const char k_unknown_encoding[] = "Unknown character encoding specified";
const char k_encoding_mismatch[] = "Mis-match between specfied encoding and byte format";
const char k_expansion_limit[] = "Entity expansion limit exceeded";
const char k_external_entity[] = "External Entity definitions not supported";
const char k_doctype_not_at_start[] = "Document Type Declaration not at start of document";
const char k_doctype_repeated[] = "Document Type Declaration already read";
const char k_nested_too_deeply[] = "Elements nested too deeply";
const char k_name_too_long[] = "Name too long";
const char k_too_many_attributes[] = "Too many attributes in one start tag";
const char k_attribute_too_long[] = "Attribute value too long";
const char k_text_too_long[] = "Text too long";
const char k_entity_name_too_long[] = "Entity name too long";
const char k_entity_value_too_long[] = "Entity value too long";

std::string past_limit(const char* what, size_t limit, const char* unit)
{
    return std::string(what) + " (limit " + std::to_string(limit) + " " + unit + ")";
}

std::string unknown_xml_version(const std::string& version)
{
    return "XML version " + version + " not understood";
}

std::string junk_after_slash(int c)
{
    return std::string("Illegal character(s) after / at end of tag - ") + static_cast<char>(c);
}

std::string mismatched_tags(const std::string& start_name, const std::string& end_name)
{
    return "Element start tag (" + start_name + ") and end tag (" + end_name + ") do not match";
}

std::string recursive_entity(const char* text)
{
    return std::string("Recursive entity definition for: ") + text;
}

std::string parameter_entity_not_found(const std::string& name)
{
    return "Entity '%" + name + "' not found";
}

std::string unexpected_entity_value(const std::string& value)
{
    return "Unexpected value in Entity definition: " + value;
}

std::string dtd_unexpected_byte(int c)
{
    return std::string("DTD not Well Formed (got ") + static_cast<char>(c) + ")";
}

std::string dtd_unclosed(int c)
{
    return std::string("DTD not Well Formed (expected '>', got ") + static_cast<char>(c) + ")";
}

std::string expected_equals(int c)
{
    return "Schema is not Well Formed (expected '=', got '" + describe_byte(c) + "')";
}

std::string expected_quote(int c)
{
    return "Schema is not Well Formed (expected '\"' or ''', got " + describe_byte(c) + ")";
}

} // namespace message
} // namespace lmx
