// One grammar walk for every date/time form, used both to check a text and to
// read it into a value; the two uses differ only where the parser is more lenient.
#include <kyr/lmx/datetime_base.hpp>

#include <kyr/lmx/char_tests.hpp>

#include <cstring>

namespace lmx {

// Walks [pos, end). With a null target it checks the lexical form; with a target it
// stores each field as soon as it has been read and stops quietly at the first misfit,
// taking the parser's leniency unless `strict` asks for the check's grammar as well.
class c_datetime_scanner
{
public:
    c_datetime_scanner(const char* text, std::size_t size, c_datetime_base* target, bool strict = false)
        : m_pos(text), m_end(text + size), m_target(target), m_strict(strict || target == nullptr)
    {
    }

    bool scan(e_datetime_form form);

private:
    bool checking() const { return m_strict; }
    bool storing() const { return m_target != nullptr; }
    bool at(char c) const { return m_pos != m_end && *m_pos == c; }
    bool at_digit() const { return m_pos != m_end && xisdigit(static_cast<unsigned char>(*m_pos)); }
    bool literal(char c);
    bool year();
    bool two_digits(unsigned c_datetime_base::*field);
    bool day_of_month_day();
    bool seconds();
    bool zone();
    bool usual_datetime_start();
    bool date_part(e_datetime_form form);

    const char* m_pos;
    const char* m_end;
    c_datetime_base* m_target;
    bool m_strict;
};

bool c_datetime_scanner::literal(char c)
{
    if (!at(c))
        return false;
    ++m_pos;
    return true;
}

// Four or more digits; kept as an unsigned number (wrapping), signed later.
bool c_datetime_scanner::year()
{
    unsigned value = 0;
    std::size_t count = 0;
    for (; at_digit(); ++m_pos, ++count)
        value = value * 10u + static_cast<unsigned>(*m_pos - '0');
    if (count < 4)
        return false;
    if (storing())
        m_target->m_year = static_cast<int>(value);
    return true;
}

bool c_datetime_scanner::two_digits(unsigned c_datetime_base::*field)
{
    if (!at_digit())
        return false;
    unsigned value = static_cast<unsigned>(*m_pos++ - '0');
    if (!at_digit())
        return false;
    value = value * 10u + static_cast<unsigned>(*m_pos++ - '0');
    if (storing())
        m_target->*field = value;
    return true;
}

// The parser takes one or more digits for the day of --MM-DD; the check exactly two.
bool c_datetime_scanner::day_of_month_day()
{
    if (checking())
        return two_digits(&c_datetime_base::m_day);
    if (!at_digit())
        return false;
    unsigned value = 0;
    for (; at_digit(); ++m_pos)
        value = value * 10u + static_cast<unsigned>(*m_pos - '0');
    m_target->m_day = value;
    return true;
}

// Checking: two digits, then optionally "." and any number of digits. Reading: digits,
// optional "." and digits, summed in float arithmetic; at least two characters.
bool c_datetime_scanner::seconds()
{
    const char* start = m_pos;
    float value = 0.0f;
    std::size_t whole = 0;
    for (; at_digit(); ++m_pos, ++whole)
        value = value * 10.0f + static_cast<float>(*m_pos - '0');
    if (checking() && whole != 2)
        return false;
    if (literal('.')) {
        float scale = 0.1f;
        for (; at_digit(); ++m_pos, scale *= 0.1f)
            value += static_cast<float>(*m_pos - '0') * scale;
    }
    if (m_pos - start < 2)
        return false;
    if (storing())
        m_target->m_secs = value;
    return true;
}

// Nothing, "Z", or a sign, two digits, ":" and two digits, then the end. Reading leaves
// the zone untouched when the rest is anything else.
bool c_datetime_scanner::zone()
{
    if (m_pos == m_end) {
        if (storing()) {
            m_target->m_total_offset_mins = 0;
            m_target->m_is_utc = false;
        }
        return true;
    }
    if (literal('Z')) {
        if (m_pos != m_end)
            return false;
        if (storing()) {
            m_target->m_total_offset_mins = 0;
            m_target->m_is_utc = true;
        }
        return true;
    }
    if (!at('+') && !at('-'))
        return false;
    const bool negative = *m_pos++ == '-';
    c_datetime_base offset;
    c_datetime_scanner digits(m_pos, static_cast<std::size_t>(m_end - m_pos), &offset);
    if (!digits.two_digits(&c_datetime_base::m_hours) || !digits.literal(':')
        || !digits.two_digits(&c_datetime_base::m_mins) || digits.m_pos != m_end)
        return false;
    if (storing()) {
        const int total = static_cast<int>(offset.m_hours * 60u + offset.m_mins);
        m_target->m_total_offset_mins = negative ? -total : total;
        m_target->m_is_utc = false;
    }
    return true;
}

// "YYYY-MM-DDThh:mm:" with a year of four digits, the usual start of a date-time, read in
// one look with the fields the walk below would give; false reads nothing.
bool c_datetime_scanner::usual_datetime_start()
{
    static constexpr char k_shape[] = "0000-00-00T00:00:";
    constexpr std::size_t k_length = sizeof k_shape - 1;
    if (static_cast<std::size_t>(m_end - m_pos) < k_length)
        return false;
    unsigned digits[12];
    std::size_t count = 0;
    for (std::size_t i = 0; i < k_length; ++i) {
        const auto c = static_cast<unsigned char>(m_pos[i]);
        if (k_shape[i] != '0') {
            if (c != static_cast<unsigned char>(k_shape[i]))
                return false;
        } else if (xisdigit(c)) {
            digits[count++] = c - '0';
        } else {
            return false;
        }
    }
    if (storing()) {
        m_target->m_year =
            static_cast<int>(((digits[0] * 10u + digits[1]) * 10u + digits[2]) * 10u + digits[3]);
        m_target->m_month = digits[4] * 10u + digits[5];
        m_target->m_day = digits[6] * 10u + digits[7];
        m_target->m_hours = digits[8] * 10u + digits[9];
        m_target->m_mins = digits[10] * 10u + digits[11];
    }
    m_pos += k_length;
    return true;
}

bool c_datetime_scanner::date_part(e_datetime_form form)
{
    switch (form) {
    case e_datetime_form::datetime:
        if (usual_datetime_start())
            return seconds();
        return year() && literal('-') && two_digits(&c_datetime_base::m_month) && literal('-')
            && two_digits(&c_datetime_base::m_day) && literal('T') && two_digits(&c_datetime_base::m_hours)
            && literal(':') && two_digits(&c_datetime_base::m_mins) && literal(':') && seconds();
    case e_datetime_form::date:
        return year() && literal('-') && two_digits(&c_datetime_base::m_month) && literal('-')
            && two_digits(&c_datetime_base::m_day);
    case e_datetime_form::time:
        return two_digits(&c_datetime_base::m_hours) && literal(':') && two_digits(&c_datetime_base::m_mins)
            && literal(':') && seconds();
    case e_datetime_form::gyearmonth:
        return year() && literal('-') && two_digits(&c_datetime_base::m_month);
    case e_datetime_form::gyear:
        return year();
    case e_datetime_form::gmonthday:
        return literal('-') && literal('-') && two_digits(&c_datetime_base::m_month) && literal('-')
            && day_of_month_day();
    case e_datetime_form::gday:
        return literal('-') && literal('-') && literal('-') && two_digits(&c_datetime_base::m_day);
    case e_datetime_form::gmonth:
        return literal('-') && literal('-') && two_digits(&c_datetime_base::m_month) && literal('-')
            && literal('-');
    }
    return false;
}

bool c_datetime_scanner::scan(e_datetime_form form)
{
    const bool has_year = form == e_datetime_form::datetime || form == e_datetime_form::date
        || form == e_datetime_form::gyearmonth || form == e_datetime_form::gyear;
    // A signed time passes the check but is not read.
    const bool takes_sign = has_year || (checking() && form == e_datetime_form::time);
    const bool negative = takes_sign && at('-');
    if (takes_sign && (at('-') || at('+')))
        ++m_pos;
    if (!date_part(form))
        return false;
    if (negative && has_year && storing())
        m_target->m_year = static_cast<int>(0u - static_cast<unsigned>(m_target->m_year));
    return zone();
}

bool c_datetime_base::is_valid_form(e_datetime_form form, const std::string& text)
{
    return c_datetime_scanner(text.data(), text.size(), nullptr).scan(form);
}

bool c_datetime_base::read_form(e_datetime_form form, const char* text, std::size_t size)
{
    c_datetime_base value = *this;
    if (!c_datetime_scanner(text, size, &value, true).scan(form))
        return false;
    // The parser takes no sign before a time: such a time passes the check but is not read.
    if (form != e_datetime_form::time || size == 0 || (text[0] != '-' && text[0] != '+'))
        *this = value;
    return true;
}

void c_datetime_base::parse_form(e_datetime_form form, const char* text, std::size_t size)
{
    if (text == nullptr)
        size = 0;
    c_datetime_scanner(text, size, this).scan(form);
}

void c_datetime_base::parse_form(e_datetime_form form, const char* text)
{
    if (text == nullptr)
        text = "";
    parse_form(form, text, std::strlen(text));
}

} // namespace lmx
