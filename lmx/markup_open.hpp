// What a "<" opens, read the same way by every reader of markup.
#ifndef KYR_LMX_MARKUP_OPEN_HPP
#define KYR_LMX_MARKUP_OPEN_HPP

#include "lexer.hpp"
#include "name_chars.hpp"

namespace lmx {

enum class e_markup_open {
    start_tag,   // *last: the name's first byte, read
    end_tag,     // "</" read
    other,       // *last: the byte after "<" (-1 at the end), read; it opens nothing
    pi,          // "<?" read
    comment,     // "<!--" read
    cdata,       // "<![CDATA[" read
    bad_cdata,   // "<![" read; *last: the first byte that differed from "CDATA["
    bad_comment, // "<!-" read; *last: the byte read instead of the second "-"
    declaration  // "<!" read; *last: the byte after it, neither "-" nor "["
};

// After "<": reads no further than it takes to tell the kinds apart, so that each reader
// can report or push back exactly what it did before.
inline e_markup_open read_markup_open(c_get_for_xml& lexer, int* last)
{
    const int c = lexer.get();
    *last = c;
    if (is_name_start_char(c))
        return e_markup_open::start_tag;
    if (c == '/')
        return e_markup_open::end_tag;
    if (c == '?')
        return e_markup_open::pi;
    if (c != '!')
        return e_markup_open::other;
    const int kind = lexer.get();
    *last = kind;
    if (kind == '-') {
        *last = lexer.get();
        return *last == '-' ? e_markup_open::comment : e_markup_open::bad_comment;
    }
    if (kind != '[')
        return e_markup_open::declaration;
    if (lexer.read_specified_string_from_input("CDATA["))
        return e_markup_open::cdata;
    *last = lexer.get_last_mismatch();
    return e_markup_open::bad_cdata;
}

} // namespace lmx

#endif
