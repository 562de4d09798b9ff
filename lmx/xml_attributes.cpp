// Walking the attributes stored from the start tag just read, and reading their values.
#include <kyr/lmx/reader_limits.hpp>
#include <kyr/lmx/xml.hpp>

#include <algorithm>
#include <cstring>

#include "messages.hpp"
#include "name_chars.hpp"
#include "xml_lexer.hpp"

namespace lmx {

elxp_xml_event c_xml::get_attribute_name(std::string* name, bool in_processing_instruction)
{
    skip_attribute_value();
    const char* entry = nullptr;
    char quote = 0;
    const char* raw = nullptr;
    size_t pos = m_attribute_pos;
    if (attribute_at(&pos, &entry, &quote, &raw)) {
        set_name(name, entry, static_cast<size_t>(raw - 2 - entry));
        m_attribute_pos = raw - 1 - m_attributes.data();
        m_value_pending = true;
        return ELXP_NAME;
    }
    int c = lexer().get_non_ws();
    if (c == '>')
        return ELXP_START_TAG_END;
    if (c == (in_processing_instruction ? '?' : '/')) {
        c = lexer().get_non_ws();
        if (c == '>')
            return ELXP_END_TAG;
    }
    lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_NOT_WELL_FORMED, message::k_not_well_formed_lower_case);
    // A document cut off inside a start tag is told apart from one that was refused earlier.
    const bool cut_off = c == -1 && !lexer().get_error_handler().is_fatal_errored();
    return cut_off ? ELXP_END_OF_INPUT : ELXP_ERROR;
}

bool c_xml::attribute_at(size_t* pos, const char** name, char* quote, const char** raw) const
{
    const char* p = m_attributes.data() + *pos;
    if (*pos >= m_attributes.size() || *p == '\0')
        return false;
    *name = p;
    p += std::strlen(p) + 1;
    *quote = *p;
    *raw = p + 1;
    *pos = (*raw - m_attributes.data()) + std::strlen(*raw) + 1;
    return true;
}

void c_xml::skip_attribute_value()
{
    if (!m_value_pending)
        return;
    m_value_pending = false;
    const char* raw = m_attributes.data() + m_attribute_pos + 1;
    m_attribute_pos += 1 + std::strlen(raw) + 1;
}

void c_xml::restart_attributes()
{
    m_attribute_pos = 0;
    m_value_pending = false;
}

bool c_xml::get_attribute_value(std::string* value, elmx_whitespace mode)
{
    value->clear();
    if (!m_value_pending)
        return false;
    const bool ok = expand_attribute_value(m_attribute_pos + 1, value, mode);
    skip_attribute_value();
    return ok;
}

bool c_xml::expand_attribute_value(size_t raw_pos, std::string* value, elmx_whitespace mode)
{
    const char* raw = m_attributes.data() + raw_pos;
    // Without references, or white space that a mode would change, the text stays as it is.
    size_t plain = 0;
    bool has_ws = false;
    for (; raw[plain] != '\0' && raw[plain] != '&'; ++plain)
        has_ws |= raw[plain] == ' ' || raw[plain] == '\t' || raw[plain] == '\n' || raw[plain] == '\r';
    if (raw[plain] == '\0' && (mode == ELMX_WHITESPACE_PRESERVE || (!has_ws && value->empty()))) {
        value->append(raw, plain);
        return true;
    }
    lexer().set_ws_mode(mode);
    size_t pos = raw_pos;
    c_entity_name_reader_for_text reader(m_attributes.data(), pos);
    for (;;) {
        // Bytes that the mode leaves as they are join the value as one run.
        const char* run = m_attributes.data() + pos;
        size_t length = 0;
        while (run[length] != '\0' && run[length] != '&'
               && (mode == ELMX_WHITESPACE_PRESERVE || !is_xml_ws(run[length])))
            ++length;
        if (length != 0) {
            if (mode == ELMX_WHITESPACE_COLLAPSE)
                lexer().flush_pending_space(value);
            const size_t room =
                k_max_attribute_length + 1 - std::min(value->size(), k_max_attribute_length + 1);
            value->append(run, std::min(length, room));
            pos += length;
            if (value->size() > k_max_attribute_length)
                return fail_limit(LIMIT_ATTRIBUTE_LENGTH);
        }
        const int c = reader.get();
        if (c == -1)
            break;
        if (c == '&') {
            if (!lexer().insert_entity(reader, value))
                return false;
        } else {
            lexer().add_char_wsp(value, c);
        }
        if (value->size() > k_max_attribute_length)
            return fail_limit(LIMIT_ATTRIBUTE_LENGTH);
    }
    return true;
}

} // namespace lmx
