// Output of strings and booleans: escaping and UTF-16 to UTF-8 encoding.
#include <kyr/lmx/output.hpp>
#include <kyr/lmx/xml_writer.hpp>

#include "../values/utf8_encode.hpp"

#include <cstring>

namespace lmx {

namespace {

// Characters are encoded in slices: room for a whole slice is reserved at
// once, each character taking at most one entity of six chars.
constexpr std::size_t k_slice = 128;
constexpr std::size_t k_max_char_output = 6;
constexpr std::size_t k_slice_room = k_slice * k_max_char_output;
static_assert(k_slice_room <= c_xml_writer::max_reserve, "a slice fits one reservation");

// Collects output in a small local buffer so that a stream sees a few large
// writes instead of one call per character.
class c_chunked_output
{
public:
    explicit c_chunked_output(std::ostream& os) : m_os(os), m_end(m_buf) {}
    ~c_chunked_output() { flush(); }
    c_chunked_output(const c_chunked_output&) = delete;
    c_chunked_output& operator=(const c_chunked_output&) = delete;

    char* reserve(std::size_t length)
    {
        if (static_cast<std::size_t>(m_buf + sizeof m_buf - m_end) < length)
            flush();
        return m_end;
    }
    void commit(char* end) { m_end = end; }

private:
    void flush()
    {
        m_os.write(m_buf, m_end - m_buf);
        m_end = m_buf;
    }

    std::ostream& m_os;
    char m_buf[2 * k_slice_room];
    char* m_end;
};

bool is_escaped(std::uint32_t c)
{
    return c == '<' || c == '&' || c == '"' || c == '\'';
}

// Writes the entity of one of the four escaped characters.
char* put_entity(char* p, std::uint32_t c)
{
    const char* entity;
    std::size_t length;
    switch (c) {
    case '"':
        entity = "&quot;";
        length = 6;
        break;
    case '\'':
        entity = "&apos;";
        length = 6;
        break;
    case '&':
        entity = "&amp;";
        length = 5;
        break;
    default:
        entity = "&lt;";
        length = 4;
        break;
    }
    std::memcpy(p, entity, length);
    return p + length;
}

// A writer keeps word of a value cut short; a bare stream has no place for it.
void note_lost_text(c_chunked_output&) {}
void note_lost_text(c_xml_writer& writer)
{
    writer.note_lost_text();
}

// Output is a c_chunked_output or a c_xml_writer.
template <typename Output>
void put_escaped_bytes(Output& out, const std::string& text)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* const slice_end = static_cast<std::size_t>(end - p) > k_slice ? p + k_slice : end;
        char* o = out.reserve(k_slice_room);
        for (; p < slice_end; ++p) {
            const auto c = static_cast<unsigned char>(*p);
            if (is_escaped(c))
                o = put_entity(o, c);
            else
                *o++ = static_cast<char>(c);
        }
        out.commit(o);
    }
}

template <typename Output>
void put_escaped_wide(Output& out, const std::wstring& text)
{
    const wchar_t* p = text.data();
    const wchar_t* const end = p + text.size();
    while (p < end) {
        const wchar_t* const slice_end = static_cast<std::size_t>(end - p) > k_slice ? p + k_slice : end;
        char* o = out.reserve(k_slice_room);
        for (; p < slice_end; ++p) {
            std::uint32_t c = detail::unit_value(*p);
            if (c < 0x80) {
                if (is_escaped(c))
                    o = put_entity(o, c);
                else
                    *o++ = static_cast<char>(c);
                continue;
            }
            if (detail::is_high_surrogate(c)) {
                // An unpaired high surrogate ends the value: nothing sensible
                // can be encoded from it, and no error channel exists here.
                if (p + 1 == end || !detail::is_low_surrogate(detail::unit_value(p[1]))) {
                    out.commit(o);
                    note_lost_text(out);
                    return;
                }
                // The pair takes four chars for two units, within the slice's room.
                c = detail::join_surrogates(c, detail::unit_value(*++p));
            }
            o = detail::put_utf8(o, c);
        }
        out.commit(o);
    }
}

} // namespace

std::ostream& operator<<(std::ostream& os, const c_as_xml<std::wstring>& v)
{
    c_chunked_output out(os);
    put_escaped_wide(out, v.value());
    return os;
}

std::ostream& operator<<(std::ostream& os, const c_as_xml<std::string>& v)
{
    c_chunked_output out(os);
    put_escaped_bytes(out, v.value());
    return os;
}

std::ostream& operator<<(std::ostream& os, const c_as_escaped<std::string>& v)
{
    c_chunked_output out(os);
    put_escaped_bytes(out, v.value());
    return os;
}

std::ostream& operator<<(std::ostream& os, const c_as_ascii<std::wstring>& v)
{
    c_chunked_output out(os);
    for (wchar_t unit : v.value()) {
        const std::uint32_t c = detail::unit_value(unit);
        char* p = out.reserve(1);
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

void write_escaped(c_xml_writer& writer, const std::wstring& text)
{
    put_escaped_wide(writer, text);
}

void write_bool(c_xml_writer& writer, bool value)
{
    if (value)
        writer.write("true", 4);
    else
        writer.write("false", 5);
}

} // namespace lmx
