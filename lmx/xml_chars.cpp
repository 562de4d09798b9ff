#include <kyr/lmx/xml_chars.hpp>

namespace lmx {

std::size_t decode_utf8_strictly(std::string_view text, std::size_t at, std::uint32_t* c)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned lead = byte(0);
    std::size_t length;
    std::uint32_t value;
    std::uint32_t smallest;
    if (lead < 0x80) {
        *c = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - at < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (byte(i) & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
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
