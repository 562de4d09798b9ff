// The writer's buffered output: when text reaches the stream, that the order
// stays whatever mixes with it, and that the write_* functions put exactly the
// texts of the stream wrappers.
#include <kyr/lmx/datetime.hpp>
#include <kyr/lmx/output.hpp>
#include <kyr/lmx/string_sink.hpp>
#include <kyr/lmx/xml_writer.hpp>

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>

using namespace lmx;

namespace {

template <typename W>
std::string streamed(const W& wrapper)
{
    std::ostringstream os;
    os << wrapper;
    return os.str();
}

// Writes through the writer's buffer inside one marshal-like scope.
template <typename F>
std::string buffered(F write)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    {
        c_xml_writer::c_output_scope scope(writer);
        write(writer);
    }
    return os.str();
}

std::wstring units(std::initializer_list<unsigned> values)
{
    std::wstring s;
    for (unsigned v : values)
        s.push_back(static_cast<wchar_t>(v));
    return s;
}

} // namespace

TEST(WriterBuffer, ErrorHookSeesEverythingWrittenBefore)
{
    struct c_logging_writer : c_xml_writer
    {
        explicit c_logging_writer(std::ostream& os) : c_xml_writer(os, "\t", "\n"), log(os) {}
        elmx_error user_handle_error(elmx_error code) override
        {
            log << "[error " << code << "]";
            return code;
        }
        std::ostream& log;
    };
    std::ostringstream os;
    c_logging_writer writer(os);
    {
        c_xml_writer::c_output_scope scope(writer);
        writer.write("<x");
        writer.handle_error(ELMX_BAD_CHOICE, "x", "f", 1);
        writer.write("/>");
    }
    EXPECT_EQ("<x[error 7]/>", os.str());
}

TEST(WriterBuffer, StreamThatThrowsKeepsItsFailureInItsState)
{
    struct c_full_buffer : std::streambuf
    {
        int_type overflow(int_type) override { return traits_type::eof(); }
    };
    c_full_buffer full;
    std::ostream os(&full);
    os.exceptions(std::ios::badbit);
    {
        c_xml_writer writer(os, "\t", "\n");
        c_xml_writer::c_output_scope scope(writer);
        writer.write("<lost/>");
    }
    EXPECT_TRUE(os.bad());
}

TEST(WriterBuffer, TextLargerThanTheBufferKeepsItsPlace)
{
    const std::string large(100000, 'x');
    std::string expected = "<";
    for (int i = 0; i < 3; ++i)
        expected += large + std::to_string(i);
    const std::string text = buffered([&](c_xml_writer& writer) {
        writer.write('<');
        for (int i = 0; i < 3; ++i) {
            writer.write(large.data(), large.size());
            writer.write(std::to_string(i).c_str());
        }
    });
    EXPECT_EQ(expected, text);
}

TEST(WriterValues, EscapedTextAcrossSlices)
{
    // Long enough for several slices, with a surrogate pair astride every
    // slice boundary and each escaped character somewhere.
    std::wstring text;
    for (int i = 0; i < 1000; ++i)
        text += (i % 127 == 126) ? units({0xD83D, 0xDE00}) : std::wstring(1, L"ab<&\"'>\u00e9\u20ac"[i % 9]);
    EXPECT_EQ(streamed(c_as_xml<std::wstring>(text)),
              buffered([&](c_xml_writer& w) { write_escaped(w, text); }));
    const std::wstring lone_high_at_end = text + units({0xD83D});
    EXPECT_EQ(streamed(c_as_xml<std::wstring>(text)),
              buffered([&](c_xml_writer& w) { write_escaped(w, lone_high_at_end); }));
    EXPECT_EQ("a&lt;", buffered([](c_xml_writer& w) {
                  write_escaped(w, units({'a', '<', 0xD800, 'b', '>'}));
              }));
}
