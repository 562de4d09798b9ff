#include <kyr/lmx/xml_chars.hpp>

namespace lmx {

std::size_t decode_utf8_strictly(std::string_view text, std::size_t at, std::uint32_t* c)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned lead = byte(0);
    if (lead < 0x80) {
        *c = lead;
        return 1;
    }
    // C0, C1 and F5 to FF start no sequence; the smallest value of each length rules out
    // overlong forms.
    const std::size_t length = lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0)
        return 0;
    static const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    std::uint32_t value = lead & (0x7Fu >> length);
    if (text.size() - at < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (byte(i) & 0x3F);
    }
    if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *c = value;
    return length;
}

std::size_t find_non_xml_text(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const auto b = static_cast<unsigned char>(text[at]);
        // Most markup and text is printable ASCII.
        if (b >= 0x20 && b < 0x80) {
            ++at;
            continue;
        }
        std::uint32_t c;
        const std::size_t length = decode_utf8_strictly(text, at, &c);
        if (length == 0 || !is_xml_char(c))
            return at;
        at += length;
    }
    return text.size();
}

} // namespace lmx
