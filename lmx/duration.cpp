// Normalisation, the partial order and the output of durations.
#include <kyr/lmx/duration.hpp>

#include <cmath>
#include <cstdint>
#include <locale>
#include <sstream>

namespace lmx {
namespace {

// Fewest and most days in that many consecutive months.
const std::uint64_t min_days_in_months[12] = {0, 28, 59, 89, 120, 150, 181, 212, 242, 273, 303, 334};
const std::uint64_t max_days_in_months[12] = {0, 31, 62, 92, 123, 153, 184, 215, 245, 276, 306, 337};

struct s_day_range
{
    std::uint64_t low;
    std::uint64_t high;
};

s_day_range day_range(const c_duration& d, std::uint64_t extra_years)
{
    const unsigned months = d.get_months() % 12;
    return {min_days_in_months[months] + extra_years * 365 + d.get_days(),
            max_days_in_months[months] + extra_years * 366 + d.get_days()};
}

// Both operands normalised. Same sign and different month remainders leave the order
// open when the spans of days the two could cover overlap (P1M against P30D).
bool is_indeterminate(const c_duration& a, const c_duration& b)
{
    if (a.get_is_neg() != b.get_is_neg() || a.get_months() % 12 == b.get_months() % 12)
        return false;
    const std::uint64_t years_a = a.get_years();
    const std::uint64_t years_b = b.get_years();
    const s_day_range range_a = day_range(a, years_a > years_b ? years_a - years_b : 0);
    const s_day_range range_b = day_range(b, years_b > years_a ? years_b - years_a : 0);
    return !(range_a.high < range_b.low || range_b.high < range_a.low);
}

bool fields_equal(const c_duration& a, const c_duration& b)
{
    return a.get_is_neg() == b.get_is_neg() && a.get_years() == b.get_years()
        && a.get_months() == b.get_months() && a.get_days() == b.get_days() && a.get_hours() == b.get_hours()
        && a.get_mins() == b.get_mins() && a.get_secs() == b.get_secs();
}

bool magnitude_greater(const c_duration& a, const c_duration& b)
{
    if (a.get_years() != b.get_years())
        return a.get_years() > b.get_years();
    if (a.get_months() != b.get_months())
        return a.get_months() > b.get_months();
    if (a.get_days() != b.get_days())
        return a.get_days() > b.get_days();
    if (a.get_hours() != b.get_hours())
        return a.get_hours() > b.get_hours();
    if (a.get_mins() != b.get_mins())
        return a.get_mins() > b.get_mins();
    return a.get_secs() > b.get_secs();
}

// Ordered by signed value: a negative duration is below every non-negative one (even
// "-P" below "P", as the sign alone makes them unequal), and of two negative ones the
// larger magnitude is the smaller.
bool fields_greater(const c_duration& a, const c_duration& b)
{
    if (a.get_is_neg() != b.get_is_neg())
        return b.get_is_neg();
    return a.get_is_neg() ? magnitude_greater(b, a) : magnitude_greater(a, b);
}

c_duration normalized(c_duration d)
{
    d.normalize();
    return d;
}

} // namespace

void c_duration::normalize()
{
    // Seconds that do not fit a minute count (infinite, NaN, beyond 2^32 minutes) stay put.
    const float whole_mins = std::trunc(m_secs / 60.0f);
    if (std::fabs(whole_mins) < 4294967296.0f) {
        m_mins += static_cast<unsigned>(static_cast<long long>(whole_mins));
        m_secs -= whole_mins * 60.0f;
    }
    m_hours += m_mins / 60;
    m_mins %= 60;
    m_days += m_hours / 24;
    m_hours %= 24;
    m_years += m_months / 12;
    m_months %= 12;
}

bool c_duration::operator==(const c_duration& other) const
{
    const c_duration a = normalized(*this);
    const c_duration b = normalized(other);
    return !is_indeterminate(a, b) && fields_equal(a, b);
}

bool c_duration::operator!=(const c_duration& other) const
{
    return !(*this == other);
}

bool c_duration::operator>(const c_duration& other) const
{
    const c_duration a = normalized(*this);
    const c_duration b = normalized(other);
    return !is_indeterminate(a, b) && fields_greater(a, b);
}

bool c_duration::operator>=(const c_duration& other) const
{
    const c_duration a = normalized(*this);
    const c_duration b = normalized(other);
    return !is_indeterminate(a, b) && (fields_greater(a, b) || fields_equal(a, b));
}

bool c_duration::operator<(const c_duration& other) const
{
    const c_duration a = normalized(*this);
    const c_duration b = normalized(other);
    return !is_indeterminate(a, b) && !fields_equal(a, b) && !fields_greater(a, b);
}

bool c_duration::operator<=(const c_duration& other) const
{
    const c_duration a = normalized(*this);
    const c_duration b = normalized(other);
    return !is_indeterminate(a, b) && !fields_greater(a, b);
}

std::ostream& c_duration::write(std::ostream& os) const
{
    if (m_is_neg)
        os << '-';
    os << 'P';
    if (m_years != 0)
        os << m_years << 'Y';
    if (m_months != 0)
        os << m_months << 'M';
    if (m_days != 0)
        os << m_days << 'D';
    if (m_hours == 0 && m_mins == 0 && m_secs == 0.0f)
        return os;
    os << 'T';
    if (m_hours != 0)
        os << m_hours << 'H';
    if (m_mins != 0)
        os << m_mins << 'M';
    if (m_secs != 0.0f) {
        // General form would switch to exponent notation below 0.001.
        const bool tiny = m_secs < 0.001f;
        os.setf(tiny ? std::ios_base::fixed : std::ios_base::fmtflags(), std::ios_base::floatfield);
        os << m_secs << 'S';
        os.unsetf(std::ios_base::floatfield);
    }
    return os;
}

std::string c_duration::get_as_string() const
{
    std::ostringstream os;
    os.imbue(std::locale::classic());
    write(os);
    return os.str();
}

} // namespace lmx
