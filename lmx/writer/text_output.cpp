// Output of strings and booleans: escaping and UTF-16 to UTF-8 encoding.
#include <kyr/lmx/output.hpp>

#include "../values/utf8_encode.hpp"

#include <cstring>

namespace lmx {

namespace {

// Collects output in a small local buffer so that the stream sees a few
// large writes instead of one call per character.
class c_chunked_output
{
public:
    explicit c_chunked_output(std::ostream& os) : m_os(os), m_end(m_buf) {}
    ~c_chunked_output() { flush(); }
    c_chunked_output(const c_chunked_output&) = delete;
    c_chunked_output& operator=(const c_chunked_output&) = delete;

    // Room for the longest piece written at once (an entity of six chars).
    char* reserve()
    {
        if (m_buf + sizeof m_buf - m_end < k_max_piece)
            flush();
        return m_end;
    }
    void commit(char* end) { m_end = end; }

private:
    static constexpr std::ptrdiff_t k_max_piece = 8;

    void flush()
    {
        m_os.write(m_buf, m_end - m_buf);
        m_end = m_buf;
    }

    std::ostream& m_os;
    char m_buf[512];
    char* m_end;
};

// Writes the entity of one of the four escaped characters, or returns null.
char* put_entity(char* p, std::uint32_t c)
{
    const char* entity;
    switch (c) {
    case '"': entity = "&quot;"; break;
    case '\'': entity = "&apos;"; break;
    case '&': entity = "&amp;"; break;
    case '<': entity = "&lt;"; break;
    default: return nullptr;
    }
    const std::size_t n = std::strlen(entity);
    std::memcpy(p, entity, n);
    return p + n;
}

std::ostream& write_escaped_bytes(std::ostream& os, const std::string& text)
{
    c_chunked_output out(os);
    for (char c : text) {
        char* p = out.reserve();
        char* end = put_entity(p, static_cast<unsigned char>(c));
        if (end == nullptr) {
            *p = c;
            end = p + 1;
        }
        out.commit(end);
    }
    return os;
}

} // namespace

std::ostream& operator<<(std::ostream& os, const c_as_xml<std::wstring>& v)
{
    const std::wstring& text = v.value();
    c_chunked_output out(os);
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        std::uint32_t c = detail::unit_value(text[i]);
        if (detail::is_high_surrogate(c)) {
            // An unpaired high surrogate ends the value: nothing sensible can
            // be encoded from it, and no error channel exists here.
            if (i + 1 == size || !detail::is_low_surrogate(detail::unit_value(text[i + 1])))
                break;
            c = detail::join_surrogates(c, detail::unit_value(text[++i]));
        }
        char* p = out.reserve();
        char* end = put_entity(p, c);
        out.commit(end != nullptr ? end : detail::put_utf8(p, c));
    }
    return os;
}

std::ostream& operator<<(std::ostream& os, const c_as_xml<std::string>& v)
{
    return write_escaped_bytes(os, v.value());
}

std::ostream& operator<<(std::ostream& os, const c_as_escaped<std::string>& v)
{
    return write_escaped_bytes(os, v.value());
}

std::ostream& operator<<(std::ostream& os, const c_as_ascii<std::wstring>& v)
{
    c_chunked_output out(os);
    for (wchar_t unit : v.value()) {
        const std::uint32_t c = detail::unit_value(unit);
        char* p = out.reserve();
        *p = c < 128 ? static_cast<char>(c) : '.';
        out.commit(p + 1);
    }
    return os;
}

std::ostream& operator<<(std::ostream& os, const c_as_xml<bool>& v)
{
    return v.value() ? os.write("true", 4) : os.write("false", 5);
}

std::ostream& operator<<(std::ostream& os, const c_as_bool_digit<bool>& v)
{
    return os.put(v.value() ? '1' : '0');
}

} // namespace lmx
