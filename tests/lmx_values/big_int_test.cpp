// c_big_int: parsing, 32-bit access, comparison with values and texts.
#include <kyr/lmx/big_int.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using namespace lmx;

namespace {

std::string printed(const c_big_int& v)
{
    std::ostringstream os;
    os << v;
    return os.str();
}

} // namespace

TEST(BigIntParsing, CanonicalText)
{
    EXPECT_EQ("0", c_big_int().get_as_string());
    EXPECT_EQ("0", c_big_int("-000").get_as_string());
    EXPECT_EQ("42", c_big_int("+0042").get_as_string());
    EXPECT_EQ("-42", c_big_int(std::string("-0042")).get_as_string());
    EXPECT_EQ("12", c_big_int("12abc").get_as_string());
    EXPECT_EQ("0", c_big_int("").get_as_string());
    EXPECT_EQ("0", c_big_int("-").get_as_string());
    EXPECT_EQ("0", c_big_int("abc").get_as_string());
    EXPECT_EQ("0", c_big_int(static_cast<const char*>(nullptr)).get_as_string());
    EXPECT_EQ("0", c_big_int("--5").get_as_string());
    EXPECT_EQ("123456789012345678901234567890", c_big_int("123456789012345678901234567890").get_as_string());
    EXPECT_EQ("-7", printed(c_big_int("-7.9")));
}

TEST(BigIntParsing, FromLongAndAssignment)
{
    EXPECT_EQ("-5", c_big_int(-5L).get_as_string());
    EXPECT_EQ("0", c_big_int(0).get_as_string());
    EXPECT_EQ("9223372036854775807", c_big_int(9223372036854775807L).get_as_string());
    EXPECT_EQ("-9223372036854775808", c_big_int(-9223372036854775807L - 1).get_as_string());
    c_big_int v("5");
    v = "-0019";
    EXPECT_EQ("-19", v.get_as_string());
    v = std::string("+3");
    EXPECT_EQ("3", v.get_as_string());
    v = 17L;
    EXPECT_EQ("17", v.get_as_string());
    c_big_int w("99");
    swap(v, w);
    EXPECT_EQ("99", v.get_as_string());
    EXPECT_EQ("17", w.get_as_string());
}

TEST(BigIntGet, ThirtyTwoBitRangeAndOverflow)
{
    bool overflow = true;
    EXPECT_EQ(2147483647L, c_big_int("2147483647").get(&overflow));
    EXPECT_FALSE(overflow);
    EXPECT_EQ(-2147483647L, c_big_int("-2147483647").get(&overflow));
    EXPECT_FALSE(overflow);
    // Accumulated as a positive value first, so the most negative value wraps
    // onto itself and is still flagged.
    EXPECT_EQ(-2147483647L - 1, c_big_int("-2147483648").get(&overflow));
    EXPECT_TRUE(overflow);
    overflow = false;
    EXPECT_EQ(-2147483647L - 1, c_big_int("2147483648").get(&overflow));
    EXPECT_TRUE(overflow);
    overflow = false;
    EXPECT_EQ(1410065408L, c_big_int("10000000000").get(&overflow));  // 10^10 mod 2^32
    EXPECT_TRUE(overflow);
    EXPECT_EQ(0L, c_big_int().get(nullptr));
    EXPECT_EQ(-12L, c_big_int("-12").get());
}

TEST(BigIntGet, AsFloat)
{
    EXPECT_EQ(0.0, c_big_int().get_as_float());
    EXPECT_EQ(-123.0, c_big_int("-123").get_as_float());
    // Digit by digit accumulation may round on the way.
    EXPECT_DOUBLE_EQ(1e30, c_big_int("1000000000000000000000000000000").get_as_float());
    EXPECT_EQ(9007199254740992.0, c_big_int("9007199254740992").get_as_float());
}

TEST(BigIntCompare, WithTexts)
{
    const c_big_int minus_five(-5L);
    EXPECT_TRUE(minus_five > "-7");
    EXPECT_TRUE("-7" < minus_five);
    EXPECT_FALSE(minus_five < "-7");
    EXPECT_TRUE(minus_five < "-3");
    EXPECT_TRUE(minus_five < "0");
    EXPECT_TRUE(minus_five == "-0005");
    EXPECT_TRUE(c_big_int("0") == "-0");
    EXPECT_TRUE(c_big_int("0") == "+000");
    EXPECT_FALSE(c_big_int("0") > "-0");
    EXPECT_TRUE(c_big_int("1") > "-0");
    EXPECT_TRUE(c_big_int("100") > "99");
    EXPECT_TRUE(c_big_int("100") < "0101");
    EXPECT_TRUE(c_big_int("-100") < "-99");
    EXPECT_TRUE(c_big_int("7") >= "7");
    EXPECT_TRUE(c_big_int("7") <= "+7");
    EXPECT_TRUE(c_big_int("7") != "8");
}

TEST(BigIntCompare, NullAndEmptyTexts)
{
    const char* null_text = nullptr;
    EXPECT_TRUE(c_big_int() == null_text);
    EXPECT_TRUE(c_big_int("3") > null_text);
    // An empty text is neither equal to nor less than a value.
    EXPECT_FALSE(c_big_int() == "");
    EXPECT_FALSE(c_big_int() > "");
    EXPECT_TRUE(c_big_int() != "");
}

TEST(BigIntCompare, RangeFacetBounds)
{
    const c_big_int max_int("2147483647");
    const c_big_int min_int("-2147483648");
    const std::string too_big = "2147483648";
    const std::string too_small = "-2147483649";
    EXPECT_TRUE(too_big > max_int);
    EXPECT_FALSE(too_big < min_int);
    EXPECT_TRUE(too_small < min_int);
    EXPECT_FALSE(too_small > max_int);
    EXPECT_FALSE(std::string("2147483647") > max_int);
    EXPECT_FALSE(std::string("-2147483648") < min_int);
    EXPECT_TRUE(std::string("+0002147483647") == max_int);
    EXPECT_TRUE(std::string("99999999999999999999") >= max_int);
}

TEST(BigIntCompare, BetweenValues)
{
    EXPECT_TRUE(c_big_int("-5") > c_big_int("-7"));
    EXPECT_TRUE(c_big_int("12") == c_big_int(12L));
    EXPECT_TRUE(c_big_int("123456789012345678901") > c_big_int("123456789012345678900"));
    EXPECT_TRUE(c_big_int("-123456789012345678901") < c_big_int("-123456789012345678900"));
    EXPECT_TRUE(c_big_int() <= c_big_int("0"));
    EXPECT_TRUE(c_big_int() >= c_big_int("-1"));
    EXPECT_TRUE(c_big_int("1") != c_big_int("-1"));
}
