// Lexical checks of the date/time forms: whole text, no blanks, no field ranges. One line per
// text: its form (t datetime, Y gYear, M gYearMonth, m gMonth, d gDay, D gMonthDay) and whether
// it is accepted.
#include <kyr/lmx/datetime.hpp>

#include <gtest/gtest.h>

namespace {

using namespace lmx;

e_datetime_form form_of(char c)
{
    switch (c) {
    case 'Y':
        return e_datetime_form::gyear;
    case 'M':
        return e_datetime_form::gyearmonth;
    case 'm':
        return e_datetime_form::gmonth;
    case 'd':
        return e_datetime_form::gday;
    case 'D':
        return e_datetime_form::gmonthday;
    default:
        return e_datetime_form::datetime;
    }
}

TEST(DatetimeCheck, EveryFormAcceptsItsTextsOnly)
{
    struct s_case
    {
        char form;
        std::string text;
        bool valid;
    };
    const s_case cases[] = {
        {'t', "2008-03-07T09:05:00", true},
        {'t', "-0044-03-15T12:00:00.Z", true},
        {'t', "12345-01-01T00:00:00+05:30", true},
        {'t', "2008-13-45T25:61:61", true},
        {'t', "+2008-03-07T09:05:00-12:00", true},
        {'t', "2008-03-07T09:05:00.123456789Z", true},
        {'t', "2008-03-07T09:05:00+99:99", true},
        {'t', "2008-3-07T09:05:00", false},
        {'t', "2008-03-07 09:05:00", false},
        {'t', "2008-03-07T09:05:00+5:30", false},
        {'t', "2008-03-07T09:05:00z", false},
        {'t', "", false},
        {'t', "208-03-07T09:05:00", false},
        {'t', " 2008-03-07T09:05:00", false},
        {'t', "2008-03-07T09:05:00 ", false},
        {'t', "2008-03-07T09:05", false},
        {'t', "2008-03-07T09:05:0", false},
        {'t', "2008-03-07T09:05:", false},
        {'t', "2008-03-07T0a:05:00", false},
        {'t', "2008-03-07T09:05:000", false},
        {'t', "2008-03-07t09:05:00", false},
        {'t', "--2008-03-07T09:05:00", false},
        {'t', "2008-03-07T09:05:00ZZ", false},
        {'t', "2008-03-07T09:05:00+", false},
        {'t', "2008-03-07T09:05:00+05:3", false},
        {'t', "2008-03-07T09:05:00+0530", false},
        {'t', "2008-03-07T09:05:00+05:30:00", false},
        {'t', "2008-03-07T09:05:00.5.5", false},
        {'t', "2008-03-07", false},
        {'t', "2008-03-07T09:05:0\xd9\xa1", false},
        {'t', std::string("2008-03-07T09:05:00\0", 20), false},
        {'M', "2008-03", true},
        {'M', "-2008-03Z", true},
        {'M', "2008-3", false},
        {'M', "2008-03-07", false},
        {'Y', "2008", true},
        {'Y', "-12345", true},
        {'Y', "2008+01:00", true},
        {'Y', "208", false},
        {'Y', "2008-", false},
        {'Y', "-", false},
        {'D', "--12-24", true},
        {'D', "--12-24Z", true},
        {'D', "-12-24", false},
        {'D', "--12-2", false},
        {'D', "--12-245", false},
        {'D', "--1224", false},
        {'D', "+--12-24", false},
        {'d', "---07", true},
        {'d', "---07-05:00", true},
        {'d', "--07", false},
        {'d', "---7", false},
        {'d', "-----07", false},
        {'m', "--05--", true},
        {'m', "--05--Z", true},
        {'m', "--05", false},
        {'m', "--05-", false},
        {'m', "-05--", false},
    };
    for (const s_case& c : cases)
        EXPECT_EQ(c_datetime_base::is_valid_form(form_of(c.form), c.text), c.valid)
            << c.form << " " << c.text;
}

} // namespace
