// Writing date/time values in their lexical forms.
#include <kyr/lmx/datetime_base.hpp>

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

} // namespace

std::ostream& c_datetime_base::write_form(std::ostream& os, e_datetime_form form) const
{
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
