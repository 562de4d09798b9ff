// Lexical checks of the date/time forms: whole text, no blanks, no field ranges.
#include <kyr/lmx/datetime.hpp>

#include <gtest/gtest.h>

namespace {

using namespace lmx;

TEST(DatetimeCheck, AcceptsDateTimes)
{
    EXPECT_TRUE(c_datetime::is_valid("2008-03-07T09:05:00"));
    EXPECT_TRUE(c_datetime::is_valid("-0044-03-15T12:00:00.Z"));
    EXPECT_TRUE(c_datetime::is_valid("12345-01-01T00:00:00+05:30"));
    EXPECT_TRUE(c_datetime::is_valid("2008-13-45T25:61:61"));  // no range checks
    EXPECT_TRUE(c_datetime::is_valid("+2008-03-07T09:05:00-12:00"));
    EXPECT_TRUE(c_datetime::is_valid("2008-03-07T09:05:00.123456789Z"));
    EXPECT_TRUE(c_datetime::is_valid("2008-03-07T09:05:00+99:99"));
}

TEST(DatetimeCheck, RejectsMalformedDateTimes)
{
    EXPECT_FALSE(c_datetime::is_valid("2008-3-07T09:05:00"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07 09:05:00"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07T09:05:00+5:30"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07T09:05:00z"));
    EXPECT_FALSE(c_datetime::is_valid(""));
    EXPECT_FALSE(c_datetime::is_valid("208-03-07T09:05:00"));
    EXPECT_FALSE(c_datetime::is_valid(" 2008-03-07T09:05:00"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07T09:05:00 "));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07T09:05"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07T09:05:0"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07T09:05:000"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07t09:05:00"));
    EXPECT_FALSE(c_datetime::is_valid("--2008-03-07T09:05:00"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07T09:05:00ZZ"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07T09:05:00+"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07T09:05:00+05:3"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07T09:05:00+0530"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07T09:05:00+05:30:00"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07T09:05:00.5.5"));
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07"));
    // A non-ASCII digit (Arabic-Indic one, U+0661) is not a digit.
    EXPECT_FALSE(c_datetime::is_valid("2008-03-07T09:05:0\xd9\xa1"));
    EXPECT_FALSE(c_datetime::is_valid(std::string("2008-03-07T09:05:00\0", 20)));
}

TEST(DatetimeCheck, DateAndTimeForms)
{
    EXPECT_TRUE(c_date::is_valid("2008-03-07"));
    EXPECT_TRUE(c_date::is_valid("-0001-01-01Z"));
    EXPECT_TRUE(c_date::is_valid("2008-03-07+14:00"));
    EXPECT_TRUE(c_date::is_valid("2009-02-29"));  // not a leap year, but only the form counts
    EXPECT_FALSE(c_date::is_valid("2008-03-07T00:00:00"));
    EXPECT_FALSE(c_date::is_valid("2008-03"));
    EXPECT_FALSE(c_date::is_valid("2008-03-7"));

    EXPECT_TRUE(c_time::is_valid("09:05:00"));
    EXPECT_TRUE(c_time::is_valid("-09:05:00"));  // a sign passes the check of a time
    EXPECT_TRUE(c_time::is_valid("+23:59:59.999Z"));
    EXPECT_TRUE(c_time::is_valid("09:05:00."));
    EXPECT_FALSE(c_time::is_valid("9:05:00"));
    EXPECT_FALSE(c_time::is_valid("09:05"));
    EXPECT_FALSE(c_time::is_valid("T09:05:00"));
    EXPECT_FALSE(c_time::is_valid("--09:05:00"));
}

TEST(DatetimeCheck, GregorianForms)
{
    EXPECT_TRUE(c_gyearmonth::is_valid("2008-03"));
    EXPECT_TRUE(c_gyearmonth::is_valid("-2008-03Z"));
    EXPECT_FALSE(c_gyearmonth::is_valid("2008-3"));
    EXPECT_FALSE(c_gyearmonth::is_valid("2008-03-07"));

    EXPECT_TRUE(c_gyear::is_valid("2008"));
    EXPECT_TRUE(c_gyear::is_valid("-12345"));
    EXPECT_TRUE(c_gyear::is_valid("2008+01:00"));
    EXPECT_FALSE(c_gyear::is_valid("208"));
    EXPECT_FALSE(c_gyear::is_valid("2008-"));
    EXPECT_FALSE(c_gyear::is_valid("-"));

    EXPECT_TRUE(c_gmonthday::is_valid("--12-24"));
    EXPECT_TRUE(c_gmonthday::is_valid("--12-24Z"));
    EXPECT_FALSE(c_gmonthday::is_valid("-12-24"));
    EXPECT_FALSE(c_gmonthday::is_valid("--12-2"));
    EXPECT_FALSE(c_gmonthday::is_valid("--12-245"));
    EXPECT_FALSE(c_gmonthday::is_valid("--1224"));
    EXPECT_FALSE(c_gmonthday::is_valid("+--12-24"));

    EXPECT_TRUE(c_gday::is_valid("---07"));
    EXPECT_TRUE(c_gday::is_valid("---07-05:00"));
    EXPECT_FALSE(c_gday::is_valid("--07"));
    EXPECT_FALSE(c_gday::is_valid("---7"));
    EXPECT_FALSE(c_gday::is_valid("-----07"));

    EXPECT_TRUE(c_gmonth::is_valid("--05--"));
    EXPECT_TRUE(c_gmonth::is_valid("--05--Z"));
    EXPECT_FALSE(c_gmonth::is_valid("--05"));
    EXPECT_FALSE(c_gmonth::is_valid("--05-"));
    EXPECT_FALSE(c_gmonth::is_valid("-05--"));
}

} // namespace
