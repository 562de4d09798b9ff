#include "text_encoding.hpp"

namespace kyr::cgats {
namespace {

std::string from_latin1(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string to_latin1(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size()) {
            out += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F));
        } else {
            out += '?';
            while (i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80)
                ++i;
        }
    }
    return out;
}

template <class Convert>
void convert_all(table& t, Convert convert)
{
    t.identifier = convert(t.identifier);
    for (header_entry& entry : t.header) {
        entry.name = convert(entry.name);
        entry.value = convert(entry.value);
    }
    for (std::string& field : t.fields)
        field = convert(field);
    for (std::string& value : t.values)
        value = convert(value);
}

} // namespace

bool is_utf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1
            : (c >> 5) == 0x6               ? 2
            : (c >> 4) == 0xE               ? 3
            : (c >> 3) == 0x1E              ? 4
                                            : 0;
        if (length == 0 || i + length > text.size())
            return false;
        unsigned long code = length == 1 ? c : c & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        const unsigned long smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

bool all_utf8(const std::vector<table>& tables)
{
    for (const table& t : tables) {
        if (!is_utf8(t.identifier))
            return false;
        for (const header_entry& entry : t.header)
            if (!is_utf8(entry.name) || !is_utf8(entry.value))
                return false;
        for (const std::string& field : t.fields)
            if (!is_utf8(field))
                return false;
        for (const std::string& value : t.values)
            if (!is_utf8(value))
                return false;
    }
    return true;
}

void latin1_to_utf8(table& t)
{
    convert_all(t, from_latin1);
}

void utf8_to_latin1(table& t)
{
    convert_all(t, to_latin1);
}

} // namespace kyr::cgats
