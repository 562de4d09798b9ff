// One grammar walk for durations, used both to check a text and to read it.
#include <kyr/lmx/duration.hpp>

#include <kyr/lmx/char_tests.hpp>

#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace lmx {

// Walks [pos, end). With a null target it checks the lexical form; with a target it
// stores each item as soon as it has been read and stops quietly at the first misfit.
class c_duration_scanner
{
public:
    c_duration_scanner(const char* text, std::size_t size, c_duration* target)
        : m_pos(text), m_end(text + size), m_target(target)
    {
    }

    bool scan();

private:
    bool at(char c) const { return m_pos != m_end && *m_pos == c; }
    bool is_digit(const char* p) const { return p != m_end && xisdigit(static_cast<unsigned char>(*p)); }
    const char* skip_digits(const char* p) const;
    void item(char letter, unsigned c_duration::*field);
    void seconds_item();

    const char* m_pos;
    const char* m_end;
    c_duration* m_target;
};

const char* c_duration_scanner::skip_digits(const char* p) const
{
    while (is_digit(p))
        ++p;
    return p;
}

// Digits followed by `letter`; digits followed by another letter are left for a later
// item, and anything left over at the end makes the text invalid.
void c_duration_scanner::item(char letter, unsigned c_duration::*field)
{
    const char* digits_end = skip_digits(m_pos);
    if (digits_end == m_pos || digits_end == m_end || *digits_end != letter)
        return;
    if (m_target != nullptr) {
        // Saturates rather than wrapping: a huge count stays huge.
        unsigned long long value = 0;
        for (const char* p = m_pos; p != digits_end && value <= UINT_MAX; ++p)
            value = value * 10u + static_cast<unsigned>(*p - '0');
        m_target->*field = value > UINT_MAX ? UINT_MAX : static_cast<unsigned>(value);
    }
    m_pos = digits_end + 1;
}

// Digits, optionally "." and digits ("5.", ".5" and "5.5"), then "S".
void c_duration_scanner::seconds_item()
{
    const char* number_end = skip_digits(m_pos);
    bool has_digits = number_end != m_pos;
    if (number_end != m_end && *number_end == '.') {
        const char* fraction_end = skip_digits(number_end + 1);
        has_digits = has_digits || fraction_end != number_end + 1;
        number_end = fraction_end;
    }
    if (!has_digits || number_end == m_end || *number_end != 'S')
        return;
    if (m_target != nullptr) {
        // from_chars reads "." whatever the process locale says.
        double value = HUGE_VAL;
        std::from_chars(m_pos, number_end, value);
        m_target->m_secs = value > FLT_MAX ? HUGE_VALF : static_cast<float>(value);
    }
    m_pos = number_end + 1;
}

bool c_duration_scanner::scan()
{
    if (at('-') || at('+')) {
        if (m_target != nullptr)
            m_target->m_is_neg = *m_pos == '-';
        ++m_pos;
    }
    if (!at('P'))
        return false;
    ++m_pos;
    item('Y', &c_duration::m_years);
    item('M', &c_duration::m_months);
    item('D', &c_duration::m_days);
    if (m_pos == m_end)
        return true;
    if (!at('T') || m_pos + 1 == m_end)
        return false;
    ++m_pos;
    item('H', &c_duration::m_hours);
    item('M', &c_duration::m_mins);
    seconds_item();
    return m_pos == m_end;
}

bool c_duration::is_valid(const std::string& text)
{
    return c_duration_scanner(text.data(), text.size(), nullptr).scan();
}

bool c_duration::is_valid(const char* text)
{
    return text != nullptr && c_duration_scanner(text, std::strlen(text), nullptr).scan();
}

void c_duration::parse(const std::string& text)
{
    *this = c_duration();
    c_duration_scanner(text.data(), text.size(), this).scan();
}

void c_duration::parse(const char* text)
{
    *this = c_duration();
    if (text != nullptr)
        c_duration_scanner(text, std::strlen(text), this).scan();
}

} // namespace lmx
