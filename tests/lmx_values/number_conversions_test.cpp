// Short plain decimals and the loader's one-pass reading, against the C library's conversion.
#include <kyr/lmx/simple_types.hpp>

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace lmx;

// Short plain decimals take a path of their own; it must give the bits that a correctly
// rounding conversion gives, at its limits and just past them.
TEST(ToDouble, PlainDecimalsRoundAsTheCLibrary)
{
    ASSERT_NE(nullptr, std::setlocale(LC_NUMERIC, "C"));
    std::vector<std::string> texts = {"0",
                                      "0.0",
                                      "-0.0",
                                      "+0.5",
                                      "12.",
                                      ".5",
                                      "-.25",
                                      "0.4500",
                                      "380",
                                      "0.1",
                                      "0.3",
                                      "2.675",
                                      "9007199254740992",
                                      "9007199254740993",
                                      "90071992547409.93",
                                      "1234567890123456789",
                                      "12345678901234567890",
                                      "0.1234567890123456789012",
                                      "1.0000000000000000000001",
                                      "0.00000000000000000000001",
                                      "007.50",
                                      "1.5abc"};
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
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "+0.5",
                                      "12.",
                                      ".5",
                                      "-.25",
                                      "0.4500",
                                      "+",
                                      "-",
                                      ".",
                                      "",
                                      " 1",
                                      "1 ",
                                      "1e5",
                                      "INF",
                                      "-INF",
                                      "NaN",
                                      "1.2.3",
                                      "--1",
                                      "+-1",
                                      "0x1",
                                      "1,5",
                                      "-.",
                                      "9007199254740993",
                                      "12345678901234567890"};
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
