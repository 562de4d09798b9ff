#include "lexer.hpp"

#include "messages.hpp"

namespace lmx {

c_get_for_xml::c_get_for_xml(c_read& source, c_error& error, bool char_ref_ws_obeys_mode)
    : c_get_with_entities(source, error), m_char_ref_ws_obeys_mode(char_ref_ws_obeys_mode)
{
}

int c_get_for_xml::skip_ws_in_window()
{
    // The indentation between elements, taken in place while the window holds it.
    size_t available = 0;
    const unsigned char* run = peek_run(&available);
    size_t length = 0;
    int line_feeds = 0;
    for (; length < available && (run[length] == ' ' || run[length] == '\t' || run[length] == '\n'); ++length)
        line_feeds += run[length] == '\n';
    take_run(length, line_feeds);
    // What follows is mostly a plain byte ("<", ">", a name).
    if (length < available && run[length] > ' ' && run[length] < 0x7f)
        return run[length];
    return -2;
}

int c_get_for_xml::get_non_ws_bytewise()
{
    const int plain = skip_ws_in_window();
    if (plain >= 0) {
        take_run(1);
        return plain;
    }
    int c;
    do
        c = get();
    while (is_xml_ws(c));
    return c;
}

int c_get_for_xml::peek_non_ws_bytewise()
{
    const int plain = skip_ws_in_window();
    if (plain >= 0)
        return plain;
    const int c = get_non_ws();
    if (c != -1)
        unget(c);
    return c;
}

void c_get_for_xml::add_char_wsp(std::string* out, int c, bool from_char_ref)
{
    const bool literal_ref = from_char_ref && !m_char_ref_ws_obeys_mode;
    switch (m_ws_mode) {
    case ELMX_WHITESPACE_REPLACE:
        out->push_back(static_cast<char>(!literal_ref && is_xml_ws(c) ? ' ' : c));
        return;
    case ELMX_WHITESPACE_COLLAPSE:
        if ((is_xml_ws(c) && !literal_ref) || (c == ' ' && literal_ref)) {
            m_space_pending = true;
            return;
        }
        flush_pending_space(out);
        out->push_back(static_cast<char>(c));
        return;
    default:
        out->push_back(static_cast<char>(c));
        return;
    }
}

void c_get_for_xml::flush_pending_space(std::string* out)
{
    if (!m_space_pending)
        return;
    if (!out->empty())
        out->push_back(' ');
    m_space_pending = false;
}

bool c_get_for_xml::read_specified_string_from_input(const char* s)
{
    for (; *s; ++s) {
        const int c = get();
        if (c != static_cast<unsigned char>(*s)) {
            m_last_mismatch = c;
            return false;
        }
    }
    return true;
}

bool c_get_for_xml::skip_comment()
{
    int dashes = 0;
    for (;;) {
        const int c = get();
        if (c < 0)
            return false;
        if (c == '-') {
            ++dashes;
        } else if (c == '>' && dashes >= 2) {
            if (dashes > 2)
                error(ELMX_ERROR_TYPE_WARNING, ELMX_BAD_COMMENT, message::k_bad_comment_end);
            return true;
        } else {
            dashes = 0;
        }
    }
}

bool c_get_for_xml::skip_PI()
{
    return skip_PI(0);
}

bool c_get_for_xml::skip_PI(int previous)
{
    for (;;) {
        const int c = get();
        if (c < 0)
            return false;
        if (c == '>' && previous == '?')
            return true;
        previous = c;
    }
}

bool c_get_for_xml::read_PI()
{
    if (!read_specified_string_from_input("xml"))
        return skip_PI(m_last_mismatch);
    if (m_element_seen) {
        error(ELMX_ERROR_TYPE_FATAL, ELMX_BAD_XML_DECL, message::k_xml_decl_not_at_start);
        return false;
    }
    return read_xml_decl();
}

bool c_get_for_xml::read_xml_decl()
{
    std::string value;
    int c = get_non_ws();
    const bool has_version = c == 'v' && read_specified_string_from_input("ersion") && get_non_ws() == '='
        && get_simple_quoted_value(&value);
    if (!has_version) {
        error(ELMX_ERROR_TYPE_ERROR, ELMX_BAD_XML_DECL, message::k_xml_decl_without_version);
        return false;
    }
    if (value != "1.0" && value != "1.1") {
        error(ELMX_ERROR_TYPE_ERROR, ELMX_BAD_XML_VERSION, message::unknown_xml_version(value));
        return false;
    }
    c = get_non_ws();
    if (c == 'e') {
        if (!read_specified_string_from_input("ncoding"))
            return false;
        c = get_non_ws();
        if (c == '=') {
            if (!get_simple_quoted_value(&value) || !set_encoding(value.c_str()))
                return false;
            c = get_non_ws();
        }
    }
    if (c == 's') {
        if (!read_specified_string_from_input("tandalone"))
            return false;
        c = get_non_ws();
        if (c == '=') {
            if (!get_simple_quoted_value(&value))
                return false;
            if (value == "no") {
                error(ELMX_ERROR_TYPE_ERROR, ELMX_BAD_XML_DECL, message::k_not_standalone);
                return false;
            }
            c = get_non_ws();
        }
    }
    return c == '?' && get() == '>';
}

bool c_get_for_xml::get_simple_quoted_value(std::string* value)
{
    value->clear();
    const int quote = get_non_ws();
    if (quote != '"' && quote != '\'')
        return false;
    for (;;) {
        const int c = get();
        if (c < 0)
            return false;
        if (c == quote)
            return true;
        value->push_back(static_cast<char>(c));
    }
}

bool c_get_for_xml::read_cdata_section(std::string* out)
{
    size_t brackets = 0;
    for (;;) {
        const int c = get();
        if (c < 0) {
            out->append(brackets, ']');
            return false;
        }
        if (c == ']') {
            ++brackets;
            continue;
        }
        if (c == '>' && brackets >= 2) {
            out->append(brackets - 2, ']');
            return true;
        }
        out->append(brackets, ']');
        brackets = 0;
        out->push_back(static_cast<char>(c));
    }
}

bool c_get_for_xml::move_to_start_tag_end(bool* empty)
{
    int quote = 0;
    for (;;) {
        const int c = get();
        if (c < 0)
            return false;
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            if (empty)
                *empty = false;
            return true;
        } else if (c == '/') {
            break;
        }
    }
    for (;;) {
        int c = get();
        if (c < 0 || c == '>') {
            if (empty)
                *empty = true;
            return true;
        }
        if (!is_xml_ws(c)) {
            error(ELMX_ERROR_TYPE_ERROR, ELMX_BAD_END_TAG, message::junk_after_slash(c));
            do
                c = get();
            while (c >= 0 && c != '>');
            return false;
        }
    }
}

void c_get_for_xml::rewind()
{
    m_ws_mode = ELMX_WHITESPACE_PRESERVE;
    m_space_pending = false;
    c_get_with_entities::rewind();
}

} // namespace lmx
