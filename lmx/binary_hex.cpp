// The hexBinary text form of binary values.
#include <kyr/lmx/binary.hpp>

#include <kyr/lmx/char_tests.hpp>

namespace lmx {
namespace {

// Trusts a checked digit; other characters give arbitrary values.
unsigned hex_digit_value(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    if (xisdigit(u))
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 87u;
    return u - 55u;
}

} // namespace

bool c_binary::is_valid_hex(const std::string& text)
{
    if (text.size() % 2 != 0)
        return false;
    for (const char c : text)
        if (!xisxdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

void c_binary::from_hex(const std::string& text)
{
    m_bytes.clear();
    m_bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        m_bytes.push_back(
            static_cast<unsigned char>(hex_digit_value(text[i]) * 16u + hex_digit_value(text[i + 1])));
}

void c_binary::out_hex(std::ostream& os) const
{
    if (m_bytes.empty())
        return;
    // Same text as upper-case hexadecimal with fill '0' and width 2 per byte, built in a
    // buffer rather than through a formatted stream call per byte; the fill is left at '0'.
    static const char digits[] = "0123456789ABCDEF";
    os.fill('0');
    char buffer[1024];
    std::size_t used = 0;
    for (const unsigned char byte : m_bytes) {
        buffer[used++] = digits[byte >> 4];
        buffer[used++] = digits[byte & 15];
        if (used == sizeof buffer) {
            os.write(buffer, static_cast<std::streamsize>(used));
            used = 0;
        }
    }
    os.write(buffer, static_cast<std::streamsize>(used));
}

} // namespace lmx
