// c_decimal: parsing, construction from numbers, access, comparison, output.
#include <kyr/lmx/decimal.hpp>

#include "decimal_comma_locale.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>

using namespace lmx;

namespace {

std::string printed(const c_decimal& v)
{
    std::ostringstream os;
    os << v;
    return os.str();
}

} // namespace

TEST(DecimalText, OutputForms)
{
    EXPECT_EQ("0", printed(c_decimal()));
    EXPECT_EQ("-.50", printed(c_decimal("-0.50")));
    EXPECT_EQ(".5", printed(c_decimal("0.5")));
    EXPECT_EQ("-.25", printed(c_decimal("-0.25")));
    EXPECT_EQ("12.50", printed(c_decimal("12.50")));
    EXPECT_EQ("7", printed(c_decimal("007")));
    EXPECT_EQ("-0", printed(c_decimal("-0")));
    EXPECT_EQ("-0", printed(c_decimal("-")));
    EXPECT_EQ("5", printed(c_decimal("5.")));
    EXPECT_EQ(".000", printed(c_decimal("+.000")));
    EXPECT_EQ("3.14", printed(c_decimal("3.14xyz")));
    // Only digits right after the one skipped sign are integral digits, so
    // the integral part never holds a sign of its own.
    EXPECT_EQ("-0", printed(c_decimal("--5")));
    EXPECT_EQ("-0", printed(c_decimal("-+5.5")));
    EXPECT_EQ("0", printed(c_decimal(static_cast<const char*>(nullptr))));
    EXPECT_EQ("123456789012345678901234567890.000000000000000000001",
              c_decimal("123456789012345678901234567890.000000000000000000001").get_as_string());
}

TEST(DecimalScaled, Get)
{
    EXPECT_EQ(123L, c_decimal("1.239").get_scaled(2));
    EXPECT_EQ(-123L, c_decimal("-1.239").get_scaled(2));
    EXPECT_EQ(150L, c_decimal("1.5").get_scaled(2));
    EXPECT_EQ(0L, c_decimal("123").get_scaled(-5));
    EXPECT_EQ(1L, c_decimal("123").get_scaled(-2));
    EXPECT_EQ(12L, c_decimal("123.9").get_scaled(-1));
    EXPECT_EQ(123L, c_decimal("123.9").get_scaled(0));
    EXPECT_EQ(5L, c_decimal("0.5").get_scaled(1));
    bool overflow = false;
    EXPECT_EQ(2147483647L, c_decimal("214748.3647").get_scaled(4, &overflow));
    EXPECT_FALSE(overflow);
    c_decimal("214748.3648").get_scaled(4, &overflow);
    EXPECT_TRUE(overflow);
    // Huge scales end quickly: the wrapped value is 0 once 2^32 divides it.
    overflow = false;
    EXPECT_EQ(0L, c_decimal("1.5").get_scaled(INT_MAX, &overflow));
    EXPECT_TRUE(overflow);
    overflow = true;
    EXPECT_EQ(0L, c_decimal("0").get_scaled(INT_MAX, &overflow));
    EXPECT_FALSE(overflow);
    EXPECT_EQ(0L, c_decimal("99").get_scaled(INT_MIN));
}

TEST(DecimalFromDouble, FixedNotationCappedAtFifteenDigits)
{
    EXPECT_EQ("1.50", printed(c_decimal(1.5, 2)));
    EXPECT_EQ("-.125", printed(c_decimal(-0.125, 3)));
    EXPECT_EQ("2", printed(c_decimal(1.5, 0))); // printf rounds half to even
    EXPECT_EQ(".100000000000000", printed(c_decimal(0.1, 40)));
    c_decimal d;
    d = 0.25;
    EXPECT_EQ(".250000000000000", printed(d));
    d.set(1e20, 1);
    EXPECT_EQ("100000000000000000000.0", printed(d));
    EXPECT_EQ(500ul, c_decimal(1.5, 15).get_fractional(3));
}

TEST(DecimalFromDouble, UnchangedUnderADecimalCommaLocale)
{
    KYR_REQUIRE_DECIMAL_COMMA_LOCALE(locale);
    EXPECT_EQ("1.50", printed(c_decimal(1.5, 2)));
    EXPECT_EQ(1.5, c_decimal("1.5").get_as_float());
}

TEST(DecimalCompare, Order)
{
    EXPECT_TRUE(c_decimal("-0") < c_decimal("0"));
    EXPECT_TRUE(c_decimal("0.5") > c_decimal("0.45"));
    EXPECT_TRUE(c_decimal("0.45") < c_decimal("0.5"));
    EXPECT_TRUE(c_decimal("2") > c_decimal("1.999"));
    EXPECT_TRUE(c_decimal("-2") < c_decimal("-1.999"));
    EXPECT_TRUE(c_decimal("-0.5") < c_decimal("-0.45"));
    EXPECT_TRUE(c_decimal("1") > c_decimal("-100"));
    EXPECT_TRUE(c_decimal("1.50") >= c_decimal("1.5"));
    EXPECT_TRUE(c_decimal("1.50") <= c_decimal("1.5"));
    EXPECT_FALSE(c_decimal("1.50") < c_decimal("1.5"));
    EXPECT_TRUE(c_decimal("100000000000000000000.1") > c_decimal("99999999999999999999.9"));
}
