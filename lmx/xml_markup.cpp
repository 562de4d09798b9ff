// Reading the next markup where an element may start, and collecting a start tag's attributes.
#include <kyr/lmx/reader_limits.hpp>
#include <kyr/lmx/xml.hpp>

#include <algorithm>
#include <cstring>

#include "markup_open.hpp"
#include "messages.hpp"
#include "name_chars.hpp"
#include "xml_lexer.hpp"

namespace lmx {

namespace {

// The length of the name that starts the window when the window shows it whole, within the
// name bound, and a plain ASCII byte after it; 0 when the byte-wise path has to read it.
size_t name_in_window(const c_get_for_xml& lexer, const unsigned char** run)
{
    size_t available = 0;
    *run = lexer.peek_run(&available);
    if (available == 0 || !is_name_start_char((*run)[0]))
        return 0;
    const size_t length = ascii_name_run(*run, available);
    const bool plain_end = length < available && (*run)[length] < 0x7f && (*run)[length] != '\r';
    return plain_end && length <= k_max_name_length ? length : 0;
}

} // namespace

elxp_xml_event c_xml::get_element_name(c_xml_local* scope, std::string* name, const std::string* expected_end)
{
    // `name` is emptied on every path but the start tag shown whole in the window, which
    // leaves it alone when it holds that name already.
    for (;;) {
        int c = lexer().get_non_ws();
        if (c == -1) {
            name->clear();
            lexer().set_element_seen(true);
            return ELXP_END_OF_INPUT;
        }
        if (c == '&') {
            // A declared entity's text goes on the entity stack and is read as markup.
            name->clear();
            c_entity_name_reader_for_c_get reader(lexer());
            lexer().set_ws_mode(ELMX_WHITESPACE_PRESERVE);
            if (!lexer().insert_entity(reader, name))
                return ELXP_ERROR;
            if (name->empty())
                continue;
        }
        if (c != '<') {
            lexer().set_element_seen(true);
            if (c != '&')
                name->assign(1, static_cast<char>(c));
            return get_element_value(name, ELMX_WHITESPACE_PRESERVE) ? ELXP_VALUE : ELXP_ERROR;
        }
        if (m_note_tag_places) {
            m_tag_line = lexer().get_line_num();
            m_tag_column = lexer().get_column_num() - 1;
        }
        // Most start tags show their name whole in the window: it is taken from there at once.
        const unsigned char* run = nullptr;
        if (const size_t length = name_in_window(lexer(), &run)) {
            lexer().set_element_seen(true);
            set_name(name, reinterpret_cast<const char*>(run), length);
            // Most start tags end right after their name: nothing to collect.
            const bool bare = run[length] == '>' || run[length] == '/';
            lexer().take_run(length);
            if (bare) {
                clear_attributes();
                m_attributes.push_back('\0');
                return ELXP_NAME;
            }
            return collect_attributes(scope) ? ELXP_NAME : ELXP_ERROR;
        }
        if (expected_end && take_expected_end_tag(*expected_end)) {
            set_name(name, expected_end->data(), expected_end->size());
            lexer().set_element_seen(true);
            return ELXP_END_TAG;
        }
        name->clear();
        switch (read_markup_open(lexer(), &c)) {
        case e_markup_open::start_tag:
            lexer().set_element_seen(true);
            if (read_name(c, name, true) == -1) {
                lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_NOT_WELL_FORMED, message::k_not_well_formed);
                return ELXP_ERROR;
            }
            if (name->size() > k_max_name_length) {
                fail_limit(LIMIT_NAME_LENGTH);
                return ELXP_ERROR;
            }
            return collect_attributes(scope) ? ELXP_NAME : ELXP_ERROR;
        case e_markup_open::end_tag:
            if (!read_end_tag_name(name))
                return ELXP_ERROR;
            lexer().set_element_seen(true);
            return ELXP_END_TAG;
        case e_markup_open::pi:
            if (!lexer().read_PI())
                return ELXP_ERROR;
            continue;
        case e_markup_open::comment:
            if (!lexer().skip_comment())
                return ELXP_ERROR;
            continue;
        case e_markup_open::cdata:
            lexer().read_cdata_section(name);
            lexer().set_element_seen(true);
            return ELXP_VALUE;
        case e_markup_open::declaration:
            if (c != 'D')
                break;
            if (!dtd().read_doctype())
                return ELXP_ERROR;
            continue;
        case e_markup_open::bad_comment:
            break;
        case e_markup_open::bad_cdata:
        case e_markup_open::other:
            lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_NOT_WELL_FORMED, message::k_not_well_formed);
            break;
        }
        // Whatever broke the markup, the rest of its tag goes with it.
        if (c != '>' && c != -1)
            skip_to_tag_end();
        return ELXP_ERROR;
    }
}

bool c_xml::take_expected_end_tag(const std::string& name)
{
    // After the "<": "/", the name and ">" shown whole, the name compared where it stands.
    size_t available = 0;
    const unsigned char* run = lexer().peek_run(&available);
    const size_t length = name.size() + 2;
    if (available < length || run[0] != '/' || run[length - 1] != '>'
        || !same_name(name.data(), reinterpret_cast<const char*>(run + 1), name.size(), true))
        return false;
    lexer().take_run(length);
    return true;
}

int c_xml::read_name(int first, std::string* name, bool leave_end)
{
    const size_t start = name->size();
    name->push_back(static_cast<char>(first));
    // Most names lie whole in the source's window: copy them at once, then let get() take
    // what ends the name or needs decoding.
    size_t available = 0;
    const unsigned char* run = lexer().peek_run(&available);
    const size_t length = ascii_name_run(run, available);
    name->append(reinterpret_cast<const char*>(run), std::min(length, k_max_name_length));
    // A plain ASCII byte after the name ends it and is taken with the run.
    if (length < available && run[length] < 0x7f && run[length] != '\r') {
        const int end = run[length];
        if (leave_end)
            lexer().take_run(length);
        else
            lexer().take_run(length + 1, end == '\n' ? 1 : 0);
        return end;
    }
    lexer().take_run(length);
    int c = lexer().get();
    while (is_name_char(c)) {
        if (name->size() - start <= k_max_name_length)
            name->push_back(static_cast<char>(c));
        c = lexer().get();
    }
    if (leave_end && c != -1)
        lexer().unget(c);
    return c;
}

bool c_xml::read_end_tag_name(std::string* name)
{
    const unsigned char* run = nullptr;
    const size_t length = name_in_window(lexer(), &run);
    if (length != 0 && run[length] == '>') {
        set_name(name, reinterpret_cast<const char*>(run), length);
        lexer().take_run(length + 1);
        return true;
    }
    name->clear();
    const int first = lexer().get();
    if (is_name_start_char(first)) {
        const int end = read_name(first, name);
        if (name->size() > k_max_name_length)
            return fail_limit(LIMIT_NAME_LENGTH);
        const int c = is_xml_ws(end) ? lexer().get_non_ws() : end;
        if (c == '>')
            return true;
        lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_NOT_WELL_FORMED, message::k_not_well_formed);
        if (c != -1)
            skip_to_tag_end();
        return false;
    }
    lexer().error(ELMX_ERROR_TYPE_ERROR, ELMX_NOT_WELL_FORMED, message::k_not_well_formed);
    if (first != '>' && first != -1)
        skip_to_tag_end();
    return false;
}

void c_xml::skip_to_tag_end()
{
    for (int c = lexer().get(); c != '>' && c != -1; c = lexer().get()) {
    }
}

void c_xml::clear_attributes()
{
    m_attributes.clear();
    m_declarations.clear();
    m_attribute_pos = 0;
    m_value_pending = false;
}

bool c_xml::collect_attributes(c_xml_local* scope)
{
    clear_attributes();
    size_t count = 0;
    bool ok = true;
    for (;;) {
        if (!is_name_start_char(lexer().peek_non_ws()))
            break;
        if (++count > k_max_attribute_count) {
            ok = fail_limit(LIMIT_ATTRIBUTE_COUNT);
            break;
        }
        if (!read_attribute(scope)) {
            ok = false;
            break;
        }
    }
    m_attributes.push_back('\0');
    return ok;
}

bool c_xml::read_attribute(c_xml_local* scope)
{
    // The name goes straight into the ordinary store, at once when the window shows it whole;
    // a declaration's entry moves to its own store.
    size_t entry = m_attributes.size();
    const unsigned char* run = nullptr;
    int end = 0;
    if (const size_t length = name_in_window(lexer(), &run)) {
        end = run[length];
        m_attributes.append(reinterpret_cast<const char*>(run), length);
        lexer().take_run(length + 1, end == '\n' ? 1 : 0);
    } else {
        end = read_name(lexer().get(), &m_attributes);
    }
    const size_t name_length = m_attributes.size() - entry;
    if (name_length > k_max_name_length) {
        m_attributes.resize(entry);
        return fail_limit(LIMIT_NAME_LENGTH);
    }
    int c = is_xml_ws(end) ? lexer().get_non_ws() : end;
    const int quote = c == '=' ? lexer().get_non_ws() : 0;
    if (quote != '"' && quote != '\'') {
        m_attributes.resize(entry);
        if (c == -1)
            lexer().error(ELMX_ERROR_TYPE_FATAL, ELMX_UNEXPECTED_END_OF_MESSAGE, message::k_unexpected_end);
        else if (c != '=')
            lexer().error(ELMX_ERROR_TYPE_FATAL, ELMX_NOT_WELL_FORMED, message::expected_equals(c));
        else
            report_missing_quote(quote);
        return false;
    }
    const char* name = m_attributes.data() + entry;
    const bool is_declaration = scope && name_length >= 5 && std::memcmp(name, "xmlns", 5) == 0
        && (name_length == 5 || name[5] == ':');
    if (is_declaration) {
        const size_t declaration = m_declarations.size();
        m_declarations.append(m_attributes, entry, name_length);
        m_attributes.resize(entry);
        entry = declaration;
    }
    std::string& store = is_declaration ? m_declarations : m_attributes;
    store.push_back('\0');
    store.push_back(static_cast<char>(quote));
    const size_t value_start = store.size();
    take_plain_value(quote, &store);
    for (c = lexer().get(); c != quote; c = lexer().get()) {
        if (c <= 0) {
            store.resize(entry);
            report_missing_quote(c);
            return false;
        }
        store.push_back(static_cast<char>(c));
        if (store.size() - value_start > k_max_attribute_length) {
            store.resize(entry);
            return fail_limit(LIMIT_ATTRIBUTE_LENGTH);
        }
    }
    store.push_back('\0');
    if (is_declaration)
        bind_declaration(scope, name_length == 5 ? "" : store.c_str() + entry + 6,
                         store.c_str() + value_start);
    return true;
}

// The bytes of a value that the window shows, up to its quote, taken in place while they
// are plain ASCII; the byte-wise loop of read_attribute does the rest and the checks.
void c_xml::take_plain_value(int quote, std::string* store)
{
    size_t available = 0;
    const unsigned char* run = lexer().peek_run(&available);
    available = std::min(available, k_max_attribute_length);
    size_t length = 0;
    int line_feeds = 0;
    for (; length < available && run[length] != quote && run[length] > 0 && run[length] < 0x7f
         && run[length] != '\r';
         ++length)
        line_feeds += run[length] == '\n';
    store->append(reinterpret_cast<const char*>(run), length);
    lexer().take_run(length, line_feeds);
}

void c_xml::report_missing_quote(int c)
{
    lexer().error(ELMX_ERROR_TYPE_FATAL, ELMX_NOT_WELL_FORMED, message::expected_quote(c));
}

void c_xml::bind_declaration(c_xml_local* scope, const char* prefix, const char* raw)
{
    std::string uri;
    if (std::strchr(raw, '&')) {
        lexer().set_ws_mode(ELMX_WHITESPACE_PRESERVE);
        lexer().expand_entity_text(raw, &uri);
    } else {
        uri = raw;
    }
    if (*prefix == '\0' && uri.empty()) {
        scope->add_namespace("", k_ns_id_none);
        return;
    }
    int id = m_namespaces.find_namespace(uri);
    if (id == k_ns_id_unresolved)
        id = m_namespaces.add_namespace(uri.c_str());
    scope->add_namespace(prefix, id);
}

} // namespace lmx
