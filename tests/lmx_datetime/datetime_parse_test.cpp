// Reading date/time texts into values: fields, time zones, and partial reads.
#include <kyr/lmx/datetime.hpp>

#include <gtest/gtest.h>

namespace {

using namespace lmx;

TEST(DatetimeParse, ReadsAllFieldsAndOffset)
{
    const c_datetime value("2008-03-07T09:05:07.25-01:30");
    EXPECT_EQ(2008, value.get_year());
    EXPECT_EQ(3u, value.get_month());
    EXPECT_EQ(7u, value.get_day());
    EXPECT_EQ(9u, value.get_hours());
    EXPECT_EQ(5u, value.get_mins());
    EXPECT_FLOAT_EQ(7.25f, value.get_secs());
    EXPECT_EQ(-90, value.get_total_offset_mins());
    EXPECT_FALSE(value.get_is_utc());
    EXPECT_EQ("2008-03-07T09:05:07.25-01:30", value.get_as_string());
}

TEST(DatetimeParse, ZeroOffsetIsNoZoneButSetOffsetZeroIsUtc)
{
    c_datetime value(std::string("2008-03-07T09:05:00+00:00"));
    EXPECT_EQ(0, value.get_total_offset_mins());
    EXPECT_FALSE(value.get_is_utc());
    EXPECT_EQ("2008-03-07T09:05:00", value.get_as_string());

    value.set_offset(0, 0);
    EXPECT_TRUE(value.get_is_utc());
    EXPECT_EQ("2008-03-07T09:05:00Z", value.get_as_string());
}

TEST(DatetimeParse, UtcAndNegativeYear)
{
    const c_datetime value("-0044-03-15T12:00:00.Z");
    EXPECT_EQ(-44, value.get_year());
    EXPECT_FLOAT_EQ(0.0f, value.get_secs());
    EXPECT_TRUE(value.get_is_utc());
    EXPECT_EQ(0, value.get_total_offset_mins());
    EXPECT_EQ(12345, c_datetime("12345-01-01T00:00:00+05:30").get_year());
    EXPECT_EQ(330, c_datetime("12345-01-01T00:00:00+05:30").get_total_offset_mins());
    EXPECT_EQ(2008, c_date("+2008-01-01").get_year());
}

TEST(DatetimeParse, FieldsOutOfRangeAreKept)
{
    const c_datetime value("2008-13-45T25:61:61");
    EXPECT_EQ(13u, value.get_month());
    EXPECT_EQ(45u, value.get_day());
    EXPECT_EQ(25u, value.get_hours());
    EXPECT_EQ(61u, value.get_mins());
    EXPECT_FLOAT_EQ(61.0f, value.get_secs());
}

TEST(DatetimeParse, LeapDaysAreReadWithoutCalendarChecks)
{
    const c_date leap("2008-02-29");
    const c_date not_leap("2009-02-29");
    EXPECT_EQ(29u, leap.get_day());
    EXPECT_EQ(29u, not_leap.get_day());
    EXPECT_EQ("2009-02-29", not_leap.get_as_string());
    EXPECT_TRUE(leap < c_date("2008-03-01"));
}

TEST(DatetimeParse, StopsAtFirstMisfitKeepingWhatWasRead)
{
    c_datetime value("2008-03-07T09:05:00+01:00");
    value = "2010-11-xxT10:10:10Z";
    EXPECT_EQ(2010, value.get_year());
    EXPECT_EQ(11u, value.get_month());
    EXPECT_EQ(7u, value.get_day());
    EXPECT_EQ(9u, value.get_hours());
    EXPECT_EQ(60, value.get_total_offset_mins());  // the zone is never reached

    // The sign is applied only once the whole date/time part has been read.
    value = "-2011-12";
    EXPECT_EQ(2011, value.get_year());
    EXPECT_EQ(12u, value.get_month());

    value = "";
    EXPECT_EQ(2011, value.get_year());
    value = static_cast<const char*>(nullptr);
    EXPECT_EQ(2011, value.get_year());
    value.parse_form(e_datetime_form::datetime, nullptr, 20);
    EXPECT_EQ(2011, value.get_year());
}

TEST(DatetimeParse, MalformedZoneLeavesZoneUnchanged)
{
    c_datetime value("2008-03-07T09:05:00+01:00");
    value = "2009-03-07T09:05:00+1:00";
    EXPECT_EQ(2009, value.get_year());
    EXPECT_EQ(60, value.get_total_offset_mins());
    value = "2009-03-07T09:05:00Zx";
    EXPECT_EQ(60, value.get_total_offset_mins());
    EXPECT_FALSE(value.get_is_utc());
    value = "2009-03-07T09:05:00Z";
    EXPECT_TRUE(value.get_is_utc());
    value = "2009-03-07T09:05:00";
    EXPECT_FALSE(value.get_is_utc());
    EXPECT_EQ(0, value.get_total_offset_mins());
}

TEST(DatetimeParse, SignedTimeIsCheckedButNotRead)
{
    c_time value("10:20:30Z");
    value = "-09:05:00";
    EXPECT_EQ(10u, value.get_hours());
    EXPECT_EQ(20u, value.get_mins());
    EXPECT_FLOAT_EQ(30.0f, value.get_secs());
    EXPECT_TRUE(value.get_is_utc());
}

TEST(DatetimeParse, ParserIsMoreLenientThanCheck)
{
    // The day of --MM-DD takes any number of digits when read.
    EXPECT_EQ(245u, c_gmonthday("--12-245").get_day());
    // Seconds take any digits and "." as long as two characters are read.
    EXPECT_FLOAT_EQ(5.5f, c_time("09:05:5.5").get_secs());
    c_time single("01:02:03");
    single = "09:05:5";
    EXPECT_FLOAT_EQ(3.0f, single.get_secs());
}

TEST(DatetimeParse, HugeYearWrapsWithoutOverflow)
{
    // 99999999999 modulo 2^32.
    EXPECT_EQ(1215752191, c_gyear("99999999999").get_year());
    EXPECT_EQ(-1215752191, c_gyear("-99999999999").get_year());
}

TEST(DatetimeParse, FractionalSeconds)
{
    EXPECT_FLOAT_EQ(0.0005f, c_time("00:00:00.0005").get_secs());
    EXPECT_FLOAT_EQ(59.999f, c_time("00:00:59.999").get_secs());
    EXPECT_FLOAT_EQ(1.0f, c_time("00:00:01.").get_secs());
}

TEST(DatetimeParse, GregorianForms)
{
    const c_gmonthday monthday("--12-24Z");
    EXPECT_EQ(12u, monthday.get_month());
    EXPECT_EQ(24u, monthday.get_day());
    EXPECT_TRUE(monthday.get_is_utc());
    EXPECT_EQ(7u, c_gday("---07").get_day());
    EXPECT_EQ(5u, c_gmonth("--05--").get_month());
    EXPECT_EQ(-300, c_gmonth("--05---05:00").get_total_offset_mins());
    const c_gyearmonth yearmonth("-2008-03");
    EXPECT_EQ(-2008, yearmonth.get_year());
    EXPECT_EQ(3u, yearmonth.get_month());
}

TEST(DatetimeZone, SetOffset)
{
    c_datetime value;
    value.set_offset(-5, 30);
    EXPECT_EQ(-330, value.get_total_offset_mins());
    EXPECT_FALSE(value.get_is_utc());
    value.set_offset_mins(5, 30);
    EXPECT_EQ(330, value.get_total_offset_mins());
    value.set_offset(0, 30);
    EXPECT_EQ(30, value.get_total_offset_mins());
    EXPECT_FALSE(value.get_is_utc());
    value.set_offset(-1, 60);
    EXPECT_EQ(-120, value.get_total_offset_mins());
    value.set_offset(1, static_cast<unsigned>(-60));  // wraps back to zero, no overflow trap
    EXPECT_EQ(0, value.get_total_offset_mins());
    EXPECT_TRUE(value.get_is_utc());
}

} // namespace
