// UTF-8 <-> UTF-16 conversion, string comparison and QName storage.
#include <kyr/lmx/qname.hpp>
#include <kyr/lmx/strings.hpp>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lmx;

namespace {

std::wstring units(std::initializer_list<unsigned> values)
{
    std::wstring s;
    for (unsigned v : values)
        s.push_back(static_cast<wchar_t>(v));
    return s;
}

std::wstring wide(const std::string& utf8)
{
    std::wstring out;
    return vtostring(out, utf8);
}

} // namespace

TEST(Utf8ToUtf16, EveryLength)
{
    EXPECT_EQ(units({'a', 0xE9, 0x20AC, 0xD83D, 0xDE00}), wide("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"));
    EXPECT_EQ(std::wstring(), wide(""));
    EXPECT_EQ(units({0xDBFF, 0xDFFF}), wide("\xF4\x8F\xBF\xBF"));
}

TEST(Utf8ToUtf16, OutIsClearedAndReturned)
{
    std::wstring out = L"old";
    std::wstring& result = vtostring(out, "x");
    EXPECT_EQ(&out, &result);
    EXPECT_EQ(L"x", out);
    std::wstring other = L"old";
    EXPECT_EQ(&other, &convert(&other, "yz"));
    EXPECT_EQ(L"yz", other);
}

TEST(Utf8ToUtf16, SurrogatesWrittenAsThreeByteSequences)
{
    // A pair written as two three-byte sequences gives the same two units.
    EXPECT_EQ(units({0xD83D, 0xDE00}), wide("\xED\xA0\xBD\xED\xB8\x80"));
    // A lone low surrogate is kept as one unit.
    EXPECT_EQ(units({'a', 0xDC00, 'b'}), wide("a\xED\xB0\x80" "b"));
    // A high surrogate not followed by a low one stops the conversion.
    EXPECT_EQ(units({'a'}), wide("a\xED\xA0\xBD" "bc"));
    // A high surrogate at the end is dropped.
    EXPECT_EQ(units({'a'}), wide("a\xED\xA0\xBD"));
}

TEST(Utf8ToUtf16, StopsAtTheFirstBadSequence)
{
    EXPECT_EQ(L"ab", wide("ab\x80" "cd"));            // continuation byte as lead
    EXPECT_EQ(L"ab", wide("ab\xF8\x80\x80\x80\x80"));  // five-byte lead
    EXPECT_EQ(L"ab", wide("ab\xFF"));
    EXPECT_EQ(L"ab", wide("ab\xC3"));                 // truncated
    EXPECT_EQ(L"ab", wide("ab\xF0\x9F\x98"));         // truncated
    EXPECT_EQ(L"ab", wide("ab\xC3(x"));               // bad continuation
    EXPECT_EQ(L"ab", wide("ab\xE2\x82(x"));
}

TEST(Utf8ToUtf16, ConvertWholeTellsWhetherTheTextWasCutShort)
{
    std::wstring out = L"old";
    EXPECT_TRUE(convert_whole(&out, "a\xC3\xA9\xF0\x9F\x98\x80"));
    EXPECT_EQ(units({'a', 0xE9, 0xD83D, 0xDE00}), out);
    EXPECT_TRUE(convert_whole(&out, ""));
    EXPECT_EQ(L"", out);
    // Each stop of the conversion is reported, with the part before it kept.
    for (const char* cut : {"ab\x80" "cd", "ab\xC3", "ab\xE5" "am", "ab\xED\xA0\xBD" "c", "ab\xED\xA0\xBD"}) {
        EXPECT_FALSE(convert_whole(&out, cut)) << cut;
        EXPECT_EQ(L"ab", out) << cut;
    }
}

// Long texts are converted in runs of units and read eight ASCII bytes at a
// time; multi-byte characters and errors at every offset must not notice.
TEST(Utf8ToUtf16, LongTextsWithCharactersAtEveryOffset)
{
    const std::string ascii(600, 'x');
    const std::wstring ascii_wide(600, L'x');
    for (std::size_t at = 0; at < 300; ++at) {
        const std::string before = ascii.substr(0, at);
        const std::wstring before_wide = ascii_wide.substr(0, at);
        EXPECT_EQ(before_wide + units({0xE9}) + ascii_wide, wide(before + "\xC3\xA9" + ascii)) << at;
        EXPECT_EQ(before_wide + units({0xD83D, 0xDE00, 'y'}), wide(before + "\xF0\x9F\x98\x80y")) << at;
        EXPECT_EQ(before_wide, wide(before + "\x80" + ascii)) << at;
        EXPECT_EQ(before_wide, wide(before + "\xED\xA0\xBD" + ascii)) << at;
        EXPECT_EQ(before_wide + units({0xD83D, 0xDE00}) + ascii_wide, wide(before + "\xED\xA0\xBD\xED\xB8\x80" + ascii))
            << at;
    }
    EXPECT_EQ(ascii_wide + ascii_wide + ascii_wide, wide(ascii + ascii + ascii));
    EXPECT_EQ(std::wstring(1, L'\0') + L"\x7F", wide(std::string("\0\x7F", 2)));
}

TEST(Utf8ToUtf16, OverlongFormsAreDecoded)
{
    EXPECT_EQ(L"/", wide("\xC0\xAF"));
    EXPECT_EQ(std::wstring(1, L'\0'), wide(std::string("\xE0\x80\x80", 3)));
}

TEST(Utf8ToUtf16, FourByteValuesAboveUnicodeUseTheMaskedFormula)
{
    // F7 BF BF BF is 1FFFFF: high D800 + ((1FFFFF - 10000) >> 10 & 3FF), low DC00 + (1FFFFF & 3FF).
    EXPECT_EQ(units({0xD800 + (((0x1FFFFF - 0x10000) >> 10) & 0x3FF), 0xDC00 + (0x1FFFFF & 0x3FF)}),
              wide("\xF7\xBF\xBF\xBF"));
}

TEST(Utf16ToUtf8, PairsAndSingleCodePoints)
{
    std::string out = "old";
    EXPECT_EQ(&out, &convert(&out, units({'a', 0xE9, 0x20AC, 0xD83D, 0xDE00})));
    EXPECT_EQ("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", out);
    // A code point above FFFF held in one element where wchar_t has 32 bits.
    if (sizeof(wchar_t) >= 4) {
        EXPECT_EQ("\xF0\x9F\x98\x80", convert_to_narrow(units({0x1F600})));
    }
    EXPECT_EQ("<&>\"'", convert_to_narrow(L"<&>\"'"));  // no escaping
    EXPECT_EQ(std::string("a\0b", 3), convert_to_narrow(std::wstring(L"a\0b", 3)));
}

TEST(Utf16ToUtf8, UnpairedSurrogatesAreEncodedAlone)
{
    EXPECT_EQ("\xED\xA0\xBD" "a", convert_to_narrow(units({0xD83D, 'a'})));
    EXPECT_EQ("a\xED\xA0\xBD", convert_to_narrow(units({'a', 0xD83D})));
    EXPECT_EQ("\xED\xB8\x80", convert_to_narrow(units({0xDE00})));
    EXPECT_EQ("\xED\xA0\xBD\xED\xA0\xBD\xF0\x9F\x98\x80", convert_to_narrow(units({0xD83D, 0xD83D, 0xD83D, 0xDE00})));
}

TEST(Utf16ToUtf8, ValuesBeyondUnicodeBecomeReplacementCharacters)
{
    if (sizeof(wchar_t) < 4)
        GTEST_SKIP() << "wchar_t cannot hold values above FFFF";
    EXPECT_EQ("\xEF\xBF\xBD", convert_to_narrow(units({0x110000})));
    EXPECT_EQ("\xEF\xBF\xBD" "a", convert_to_narrow(std::wstring(1, static_cast<wchar_t>(-1)) + L"a"));
}

TEST(Utf16ToUtf8, RoundTripOfEveryPlane)
{
    const std::string text = "x\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF";
    EXPECT_EQ(text, convert_to_narrow(convert_to_wide(text)));
}

TEST(NarrowCopy, VtostringCopies)
{
    std::string out = "old";
    EXPECT_EQ(&out, &vtostring(out, std::string("new")));
    EXPECT_EQ("new", out);
}

TEST(StringNCompare, ComparesAWindow)
{
    const std::string s = "Kyr:Color";
    EXPECT_EQ(0, stringncompare(s, "Color", 4, 5));
    EXPECT_EQ(0, stringncompare(s, "Color", 4, 100));
    EXPECT_EQ(0, stringncompare(s, "Kyr", 0, 3));
    EXPECT_LT(stringncompare(s, "Kyz", 0, 3), 0);
    EXPECT_GT(stringncompare(s, "Col", 4, 5), 0);
    EXPECT_LT(stringncompare(s, "Colorful", 4, 5), 0);
    EXPECT_EQ(0, stringncompare(s, "", 9, 3));
    EXPECT_LT(stringncompare(s, "a", 50, 3), 0);
    EXPECT_EQ(0, stringncompare(s, nullptr, 0, 0));
}

TEST(MakeQName, FourTargets)
{
    std::string narrow;
    make_qname(&narrow, "k:Name", "urn:k", "Name");
    EXPECT_EQ("k:Name", narrow);
    std::wstring wide_text;
    make_qname(&wide_text, "k:N\xC3\xA9", "urn:k", "N\xC3\xA9");
    EXPECT_EQ(L"k:N\u00e9", wide_text);
    ct_qname<std::string> pair;
    make_qname(&pair, "k:Name", "urn:k", "Name");
    EXPECT_EQ("urn:k", pair.first);
    EXPECT_EQ("Name", pair.second);
    ct_qname<std::wstring> wide_pair;
    make_qname(&wide_pair, "k:N\xC3\xA9", "urn:\xE2\x82\xAC", "N\xC3\xA9");
    EXPECT_EQ(L"urn:\u20ac", wide_pair.first);
    EXPECT_EQ(L"N\u00e9", wide_pair.second);
}
