#include "decoder.hpp"

#include <cstring>

namespace lmx {

char* unicode_char_to_utf8(int c, char* out)
{
    char* p = out;
    if (c < 0) {
        *p++ = static_cast<char>(c & 0xff);
    } else if (c < 0x80) {
        *p++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *p++ = static_cast<char>(0xc0 | (c >> 6));
        *p++ = static_cast<char>(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        *p++ = static_cast<char>(0xe0 | (c >> 12));
        *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        *p++ = static_cast<char>(0x80 | (c & 0x3f));
    } else {
        *p++ = static_cast<char>(0xf0 | ((c >> 18) & 0x07));
        *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3f));
        *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        *p++ = static_cast<char>(0x80 | (c & 0x3f));
    }
    *p = 0;
    return out;
}

bool utf8_to_unicode_char(const char* seq, int* out)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(seq);
    const unsigned lead = *p;
    int value;
    int trailing;
    if (lead < 0x80) {
        *out = static_cast<int>(lead);
        return true;
    }
    if ((lead & 0xe0) == 0xc0) {
        value = lead & 0x1f;
        trailing = 1;
    } else if ((lead & 0xf0) == 0xe0) {
        value = lead & 0x0f;
        trailing = 2;
    } else if ((lead & 0xf8) == 0xf0) {
        value = lead & 0x07;
        trailing = 3;
    } else {
        *out = -1;
        return false;
    }
    for (; trailing > 0; --trailing) {
        const unsigned b = *++p;
        if ((b & 0xc0) != 0x80) {
            *out = value;
            return false;
        }
        value = (value << 6) | static_cast<int>(b & 0x3f);
    }
    *out = value;
    return true;
}

bool is_valid_utf8_char_sequence(const char* seq)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(seq);
    const unsigned b0 = p[0];
    if (b0 < 0x80)
        return true;
    if (b0 < 0xc2 || b0 > 0xf4)
        return false;
    switch (b0) {
    case 0xe0:
        return p[1] >= 0xa0 && p[1] <= 0xbf;
    case 0xed:
        return p[1] >= 0x80 && p[1] <= 0x9f;
    case 0xf0:
        return p[1] >= 0x90 && p[1] <= 0xbf;
    case 0xf4:
        return p[1] >= 0x80 && p[1] <= 0x8f;
    default:
        return true;
    }
}

void bswap(void* a, void* b, size_t n)
{
    unsigned char* x = static_cast<unsigned char*>(a);
    unsigned char* y = static_cast<unsigned char*>(b);
    for (size_t i = 0; i < n; ++i) {
        const unsigned char t = x[i];
        x[i] = y[i];
        y[i] = t;
    }
}

} // namespace lmx
