// Writing date/time values in their lexical forms.
#include <kyr/lmx/datetime_base.hpp>

#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

namespace lmx {
namespace {

void write_two(std::ostream& os, unsigned value)
{
    os << std::setw(2) << value;
}

// A leading "0" keeps two integral digits; values below 0.001 would turn to
// exponent notation in general form, so they are written fixed.
void write_secs(std::ostream& os, float secs)
{
    if (secs < 10.0f)
        os << '0';
    const bool tiny = secs != 0.0f && secs < 0.001f;
    os.setf(tiny ? std::ios_base::fixed : std::ios_base::fmtflags(), std::ios_base::floatfield);
    os << secs;
    os.unsetf(std::ios_base::floatfield);
}

void write_zone(std::ostream& os, bool is_utc, int total_offset_mins)
{
    if (is_utc) {
        os << 'Z';
        return;
    }
    if (total_offset_mins == 0)
        return;
    const long long total = total_offset_mins;
    const unsigned long long magnitude = static_cast<unsigned long long>(total < 0 ? -total : total);
    os << (total < 0 ? '-' : '+') << std::setw(2) << magnitude / 60 << ':' << std::setw(2) << magnitude % 60;
}

// Appends `value` with at least `width` digits, zeros in front.
char* put_digits(char* out, unsigned long long value, int width)
{
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (; width > count; --width)
        *out++ = '0';
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

} // namespace

std::ostream& c_datetime_base::write_form(std::ostream& os, e_datetime_form form) const
{
    // The common date-time (a year of 0 to 9999, whole seconds, the classic locale the writer
    // uses) is put together in a buffer and written at once; the stream path below handles
    // every value.
    const bool whole_secs = m_secs >= 0.0f && !std::signbit(m_secs) && m_secs < 60.0f &&
                            m_secs == static_cast<float>(static_cast<unsigned>(m_secs));
    if (form == e_datetime_form::datetime && m_year >= 0 && m_year <= 9999 && whole_secs &&
        os.getloc() == std::locale::classic()) {
        char text[64];
        char* out = put_digits(text, static_cast<unsigned long long>(m_year), 4);
        *out++ = '-';
        out = put_digits(out, m_month, 2);
        *out++ = '-';
        out = put_digits(out, m_day, 2);
        *out++ = 'T';
        out = put_digits(out, m_hours, 2);
        *out++ = ':';
        out = put_digits(out, m_mins, 2);
        *out++ = ':';
        out = put_digits(out, static_cast<unsigned>(m_secs), 2);
        if (m_is_utc) {
            *out++ = 'Z';
        } else if (m_total_offset_mins != 0) {
            const long long total = m_total_offset_mins;
            const unsigned long long magnitude = static_cast<unsigned long long>(total < 0 ? -total : total);
            *out++ = total < 0 ? '-' : '+';
            out = put_digits(out, magnitude / 60, 2);
            *out++ = ':';
            out = put_digits(out, magnitude % 60, 2);
        }
        os.fill('0');
        os.unsetf(std::ios_base::floatfield);
        return os.write(text, out - text);
    }
    os.fill('0');
    const bool has_year = form == e_datetime_form::datetime || form == e_datetime_form::date
            || form == e_datetime_form::gyearmonth || form == e_datetime_form::gyear;
    if (has_year)
        os << std::setw(4) << m_year;
    switch (form) {
    case e_datetime_form::datetime:
    case e_datetime_form::date:
        os << '-';
        write_two(os, m_month);
        os << '-';
        write_two(os, m_day);
        if (form == e_datetime_form::date)
            break;
        os << 'T';
        [[fallthrough]];
    case e_datetime_form::time:
        write_two(os, m_hours);
        os << ':';
        write_two(os, m_mins);
        os << ':';
        write_secs(os, m_secs);
        break;
    case e_datetime_form::gyearmonth:
        os << '-';
        write_two(os, m_month);
        break;
    case e_datetime_form::gyear:
        break;
    case e_datetime_form::gmonthday:
        os << "--";
        write_two(os, m_month);
        os << '-';
        write_two(os, m_day);
        break;
    case e_datetime_form::gday:
        os << "---";
        write_two(os, m_day);
        break;
    case e_datetime_form::gmonth:
        os << "--";
        write_two(os, m_month);
        os << "--";
        break;
    }
    write_zone(os, m_is_utc, m_total_offset_mins);
    return os;
}

std::string c_datetime_base::get_form_as_string(e_datetime_form form) const
{
    std::ostringstream os;
    os.imbue(std::locale::classic());
    write_form(os, form);
    return os.str();
}

} // namespace lmx
