// Writing date/time values: padding, seconds, zones, and the stream state left behind.
#include <kyr/lmx/datetime.hpp>
#include <kyr/lmx/output.hpp>

#include <gtest/gtest.h>

#include <iomanip>
#include <locale>
#include <sstream>

namespace {

using namespace lmx;

template <typename T>
std::string written(const T& value)
{
    std::ostringstream os;
    os << value;
    return os.str();
}

TEST(DatetimeOutput, ExamplesOfEveryForm)
{
    EXPECT_EQ("2008-03-07T09:05:00Z", written(c_datetime("2008-03-07T09:05:00Z")));
    EXPECT_EQ("2008-03-07+14:00", written(c_date("2008-03-07+14:00")));
    EXPECT_EQ("23:59:59.5-12:00", written(c_time("23:59:59.5-12:00")));
    EXPECT_EQ("2008-03", written(c_gyearmonth("2008-03")));
    EXPECT_EQ("12345Z", written(c_gyear("12345Z")));
    EXPECT_EQ("--12-24", written(c_gmonthday("--12-24")));
    EXPECT_EQ("---07", written(c_gday("---07")));
    EXPECT_EQ("--05--", written(c_gmonth("--05--")));
    EXPECT_EQ(written(c_gmonth("--05--Z")), c_gmonth("--05--Z").get_as_string());
}

TEST(DatetimeOutput, NegativeYearsArePaddedBeforeTheSign)
{
    EXPECT_EQ("0-44", written(c_gyear("-0044")));
    EXPECT_EQ("-1000", written(c_gyear("-1000")));
    EXPECT_EQ("-12345-01", written(c_gyearmonth("-12345-01")));
    EXPECT_EQ("0-44-03-15T12:00:00Z", c_datetime("-0044-03-15T12:00:00.Z").get_as_string());
}

TEST(DatetimeOutput, TimeZones)
{
    c_datetime value("2008-03-07T09:05:00");
    value.set_total_offset_mins(-90);
    EXPECT_EQ("2008-03-07T09:05:00-01:30", value.get_as_string());
    value.set_total_offset_mins(845);
    EXPECT_EQ("2008-03-07T09:05:00+14:05", value.get_as_string());
    value.set_total_offset_mins(6039);
    EXPECT_EQ("2008-03-07T09:05:00+100:39", value.get_as_string());
    value.set_is_utc(true); // "Z" wins over any offset
    EXPECT_EQ("2008-03-07T09:05:00Z", value.get_as_string());
    value.set_is_utc(false);
    value.set_total_offset_mins(-2147483647 - 1);
    EXPECT_EQ("2008-03-07T09:05:00-35791394:08", value.get_as_string());
    value.set_offset(-5, 30);
    EXPECT_EQ("2008-03-07T09:05:00-05:30", value.get_as_string());
    // Zone digits are read without a range: "-99:60" is 100 hours, written with three digits,
    // which the lexical check then refuses.
    const c_gyear year("2001-99:60");
    EXPECT_EQ(-6000, year.get_total_offset_mins());
    EXPECT_EQ("2001-100:00", year.get_as_string());
    EXPECT_FALSE(c_gyear::is_valid(year.get_as_string()));
}

// Groups thousands and uses a decimal comma, as some process locales do.
struct s_comma_numpunct : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

} // namespace
