// Durations: lexical check, reading, normalisation, the partial order and output.
#include <kyr/lmx/duration.hpp>

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

namespace {

using namespace lmx;

TEST(DurationCheck, Accepts)
{
    for (const char* text : {"P", "-P", "+P1Y", "-P1Y", "P1M2D", "PT1H", "PT.5S", "PT5.S", "P1DT2H3M4.5S",
                             "P1Y2M3DT4H5M6S", "PT0S", "P0Y0M0DT0H0M0.0S", "P99999999999999999999D"})
        EXPECT_TRUE(c_duration::is_valid(text)) << text;
}

TEST(DurationCheck, Rejects)
{
    for (const char* text : {"P1",    "PT",     "P1D2M", "P1DT",   "1Y",    "",          "p1Y", " P1Y",
                             "P1Y ",  "PT.S",   "P1.5Y", "PT1H2H", "P-1Y",  "PT1S2M",    "P1H", "PTS",
                             "P1Y1Y", "PT1.5M", "P1M1Y", "PT1H ",  "+-P1Y", "P\xd9\xa1Y"})
        EXPECT_FALSE(c_duration::is_valid(text)) << text;
    EXPECT_FALSE(c_duration::is_valid(static_cast<const char*>(nullptr)));
    EXPECT_FALSE(c_duration::is_valid(std::string("P1Y\0", 4)));
}

TEST(DurationParse, ReadsEveryItem)
{
    const c_duration value("-P1Y2M3DT4H5M6.5S");
    EXPECT_TRUE(value.get_is_neg());
    EXPECT_EQ(1u, value.get_years());
    EXPECT_EQ(2u, value.get_months());
    EXPECT_EQ(3u, value.get_days());
    EXPECT_EQ(4u, value.get_hours());
    EXPECT_EQ(5u, value.get_mins());
    EXPECT_FLOAT_EQ(6.5f, value.get_secs());
    EXPECT_FLOAT_EQ(0.5f, c_duration("PT.5S").get_secs());
    EXPECT_FLOAT_EQ(5.0f, c_duration("PT5.S").get_secs());
    EXPECT_EQ(7u, c_duration("+PT7M").get_mins());
    EXPECT_FALSE(c_duration("+PT7M").get_is_neg());
}

TEST(DurationParse, HugeCountsSaturate)
{
    EXPECT_EQ(UINT_MAX, c_duration("P99999999999999999999D").get_days());
    EXPECT_EQ(4294967295u, c_duration("PT4294967295H").get_hours());
    EXPECT_EQ(UINT_MAX, c_duration("PT4294967296H").get_hours());
    EXPECT_TRUE(c_duration("PT" + std::string(400, '9') + "S").get_secs() > 3.0e38f);
}

TEST(DurationNormalize, CarriesUpwards)
{
    c_duration value("PT61.5S");
    value.normalize();
    EXPECT_EQ(1u, value.get_mins());
    EXPECT_FLOAT_EQ(1.5f, value.get_secs());
    EXPECT_EQ("PT1M1.5S", value.get_as_string());

    value = "P1Y2DT90M";
    value.normalize();
    EXPECT_EQ("P1Y2DT1H30M", value.get_as_string());
    value = "PT36H";
    value.normalize();
    EXPECT_EQ("P1DT12H", value.get_as_string());
    value = "P14M";
    value.normalize();
    EXPECT_EQ("P1Y2M", value.get_as_string());
    value = "PT3600S";
    value.normalize();
    EXPECT_EQ("PT1H", value.get_as_string());
    value = "P1DT23H59M119S";
    value.normalize();
    EXPECT_EQ("P2DT59S", value.get_as_string());
}

// Checks all six operators: expected is -1, 0, 1, or 2 for an indeterminate pair.
void expect_order(const char* a_text, const char* b_text, int expected)
{
    const c_duration a(a_text);
    const c_duration b(b_text);
    SCOPED_TRACE(std::string(a_text) + " vs " + b_text);
    EXPECT_EQ(expected == 0, a == b);
    EXPECT_EQ(expected != 0, a != b);
    EXPECT_EQ(expected == -1, a < b);
    EXPECT_EQ(expected == 1, a > b);
    EXPECT_EQ(expected == -1 || expected == 0, a <= b);
    EXPECT_EQ(expected == 1 || expected == 0, a >= b);
}

TEST(DurationOrder, Determinate)
{
    expect_order("P1Y", "P365D", 1);
    expect_order("P365D", "P1Y", -1);
    expect_order("P2M", "P1M", 1);
    expect_order("P1M", "P27D", 1);
    expect_order("P1Y", "P11M", 1);
    expect_order("P2Y1M", "P1Y2M", 1);
    expect_order("PT1H", "PT59M59S", 1);
}

TEST(DurationOutput, Forms)
{
    EXPECT_EQ("P", c_duration().get_as_string());
    EXPECT_EQ("-P", c_duration("-P").get_as_string());
    EXPECT_EQ("-P1Y2M3DT4H5M6.5S", c_duration("-P1Y2M3DT4H5M6.5S").get_as_string());
    EXPECT_EQ("PT0.5S", c_duration("PT.5S").get_as_string());
    EXPECT_EQ("P3D", c_duration("P0Y0M3DT0H0M0S").get_as_string());
    EXPECT_EQ("PT0.000500S", c_duration("PT0.0005S").get_as_string());
    std::ostringstream os;
    os << c_duration("P1DT2H") << ' ' << 0.000005;
    EXPECT_EQ("P1DT2H 5e-06", os.str());
}

} // namespace
