// The string-appending stream buffer.
#include <kyr/lmx/string_sink.hpp>

namespace lmx {

c_string_sink::int_type c_string_sink::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    m_text.push_back(traits_type::to_char_type(c));
    return c;
}

std::streamsize c_string_sink::xsputn(const char* text, std::streamsize length)
{
    m_text.append(text, static_cast<std::size_t>(length));
    return length;
}

} // namespace lmx
