// Random values against the date-time pattern, compared with a direct reading of
// ".+T.+(Z|[+\-].+)"; random expressions must compile or fail quietly.
#include <kyr/lmx/datetime_pattern.hpp>

#include <random_texts.hpp>

#include <gtest/gtest.h>

namespace {

using namespace lmx;

bool is_line_end(char c)
{
    return c == '\n' || c == '\r';
}

// True when text[from, to) is non-empty and free of line ends ("." takes anything else).
bool any_chars(const std::string& text, std::size_t from, std::size_t to)
{
    if (from >= to)
        return false;
    for (std::size_t i = from; i < to; ++i)
        if (is_line_end(text[i]))
            return false;
    return true;
}

bool reference_match(const std::string& text)
{
    const std::size_t n = text.size();
    for (std::size_t t = 1; t < n; ++t) {
        if (text[t] != 'T' || !any_chars(text, 0, t))
            continue;
        for (std::size_t z = t + 2; z < n; ++z) {
            if (!any_chars(text, t + 1, z))
                break;
            if (text[z] == 'Z' && z + 1 == n)
                return true;
            if ((text[z] == '+' || text[z] == '-') && any_chars(text, z + 1, n))
                return true;
        }
    }
    return false;
}

TEST(PatternFuzz, DatetimePatternAgreesWithReference)
{
    // ASCII only: the generator's high bytes would be malformed UTF-8.
    kyr_test::c_random_texts texts("T0Z+-:\n\r", 2205);
    int matches = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string text = texts.next(10);
        for (char& c : text)
            if (static_cast<unsigned char>(c) > 127)
                c = 'T';
        const bool expected = reference_match(text);
        matches += expected;
        EXPECT_EQ(expected, datetime_stamp_pattern.is_match(text)) << text;
    }
    EXPECT_GT(matches, 100);
}

TEST(PatternFuzz, RandomExpressionsAndValues)
{
    kyr_test::c_random_texts texts("ab()[]|*+?{},-^\\.pdI", 31);
    for (int i = 0; i < 3000; ++i) {
        const c_regex regex(texts.next(8));
        const std::string value = texts.next(8);
        const bool first = regex.is_match(value);
        EXPECT_EQ(first, regex.is_match(value));
    }
}

} // namespace
