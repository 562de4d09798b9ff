// Escaping and encoding of strings, and booleans.
#include <kyr/lmx/output.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using namespace lmx;

namespace {

std::wstring units(std::initializer_list<unsigned> values)
{
    std::wstring s;
    for (unsigned v : values)
        s.push_back(static_cast<wchar_t>(v));
    return s;
}

template <typename W>
std::string written(const W& wrapper)
{
    std::ostringstream os;
    os << wrapper;
    return os.str();
}

} // namespace

TEST(WideTextOutput, EscapesFourCharacters)
{
    EXPECT_EQ("&lt;&amp;&quot;>&apos;", written(c_as_xml<std::wstring>(L"<&\">'")));
    EXPECT_EQ("a &lt;b>", written(c_as_xml<std::wstring>(L"a <b>")));
    EXPECT_EQ("a &amp;gt;", written(c_as_xml<std::wstring>(L"a &gt;")));
    EXPECT_EQ("", written(c_as_xml<std::wstring>(L"")));
}

TEST(WideTextOutput, Utf8OfEveryLength)
{
    EXPECT_EQ("A\xC3\xA9\xDF\xBF\xE0\xA0\x80\xE2\x82\xAC\xEF\xBF\xBF",
              written(c_as_xml<std::wstring>(units({'A', 0xE9, 0x7FF, 0x800, 0x20AC, 0xFFFF}))));
}

TEST(WideTextOutput, SurrogatePairBecomesFourBytes)
{
    EXPECT_EQ("\xF0\x9F\x98\x80", written(c_as_xml<std::wstring>(units({0xD83D, 0xDE00}))));
    EXPECT_EQ("\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
              written(c_as_xml<std::wstring>(units({0xD800, 0xDC00, 0xDBFF, 0xDFFF}))));
}

TEST(WideTextOutput, SingleElementAboveFFFF)
{
    if (sizeof(wchar_t) < 4)
        GTEST_SKIP() << "wchar_t cannot hold values above FFFF";
    EXPECT_EQ("a\xF0\x9F\x98\x80", written(c_as_xml<std::wstring>(units({'a', 0x1F600}))));
    EXPECT_EQ("\xEF\xBF\xBD", written(c_as_xml<std::wstring>(units({0x110000}))));
    // Both forms of the same character give the same bytes.
    EXPECT_EQ(written(c_as_xml<std::wstring>(units({0xD83D, 0xDE00}))),
              written(c_as_xml<std::wstring>(units({0x1F600}))));
}

TEST(WideTextOutput, UnpairedHighSurrogateEndsTheValue)
{
    EXPECT_EQ("ab", written(c_as_xml<std::wstring>(units({'a', 'b', 0xD83D}))));
    EXPECT_EQ("a", written(c_as_xml<std::wstring>(units({'a', 0xD83D, 'b', 'c'}))));
    EXPECT_EQ("", written(c_as_xml<std::wstring>(units({0xDBFF, 0xD800, 0xDC00}))));
    std::ostringstream os;
    os << c_as_xml<std::wstring>(units({'x', 0xD800})) << "|next";
    EXPECT_EQ("x|next", os.str());
    EXPECT_TRUE(os.good());
}

TEST(WideTextOutput, LoneLowSurrogateIsEncoded)
{
    EXPECT_EQ("a\xED\xB8\x80"
              "b",
              written(c_as_xml<std::wstring>(units({'a', 0xDE00, 'b'}))));
}

TEST(WideTextOutput, LongTextsCrossTheInternalBuffer)
{
    std::wstring text;
    std::string expected;
    for (int i = 0; i < 1000; ++i) {
        text += L"\u20ac&";
        expected += "\xE2\x82\xAC&amp;";
    }
    text += units({0xD83D, 0xDE00});
    expected += "\xF0\x9F\x98\x80";
    EXPECT_EQ(expected, written(c_as_xml<std::wstring>(text)));
}

TEST(NarrowTextOutput, EscapesBytesAndCopiesTheRest)
{
    const std::string text = "<&\">'\xC3\xA9\xF0\x9F\x98\x80\xFF\t";
    const std::string expected = "&lt;&amp;&quot;>&apos;\xC3\xA9\xF0\x9F\x98\x80\xFF\t";
    EXPECT_EQ(expected, written(c_as_xml<std::string>(text)));
    EXPECT_EQ(expected, written(c_as_escaped<std::string>(text)));
    EXPECT_EQ(std::string(3000, 'x') + "&amp;",
              written(c_as_escaped<std::string>(std::string(3000, 'x') + "&")));
}

TEST(BoolOutput, WordsAndDigits)
{
    EXPECT_EQ("true", written(c_as_xml<bool>(true)));
    EXPECT_EQ("false", written(c_as_xml<bool>(false)));
    EXPECT_EQ("1", written(c_as_bool_digit<bool>(true)));
    EXPECT_EQ("0", written(c_as_bool_digit<bool>(false)));
}
