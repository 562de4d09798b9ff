// Field-order comparison of date/time values; zones take no part.
#include <kyr/lmx/datetime.hpp>

#include <gtest/gtest.h>

namespace {

using namespace lmx;

// Checks all six operators against the expected ordering of a and b (-1, 0 or 1).
template<typename T>
void expect_order(const T& a, const T& b, int expected)
{
    EXPECT_EQ(expected == 0, a == b);
    EXPECT_EQ(expected != 0, a != b);
    EXPECT_EQ(expected < 0, a < b);
    EXPECT_EQ(expected > 0, a > b);
    EXPECT_EQ(expected <= 0, a <= b);
    EXPECT_EQ(expected >= 0, a >= b);
}

TEST(DatetimeCompare, ZonesAreIgnored)
{
    expect_order(c_datetime("2008-03-07T09:05:00Z"), c_datetime("2008-03-07T09:05:00+05:00"), 0);
    // No normalisation to UTC: 10:00+01:00 is the same instant as 09:00Z yet compares greater.
    expect_order(c_datetime("2008-03-07T10:00:00+01:00"), c_datetime("2008-03-07T09:00:00Z"), 1);
}

TEST(DatetimeCompare, FieldPrecedence)
{
    expect_order(c_datetime("2008-03-07T09:05:00"), c_datetime("2008-03-07T09:05:00"), 0);
    expect_order(c_datetime("2007-12-31T23:59:59"), c_datetime("2008-01-01T00:00:00"), -1);
    expect_order(c_datetime("2008-02-29T00:00:00"), c_datetime("2008-03-01T00:00:00"), -1);
    expect_order(c_datetime("2008-03-02T00:00:00"), c_datetime("2008-03-01T23:59:59"), 1);
    expect_order(c_datetime("2008-03-01T10:00:00"), c_datetime("2008-03-01T09:59:59"), 1);
    expect_order(c_datetime("2008-03-01T10:01:00"), c_datetime("2008-03-01T10:00:59"), 1);
    expect_order(c_datetime("2008-03-01T10:00:00.5"), c_datetime("2008-03-01T10:00:00.25"), 1);
}

TEST(DatetimeCompare, YearsAreSigned)
{
    expect_order(c_date("-0001-01-01"), c_date("0001-01-01"), -1);
    expect_order(c_date("-0002-12-31"), c_date("-0001-01-01"), -1);
    expect_order(c_gyear("12345"), c_gyear("9999"), 1);
}

TEST(DatetimeCompare, EveryForm)
{
    expect_order(c_time("09:05:00"), c_time("09:05:01"), -1);
    expect_order(c_gyearmonth("2008-04"), c_gyearmonth("2008-03"), 1);
    expect_order(c_gmonthday("--12-24"), c_gmonthday("--12-24Z"), 0);
    expect_order(c_gday("---07"), c_gday("---08"), -1);
    expect_order(c_gmonth("--05--"), c_gmonth("--04--"), 1);
}

} // namespace
