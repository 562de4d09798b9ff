// Random and truncated texts through every checker and parser, compared with
// independent oracles where one exists. Run under the sanitizer build, these
// also show that nothing reads past a text's end.
#include <kyr/lmx/big_int.hpp>
#include <kyr/lmx/decimal.hpp>
#include <kyr/lmx/simple_types.hpp>
#include <kyr/lmx/strings.hpp>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace lmx;

namespace {

const char k_alphabet[] = "0123456789+-.eE INFaN0012\x80\xC3\xED\xF0\xA0\xBF\xFF";

std::string random_text(std::mt19937& rng)
{
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> pick(0, sizeof k_alphabet - 2);
    std::string s;
    for (int n = length(rng); n > 0; --n)
        s.push_back(k_alphabet[pick(rng)]);
    return s;
}

std::vector<std::string> corpus()
{
    std::vector<std::string> texts = {"-0012.50e+07",
                                      "INF",
                                      "-INF",
                                      "NaN",
                                      "+.5E-3",
                                      "2147483648",
                                      "-2147483649",
                                      "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",
                                      "\xED\xA0\x80\xED\xB0\x80",
                                      "true"};
    std::mt19937 rng(20261205);
    for (int i = 0; i < 20000; ++i)
        texts.push_back(random_text(rng));
    // Every prefix of the seeds, so truncated forms are covered.
    for (std::size_t i = 0; i < 10; ++i) {
        for (std::size_t n = 0; n < texts[i].size(); ++n)
            texts.push_back(texts[i].substr(0, n));
    }
    return texts;
}

// Oracles written from the grammar in another shape than the checkers: split
// the text into its parts first, then test each part.
bool all_digits(const std::string& s)
{
    return s.find_first_not_of("0123456789") == std::string::npos;
}

std::string without_sign(const std::string& s)
{
    return !s.empty() && (s[0] == '+' || s[0] == '-') ? s.substr(1) : s;
}

bool oracle_integer(const std::string& s)
{
    const std::string digits = without_sign(s);
    return !digits.empty() && all_digits(digits);
}

bool oracle_mantissa(const std::string& s)
{
    const std::size_t point = s.find('.');
    const std::string left = s.substr(0, point);
    const std::string right = point == std::string::npos ? "" : s.substr(point + 1);
    return all_digits(left) && all_digits(right) && left.size() + right.size() > 0;
}

bool oracle_decimal(const std::string& s)
{
    return oracle_mantissa(without_sign(s));
}

bool oracle_float(const std::string& s)
{
    if (s == "INF" || s == "-INF" || s == "NaN")
        return true;
    const std::string unsigned_text = without_sign(s);
    const std::size_t e = unsigned_text.find_first_of("eE");
    if (e == std::string::npos)
        return oracle_mantissa(unsigned_text);
    return oracle_mantissa(unsigned_text.substr(0, e)) && oracle_integer(unsigned_text.substr(e + 1));
}

// Exactly sized heap copy, so that an overread is outside the allocation.
std::vector<char> exact_copy(const std::string& s)
{
    return std::vector<char>(s.begin(), s.end());
}

} // namespace

TEST(Fuzz, LexicalChecksMatchTheGrammar)
{
    std::size_t valid_floats = 0;
    for (const std::string& t : corpus()) {
        valid_floats += oracle_float(t) ? 1 : 0;
        EXPECT_EQ(oracle_float(t), is_valid_float(t)) << t;
        EXPECT_EQ(oracle_integer(t), is_valid_integer(t)) << t;
        EXPECT_EQ(oracle_decimal(t), c_decimal::is_valid(t)) << t;
        EXPECT_EQ(t == "true" || t == "false" || t == "1" || t == "0", is_valid_bool(t)) << t;
    }
    EXPECT_GT(valid_floats, 500u);
}

TEST(Fuzz, ValidFloatsReadAsTheCLibraryReadsThem)
{
    ASSERT_NE(nullptr, std::setlocale(LC_NUMERIC, "C"));
    for (const std::string& t : corpus()) {
        if (!is_valid_float(t) || t == "INF" || t == "-INF" || t == "NaN")
            continue;
        const double expected = std::strtod(t.c_str(), nullptr);
        const double actual = to_double(t);
        EXPECT_EQ(expected, actual) << t;
        EXPECT_EQ(std::signbit(expected), std::signbit(actual)) << t;
        EXPECT_EQ(std::strtof(t.c_str(), nullptr), to_float(t)) << t;
    }
}

TEST(Fuzz, BigIntAgreesWithNativeIntegersOnShortTexts)
{
    std::vector<std::string> integers;
    for (const std::string& t : corpus()) {
        if (is_valid_integer(t) && t.size() <= 17)
            integers.push_back(t);
    }
    ASSERT_GT(integers.size(), 100u);
    for (std::size_t i = 0; i + 1 < integers.size(); ++i) {
        const std::string& a = integers[i];
        const std::string& b = integers[i + 1];
        const long long x = std::strtoll(a.c_str(), nullptr, 10);
        const long long y = std::strtoll(b.c_str(), nullptr, 10);
        const c_big_int big(a);
        EXPECT_EQ(std::to_string(x), big.get_as_string()) << a;
        EXPECT_EQ(x == y, big == b) << a << " " << b;
        EXPECT_EQ(x < y, big < b) << a << " " << b;
        EXPECT_EQ(x > y, big > b) << a << " " << b;
        EXPECT_EQ(x >= y, b <= big) << a << " " << b;
        EXPECT_EQ(x < y, big < c_big_int(b)) << a << " " << b;
    }
}

TEST(Fuzz, DecimalsPrintWhatTheyParsed)
{
    for (const std::string& t : corpus()) {
        if (!c_decimal::is_valid(t))
            continue;
        const c_decimal d(t);
        const c_decimal again(d.get_as_string());
        EXPECT_TRUE(d == again) << t << " printed " << d.get_as_string();
        EXPECT_EQ(d.get_as_string(), again.get_as_string()) << t;
        EXPECT_EQ(fraction_digits(t), d.get_fraction_digits().size()) << t;
    }
}

TEST(Fuzz, NothingReadsPastTheEnd)
{
    std::size_t characters = 0;
    for (const std::string& t : corpus()) {
        const std::vector<char> bytes = exact_copy(t);
        const std::string s(bytes.begin(), bytes.end());
        characters += length(s);
        EXPECT_LE(length(s), s.size());
        EXPECT_LE(fraction_digits(s), total_digits(s));
        is_min_length_ok(s, 3);
        is_max_length_ok(s, 3);
        to_double(s);
        to_float(s);
        to_int(s);
        to_unsigned_int(s);
        to_long_long(s);
        const c_big_int big(s);
        EXPECT_TRUE(is_valid_integer(big.get_as_string())) << s;
        big.get(nullptr);
        big == s.c_str();
        big > s.c_str();
        const c_decimal d(s);
        EXPECT_TRUE(c_decimal::is_valid(d.get_as_string())) << s;
        d.get_scaled(3);
        d.get_fractional(12);
        // UTF-8 -> UTF-16 -> UTF-8 gives back a prefix of the text's
        // well-formed start (overlong forms aside, which the corpus lacks).
        const std::string back = convert_to_narrow(convert_to_wide(s));
        EXPECT_LE(back.size(), s.size());
    }
    EXPECT_GT(characters, 0u);
}
