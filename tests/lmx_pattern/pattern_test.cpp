// Pattern facets: whole-value matching with XML Schema expressions.
#include <kyr/lmx/datetime.hpp>
#include <kyr/lmx/datetime_pattern.hpp>
#include <kyr/lmx/pattern.hpp>

#include <gtest/gtest.h>

#include <libxml/globals.h>
#include <libxml/xmlerror.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace lmx;

TEST(DatetimePattern, RequiresATimeZone)
{
    EXPECT_TRUE(datetime_stamp_pattern.is_match(std::string("2008-03-07T09:05:00Z")));
    EXPECT_TRUE(datetime_stamp_pattern.is_match(std::string("2008-03-07T09:05:00+01:00")));
    EXPECT_TRUE(datetime_stamp_pattern.is_match(std::string("2008-03-07T09:05:00-05:30")));
    EXPECT_FALSE(datetime_stamp_pattern.is_match(std::string("2008-03-07T09:05:00")));
    EXPECT_FALSE(datetime_stamp_pattern.is_match(std::string("2008-03-07")));
    EXPECT_FALSE(datetime_stamp_pattern.is_match(std::string("")));
    EXPECT_TRUE(datetime_stamp_pattern.is_match(std::wstring(L"2008-03-07T09:05:00Z")));
}

// The facet is checked after the lexical check; a stamp needs both.
TEST(DatetimePattern, AfterTheLexicalCheck)
{
    const std::string stamps[] = {"2008-03-07T09:05:00Z", "2008-03-07T09:05:00", "-0044-03-15T12:00:00.Z",
                                  "2008-03-07T09:05:00+00:00"};
    const bool expected[] = {true, false, true, true};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(expected[i], c_datetime::is_valid(stamps[i]) && datetime_stamp_pattern.is_match(stamps[i]))
            << stamps[i];
}

TEST(Regex, MatchesTheWholeValue)
{
    const c_regex regex("abc");
    EXPECT_TRUE(regex.is_match("abc"));
    EXPECT_FALSE(regex.is_match("xabc"));
    EXPECT_FALSE(regex.is_match("abcx"));
    EXPECT_FALSE(regex.is_match(""));
    // Anchors are ordinary characters in this syntax.
    EXPECT_TRUE(c_regex("a^b$").is_match("a^b$"));
}

TEST(Regex, InvalidExpressionRejectsEverything)
{
    for (const char* expression : {"[a-", "(a", "a{2,1}", "\\p{Nope}", "[]"}) {
        const c_regex regex(expression);
        EXPECT_FALSE(regex.is_match("")) << expression;
        EXPECT_FALSE(regex.is_match("a")) << expression;
        EXPECT_FALSE(regex.is_match(expression)) << expression;
    }
    EXPECT_FALSE(c_pattern("[a-").is_match(std::wstring()));
}

TEST(Regex, CharacterClassesAndQuantifiers)
{
    EXPECT_TRUE(c_regex("\\d{3}").is_match("123"));
    EXPECT_FALSE(c_regex("\\d{3}").is_match("12"));
    EXPECT_TRUE(c_regex("[a-z-[aeiou]]+").is_match("bcd"));
    EXPECT_FALSE(c_regex("[a-z-[aeiou]]+").is_match("bad"));
    EXPECT_TRUE(c_regex("\\i\\c*").is_match("x1.y-z"));
    EXPECT_FALSE(c_regex("\\i\\c*").is_match("1x"));
    EXPECT_TRUE(c_regex("a\\sb").is_match("a\tb"));
    EXPECT_TRUE(c_regex("(ab|cd){1,2}").is_match("abcd"));
    EXPECT_FALSE(c_regex("(ab|cd){1,2}").is_match("abcdab"));
    // "." takes anything but a line end.
    EXPECT_TRUE(c_regex(".").is_match("\t"));
    EXPECT_FALSE(c_regex(".").is_match("\n"));
}

TEST(Regex, UnicodeCategoriesAndBlocks)
{
    EXPECT_TRUE(c_regex("\\p{Lu}").is_match("\xc3\x84"));  // A with diaeresis
    EXPECT_FALSE(c_regex("\\p{Lu}").is_match("\xc3\xa4")); // a with diaeresis
    EXPECT_TRUE(c_regex("\\P{L}+").is_match("1-2"));
    EXPECT_FALSE(c_regex("\\P{L}+").is_match("1a2"));
    EXPECT_TRUE(c_regex("\\d").is_match("\xd9\xa3")); // ARABIC-INDIC DIGIT THREE is a decimal digit
    EXPECT_TRUE(c_regex("\\p{IsGreek}+").is_match("\xce\xb1\xce\xb2\xce\xb3"));
    EXPECT_FALSE(c_regex("\\p{IsGreek}+").is_match("abc"));
    EXPECT_TRUE(c_regex("\\p{IsBasicLatin}+").is_match("abc"));
    EXPECT_FALSE(c_regex("\\p{IsBasicLatin}+").is_match("\xc3\xa9"));
    EXPECT_TRUE(c_regex("\\p{Sc}").is_match("\xe2\x82\xac")); // euro sign
}

TEST(Regex, MalformedUtf8NeverMatches)
{
    const c_regex any(".*");
    EXPECT_FALSE(any.is_match("\xff"));
    EXPECT_FALSE(any.is_match("a\xc3"));
    EXPECT_FALSE(any.is_match("\xed\xa0\x80"));     // an encoded surrogate
    EXPECT_FALSE(any.is_match("\xc0\x80"));         // overlong zero
    EXPECT_FALSE(any.is_match("\xf4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(any.is_match("\xe2\x82"));         // truncated euro sign
    EXPECT_TRUE(any.is_match("\xf4\x8f\xbf\xbf"));  // U+10FFFF itself
    // A lone UTF-16 surrogate converts to an encoded surrogate.
    EXPECT_FALSE(c_pattern(".*").is_match(std::wstring(1, wchar_t(0xD800))));
}

extern "C" void count_generic_error(void* context, const char*, ...)
{
    ++*static_cast<int*>(context);
}

// The stamp pattern is decided by hand for printable ASCII; on every short text over the
// characters that matter it must answer as the engine does with the same expression.
TEST(DatetimePattern, QuickCheckAgreesWithTheEngine)
{
    const c_regex engine(".+T.+(Z|[+\\-].+)");
    const std::vector<std::string> symbols = {"T", "Z", "+", "-", "1", "\n", "\t", "\xc3\xa9"};
    std::vector<std::string> texts = {""};
    size_t matches = 0;
    for (size_t start = 0; start < texts.size(); ++start) {
        const std::string text = texts[start];
        EXPECT_EQ(engine.is_match(text), datetime_stamp_pattern.is_match(text)) << text;
        matches += datetime_stamp_pattern.is_match(text) ? 1 : 0;
        if (text.size() < 6 && texts.size() < 60000)
            for (const std::string& symbol : symbols)
                texts.push_back(text + symbol);
    }
    EXPECT_GT(matches, 1000u);
    EXPECT_TRUE(datetime_stamp_pattern.is_match(std::string("xTx+1")));
    EXPECT_FALSE(datetime_stamp_pattern.is_match(std::string("xTx+")));
    EXPECT_FALSE(datetime_stamp_pattern.is_match(std::string("TxZ")));
    EXPECT_FALSE(datetime_stamp_pattern.is_match(std::string("xTZ")));
    EXPECT_TRUE(datetime_stamp_pattern.is_match(std::string("xTTZ")));
    // Longer texts are checked for printable ASCII a word at a time: any byte out of range,
    // wherever it falls, leaves the answer to the engine.
    const std::string stamp = "2008-03-07T09:05:00+01:00";
    for (size_t at = 0; at < stamp.size(); ++at)
        for (const char odd : {'\x1f', '\x7f', '\x80', '\n', ' ', '~'}) {
            const std::string text = stamp.substr(0, at) + odd + stamp.substr(at + 1);
            EXPECT_EQ(engine.is_match(text), datetime_stamp_pattern.is_match(text)) << at;
        }
}

} // namespace
