// Reading element content: simple text, skipping, and content copied as text.
#include <kyr/lmx/reader_limits.hpp>
#include <kyr/lmx/xml.hpp>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "markup_open.hpp"
#include "messages.hpp"
#include "name_chars.hpp"
#include "open_elements.hpp"
#include "xml_lexer.hpp"

namespace lmx {

bool c_xml::skip_start_tag(bool* is_empty)
{
    return lexer().move_to_start_tag_end(is_empty);
}

namespace {

// Printable ASCII other than markup and references: the same under every white-space mode.
bool is_plain_text_byte(unsigned char b)
{
    return b > ' ' && b < 0x7f && b != '<' && b != '&';
}

// The number of plain bytes at `run`: sixteen at a time where the processor can, then eight
// at a time while the window has them. Each test of a word flags the first byte that fails it
// exactly (a borrow or carry only spoils the bytes after it), and the first is all that counts.
size_t plain_run(const unsigned char* run, size_t available)
{
    constexpr std::uint64_t k_ones = 0x0101010101010101u;
    constexpr std::uint64_t k_tops = 0x8080808080808080u;
    size_t length = 0;
#if defined(__SSE2__)
    for (; available - length >= 16; length += 16) {
        // Compared as signed bytes, so that those from 128 up fall below "!".
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(run + length));
        const __m128i printable =
            _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8(' ')), _mm_cmplt_epi8(x, _mm_set1_epi8(0x7f)));
        const __m128i markup =
            _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('<')), _mm_cmpeq_epi8(x, _mm_set1_epi8('&')));
        const unsigned others =
            ~static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(markup, printable))) & 0xffffu;
        if (others != 0)
            return length + static_cast<size_t>(__builtin_ctz(others));
    }
#endif
    for (; available - length >= 8; length += 8) {
        const std::uint64_t x = little_endian_word<std::uint64_t>(run + length);
        const std::uint64_t angle = x ^ (k_ones * '<');
        const std::uint64_t ampersand = x ^ (k_ones * '&');
        const std::uint64_t flags = (((x - k_ones * 0x21) & ~x) // below "!"
                                     | (x + k_ones) | x         // DEL and above
                                     | ((angle - k_ones) & ~angle) | ((ampersand - k_ones) & ~ampersand))
            & k_tops;
        if (flags != 0)
            return length + bytes_before_flag(flags);
    }
    while (length < available && is_plain_text_byte(run[length]))
        ++length;
    return length;
}

// The bytes of text from `run` on that read the same under `mode` as they stand: plain
// bytes, and spaces where the mode keeps them (collapsing keeps one space between plain
// bytes, which reading byte by byte would also give).
size_t unchanged_text(const unsigned char* run, size_t available, elmx_whitespace mode)
{
    size_t length = 0;
    for (;;) {
        length += plain_run(run + length, available - length);
        if (length == available || run[length] != ' ')
            return length;
        if (mode == ELMX_WHITESPACE_COLLAPSE
            && (length == 0 || length + 1 == available || !is_plain_text_byte(run[length + 1])))
            return length;
        ++length;
    }
}

// Markup that ends a text (neither a comment, a PI nor a CDATA section) shown whole at
// `run`: left in place for the caller, as reading and pushing it back would.
bool is_markup_at(const unsigned char* run, size_t available)
{
    return available >= 2 && run[0] == '<' && run[1] != '?' && run[1] != '!' && run[1] < 0x7f
        && run[1] != '\r';
}

enum class e_plain_text { more, markup_follows, too_long };

// Appends the run of text the window holds that no mode changes, as reading it byte by
// byte would, and stops where that would have gone past the text bound. Tells whether
// markup that ends the text follows it in the window.
e_plain_text take_plain_text(c_get_for_xml& lexer, std::string* value, elmx_whitespace mode)
{
    size_t available = 0;
    const unsigned char* run = lexer.peek_run(&available);
    const size_t length = unchanged_text(run, available, mode);
    if (length != 0) {
        // Collapsing may owe a space before these bytes.
        if (mode == ELMX_WHITESPACE_COLLAPSE)
            lexer.flush_pending_space(value);
        const size_t room = k_max_text_length + 1 - std::min(value->size(), k_max_text_length + 1);
        const size_t taken = std::min(length, room);
        value->append(reinterpret_cast<const char*>(run), taken);
        lexer.take_run(taken);
        if (value->size() > k_max_text_length)
            return e_plain_text::too_long;
    }
    return is_markup_at(run + length, available - length) ? e_plain_text::markup_follows : e_plain_text::more;
}

// The length of the end tag "</name>" shown whole at `run`, for an ASCII name; 0 when it
// is not there.
size_t end_tag_at(const unsigned char* run, size_t available, const std::string& name)
{
    const size_t length = name.size() + 3;
    if (available < length || run[0] != '<' || run[1] != '/' || run[length - 1] != '>'
        || !same_name(name.data(), reinterpret_cast<const char*>(run + 2), name.size(), true))
        return 0;
    return length;
}

size_t end_tag_in_window(const c_get_for_xml& lexer, const std::string& name)
{
    size_t available = 0;
    const unsigned char* run = lexer.peek_run(&available);
    return end_tag_at(run, available, name);
}

// A simple element's text and end tag, "text</name>", shown whole at `run` with a text
// that `mode` leaves as it stands: their length, and the text's place in `*text`; 0 when
// the element needs reading piece by piece.
size_t text_and_end_tag_at(const unsigned char* run, size_t available, const std::string& name,
                           elmx_whitespace mode, std::string_view* text)
{
    const size_t length = unchanged_text(run, available, mode);
    if (length > k_max_text_length)
        return 0;
    const size_t end_tag = end_tag_at(run + length, available - length, name);
    if (end_tag == 0)
        return 0;
    *text = std::string_view(reinterpret_cast<const char*>(run), length);
    return length + end_tag;
}

} // namespace

bool c_xml::get_element_value(std::string* value, elmx_whitespace mode, bool expand_references)
{
    lexer().set_ws_mode(mode);
    for (;;) {
        switch (take_plain_text(lexer(), value, mode)) {
        case e_plain_text::too_long:
            return fail_limit(LIMIT_TEXT_LENGTH);
        case e_plain_text::markup_follows:
            return true;
        case e_plain_text::more:
            break;
        }
        const int c = lexer().get();
        if (c == -1) {
            lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_UNEXPECTED_END_OF_MESSAGE, message::k_premature_end);
            return false;
        }
        if (c == '<') {
            int last = 0;
            switch (read_markup_open(lexer(), &last)) {
            case e_markup_open::pi:
                if (!lexer().skip_PI())
                    return false;
                continue;
            case e_markup_open::comment:
                if (!lexer().skip_comment())
                    return false;
                continue;
            case e_markup_open::cdata:
                lexer().read_cdata_section(value);
                break;
            case e_markup_open::bad_cdata:
                lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_NOT_WELL_FORMED, message::k_not_well_formed);
                return false;
            case e_markup_open::bad_comment:
            case e_markup_open::declaration:
                lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_NOT_WELL_FORMED,
                              message::k_not_well_formed_lower_case);
                return false;
            case e_markup_open::start_tag:
            case e_markup_open::end_tag:
            case e_markup_open::other:
                // A tag ends the text: left in place for the caller.
                if (last != -1)
                    lexer().unget(last);
                lexer().unget('<');
                return true;
            }
        } else if (c == '&' && expand_references) {
            c_entity_name_reader_for_c_get reader(lexer());
            if (!lexer().insert_entity(reader, value))
                return false;
        } else if (mode == ELMX_WHITESPACE_PRESERVE) {
            value->push_back(static_cast<char>(c));
        } else {
            lexer().add_char_wsp(value, c);
        }
        if (value->size() > k_max_text_length)
            return fail_limit(LIMIT_TEXT_LENGTH);
    }
}

bool c_xml::take_simple_value_in_window(const std::string& name, elmx_whitespace mode, std::string_view* text)
{
    size_t available = 0;
    const unsigned char* run = lexer().peek_run(&available);
    if (available == 0 || run[0] != '>')
        return false;
    const size_t length = text_and_end_tag_at(run + 1, available - 1, name, mode, text);
    if (length == 0)
        return false;
    lexer().set_ws_mode(mode);
    lexer().take_run(1 + length);
    return true;
}

bool c_xml::get_simple_type_value(const std::string& name, elmx_whitespace mode, std::string* value,
                                  elmx_error* error, bool* is_empty)
{
    bool empty = false;
    if (is_empty)
        *is_empty = false;
    // Most values are a plain text between tags the window shows whole: taken at once.
    std::string_view text;
    if (take_simple_value_in_window(name, mode, &text)) {
        value->assign(text.data(), text.size());
        return true;
    }
    value->clear();
    if (!lexer().move_to_start_tag_end(&empty)) {
        *error = ELMX_BAD_START_TAG_END;
        return false;
    }
    if (empty) {
        if (is_empty)
            *is_empty = true;
        return true;
    }
    if (!get_element_value(value, mode, true)) {
        *error = ELMX_UNABLE_TO_READ_ELEMENT_VALUE;
        return false;
    }
    if (!is_element_end_tag(name)) {
        *error = ELMX_BAD_END_OF_ELEMENT;
        return false;
    }
    return true;
}

bool c_xml::take_end_tag_in_window(const std::string& name)
{
    const size_t length = end_tag_in_window(lexer(), name);
    lexer().take_run(length);
    return length != 0;
}

bool c_xml::take_text_and_end_tag(const std::string& name, std::string_view* text, elmx_whitespace mode)
{
    size_t available = 0;
    const unsigned char* run = lexer().peek_run(&available);
    const size_t length = text_and_end_tag_at(run, available, name, mode, text);
    if (length == 0)
        return false;
    lexer().set_ws_mode(mode);
    lexer().take_run(length);
    return true;
}

bool c_xml::is_element_end_tag(const std::string& name)
{
    if (take_end_tag_in_window(name))
        return true;
    return lexer().get_non_ws() == '<' && lexer().get() == '/'
        && lexer().read_specified_string_from_input(name.c_str()) && lexer().get_non_ws() == '>';
}

bool c_xml::skip_rest_of_element(const std::string& name)
{
    bool empty = false;
    if (!lexer().move_to_start_tag_end(&empty))
        return false;
    return empty || skip_element_body(name);
}

bool c_xml::skip_rest_of_empty_element(const std::string& name)
{
    bool empty = false;
    if (!lexer().move_to_start_tag_end(&empty))
        return false;
    return empty || is_element_end_tag(name);
}

bool c_xml::skip_element_body(const std::string& name)
{
    // Names are compared as written, so the skipped declarations only need a scope to land in.
    c_xml_local scope;
    c_open_elements open;
    open.push(name);
    std::string tag;
    for (;;) {
        scope.clear();
        switch (get_element_name(&scope, &tag)) {
        case ELXP_VALUE:
            break;
        case ELXP_NAME: {
            bool empty = false;
            if (!lexer().move_to_start_tag_end(&empty))
                return false;
            if (!empty && !open.push(tag))
                return fail_limit(LIMIT_DEPTH);
            break;
        }
        case ELXP_END_TAG:
            if (tag != open.top())
                return report_mismatch(open.top(), tag);
            open.pop();
            if (open.empty())
                return true;
            break;
        default:
            return false;
        }
    }
}

bool c_xml::report_mismatch(const std::string& start_name, const std::string& end_name)
{
    lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_NOT_WELL_FORMED,
                  message::mismatched_tags(start_name, end_name));
    return false;
}

bool c_xml::copy_start_tag_rest(std::string* out, bool* is_empty)
{
    int quote = 0;
    bool slash = false;
    for (int c = lexer().get(); c != -1; c = lexer().get()) {
        out->push_back(static_cast<char>(c));
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '>') {
            *is_empty = slash;
            return true;
        } else if (c == '"' || c == '\'') {
            quote = c;
            slash = false;
        } else if (c == '/') {
            slash = true;
        } else if (!is_xml_ws(c)) {
            slash = false;
        }
        if (out->size() > k_max_text_length)
            return fail_limit(LIMIT_TEXT_LENGTH);
    }
    lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_UNEXPECTED_END_OF_MESSAGE, message::k_premature_end);
    return false;
}

bool c_xml::capture_content(std::string* value, std::string* end_name, elmx_whitespace mode)
{
    lexer().set_ws_mode(mode);
    c_open_elements open;
    std::string tag;
    for (;;) {
        const int c = lexer().get();
        if (c == -1) {
            lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_UNEXPECTED_END_OF_MESSAGE, message::k_premature_end);
            return false;
        }
        if (c != '<') {
            lexer().add_char_wsp(value, c);
        } else {
            // A collapsed space pending before markup would otherwise land inside it.
            lexer().reset_ws_mode();
            int next = 0;
            switch (read_markup_open(lexer(), &next)) {
            case e_markup_open::start_tag: {
                tag.clear();
                const int end = read_name(next, &tag);
                if (end == -1 || tag.size() > k_max_name_length) {
                    lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_NOT_WELL_FORMED, message::k_not_well_formed);
                    return false;
                }
                lexer().unget(end);
                value->append(1, '<').append(tag);
                bool empty = false;
                if (!copy_start_tag_rest(value, &empty))
                    return false;
                if (!empty && !open.push(tag))
                    return fail_limit(LIMIT_DEPTH);
                break;
            }
            case e_markup_open::end_tag:
                if (!read_end_tag_name(&tag))
                    return false;
                if (open.empty()) {
                    *end_name = tag;
                    return true;
                }
                if (tag != open.top())
                    return report_mismatch(open.top(), tag);
                value->append("</").append(tag).append(1, '>');
                open.pop();
                break;
            case e_markup_open::pi:
                if (!lexer().skip_PI())
                    return false;
                break;
            case e_markup_open::comment:
                if (!lexer().skip_comment())
                    return false;
                break;
            case e_markup_open::cdata:
                value->append("<![CDATA[");
                lexer().read_cdata_section(value);
                value->append("]]>");
                break;
            case e_markup_open::bad_cdata:
            case e_markup_open::bad_comment:
            case e_markup_open::declaration:
                lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_NOT_WELL_FORMED,
                              message::k_not_well_formed_lower_case);
                return false;
            case e_markup_open::other:
                lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_NOT_WELL_FORMED, message::k_not_well_formed);
                return false;
            }
        }
        if (value->size() > k_max_text_length)
            return fail_limit(LIMIT_TEXT_LENGTH);
    }
}

bool c_xml::get_nested_element_value(std::string* value, std::string* end_name, elmx_whitespace mode, bool)
{
    m_attributes.assign(1, '\0');
    m_declarations.clear();
    restart_attributes();
    value->clear();
    return capture_content(value, end_name, mode);
}

bool c_xml::get_element_ur_value(const std::string& name, std::string* value, elmx_error* error,
                                 bool* is_empty)
{
    value->clear();
    bool empty = false;
    if (is_empty)
        *is_empty = false;
    if (!lexer().move_to_start_tag_end(&empty)) {
        *error = ELMX_BAD_START_TAG_END;
        return false;
    }
    if (empty) {
        if (is_empty)
            *is_empty = true;
        return true;
    }
    if (!c_xml::get_nested_element_value(value, &m_scratch, ELMX_WHITESPACE_PRESERVE)) {
        *error = ELMX_UNABLE_TO_READ_ELEMENT_VALUE;
        return false;
    }
    if (m_scratch != name) {
        *error = ELMX_BAD_END_OF_ELEMENT;
        return false;
    }
    return true;
}

bool c_xml::get_any_element(const std::string& name, std::string* value, elmx_whitespace mode, bool)
{
    value->assign(1, '<').append(name);
    for (const std::string* store : {&m_declarations, &m_attributes}) {
        for (size_t pos = 0; pos < store->size() && (*store)[pos] != '\0';) {
            const char* entry_name = store->c_str() + pos;
            const char* quoted = entry_name + std::char_traits<char>::length(entry_name) + 1;
            const size_t raw_length = std::char_traits<char>::length(quoted + 1);
            value->append(1, ' ').append(entry_name).append(1, '=');
            value->append(quoted, raw_length + 1).append(1, *quoted);
            pos = (quoted + 1 + raw_length + 1) - store->c_str();
        }
    }
    bool empty = false;
    if (!copy_start_tag_rest(value, &empty))
        return false;
    if (empty)
        return true;
    if (!capture_content(value, &m_scratch, mode))
        return false;
    if (m_scratch != name)
        return report_mismatch(name, m_scratch);
    value->append("</").append(name).append(1, '>');
    return true;
}

} // namespace lmx
