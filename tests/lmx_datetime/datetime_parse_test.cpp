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

TEST(DatetimeParse, StopsAtFirstMisfitKeepingWhatWasRead)
{
    c_datetime value("2008-03-07T09:05:00+01:00");
    value = "2010-11-xxT10:10:10Z";
    EXPECT_EQ(2010, value.get_year());
    EXPECT_EQ(11u, value.get_month());
    EXPECT_EQ(7u, value.get_day());
    EXPECT_EQ(9u, value.get_hours());
    EXPECT_EQ(60, value.get_total_offset_mins()); // the zone is never reached

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
    value.set_offset(1, static_cast<unsigned>(-60)); // wraps back to zero, no overflow trap
    EXPECT_EQ(0, value.get_total_offset_mins());
    EXPECT_TRUE(value.get_is_utc());
}

} // namespace
