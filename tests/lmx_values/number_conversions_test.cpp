// Text to number conversions, independent of the process locale.
#include <kyr/lmx/simple_types.hpp>

#include "decimal_comma_locale.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace lmx;

TEST(FloatZero, GivesSpecialValuesAtRunTime)
{
    EXPECT_EQ(0.0, float_zero());
    EXPECT_TRUE(std::isnan(0.0 / float_zero()));
    EXPECT_EQ(std::numeric_limits<double>::infinity(), 1.0 / float_zero());
    EXPECT_EQ(-std::numeric_limits<double>::infinity(), -1.0 / float_zero());
}

TEST(ToBool, TrueAndOneOnly)
{
    EXPECT_TRUE(to_bool("true"));
    EXPECT_TRUE(to_bool("1"));
    for (const char* t : {"false", "0", "", "TRUE", " true", "yes", "2"})
        EXPECT_FALSE(to_bool(t)) << t;
}

TEST(ToDouble, SpecialValues)
{
    EXPECT_TRUE(std::isnan(to_double("NaN")));
    EXPECT_EQ(std::numeric_limits<double>::infinity(), to_double("INF"));
    EXPECT_EQ(-std::numeric_limits<double>::infinity(), to_double("-INF"));
    const double negative_zero = to_double("-0");
    EXPECT_EQ(0.0, negative_zero);
    EXPECT_TRUE(std::signbit(negative_zero));
    EXPECT_FALSE(std::signbit(to_double("+0.0")));
}

TEST(ToDouble, DecimalForms)
{
    EXPECT_EQ(1.5, to_double("1.5"));
    EXPECT_EQ(-1.5, to_double("-1.5"));
    EXPECT_EQ(1.5, to_double("+1.5"));
    EXPECT_EQ(1.0, to_double("1."));
    EXPECT_EQ(0.5, to_double(".5"));
    EXPECT_EQ(0.0005, to_double(".5E-3"));
    EXPECT_EQ(1e5, to_double("1e5"));
    EXPECT_EQ(123.456, to_double("123.456"));
    EXPECT_EQ(0.1, to_double("0.1"));
    EXPECT_EQ(1e20, to_double("1e+020"));
    EXPECT_EQ(2.5e-7, to_double("2.5e-007"));
    EXPECT_EQ(std::numeric_limits<double>::max(), to_double("1.7976931348623157e308"));
    EXPECT_EQ(std::numeric_limits<double>::denorm_min(), to_double("4.9406564584124654e-324"));
}

TEST(ToDouble, OutOfRangeGivesInfinityOrSignedZero)
{
    EXPECT_EQ(std::numeric_limits<double>::infinity(), to_double("1e400"));
    EXPECT_EQ(-std::numeric_limits<double>::infinity(), to_double("-1e400"));
    EXPECT_EQ(std::numeric_limits<double>::infinity(), to_double("123456.7e99999999999999999999"));
    EXPECT_EQ(0.0, to_double("1e-400"));
    const double tiny_negative = to_double("-0.0001e-400");
    EXPECT_EQ(0.0, tiny_negative);
    EXPECT_TRUE(std::signbit(tiny_negative));
    EXPECT_EQ(0.0, to_double("0.000000001e-99999999999999999999"));
}

TEST(ToDouble, InvalidTextGivesItsValidPrefixOrZero)
{
    EXPECT_EQ(0.0, to_double(""));
    EXPECT_EQ(0.0, to_double("abc"));
    EXPECT_EQ(0.0, to_double("-"));
    EXPECT_EQ(0.0, to_double("--1"));
    EXPECT_EQ(0.0, to_double("+-1"));
    EXPECT_EQ(1.0, to_double("1,5"));
    EXPECT_EQ(12.0, to_double("12abc"));
}

TEST(ToFloat, RoundsOnceToFloat)
{
    EXPECT_EQ(0.1f, to_float("0.1"));
    EXPECT_EQ(-2.5e-7f, to_float("-2.5e-007"));
    EXPECT_EQ(std::numeric_limits<float>::infinity(), to_float("INF"));
    EXPECT_EQ(std::numeric_limits<float>::infinity(), to_float("1e39"));
    EXPECT_TRUE(std::isnan(to_float("NaN")));
    // Halfway between two floats when read as a double first; read directly
    // it rounds to the nearer float.
    EXPECT_EQ(1.00000005960464477539062500000001f, to_float("1.00000005960464477539062500000001"));
}

TEST(ToInt, RangeAndSaturation)
{
    EXPECT_EQ(7, to_int("+007"));
    EXPECT_EQ(-5, to_int("-5"));
    EXPECT_EQ(2147483647, to_int("2147483647"));
    EXPECT_EQ(-2147483647 - 1, to_int("-2147483648"));
    EXPECT_EQ(2147483647, to_int("2147483648"));
    EXPECT_EQ(-2147483647 - 1, to_int("-99999999999999999999999"));
    EXPECT_EQ(0, to_int(""));
    EXPECT_EQ(0, to_int("-"));
    EXPECT_EQ(12, to_int("12abc"));
}

TEST(ToUnsignedInt, RangeAndSaturation)
{
    EXPECT_EQ(4294967295u, to_unsigned_int("4294967295"));
    EXPECT_EQ(4294967295u, to_unsigned_int("4294967296"));
    EXPECT_EQ(0u, to_unsigned_int("-1"));
    EXPECT_EQ(0u, to_unsigned_int("-0"));
    EXPECT_EQ(42u, to_unsigned_int("+42"));
}

TEST(ToLongLong, Limits)
{
    EXPECT_EQ(std::numeric_limits<long long>::min(), to_long_long("-9223372036854775808"));
    EXPECT_EQ(std::numeric_limits<long long>::max(), to_long_long("9223372036854775807"));
    EXPECT_EQ(std::numeric_limits<long long>::max(), to_long_long("9223372036854775808"));
}

TEST(NumberReading, UnchangedUnderADecimalCommaLocale)
{
    KYR_REQUIRE_DECIMAL_COMMA_LOCALE(locale);
    // The process now reads "1,5" as one and a half.
    ASSERT_EQ(1.5, std::strtod("1,5", nullptr));
    EXPECT_EQ(1.5, to_double("1.5"));
    EXPECT_EQ(1.0, to_double("1,5"));
    EXPECT_EQ(-2.5e-7, to_double("-2.5e-007"));
    EXPECT_EQ(0.1f, to_float("0.1"));
    EXPECT_EQ(1234567, to_int("1234567"));
    EXPECT_TRUE(is_valid_float("1.5"));
    EXPECT_FALSE(is_valid_float("1,5"));
}

// Short plain decimals take a path of their own; it must give the bits that a correctly
// rounding conversion gives, at its limits and just past them.
TEST(ToDouble, PlainDecimalsRoundAsTheCLibrary)
{
    ASSERT_NE(nullptr, std::setlocale(LC_NUMERIC, "C"));
    std::vector<std::string> texts = {"0", "0.0", "-0.0", "+0.5", "12.", ".5", "-.25", "0.4500", "380", "0.1",
                                      "0.3", "2.675", "9007199254740992", "9007199254740993", "90071992547409.93",
                                      "1234567890123456789", "12345678901234567890", "0.1234567890123456789012",
                                      "1.0000000000000000000001", "0.00000000000000000000001", "007.50", "1.5abc"};
    std::mt19937 engine(20261205);
    for (int i = 0; i < 20000; ++i) {
        std::string text(1 + engine() % 19, '0');
        for (char& c : text)
            c = static_cast<char>('0' + engine() % 10);
        text.insert(engine() % (text.size() + 1), ".");
        if (engine() % 4 == 0)
            text.insert(0, "-");
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        const double expected = std::strtod(text.c_str(), nullptr);
        const double actual = to_double(text);
        EXPECT_EQ(expected, actual) << text;
        EXPECT_EQ(std::signbit(expected), std::signbit(actual)) << text;
    }
    EXPECT_EQ(0.45, to_double("0.4500"));
    EXPECT_EQ(9007199254740992.0, to_double("9007199254740993"));
}

// The one-pass reading the loader uses must agree with the check and the conversion it
// replaces: whenever it answers, the text is a valid float and the bits are to_double's.
TEST(ToPlainDouble, AnswersOnlyForValidTextsAndAgreesWithToDouble)
{
    std::vector<std::string> texts = {"0",    "-0",  "+0.5", "12.",  ".5",  "-.25", "0.4500", "+", "-", ".",
                                      "",     " 1",  "1 ",   "1e5",  "INF", "-INF", "NaN",    "1.2.3", "--1",
                                      "+-1",  "0x1", "1,5",  "-.",   "9007199254740993", "12345678901234567890"};
    std::mt19937 engine(20261206);
    const char alphabet[] = "0123456789.+-e ";
    for (int i = 0; i < 20000; ++i) {
        std::string text(engine() % 8, '0');
        for (char& c : text)
            c = alphabet[engine() % (sizeof alphabet - 1)];
        texts.push_back(text);
    }
    int answered = 0;
    for (const std::string& text : texts) {
        double value = 12345.0;
        if (!to_plain_double(text, &value)) {
            EXPECT_EQ(12345.0, value) << text;
            continue;
        }
        ++answered;
        ASSERT_TRUE(is_valid_float(text)) << text;
        const double expected = to_double(text);
        EXPECT_EQ(expected, value) << text;
        EXPECT_EQ(std::signbit(expected), std::signbit(value)) << text;
    }
    EXPECT_GT(answered, 1000);
    double value = 0;
    EXPECT_TRUE(to_plain_double("-0", &value));
    EXPECT_TRUE(std::signbit(value));
    EXPECT_FALSE(to_plain_double("1e5", &value));
    EXPECT_FALSE(to_plain_double("12345678901234567890", &value));
}
