// Lexical checks, number conversions, big integers, UTF-8/UTF-16 conversion and length facets,
// one table per function: the text and what it must give.
#include <kyr/lmx/big_int.hpp>
#include <kyr/lmx/decimal.hpp>
#include <kyr/lmx/simple_types.hpp>
#include <kyr/lmx/strings.hpp>

#include "decimal_comma_locale.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace lmx;

namespace {

// Which lexical checks accept a text: b(oolean) i(nteger) f(loat) d(ecimal).
std::string accepted_by(const std::string& t)
{
    return std::string(is_valid_bool(t) ? "b" : "") + (is_valid_integer(t) ? "i" : "")
        + (is_valid_float(t) ? "f" : "") + (c_decimal::is_valid(t) ? "d" : "");
}

TEST(LexicalChecks, EachFormIsAcceptedByItsChecksOnly)
{
    const std::pair<std::string, const char*> cases[] = {
        {"true", "b"},
        {"false", "b"},
        {"1", "bifd"},
        {"0", "bifd"},
        {"TRUE", ""},
        {" true", ""},
        {"01", "ifd"},
        {"+007", "ifd"},
        {"-5", "ifd"},
        {"123456789012345678901234567890", "ifd"},
        {"+", ""},
        {"-", ""},
        {"1.0", "fd"},
        {"1e5", "f"},
        {"--1", ""},
        {"0x10", ""},
        {"INF", "f"},
        {"-INF", "f"},
        {"NaN", "f"},
        {"+INF", ""},
        {"inf", ""},
        {"-NaN", ""},
        {".5E-3", "f"},
        {"1.", "fd"},
        {".5", "fd"},
        {"-.25", "fd"},
        {"1e", ""},
        {"e5", ""},
        {".", ""},
        {"", ""},
        {"1e+", ""},
        {"1.5.5", ""},
        {"1,5", ""},
        {"1e5.5", ""},
        {".e5", ""},
        {"INF ", ""},
        {"1 ", ""},
        {"123456789.987654321e-300", "f"},
        {std::string("1\0", 2), ""},
        {std::string("true\0", 5), ""},
        {"\xd9\xa1", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(accepted_by(text), expected) << text;
}

TEST(NumberConversions, DoublesFloatsAndIntegers)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<const char*, double> doubles[] = {
        {"-1.5", -1.5},
        {"+1.5", 1.5},
        {"1.", 1.0},
        {".5E-3", 0.0005},
        {"1e+020", 1e20},
        {"2.5e-007", 2.5e-7},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"INF", inf},
        {"-INF", -inf},
        {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
        {"1e400", inf},
        {"-1e400", -inf},
        {"123456.7e99999999999999999999", inf},
        {"1e-400", 0.0},
        {"", 0.0},
        {"abc", 0.0},
        {"--1", 0.0},
        {"+-1", 0.0},
        {"1,5", 1.0},
        {"12abc", 12.0},
    };
    for (const auto& [text, expected] : doubles)
        EXPECT_EQ(to_double(text), expected) << text;
    EXPECT_TRUE(std::isnan(to_double("NaN")));
    EXPECT_TRUE(std::signbit(to_double("-0.0001e-400")));
    EXPECT_TRUE(std::signbit(to_double("-0")));
    EXPECT_EQ(to_float("1.00000005960464477539062500000001"), 1.00000005960464477539062500000001f);
    EXPECT_EQ(to_float("1e39"), std::numeric_limits<float>::infinity());

    const std::pair<const char*, int> ints[] = {{"+007", 7},
                                                {"2147483647", 2147483647},
                                                {"-2147483648", INT32_MIN},
                                                {"2147483648", 2147483647},
                                                {"-99999999999999999999999", INT32_MIN},
                                                {"", 0},
                                                {"-", 0},
                                                {"12abc", 12}};
    for (const auto& [text, expected] : ints)
        EXPECT_EQ(to_int(text), expected) << text;
    EXPECT_EQ(to_unsigned_int("4294967296"), 4294967295u);
    EXPECT_EQ(to_unsigned_int("-1"), 0u);
    EXPECT_EQ(to_long_long("-9223372036854775808"), std::numeric_limits<long long>::min());
    EXPECT_EQ(to_long_long("9223372036854775808"), std::numeric_limits<long long>::max());
    EXPECT_TRUE(to_bool("true"));
    EXPECT_TRUE(to_bool("1"));
    EXPECT_FALSE(to_bool("TRUE"));
    EXPECT_FALSE(to_bool("0"));
}

TEST(NumberConversions, UnchangedUnderADecimalCommaLocale)
{
    KYR_REQUIRE_DECIMAL_COMMA_LOCALE(locale);
    ASSERT_EQ(1.5, std::strtod("1,5", nullptr));
    EXPECT_EQ(1.5, to_double("1.5"));
    EXPECT_EQ(1.0, to_double("1,5"));
    EXPECT_EQ(0.1f, to_float("0.1"));
    EXPECT_TRUE(is_valid_float("1.5"));
    EXPECT_FALSE(is_valid_float("1,5"));
}

TEST(BigInt, CanonicalTextThirtyTwoBitsAndComparisons)
{
    const std::pair<const char*, const char*> texts[] = {
        {"-000", "0"},
        {"+0042", "42"},
        {"12abc", "12"},
        {"--5", "0"},
        {"-7.9", "-7"},
        {"", "0"},
        {"123456789012345678901234567890", "123456789012345678901234567890"}};
    for (const auto& [text, canonical] : texts)
        EXPECT_EQ(c_big_int(text).get_as_string(), canonical) << text;

    struct s_get
    {
        const char* text;
        long value;
        bool overflow;
    };
    for (const s_get& c : {s_get{"2147483647", 2147483647L, false}, s_get{"-2147483647", -2147483647L, false},
                           s_get{"-2147483648", INT32_MIN, true}, s_get{"2147483648", INT32_MIN, true},
                           s_get{"10000000000", 1410065408L, true}}) {
        bool overflow = !c.overflow;
        EXPECT_EQ(c_big_int(c.text).get(&overflow), c.value) << c.text;
        EXPECT_EQ(overflow, c.overflow) << c.text;
    }

    // value, text, then whether value <, ==, > text
    struct s_order
    {
        const char* value;
        const char* text;
        const char* order;
    };
    for (const s_order& c :
         {s_order{"-5", "-7", ">"}, s_order{"-5", "-3", "<"}, s_order{"-5", "-0005", "="},
          s_order{"0", "-0", "="}, s_order{"0", "+000", "="}, s_order{"1", "-0", ">"},
          s_order{"100", "99", ">"}, s_order{"100", "0101", "<"}, s_order{"-100", "-99", "<"},
          s_order{"2147483647", "2147483648", "<"}, s_order{"-2147483648", "-2147483649", ">"}}) {
        const c_big_int value(c.value);
        const std::string got = value < c.text ? "<" : value == c.text ? "=" : ">";
        EXPECT_EQ(got, c.order) << c.value << " " << c.text;
    }
    EXPECT_TRUE(c_big_int("-123456789012345678901") < c_big_int("-123456789012345678900"));
    EXPECT_TRUE(c_big_int("1") != c_big_int("-1"));
}

std::wstring units(std::initializer_list<unsigned> values)
{
    std::wstring s;
    for (unsigned v : values)
        s.push_back(static_cast<wchar_t>(v));
    return s;
}

TEST(Utf8ToUtf16, ConversionStopsAtTheFirstBadSequence)
{
    // The text, the units before the stop, whether the whole text was converted.
    struct s_case
    {
        std::string utf8;
        std::wstring wide;
        bool whole;
    };
    const s_case cases[] = {
        {"a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", units({'a', 0xE9, 0x20AC, 0xD83D, 0xDE00}), true},
        {"\xF4\x8F\xBF\xBF", units({0xDBFF, 0xDFFF}), true},
        {"\xED\xA0\xBD\xED\xB8\x80", units({0xD83D, 0xDE00}), true},
        {"a\xED\xB0\x80"
         "b",
         units({'a', 0xDC00, 'b'}), true},
        {"a\xED\xA0\xBD"
         "bc",
         units({'a'}), false},
        {"a\xED\xA0\xBD", units({'a'}), false},
        {"ab\x80"
         "cd",
         L"ab", false},
        {"ab\xF8\x80\x80\x80\x80", L"ab", false},
        {"ab\xC3", L"ab", false},
        {"ab\xC3(x", L"ab", false},
        {"ab\xE2\x82(x", L"ab", false},
        {"ab\xC3\xC3"
         "a",
         L"ab", false}, // a lead byte where a continuation byte belongs
        {"\xC0\xAF", L"/", true},
        {std::string("\0\x7F", 2), units({0, 0x7F}), true},
        {std::string(600, 'x') + "\xC3\xA9" + "y", std::wstring(600, L'x') + units({0xE9, 'y'}), true},
        {std::string(13, 'x') + "\x80", std::wstring(13, L'x'), false},
    };
    for (const s_case& c : cases) {
        std::wstring out = L"old";
        EXPECT_EQ(convert_whole(&out, c.utf8), c.whole) << c.utf8;
        EXPECT_EQ(out, c.wide) << c.utf8;
    }
}

TEST(Utf16ToUtf8, PairsSingleUnitsAndValuesBeyondUnicode)
{
    EXPECT_EQ(convert_to_narrow(units({'a', 0xE9, 0x20AC, 0xD83D, 0xDE00})),
              "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(convert_to_narrow(units({0xD83D, 'a'})),
              "\xED\xA0\xBD"
              "a");
    EXPECT_EQ(convert_to_narrow(units({'a', 0xD83D})), "a\xED\xA0\xBD");
    EXPECT_EQ(convert_to_narrow(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
    if (sizeof(wchar_t) >= 4) {
        EXPECT_EQ(convert_to_narrow(units({0x1F600})), "\xF0\x9F\x98\x80");
        EXPECT_EQ(convert_to_narrow(units({0x110000})), "\xEF\xBF\xBD");
    }
    const std::string planes =
        "x\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF";
    EXPECT_EQ(convert_to_narrow(convert_to_wide(planes)), planes);
}

TEST(LengthFacets, CharactersOfUtf8)
{
    const std::pair<const char*, size_t> lengths[] = {{"", 0},
                                                      {"a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", 4},
                                                      {"\xED\xA0\x80\xED\xB0\x80", 1},
                                                      {"\xED\x9F\xBF"
                                                       "a",
                                                       2},
                                                      {"a\x80zzzz", 2},
                                                      {"\xFF"
                                                       "abc",
                                                       1},
                                                      {"\xF0\x9F", 1},
                                                      {"a\xE2", 2}};
    for (const auto& [text, expected] : lengths)
        EXPECT_EQ(length(text), expected) << text;
    const std::string two_emoji = "\xF0\x9F\x98\x80\xF0\x9F\x98\x80";
    EXPECT_TRUE(is_min_length_ok(two_emoji, 2));
    EXPECT_FALSE(is_min_length_ok(two_emoji, 3));
    EXPECT_FALSE(is_min_length_ok("", 1));
    EXPECT_TRUE(is_max_length_ok("abc", 3));
    EXPECT_FALSE(is_max_length_ok("abcd", 3));
    EXPECT_TRUE(is_max_length_ok(two_emoji + "\xC3\xA9", 3));
    EXPECT_FALSE(is_max_length_ok(two_emoji + "\xC3\xA9", 2));
    EXPECT_TRUE(is_max_length_ok("\xE2\x82\xAC\xE2\x82\xAC", 2));
    EXPECT_FALSE(is_max_length_ok("\xE2\x82\xAC\xE2\x82\xAC", 1));
    EXPECT_EQ(total_digits("-0012.50"), 6u);
    EXPECT_EQ(fraction_digits("12.50"), 2u);
    EXPECT_EQ(fraction_digits("12."), 0u);
}

} // namespace
