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

TEST(WriterBuffer, OutermostScopeHandsTheTextOver)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    {
        c_xml_writer::c_output_scope outer(writer);
        writer.write("<a>");
        {
            c_xml_writer::c_output_scope inner(writer);
            writer.write("<b/>");
        }
        EXPECT_EQ("", os.str());
        writer.write("</a>");
    }
    EXPECT_EQ("<a><b/></a>", os.str());
}

TEST(WriterBuffer, StreamUsedDirectlyComesInOrder)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    c_xml_writer::c_output_scope scope(writer);
    writer.write('1');
    writer(false) << '2';
    writer.write('3');
    writer.get_stream() << '4';
    writer.write('5');
    writer.add_namespace("p", "urn:p");
    writer.conditionally_write_ns_attrs(false);
    EXPECT_EQ("12345 xmlns:p=\"urn:p\"", os.str());
    writer.write('6');
    writer.flush();
    EXPECT_EQ("12345 xmlns:p=\"urn:p\"6", os.str());
}

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

TEST(WriterBuffer, DestructorHandsOverTextWrittenOutsideAScope)
{
    std::ostringstream os;
    {
        c_xml_writer writer(os, "\t", "\n");
        writer.write("kept");
        EXPECT_EQ("", os.str());
    }
    EXPECT_EQ("kept", os.str());
}

TEST(WriterBuffer, NestOutsideAScopeWritesAtOnce)
{
    std::ostringstream os;
    c_xml_writer writer(os, "->", "\n");
    writer.nest();
    EXPECT_EQ("->", os.str());
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

TEST(WriterBuffer, ReservationsAcrossManyFlushes)
{
    // Enough small pieces and reservations to fill the buffer several times
    // over, so that some reservation finds the buffer nearly full.
    std::string expected;
    for (int i = 0; i < 5000; ++i)
        expected += "<v>" + std::to_string(i * 7) + "</v>";
    const std::string text = buffered([](c_xml_writer& writer) {
        for (int i = 0; i < 5000; ++i) {
            writer.write("<v>", 3);
            write_integer(writer, i * 7);
            writer.write("</v>");
            char* room = writer.reserve(c_xml_writer::max_reserve);
            writer.commit(room);
        }
    });
    EXPECT_EQ(expected, text);
}

TEST(WriterLines, OwnLayoutIndentsFromTheTabText)
{
    const std::string text = buffered([](c_xml_writer& writer) {
        for (int level : {2, 0, 5, 1}) {
            while (writer.get_indent() < level)
                writer.indent();
            while (writer.get_indent() > level)
                writer.undent();
            writer.start_line();
            writer.write('a');
            writer.end_line();
        }
    });
    EXPECT_EQ("\t\ta\na\n\t\t\t\t\ta\n\ta\n", text);
}

TEST(WriterLines, OverriddenNestAndEndlAreCalled)
{
    struct c_marked_writer : c_xml_writer
    {
        using c_xml_writer::c_xml_writer;
        void nest() override { (*this)(false) << "[>]"; }
        const char* endl() override { return "<EOL>"; }
    };
    std::ostringstream os;
    c_marked_writer writer(os, "\t", "\n");
    {
        c_xml_writer::c_output_scope scope(writer);
        writer.write('a');
        writer.end_line();
        writer.indent();
        writer.indent();
        writer.start_line();
        writer.write('b');
        writer.end_line();
    }
    EXPECT_EQ("a<EOL>[>][>]b<EOL>", os.str());
}

TEST(WriterLines, DerivedWriterKeepsTheDefaultLayout)
{
    struct c_quiet_writer : c_xml_writer
    {
        using c_xml_writer::c_xml_writer;
        elmx_error user_handle_error(elmx_error) override { return ELMX_OK; }
    };
    std::ostringstream os;
    c_quiet_writer writer(os, "  ", "\r\n");
    {
        c_xml_writer::c_output_scope scope(writer);
        writer.indent();
        writer.start_line();
        writer.write('x');
        writer.end_line();
    }
    EXPECT_EQ("  x\r\n", os.str());
}

TEST(WriterValues, SameTextsAsTheStreamWrappers)
{
    for (double value : {0.0, -0.0, 0.5938, -60.0, 1e20, 2.5e-7, 1.0 / 3, 123456789012345.0}) {
        EXPECT_EQ(streamed(c_as_xml<double>(value)), buffered([&](c_xml_writer& w) { write_double(w, value); }));
    }
    for (long long value : {0LL, -2147483648LL, 4294967295LL, -9223372036854775807LL - 1}) {
        EXPECT_EQ(streamed(c_as_xml<long long>(value)), buffered([&](c_xml_writer& w) { write_integer(w, value); }));
    }
    EXPECT_EQ("true", buffered([](c_xml_writer& w) { write_bool(w, true); }));
    EXPECT_EQ("false", buffered([](c_xml_writer& w) { write_bool(w, false); }));
}

TEST(WriterValues, EscapedTextAcrossSlices)
{
    // Long enough for several slices, with a surrogate pair astride every
    // slice boundary and each escaped character somewhere.
    std::wstring text;
    for (int i = 0; i < 1000; ++i)
        text += (i % 127 == 126) ? units({0xD83D, 0xDE00}) : std::wstring(1, L"ab<&\"'>\u00e9\u20ac"[i % 9]);
    EXPECT_EQ(streamed(c_as_xml<std::wstring>(text)), buffered([&](c_xml_writer& w) { write_escaped(w, text); }));
    const std::wstring lone_high_at_end = text + units({0xD83D});
    EXPECT_EQ(streamed(c_as_xml<std::wstring>(text)),
              buffered([&](c_xml_writer& w) { write_escaped(w, lone_high_at_end); }));
    EXPECT_EQ("a&lt;", buffered([](c_xml_writer& w) { write_escaped(w, units({'a', '<', 0xD800, 'b', '>'})); }));
}

TEST(WriterValues, DateTimeLikeTheStream)
{
    for (const char* text : {"2026-12-05T18:00:00Z", "2008-03-07T09:05:07.25-01:30", "-0044-03-15T12:00:00",
                             "12345-01-01T00:00:00+05:30"}) {
        const c_datetime value(text);
        std::ostringstream os;
        c_xml_writer writer(os, "\t", "\n");
        {
            c_xml_writer::c_output_scope scope(writer);
            writer.write('[');
            value.write_form(writer, c_datetime::form);
            writer.write(']');
        }
        EXPECT_EQ("[" + value.get_as_string() + "]", os.str()) << text;
        // The stream is left as the stream output leaves it.
        EXPECT_EQ('0', os.fill()) << text;
        os << std::setw(3) << 7;
        EXPECT_EQ("[" + value.get_as_string() + "]007", os.str()) << text;
    }
}

TEST(StringSink, AppendsEverythingWritten)
{
    std::string text = "kept:";
    c_string_sink sink(text);
    std::ostream os(&sink);
    os << 'a' << "bc";
    os.write("def", 3);
    os.put('\0');
    EXPECT_EQ(std::string("kept:abcdef\0", 12), text);
    EXPECT_TRUE(os.good());
}
