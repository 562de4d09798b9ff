// The characters an XML 1.0 document may carry, and whether a UTF-8 text is
// made of them alone.
#ifndef KYR_LMX_XML_CHARS_HPP
#define KYR_LMX_XML_CHARS_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lmx {

// Tab, line feed, carriage return, 20-D7FF, E000-FFFD and 10000-10FFFF.
inline bool is_xml_char(std::uint32_t c)
{
    if (c < 0x20)
        return c == '\t' || c == '\n' || c == '\r';
    return c <= 0xD7FF || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Decodes the well-formed UTF-8 sequence at text[at] (shortest form, no
// surrogate, at most 10FFFF) into *c and returns its length; 0 when the bytes
// there do not form one.
KYR_API std::size_t decode_utf8_strictly(std::string_view text, std::size_t at, std::uint32_t* c);

// The offset of the first byte of text that does not begin a well-formed
// UTF-8 sequence of an XML character; text.size() when every one does.
KYR_API std::size_t find_non_xml_text(std::string_view text);

} // namespace lmx

#endif
