// Time zone setting and field-order comparison of date/time values.
#include <kyr/lmx/datetime_base.hpp>

namespace lmx {

void c_datetime_base::set_offset(int hours, unsigned mins)
{
    // Unsigned arithmetic: wraps instead of overflowing on absurd arguments.
    const unsigned hour_mins = static_cast<unsigned>(hours) * 60u;
    const unsigned total = hours < 0 ? hour_mins - mins : hour_mins + mins;
    m_total_offset_mins = static_cast<int>(total);
    m_is_utc = m_total_offset_mins == 0;
}

bool c_datetime_base::is_equal(const c_datetime_base& other) const
{
    return m_year == other.m_year && m_month == other.m_month && m_day == other.m_day
        && m_hours == other.m_hours && m_mins == other.m_mins && m_secs == other.m_secs;
}

bool c_datetime_base::is_greater(const c_datetime_base& other) const
{
    if (m_year != other.m_year)
        return m_year > other.m_year;
    if (m_month != other.m_month)
        return m_month > other.m_month;
    if (m_day != other.m_day)
        return m_day > other.m_day;
    if (m_hours != other.m_hours)
        return m_hours > other.m_hours;
    if (m_mins != other.m_mins)
        return m_mins > other.m_mins;
    return m_secs > other.m_secs;
}

} // namespace lmx
