// Byte sources: memory, string, file (narrow, wide, caller's stream) and the windowed path.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "input_support.hpp"

using namespace lmx;
using kyr_test::c_chunked_read;

namespace {

std::string read_all(c_read& source)
{
    std::string out;
    for (int c = source.read(); c >= 0; c = source.read())
        out.push_back(static_cast<char>(c));
    return out;
}

std::string next_all(c_read& source)
{
    std::string out;
    for (int c = source.next_byte(); c >= 0; c = source.next_byte())
        out.push_back(static_cast<char>(c));
    return out;
}

class FileSource : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = ::testing::TempDir() + "kyr_lmx_input_source_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".bin";
        // Longer than one buffer, with every byte value, so refills and sign matter.
        for (int i = 0; i < 1300; ++i)
            m_content.push_back(static_cast<char>(i * 7 % 256));
        std::ofstream(m_path, std::ios::binary) << m_content;
    }
    void TearDown() override { std::remove(m_path.c_str()); }

    std::string m_path;
    std::string m_content;
};

} // namespace

TEST(MemorySource, DeliversBytesAsUnsignedThenEnd)
{
    const char data[] = {'a', '\x80', '\xff', '\0', 'z'};
    c_read_memory m(data, sizeof data);
    EXPECT_TRUE(m.is_open());
    EXPECT_EQ(m.get_source_id(), nullptr);
    EXPECT_EQ(m.read(), 'a');
    EXPECT_EQ(m.read(), 0x80);
    EXPECT_EQ(m.next_byte(), 0xff);
    EXPECT_EQ(m.read(), 0);
    EXPECT_EQ(m.next_byte(), 'z');
    EXPECT_EQ(m.read(), -1);
    EXPECT_EQ(m.next_byte(), -1);
    m.rewind();
    EXPECT_EQ(m.next_byte(), 'a');
    c_read_memory copy(m);
    EXPECT_EQ(copy.read(), 0x80);
    EXPECT_EQ(m.read(), 0x80);
}

TEST(MemorySource, EmptyBufferEndsAtOnce)
{
    c_read_memory m("", 0);
    EXPECT_EQ(m.read(), -1);
    EXPECT_EQ(m.next_byte(), -1);
}

TEST(StringSource, ReadsTheStringsOwnCharacters)
{
    const std::string text("<a>\xc3\xa9</a>", 10);
    c_read_string s(text);
    EXPECT_EQ(read_all(s), text);
    s.rewind();
    EXPECT_EQ(next_all(s), text);
}

TEST(ChunkedSource, WindowAndReadAgree)
{
    const std::string text = "<doc>some text</doc>";
    for (size_t chunk : {1u, 2u, 7u, 100u}) {
        c_chunked_read a(text, chunk);
        EXPECT_EQ(next_all(a), text);
        c_chunked_read b(text, chunk);
        EXPECT_EQ(read_all(b), text);
        // Mixing both calls still gives every byte once, in order.
        c_chunked_read c(text, chunk);
        std::string mixed;
        for (int i = 0;; ++i) {
            const int ch = i % 2 ? c.read() : c.next_byte();
            if (ch < 0)
                break;
            mixed.push_back(static_cast<char>(ch));
        }
        EXPECT_EQ(mixed, text) << chunk;
    }
    c_chunked_read one(text, 1);
    next_all(one);
    EXPECT_EQ(one.read_calls(), text.size() + 1);
}

TEST_F(FileSource, NarrowNameReadsEveryByteAcrossRefills)
{
    c_read_file f(m_path.c_str());
    ASSERT_TRUE(f.is_open());
    EXPECT_STREQ(f.get_source_id(), m_path.c_str());
    EXPECT_EQ(next_all(f), m_content);
    EXPECT_EQ(f.read(), -1);
}

TEST_F(FileSource, RewindAfterAFewBytesStartsAgain)
{
    c_read_file f(m_path.c_str());
    f.read();
    f.read();
    f.next_byte();
    f.rewind();
    EXPECT_EQ(f.read(), static_cast<unsigned char>(m_content[0]));
    EXPECT_EQ(read_all(f), m_content.substr(1));
    f.rewind();
    EXPECT_EQ(next_all(f), m_content);
}

TEST_F(FileSource, CallersStreamIsReadFromItsStartAndClosedOnDelete)
{
    FILE* stream = std::fopen(m_path.c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    std::fseek(stream, 100, SEEK_SET);
    {
        c_read_file f(stream);
        EXPECT_TRUE(f.is_open());
        EXPECT_STREQ(f.get_source_id(), "");
        // Reads on from where the stream stood; rewind goes to the file's start.
        EXPECT_EQ(f.read(), static_cast<unsigned char>(m_content[100]));
        f.rewind();
        EXPECT_EQ(f.read(), static_cast<unsigned char>(m_content[0]));
        f.leave_file_open_on_delete(true);
    }
    // Left open: the stream still works.
    EXPECT_EQ(std::fseek(stream, 0, SEEK_SET), 0);
    EXPECT_EQ(std::fgetc(stream), static_cast<unsigned char>(m_content[0]));
    {
        c_read_file f(stream);
        f.leave_file_open_on_delete(true);
        f.leave_file_open_on_delete(false);
    }
    // Closed by the source (using the stream now would be undefined): nothing to assert but
    // that the sanitizer build sees no leak or double close.
}

TEST_F(FileSource, CloseDeliversWhatIsBufferedThenEnds)
{
    c_read_file f(m_path.c_str());
    EXPECT_EQ(f.read(), static_cast<unsigned char>(m_content[0]));
    f.close();
    EXPECT_FALSE(f.is_open());
    std::string rest;
    for (int c = f.next_byte(); c >= 0; c = f.next_byte())
        rest.push_back(static_cast<char>(c));
    EXPECT_EQ(rest, m_content.substr(1, k_file_read_buffer_size - 1));
    f.close();
    f.rewind();
    EXPECT_EQ(f.read(), -1);
}

TEST_F(FileSource, WideNameIsEncodedUnitByUnit)
{
    c_read_file f(std::wstring(m_path.begin(), m_path.end()).c_str());
    ASSERT_TRUE(f.is_open());
    EXPECT_STREQ(f.get_source_id(), m_path.c_str());
    EXPECT_EQ(next_all(f), m_content);

    // e acute and the two halves of a surrogate pair, each on its own.
    const wchar_t name[] = {L'x', 0xe9, 0xd83d, 0xde00, 0};
    c_read_file missing(name);
    EXPECT_FALSE(missing.is_open());
    EXPECT_STREQ(missing.get_source_id(), "x\xc3\xa9\xed\xa0\xbd\xed\xb8\x80");
}

TEST(FileSourceMissing, IsNotOpenAndEndsAtOnce)
{
    c_read_file f("/nonexistent/dir/file.kyr");
    EXPECT_FALSE(f.is_open());
    EXPECT_EQ(f.read(), -1);
    EXPECT_EQ(f.next_byte(), -1);
    f.rewind();
    EXPECT_EQ(f.read(), -1);
    EXPECT_STREQ(f.get_source_id(), "/nonexistent/dir/file.kyr");
}
