// Character class tests used by every lexical check of the runtime.
//
// They answer as the classic "C" locale does whatever the process locale is,
// and return false for any value below 1 (the string terminator, and bytes
// above 127 that arrive as negative char values) or above 127, so no byte of
// a multi-byte UTF-8 sequence is ever taken for a digit, letter or blank.
#ifndef KYR_LMX_CHAR_TESTS_HPP
#define KYR_LMX_CHAR_TESTS_HPP

namespace lmx {

inline bool xisdigit(int c)
{
    return c >= '0' && c <= '9';
}

inline bool xisalpha(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline bool xisalnum(int c)
{
    return xisdigit(c) || xisalpha(c);
}

inline bool xisxdigit(int c)
{
    return xisdigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Blank, tab, line feed, vertical tab, form feed, carriage return.
inline bool xisspace(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Printable: blank through tilde.
inline bool xisprint(int c)
{
    return c >= ' ' && c <= '~';
}

} // namespace lmx

#endif
