// Internal: encoding one code point as UTF-8.
#ifndef KYR_LMX_VALUES_UTF8_ENCODE_HPP
#define KYR_LMX_VALUES_UTF8_ENCODE_HPP

#include <cstdint>

namespace lmx::detail {

constexpr std::uint32_t k_replacement_char = 0xFFFD;

// Code units of a wide string as unsigned values, whatever the signedness and
// width of wchar_t.
inline std::uint32_t unit_value(wchar_t c)
{
    return static_cast<std::uint32_t>(c);
}

inline bool is_high_surrogate(std::uint32_t u)
{
    return u >= 0xD800 && u <= 0xDBFF;
}
inline bool is_low_surrogate(std::uint32_t u)
{
    return u >= 0xDC00 && u <= 0xDFFF;
}

inline std::uint32_t join_surrogates(std::uint32_t high, std::uint32_t low)
{
    return 0x10000 + ((high & 0x3FF) << 10) + (low & 0x3FF);
}

// Writes the UTF-8 sequence of cp at p (four bytes at most) and returns the
// end. A value above 10FFFF is written as U+FFFD.
inline char* put_utf8(char* p, std::uint32_t cp)
{
    if (cp < 0x80) {
        *p++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *p++ = static_cast<char>(0xC0 | (cp >> 6));
        *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000 || cp > 0x10FFFF) {
        if (cp > 0x10FFFF)
            cp = k_replacement_char;
        *p++ = static_cast<char>(0xE0 | (cp >> 12));
        *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *p++ = static_cast<char>(0xF0 | (cp >> 18));
        *p++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return p;
}

// Length of the UTF-8 sequence that starts with lead byte b: 1 to 4, or 0
// for a byte that cannot start one.
inline int utf8_sequence_length(unsigned char b)
{
    if (b < 0x80)
        return 1;
    if ((b & 0xE0) == 0xC0)
        return 2;
    if ((b & 0xF0) == 0xE0)
        return 3;
    if ((b & 0xF8) == 0xF0)
        return 4;
    return 0;
}

} // namespace lmx::detail

#endif
