// Random and truncated texts through every date/time and duration check and parser,
// and round trips of generated values.
#include <kyr/lmx/datetime.hpp>
#include <kyr/lmx/duration.hpp>

#include <random_texts.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

using namespace lmx;
using kyr_test::c_random_texts;

const e_datetime_form all_forms[] = {
    e_datetime_form::datetime, e_datetime_form::date,      e_datetime_form::time, e_datetime_form::gyearmonth,
    e_datetime_form::gyear,    e_datetime_form::gmonthday, e_datetime_form::gday, e_datetime_form::gmonth};

// Runs the check, the parser (over an unterminated heap copy) and the output of every form.
void exercise_datetime(const std::string& text)
{
    const std::unique_ptr<char[]> copy = kyr_test::exact_copy(text);
    for (const e_datetime_form form : all_forms) {
        c_datetime_base value;
        const bool valid = c_datetime_base::is_valid_form(form, text);
        value.parse_form(form, copy.get(), text.size());
        // The one-walk read agrees with the check, and stores what the parser does or nothing.
        c_datetime_base read;
        EXPECT_EQ(read.read_form(form, copy.get(), text.size()), valid) << text;
        const c_datetime_base expected = valid ? value : c_datetime_base();
        EXPECT_TRUE(read.is_equal(expected)
                    && read.get_total_offset_mins() == expected.get_total_offset_mins()
                    && read.get_is_utc() == expected.get_is_utc())
            << text;
        const std::string written = value.get_form_as_string(form);
        // A value read from a valid text writes a text that is valid again, unless the
        // year is negative and short (padded as "0-44") or the zone overflows two digits.
        if (valid && value.get_total_offset_mins() > -6000 && value.get_total_offset_mins() < 6000
            && !written.empty() && written.find("0-") != 0 && written.find(".99999") == std::string::npos) {
            EXPECT_TRUE(c_datetime_base::is_valid_form(form, written)) << text << " -> " << written;
        }
    }
}

void exercise_duration(const std::string& text)
{
    c_duration value(text);
    const bool valid = c_duration::is_valid(text);
    c_duration normal = value;
    normal.normalize();
    EXPECT_TRUE(normal == normal || std::isnan(normal.get_secs())) << text;
    (void)(value < normal);
    const std::string written = value.get_as_string();
    if (valid && value.get_secs() < 1e5f) {
        EXPECT_TRUE(c_duration::is_valid(written)) << text << " -> " << written;
    }
}

TEST(DatetimeFuzz, RandomTexts)
{
    c_random_texts texts("0123456789-+:.TZ ", 20261205);
    for (int i = 0; i < 20000; ++i)
        exercise_datetime(texts.next(32));
}

TEST(DatetimeFuzz, EveryPrefixOfValidTexts)
{
    for (const char* text :
         {"-0044-03-15T12:00:00.Z", "12345-01-01T00:00:00+05:30", "2008-03-07T09:05:07.25-01:30",
          "2008-03-07+14:00", "+23:59:59.999Z", "--12-24Z", "---07-05:00", "--05--Z", "-2008-03Z"})
        for (const std::string& prefix : kyr_test::prefixes(text))
            exercise_datetime(prefix);
}

TEST(DurationFuzz, RandomTexts)
{
    c_random_texts texts("0123456789-+.PYMDTHS ", 1205);
    for (int i = 0; i < 20000; ++i)
        exercise_duration(texts.next(24));
    for (const std::string& prefix : kyr_test::prefixes("-P1Y2M3DT4H5M6.5S"))
        exercise_duration(prefix);
}

// Generated date-times with in-range fields and minute-exact zones read back unchanged.
TEST(DatetimeRoundTrip, GeneratedValues)
{
    c_random_texts random("", 77);
    for (int i = 0; i < 2000; ++i) {
        char text[64];
        const int zone = static_cast<int>(random.pick(3));
        const unsigned offset_hours = static_cast<unsigned>(random.pick(15));
        const unsigned offset_mins = offset_hours == 0 ? 1 + static_cast<unsigned>(random.pick(59))
                                                       : static_cast<unsigned>(random.pick(60));
        std::snprintf(text, sizeof text, "%s%04u-%02u-%02uT%02u:%02u:%02u%s", random.pick(4) == 0 ? "-" : "",
                      1000 + static_cast<unsigned>(random.pick(9000)),
                      1 + static_cast<unsigned>(random.pick(12)), 1 + static_cast<unsigned>(random.pick(31)),
                      static_cast<unsigned>(random.pick(24)), static_cast<unsigned>(random.pick(60)),
                      static_cast<unsigned>(random.pick(60)),
                      zone == 0                 ? ""
                          : zone == 1           ? "Z"
                          : random.pick(2) == 0 ? "+"
                                                : "-");
        std::string expected = text;
        if (zone == 2) {
            std::snprintf(text, sizeof text, "%02u:%02u", offset_hours, offset_mins);
            expected += text;
        }
        ASSERT_TRUE(c_datetime::is_valid(expected)) << expected;
        const c_datetime value(expected);
        EXPECT_EQ(expected, value.get_as_string());
        EXPECT_TRUE(c_datetime(value.get_as_string()) == value);
    }
}

// Normalising keeps the total of seconds and the total of months.
TEST(DurationRoundTrip, NormaliseKeepsTotals)
{
    c_random_texts random("", 99);
    for (int i = 0; i < 2000; ++i) {
        c_duration value;
        value.set_years(static_cast<unsigned>(random.pick(100)));
        value.set_months(static_cast<unsigned>(random.pick(100)));
        value.set_days(static_cast<unsigned>(random.pick(1000)));
        value.set_hours(static_cast<unsigned>(random.pick(1000)));
        value.set_mins(static_cast<unsigned>(random.pick(1000)));
        value.set_secs(static_cast<float>(random.pick(100000)) / 8.0f);
        const double seconds =
            ((value.get_days() * 24.0 + value.get_hours()) * 60.0 + value.get_mins()) * 60.0
            + value.get_secs();
        const unsigned months = value.get_years() * 12 + value.get_months();
        c_duration normal = value;
        normal.normalize();
        EXPECT_LT(normal.get_months(), 12u);
        EXPECT_LT(normal.get_hours(), 24u);
        EXPECT_LT(normal.get_mins(), 60u);
        EXPECT_LT(normal.get_secs(), 60.0f);
        EXPECT_EQ(months, normal.get_years() * 12 + normal.get_months());
        EXPECT_DOUBLE_EQ(seconds,
                         ((normal.get_days() * 24.0 + normal.get_hours()) * 60.0 + normal.get_mins()) * 60.0
                             + normal.get_secs());
        EXPECT_TRUE(value == normal);
        EXPECT_EQ(normal.get_as_string(), c_duration(normal.get_as_string()).get_as_string());
    }
}

} // namespace
