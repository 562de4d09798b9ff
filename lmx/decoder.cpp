#include "decoder.hpp"

#include "messages.hpp"

namespace lmx {

namespace {

bool is_detection_ws(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool same_name(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        int x = static_cast<unsigned char>(*a);
        int y = static_cast<unsigned char>(*b);
        if (x >= 'a' && x <= 'z')
            x -= 'a' - 'A';
        if (y >= 'a' && y <= 'z')
            y -= 'a' - 'A';
        if (x != y)
            return false;
        if (x == 0)
            return true;
    }
}

} // namespace

c_get_as_utf8::c_get_as_utf8(c_read& source, c_error& error)
    : m_source(source), m_error(error), m_binder(error)
{
    m_binder.bind(this);
}

int c_get_as_utf8::get_slow()
{
    if (m_error.is_fatal_errored())
        return -1;
    if (!m_unget.empty())
        return m_unget.get();
    return deliver(fetch());
}

int c_get_as_utf8::get_fetched(int c)
{
    if (c < 0)
        return deliver(-1);
    ++m_bytes_read;
    return deliver(decode(c));
}

// Folds CR LF, counts and normalises line ends. Pushed-back bytes never come through here,
// so a line end read again after unget is counted once.
int c_get_as_utf8::deliver(int c)
{
    if (c == '\n' && m_last == '\r')
        c = fetch();
    m_last = c;
    if (c == '\r') {
        new_line();
        return '\n';
    }
    if (c == '\n')
        new_line();
    return c;
}

int c_get_as_utf8::fetch()
{
    if (m_pending) {
        const int c = *m_pending++;
        if (m_pending == m_pending_end)
            m_pending = nullptr;
        return c;
    }
    const int b = source_byte();
    return b < 0 ? -1 : decode(b);
}

int c_get_as_utf8::source_byte()
{
    if (m_lookahead != -2) {
        const int b = m_lookahead;
        m_lookahead = -2;
        set_state(m_encoding);
        return b;
    }
    const int b = m_source.next_byte();
    if (b >= 0)
        ++m_bytes_read;
    return b;
}

int c_get_as_utf8::decode(int b)
{
    switch (m_encoding) {
    case ELMX_ENCODING_UNDETERMINED:
        return detect(b);
    case ELMX_ENCODING_SINGLE_BYTE:
        return b < 0x7f ? b : deliver_code_point(b);
    case ELMX_ENCODING_UTF8:
        return b < 0x80 ? b : decode_utf8(b);
    default:
        return decode_utf16(b);
    }
}

int c_get_as_utf8::detect(int b0)
{
    if (b0 == 0xff) {
        if (source_byte() != 0xfe)
            return fail_encoding();
        const int c0 = source_byte();
        const int c1 = source_byte();
        if (c0 < 1 || c0 > 127 || c1 != 0)
            return fail_encoding();
        set_state(ELMX_ENCODING_UTF16_LE);
        return c0;
    }
    if (b0 == 0xfe) {
        if (source_byte() != 0xff)
            return fail_encoding();
        const int c0 = source_byte();
        const int c1 = source_byte();
        if (c0 != 0 || c1 < 1 || c1 > 127)
            return fail_encoding();
        set_state(ELMX_ENCODING_UTF16_BE);
        return c1;
    }
    if (b0 == 0xef) {
        if (source_byte() != 0xbb || source_byte() != 0xbf)
            return fail_encoding();
        set_state(ELMX_ENCODING_UTF8);
        return source_byte();
    }
    if (b0 == 0) {
        const int b1 = source_byte();
        if (!is_detection_ws(b1) && b1 != '<')
            return fail_encoding();
        set_state(ELMX_ENCODING_UTF16_BE);
        return b1;
    }
    if (is_detection_ws(b0) || b0 == '<') {
        const int b1 = source_byte();
        if (b1 == 0) {
            set_state(ELMX_ENCODING_UTF16_LE);
            return b0;
        }
        // b1 is decoded as UTF-8 by the next fetch.
        m_lookahead = b1 < 0 ? -2 : b1;
        set_state(ELMX_ENCODING_UTF8);
        return b0;
    }
    return fail_encoding();
}

int c_get_as_utf8::decode_utf8(int lead)
{
    const size_t length = lead < 0xc0 ? 1
        : lead < 0xe0                 ? 2
        : lead < 0xf0                 ? 3
        : lead < 0xf8                 ? 4
        : lead < 0xfc                 ? 5
                                      : 6;
    m_pending_buffer[0] = static_cast<unsigned char>(lead);
    for (size_t i = 1; i < length; ++i) {
        const int b = source_byte();
        if (b < 0)
            return -1;
        m_pending_buffer[i] = static_cast<unsigned char>(b);
    }
    m_pending_buffer[length] = 0;
    if (!is_valid_utf8_char_sequence(reinterpret_cast<const char*>(m_pending_buffer)))
        return -1;
    const unsigned char* s = m_pending_buffer;
    if ((length == 2 && s[0] == 0xc2 && s[1] == 0x85)
        || (length == 3 && s[0] == 0xe2 && s[1] == 0x80 && s[2] == 0xa8))
        return '\n';
    return deliver_sequence(length);
}

int c_get_as_utf8::read_unit(int b0)
{
    const int b1 = source_byte();
    if (b0 < 0 || b1 < 0)
        return -1;
    const bool big_endian = m_encoding == ELMX_ENCODING_UTF16_BE || m_encoding == ELMX_ENCODING_UCS2_BE;
    return big_endian ? (b0 << 8 | b1) : (b1 << 8 | b0);
}

int c_get_as_utf8::decode_utf16(int b0)
{
    int unit = read_unit(b0);
    if (unit < 0)
        return -1;
    const bool surrogates = m_encoding == ELMX_ENCODING_UTF16_BE || m_encoding == ELMX_ENCODING_UTF16_LE;
    if (surrogates && unit >= 0xd800 && unit <= 0xdbff) {
        const int low = read_unit(source_byte());
        if (low < 0xdc00 || low > 0xdfff)
            return fail_encoding();
        unit = 0x10000 + ((unit & 0x3ff) << 10) + (low & 0x3ff);
    }
    return deliver_code_point(unit);
}

int c_get_as_utf8::deliver_code_point(int cp)
{
    if (cp == 0x85 || cp == 0x2028)
        return '\n';
    unicode_char_to_utf8(cp, reinterpret_cast<char*>(m_pending_buffer));
    return deliver_sequence(cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4);
}

// The first byte of the buffer now, the others from the pending buffer.
int c_get_as_utf8::deliver_sequence(size_t length)
{
    if (length > 1) {
        m_pending = m_pending_buffer + 1;
        m_pending_end = m_pending_buffer + length;
    }
    return m_pending_buffer[0];
}

void c_get_as_utf8::set_state(elmx_encoding state)
{
    m_encoding = state;
    m_fast_path = (state == ELMX_ENCODING_UTF8 || state == ELMX_ENCODING_SINGLE_BYTE) && m_lookahead == -2
        && !m_track_line_starts;
}

void c_get_as_utf8::track_line_starts(bool on)
{
    m_track_line_starts = on;
    set_state(m_encoding);
}

int c_get_as_utf8::fail_encoding()
{
    error(ELMX_ERROR_TYPE_FATAL, ELMX_BAD_CHAR_ENCODING, message::k_unrecognised_encoding);
    return -1;
}

bool c_get_as_utf8::set_encoding(const char* name)
{
    bool matches;
    if (same_name(name, "ISO-10646-UCS-2")) {
        matches = m_encoding == ELMX_ENCODING_UTF16_BE || m_encoding == ELMX_ENCODING_UTF16_LE;
        if (matches)
            set_state(m_encoding == ELMX_ENCODING_UTF16_BE ? ELMX_ENCODING_UCS2_BE : ELMX_ENCODING_UCS2_LE);
    } else if (same_name(name, "ISO-8859-1") || same_name(name, "US-ASCII")) {
        matches = m_encoding == ELMX_ENCODING_UTF8;
        if (matches)
            set_state(ELMX_ENCODING_SINGLE_BYTE);
    } else if (same_name(name, "UTF-8")) {
        matches = m_encoding == ELMX_ENCODING_UTF8;
    } else if (same_name(name, "UTF-16")) {
        matches = m_encoding == ELMX_ENCODING_UTF16_BE || m_encoding == ELMX_ENCODING_UTF16_LE;
    } else {
        error(ELMX_ERROR_TYPE_FATAL, ELMX_BAD_CHAR_ENCODING, message::k_unknown_encoding);
        return false;
    }
    if (!matches)
        error(ELMX_ERROR_TYPE_FATAL, ELMX_ENCODING_MISMATCH, message::k_encoding_mismatch);
    return matches;
}

void c_get_as_utf8::rewind()
{
    m_last = 0;
    m_unget.clear();
    m_pending = nullptr;
    m_line = 1;
    m_line_start = 0;
    m_lookahead = -2;
    m_bytes_read = 0;
    set_state(ELMX_ENCODING_UNDETERMINED);
    m_source.rewind();
}

void c_get_as_utf8::error(elmx_error_type type, elmx_error code, const char* message)
{
    m_error.error(type, code, get_source_id(), m_line, message);
}

void c_get_as_utf8::error(elmx_error_type type, elmx_error code, const std::string& message)
{
    error(type, code, message.c_str());
}

} // namespace lmx
