// Writing date/time values in their lexical forms.
#include <kyr/lmx/datetime_base.hpp>
#include <kyr/lmx/xml_writer.hpp>

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
    // The usual field fits its width: its digits go straight to their places.
    constexpr unsigned long long k_limits[] = {1, 10, 100, 1000, 10000};
    if (width < 5 && value < k_limits[width]) {
        for (char* p = out + width; p > out; value /= 10)
            *--p = static_cast<char>('0' + value % 10);
        return out + width;
    }
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

// Classic-locale output sets the stream's format state as the field-by-field
// path below leaves it.
void set_common_format(std::ios& format)
{
    format.fill('0');
    format.unsetf(std::ios_base::floatfield);
}

} // namespace

char* c_datetime_base::put_common_form(char* text, e_datetime_form form) const
{
    const bool whole_secs = m_secs >= 0.0f && !std::signbit(m_secs) && m_secs < 60.0f
        && m_secs == static_cast<float>(static_cast<unsigned>(m_secs));
    if (form != e_datetime_form::datetime || m_year < 0 || m_year > 9999 || !whole_secs)
        return nullptr;
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
    return out;
}

void c_datetime_base::write_form(c_xml_writer& writer, e_datetime_form form) const
{
    char* text = writer.reserve(k_common_form_capacity);
    char* end = put_common_form(text, form);
    std::ios& format = writer.get_format();
    if (end != nullptr && format.getloc() == std::locale::classic()) {
        set_common_format(format);
        writer.commit(end);
        return;
    }
    write_form(writer.get_stream(), form);
}

std::ostream& c_datetime_base::write_form(std::ostream& os, e_datetime_form form) const
{
    // The common date-time in the classic locale (the writer's) is put together in a buffer
    // and written at once; the stream path below handles every value.
    char text[k_common_form_capacity];
    char* end = put_common_form(text, form);
    if (end != nullptr && os.getloc() == std::locale::classic()) {
        set_common_format(os);
        return os.write(text, end - text);
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
