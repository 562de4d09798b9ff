#include "decoded_text.hpp"

#include <kyr/lmx/xml_chars.hpp>

#include <algorithm>

namespace lmx::well_formed {

namespace {

enum class e_encoding { utf8, utf16be, utf16le, latin1, ascii };

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The encoding named in an XML declaration written in ASCII bytes, or "".
std::string declared_encoding(std::string_view bytes)
{
    if (bytes.substr(0, 5) != "<?xml")
        return "";
    const std::string_view decl = bytes.substr(0, bytes.find("?>"));
    const std::size_t at = decl.find("encoding");
    if (at == std::string_view::npos)
        return "";
    std::size_t i = decl.find_first_of("\"'", at);
    if (i == std::string_view::npos)
        return "";
    const std::size_t end = decl.find(decl[i], i + 1);
    return end == std::string_view::npos ? "" : lower(decl.substr(i + 1, end - i - 1));
}

class c_decoder
{
public:
    explicit c_decoder(s_decoded& out) : m_out(out) {}

    bool fail(const char* message)
    {
        m_out.code = ELMX_BAD_CHAR_ENCODING;
        m_out.message = message;
        return false;
    }

    // Takes one character: line ends are normalised, characters XML lacks refused.
    bool put(std::uint32_t c)
    {
        if (m_after_cr) {
            m_after_cr = false;
            if (c == '\n')
                return true;
        }
        if (c == '\r') {
            m_after_cr = true;
            c = '\n';
        }
        if (!is_xml_char(c))
            return fail("a character XML does not allow");
        m_out.text.push_back(static_cast<char32_t>(c));
        return true;
    }

    bool utf8(std::string_view bytes)
    {
        for (std::size_t at = 0; at < bytes.size();) {
            // Printable ASCII, most of a document, needs no decoding and no check.
            const auto b = static_cast<unsigned char>(bytes[at]);
            if (b >= 0x20 && b < 0x80) {
                m_after_cr = false;
                m_out.text.push_back(static_cast<char32_t>(b));
                ++at;
                continue;
            }
            std::uint32_t c;
            const std::size_t length = decode_utf8_strictly(bytes, at, &c);
            if (length == 0)
                return fail("bytes that are not well-formed UTF-8");
            if (!put(c))
                return false;
            at += length;
        }
        return true;
    }

    bool utf16(std::string_view bytes, bool big_endian)
    {
        if (bytes.size() % 2 != 0)
            return fail("UTF-16 text of an odd number of bytes");
        const auto unit = [&](std::size_t at) {
            const auto a = static_cast<unsigned char>(bytes[at]);
            const auto b = static_cast<unsigned char>(bytes[at + 1]);
            return big_endian ? (a << 8 | b) : (b << 8 | a);
        };
        for (std::size_t at = 0; at < bytes.size(); at += 2) {
            std::uint32_t c = static_cast<std::uint32_t>(unit(at));
            if (c >= 0xD800 && c <= 0xDBFF && at + 2 < bytes.size()) {
                const std::uint32_t low = static_cast<std::uint32_t>(unit(at + 2));
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    c = 0x10000 + ((c & 0x3FF) << 10) + (low & 0x3FF);
                    at += 2;
                }
            }
            if (c >= 0xD800 && c <= 0xDFFF)
                return fail("a lone UTF-16 surrogate");
            if (!put(c))
                return false;
        }
        return true;
    }

    bool single_bytes(std::string_view bytes, bool ascii)
    {
        for (char b : bytes) {
            const auto c = static_cast<unsigned char>(b);
            if (ascii && c >= 0x80)
                return fail("a byte beyond US-ASCII");
            if (!put(c))
                return false;
        }
        return true;
    }

private:
    s_decoded& m_out;
    bool m_after_cr = false;
};

bool is_utf16_name(const std::string& name)
{
    return name == "utf-16" || name == "utf-16le" || name == "utf-16be" || name == "iso-10646-ucs-2";
}

} // namespace

s_decoded decode_document(std::string_view bytes)
{
    s_decoded out;
    out.text.reserve(bytes.size());
    c_decoder decoder(out);
    const auto starts = [&](std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; };
    if (starts("\xFE\xFF") || starts("\xFF\xFE") || starts(std::string_view("\0<\0?", 4))
        || starts(std::string_view("<\0?\0", 4))) {
        const bool bom = starts("\xFE\xFF") || starts("\xFF\xFE");
        const bool big_endian = bytes[0] == '\xFE' || bytes[0] == '\0';
        if (decoder.utf16(bytes.substr(bom ? 2 : 0), big_endian)) {
            // The declaration, now readable, may not name an 8-bit encoding.
            std::string ascii;
            for (std::size_t i = 0; i < out.text.size() && i < 200; ++i)
                ascii += out.text[i] < 0x80 ? static_cast<char>(out.text[i]) : '?';
            const std::string name = declared_encoding(ascii);
            if (!name.empty() && !is_utf16_name(name))
                decoder.fail("UTF-16 text declared in another encoding");
        }
        return out;
    }
    const bool bom = starts("\xEF\xBB\xBF");
    const std::string_view text = bytes.substr(bom ? 3 : 0);
    const std::string name = declared_encoding(text);
    if (name.empty() || name == "utf-8") {
        decoder.utf8(text);
    } else if (bom || is_utf16_name(name)) {
        decoder.fail("a declared encoding that the bytes do not have");
    } else if (name == "iso-8859-1" || name == "latin1" || name == "iso_8859-1" || name == "l1") {
        decoder.single_bytes(text, false);
    } else if (name == "us-ascii" || name == "ascii") {
        decoder.single_bytes(text, true);
    } else {
        decoder.fail("an encoding the strict reader does not read");
    }
    return out;
}

} // namespace lmx::well_formed
