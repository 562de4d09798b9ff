#include "dtd.hpp"

#include <kyr/lmx/reader_limits.hpp>

#include "messages.hpp"

namespace lmx {

namespace {

bool is_quote(int c)
{
    return c == '"' || c == '\'';
}

// A declaration is held in memory whole, so it is bounded like the text it stands for.
bool within(c_get_for_xml& getter, const std::string& value, size_t limit, const char* what)
{
    if (value.size() <= limit)
        return true;
    getter.error(ELMX_ERROR_TYPE_FATAL, ELMX_NOT_WELL_FORMED, message::past_limit(what, limit, "bytes"));
    return false;
}

} // namespace

bool c_dtd_util::get_entity_value(std::string* value)
{
    value->clear();
    for (int c = m_getter.get_non_ws();; c = get()) {
        if (!within(m_getter, *value, k_max_name_length, message::k_entity_name_too_long))
            return false;
        if (c < 0 || is_xml_ws(c) || c == '>') {
            unget(c);
            return true;
        }
        if (c == '%') {
            if (!select_parameter_entity())
                return false;
        } else {
            value->push_back(static_cast<char>(c));
        }
    }
}

bool c_dtd_util::get_quoted_entity_value(std::string* value)
{
    value->clear();
    const int quote = m_getter.get_non_ws();
    if (!is_quote(quote)) {
        unget(quote);
        return false;
    }
    // Only a quote read at the opening one's depth closes the value: quotes inside an
    // included parameter entity are text.
    const size_t depth = m_getter.get_entity_stack_depth();
    const auto closes = [&](int c) { return c == quote && m_getter.get_entity_stack_depth() == depth; };
    for (;;) {
        if (!within(m_getter, *value, k_max_text_length, message::k_entity_value_too_long))
            return false;
        const int c = get();
        if (c < 0 || closes(c))
            return true;
        if (c == '%') {
            if (!select_parameter_entity())
                return false;
            continue;
        }
        if (c != '&') {
            value->push_back(static_cast<char>(c));
            continue;
        }
        // General entity references stay in the text and are expanded where it is used.
        const int next = get();
        if (next == '#') {
            c_entity_name_reader_for_c_get reader(m_getter);
            m_getter.insert_character_entity(reader, value);
            continue;
        }
        value->push_back('&');
        if (next < 0 || closes(next) || next == '%')
            unget(next);
        else
            value->push_back(static_cast<char>(next));
    }
}

bool c_dtd_util::select_parameter_entity()
{
    std::string name;
    bool had_semicolon;
    c_entity_name_reader_for_c_get reader(m_getter);
    m_getter.read_entity_name(reader, &name, &had_semicolon);
    const char* text;
    if (!m_getter.get_parameter_entity(name.c_str(), &text)) {
        m_getter.error(ELMX_ERROR_TYPE_ERROR, ELMX_ENTITY_NOT_FOUND,
                       message::parameter_entity_not_found(name));
        return true;
    }
    return m_getter.set_input_entity_value(text);
}

bool c_internal_dtd::read_doctype_decl()
{
    // The root name and any external identifier are not needed: nothing external is loaded.
    for (;;) {
        const int c = get();
        if (c < 0)
            return fail_end_of_input();
        if (c == '>')
            break;
        if (c == '[') {
            if (!read_subset())
                return false;
            break;
        }
    }
    getter().set_dtd_read(true);
    return true;
}

bool c_internal_dtd::read_subset()
{
    for (;;) {
        const int c = getter().get_non_ws();
        if (c == ']')
            break;
        if (c < 0)
            return fail_end_of_input();
        if (c == '%') {
            if (!select_parameter_entity())
                return false;
        } else if (c == '<') {
            if (!read_declaration())
                return false;
        } else {
            getter().error(ELMX_ERROR_TYPE_FATAL, ELMX_BAD_DTD, message::dtd_unexpected_byte(c));
            return false;
        }
    }
    const int c = getter().get_non_ws();
    if (c < 0)
        return fail_end_of_input();
    if (c != '>') {
        getter().error(ELMX_ERROR_TYPE_FATAL, ELMX_BAD_DTD, message::dtd_unclosed(c));
        return false;
    }
    return true;
}

bool c_internal_dtd::read_declaration()
{
    std::string keyword;
    for (;;) {
        const int c = get();
        if (c < 0)
            return fail_end_of_input();
        if (is_xml_ws(c) || c == '[' || c == '>') {
            unget(c);
            break;
        }
        keyword.push_back(static_cast<char>(c));
        if (keyword == "!--")
            break;
    }
    if (keyword == "!--")
        return getter().skip_comment() || fail_end_of_input();
    if (keyword == "!ENTITY")
        return read_entity_decl();
    if (!keyword.empty() && keyword[0] == '?')
        return getter().skip_PI(static_cast<unsigned char>(keyword.back())) || fail_end_of_input();
    return skip_declaration_rest();
}

bool c_internal_dtd::read_entity_decl()
{
    int c = getter().get_non_ws();
    const bool parameter = c == '%';
    if (!parameter)
        unget(c);
    std::string name;
    std::string value;
    if (!get_entity_value(&name))
        return false;
    c = getter().get_non_ws();
    unget(c);
    if (is_quote(c)) {
        if (!get_quoted_entity_value(&value))
            return false;
        if (parameter)
            getter().add_parameter_entity(name.c_str(), value.c_str());
        else
            getter().add_general_entity(name.c_str(), value.c_str());
    } else {
        // Not stored: a reference to it then fails as undeclared instead of reading the
        // keyword as its text.
        if (!get_entity_value(&value))
            return false;
        if (value == "SYSTEM" || value == "PUBLIC")
            getter().error(ELMX_ERROR_TYPE_WARNING, ELMX_EXTERNAL_ENTITY, message::k_external_entity);
        else
            getter().error(ELMX_ERROR_TYPE_ERROR, ELMX_UNEXPECTED_ENTITY,
                           message::unexpected_entity_value(value));
    }
    return skip_declaration_rest();
}

bool c_internal_dtd::skip_declaration_rest()
{
    int quote = 0;
    for (;;) {
        const int c = get();
        if (c < 0)
            return fail_end_of_input();
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (is_quote(c)) {
            quote = c;
        } else if (c == '>') {
            return true;
        }
    }
}

bool c_internal_dtd::fail_end_of_input()
{
    getter().error(ELMX_ERROR_TYPE_FATAL, ELMX_UNEXPECTED_END_OF_MESSAGE, message::k_unexpected_end);
    return false;
}

void c_internal_dtd::skip_to_tag_end(int last)
{
    while (last >= 0 && last != '>')
        last = get();
}

bool c_internal_dtd::read_doctype()
{
    c_get_for_xml& lexer = getter();
    if (!lexer.read_specified_string_from_input("OCTYPE")) {
        skip_to_tag_end(lexer.get_last_mismatch());
        return false;
    }
    const char* refused = lexer.is_element_seen() ? message::k_doctype_not_at_start
        : lexer.is_dtd_read()                     ? message::k_doctype_repeated
                                                  : nullptr;
    if (refused) {
        lexer.error(ELMX_ERROR_TYPE_ERROR, ELMX_BAD_DTD, refused);
        skip_to_tag_end(0);
        return false;
    }
    return read_doctype_decl();
}

} // namespace lmx
