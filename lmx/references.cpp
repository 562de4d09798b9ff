#include "lexer.hpp"

#include <unordered_set>
#include <vector>

namespace lmx {

namespace {

int digit_value(int c, int base)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

void c_get_for_xml::read_entity_name(c_entity_name_reader& reader, std::string* name, bool* had_semicolon)
{
    name->clear();
    for (;;) {
        const int c = reader.get();
        if (is_entity_name_char(c)) {
            name->push_back(static_cast<char>(c));
            continue;
        }
        *had_semicolon = c == ';';
        if (!*had_semicolon)
            reader.unget(c);
        return;
    }
}

bool c_get_for_xml::insert_character_entity(c_entity_name_reader& reader, std::string* out)
{
    int base = 10;
    int c = reader.get();
    if (c == 'x') {
        base = 16;
        c = reader.get();
    } else if (digit_value(c, 10) < 0) {
        return false;
    }
    m_digits.clear();
    for (; digit_value(c, base) >= 0; c = reader.get())
        m_digits.push_back(static_cast<char>(c));
    if (c != ';')
        reader.unget(c);
    if (m_digits.empty())
        return false;
    // Saturates just past the limit, so any number of digits is safe.
    long value = 0;
    for (const char d : m_digits) {
        value = value * base + digit_value(d, base);
        if (value > k_max_char_reference)
            value = k_max_char_reference + 1;
    }
    if (value > k_max_char_reference || value == 0)
        return false;
    return append_char_reference(value, out);
}

bool c_get_for_xml::append_char_reference(long value, std::string* out)
{
    if (value == 0x85 || value == 0x2028) {
        add_char_wsp(out, '\n', true);
    } else if (value > 127) {
        char bytes[5];
        flush_pending_space(out);
        out->append(unicode_char_to_utf8(static_cast<int>(value), bytes));
    } else {
        add_char_wsp(out, static_cast<int>(value), true);
    }
    return true;
}

bool c_get_for_xml::append_predefined(const std::string& name, std::string* out)
{
    char c;
    if (name == "lt")
        c = '<';
    else if (name == "gt")
        c = '>';
    else if (name == "amp")
        c = '&';
    else if (name == "apos")
        c = '\'';
    else if (name == "quot")
        c = '"';
    else
        return false;
    flush_pending_space(out);
    out->push_back(c);
    return true;
}

// A character reference or predefined entity is appended; a declared general entity's
// text goes to *text; an undeclared name is appended literally after `opener`.
bool c_get_for_xml::read_reference(c_entity_name_reader& reader, char opener, std::string* out,
                                   const char** text)
{
    *text = nullptr;
    const int first = reader.get();
    if (first == '#')
        return insert_character_entity(reader, out);
    reader.unget(first);
    std::string name;
    bool had_semicolon;
    read_entity_name(reader, &name, &had_semicolon);
    if (append_predefined(name, out) || get_general_entity(name.c_str(), text))
        return true;
    out->push_back(opener);
    out->append(name);
    if (had_semicolon)
        out->push_back(';');
    return false;
}

bool c_get_for_xml::insert_entity(c_entity_name_reader& reader, std::string* out)
{
    const char* text;
    if (!read_reference(reader, '&', out, &text))
        return false;
    if (!text)
        return true;
    return reader.is_from_input() ? set_input_entity_value(text) : expand_entity_text(text, out);
}

// An explicit stack of the texts being expanded, not C recursion: a long chain of entities
// cannot exhaust the call stack. A text already in the chain (or on the entity stack) is the
// same recursion the entity stack refuses.
bool c_get_for_xml::expand_entity_text(const char* text, std::string* out)
{
    struct frame
    {
        const char* position;
        const char* start;
    };
    std::vector<frame> chain;
    std::unordered_set<const char*> in_chain;
    const auto enter = [&](const char* t) {
        if (in_chain.count(t) || is_on_entity_stack(t))
            return fail_recursion(t);
        chain.push_back(frame{t, t});
        in_chain.insert(t);
        return true;
    };
    if (!enter(text))
        return false;
    while (!chain.empty()) {
        const char* position = chain.back().position;
        const int c = static_cast<unsigned char>(*position);
        if (c == 0) {
            in_chain.erase(chain.back().start);
            chain.pop_back();
            continue;
        }
        ++position;
        if (!count_expansion(1))
            return false;
        if (c != '&' && c != '%') {
            chain.back().position = position;
            add_char_wsp(out, c);
            continue;
        }
        size_t taken = 0;
        c_entity_name_reader_for_text reader(position, taken);
        const char* nested;
        const bool ok = read_reference(reader, static_cast<char>(c), out, &nested);
        chain.back().position = position + taken;
        if (!ok || (nested && !enter(nested)))
            return false;
    }
    return true;
}

} // namespace lmx
