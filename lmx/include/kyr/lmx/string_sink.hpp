// c_string_sink: a stream buffer that appends everything written to it to a
// string. A whole document written through it lands in its result string
// directly, without the buffer of a string stream and the copy out of it.
//
//   std::string text;
//   lmx::c_string_sink sink(text);
//   std::ostream os(&sink);
#ifndef KYR_LMX_STRING_SINK_HPP
#define KYR_LMX_STRING_SINK_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <streambuf>
#include <string>

namespace lmx {

class KYR_API c_string_sink : public std::streambuf
{
public:
    // text is borrowed and must outlive the sink.
    explicit c_string_sink(std::string& text) : m_text(text) {}

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize length) override;

private:
    // Makes room for length more chars, the string's capacity growing geometrically.
    void make_room(std::size_t length);

    std::string& m_text;
};

} // namespace lmx

#endif
