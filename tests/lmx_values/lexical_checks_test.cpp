// Lexical forms of booleans, integers, floats and decimals; character tests.
#include <kyr/lmx/char_tests.hpp>
#include <kyr/lmx/decimal.hpp>
#include <kyr/lmx/simple_types.hpp>

#include <gtest/gtest.h>

using namespace lmx;

TEST(CharTests, AnswerAsTheClassicLocaleForAscii)
{
    EXPECT_TRUE(xisdigit('0'));
    EXPECT_TRUE(xisdigit('9'));
    EXPECT_FALSE(xisdigit('a'));
    EXPECT_TRUE(xisalpha('z'));
    EXPECT_TRUE(xisalpha('A'));
    EXPECT_FALSE(xisalpha('_'));
    EXPECT_TRUE(xisalnum('7'));
    EXPECT_FALSE(xisalnum('-'));
    EXPECT_TRUE(xisxdigit('f'));
    EXPECT_TRUE(xisxdigit('F'));
    EXPECT_FALSE(xisxdigit('g'));
    for (int c : {' ', '\t', '\n', '\v', '\f', '\r'})
        EXPECT_TRUE(xisspace(c)) << c;
    EXPECT_FALSE(xisspace('x'));
    EXPECT_TRUE(xisprint(' '));
    EXPECT_TRUE(xisprint('~'));
    EXPECT_FALSE(xisprint('\t'));
    EXPECT_FALSE(xisprint(127));
}

TEST(CharTests, RejectTerminatorNegativeAndHighBytes)
{
    for (int c : {0, -1, -61, -128, 128, 0xC3, 0xA9, 0xFF, 0x1000}) {
        EXPECT_FALSE(xisdigit(c)) << c;
        EXPECT_FALSE(xisalpha(c)) << c;
        EXPECT_FALSE(xisalnum(c)) << c;
        EXPECT_FALSE(xisxdigit(c)) << c;
        EXPECT_FALSE(xisspace(c)) << c;
        EXPECT_FALSE(xisprint(c)) << c;
    }
    // A UTF-8 byte arriving as a negative char.
    const char e_acute_lead = static_cast<char>(0xC3);
    EXPECT_FALSE(xisalpha(e_acute_lead));
}

TEST(IsValidBool, AcceptsExactlyTheFourForms)
{
    for (const char* t : {"true", "false", "1", "0"})
        EXPECT_TRUE(is_valid_bool(t)) << t;
    for (const char* t : {"", "TRUE", "True", " true", "true ", "01", "yes", "2", "-1", "fals"})
        EXPECT_FALSE(is_valid_bool(t)) << t;
}

TEST(IsValidInteger, SignAndDigitsOnly)
{
    for (const char* t : {"0", "+007", "-5", "2147483648", "123456789012345678901234567890"})
        EXPECT_TRUE(is_valid_integer(t)) << t;
    for (const char* t : {"", "+", "-", "1.0", " 1", "1 ", "1e5", "--1", "+-1", "0x10", "١"})
        EXPECT_FALSE(is_valid_integer(t)) << t;
}

TEST(IsValidFloat, AcceptsSpecialValuesAndDecimalForms)
{
    for (const char* t : {"INF", "-INF", "NaN", "1e5", ".5E-3", "-0", "1.", ".5", "1.5", "+1.5", "-1.5e+10",
                          "00012", "1E0", "123456789.987654321e-300"})
        EXPECT_TRUE(is_valid_float(t)) << t;
}

TEST(IsValidFloat, RejectsEverythingElse)
{
    for (const char* t : {"+INF", "inf", "-NaN", "nan", "Infinity", "1e", "e5", " 1", "1 ", ".", "", "-", "+",
                          "1e+", "1.5.5", "1,5", "1e5.5", "0x1p3", "1d5", "--1", ".e5", "INF "})
        EXPECT_FALSE(is_valid_float(t)) << t;
}

TEST(DecimalIsValid, MantissaWithoutExponent)
{
    for (const char* t : {"0", "-0.50", "+1.", ".5", "12.50", "-.25"})
        EXPECT_TRUE(c_decimal::is_valid(t)) << t;
    for (const char* t : {"", ".", "-", "1e5", "INF", "NaN", " 1", "1 ", "1.2.3", "+-1"})
        EXPECT_FALSE(c_decimal::is_valid(t)) << t;
}

TEST(IsValidFloat, EmbeddedNulIsNotTheEnd)
{
    EXPECT_FALSE(is_valid_float(std::string("1\0", 2)));
    EXPECT_FALSE(is_valid_integer(std::string("12\0" "3", 4)));
    EXPECT_FALSE(is_valid_bool(std::string("true\0", 5)));
}
