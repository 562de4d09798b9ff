// The base64Binary text form of binary values (standard alphabet, "=" padding).
#include <kyr/lmx/binary.hpp>

#include <kyr/lmx/char_tests.hpp>

namespace lmx {
namespace {

const char base64_alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Six-bit value of an alphabet character, -1 for anything else.
int base64_value(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

} // namespace

// Data and blanks may mix; the padding ends the data and may be followed only by
// blanks once the data has been padded to a whole group.
bool c_binary::is_valid_base64(const std::string& text)
{
    const std::size_t n = text.size();
    if (n == 0)
        return true;
    std::size_t data = 0;
    std::size_t i = 0;
    for (; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (xisspace(c))
            continue;
        if (!xisalnum(c) && c != '+' && c != '/')
            break;
        ++data;
    }
    const std::size_t rest = n - i;
    if (i < 2 || rest > 2 || (data + rest) % 4 != 0)
        return false;
    for (; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (xisspace(c))
            return true;
        if (c != '=')
            return false;
    }
    return true;
}

void c_binary::from_base64(const std::string& text)
{
    m_bytes.clear();
    m_bytes.reserve(text.size() / 4 * 3);
    unsigned long bits = 0;
    int values = 0;
    for (const char c : text) {
        const int value = base64_value(static_cast<unsigned char>(c));
        if (value < 0)
            continue;
        bits = (bits << 6) | static_cast<unsigned long>(value);
        if (++values == 4) {
            m_bytes.push_back(static_cast<unsigned char>(bits >> 16));
            m_bytes.push_back(static_cast<unsigned char>(bits >> 8));
            m_bytes.push_back(static_cast<unsigned char>(bits));
            bits = 0;
            values = 0;
        }
    }
    if (values == 0)
        return;
    bits <<= 6 * (4 - values);
    m_bytes.push_back(static_cast<unsigned char>(bits >> 16));
    if (values == 3)
        m_bytes.push_back(static_cast<unsigned char>(bits >> 8));
}

void c_binary::out_base64(std::ostream& os) const
{
    // Buffered: a profile can run to megabytes, and a stream call per group is slow.
    char buffer[1024];
    std::size_t used = 0;
    const std::size_t n = m_bytes.size();
    for (std::size_t i = 0; i < n; i += 3) {
        const std::size_t left = n - i;
        const unsigned long group = (static_cast<unsigned long>(m_bytes[i]) << 16)
            | (left > 1 ? static_cast<unsigned long>(m_bytes[i + 1]) << 8 : 0)
            | (left > 2 ? m_bytes[i + 2] : 0);
        buffer[used++] = base64_alphabet[(group >> 18) & 63];
        buffer[used++] = base64_alphabet[(group >> 12) & 63];
        buffer[used++] = left > 1 ? base64_alphabet[(group >> 6) & 63] : '=';
        buffer[used++] = left > 2 ? base64_alphabet[group & 63] : '=';
        if (used == sizeof buffer) {
            os.write(buffer, static_cast<std::streamsize>(used));
            used = 0;
        }
    }
    if (used != 0)
        os.write(buffer, static_cast<std::streamsize>(used));
}

} // namespace lmx
