// Fields, time zone and comparison shared by the date and time value classes.
#ifndef KYR_LMX_DATETIME_BASE_HPP
#define KYR_LMX_DATETIME_BASE_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <ostream>
#include <string>
#include <type_traits>

namespace lmx {

class c_xml_writer;

// The lexical form a date/time class reads and writes; it selects the fields used.
enum class e_datetime_form { datetime, date, time, gyearmonth, gyear, gmonthday, gday, gmonth };

// Holds every field of every date/time form. Each class of datetime.hpp picks the
// fields of its form; no field range is ever checked (month 13 and hour 25 are kept).
class KYR_API c_datetime_base
{
public:
    c_datetime_base() = default;

    bool get_is_utc() const { return m_is_utc; }
    void set_is_utc(bool is_utc) { m_is_utc = is_utc; }
    int get_total_offset_mins() const { return m_total_offset_mins; }
    void set_total_offset_mins(int mins) { m_total_offset_mins = mins; }

    // Sets an explicit offset; a zero total marks the value as UTC.
    void set_offset(int hours, unsigned mins);
    void set_offset_mins(int hours, unsigned mins) { set_offset(hours, mins); }

    // Field order comparison; the time zone takes no part.
    bool is_equal(const c_datetime_base& other) const;
    bool is_greater(const c_datetime_base& other) const;

    // Lexical check of `text` against `form`, whole text, no surrounding blanks.
    static bool is_valid_form(e_datetime_form form, const std::string& text);
    // Both in one walk: false, with nothing stored, when the check fails; otherwise the
    // fields parse_form would store.
    bool read_form(e_datetime_form form, const char* text, std::size_t size);
    // Stores the fields of `form` read from `text`; stops quietly at the first misfit.
    void parse_form(e_datetime_form form, const char* text, std::size_t size);
    void parse_form(e_datetime_form form, const char* text); // null reads as ""
    void parse_form(e_datetime_form form, const std::string& text)
    {
        parse_form(form, text.data(), text.size());
    }
    // Writes the fields of `form`; sets the stream's fill to '0' and leaves it so.
    std::ostream& write_form(std::ostream& os, e_datetime_form form) const;
    // The same into the writer's buffered output, with the same effect on its stream's fill.
    void write_form(c_xml_writer& writer, e_datetime_form form) const;
    std::string get_form_as_string(e_datetime_form form) const;

protected:
    int get_year() const { return m_year; }
    void set_year(int year) { m_year = year; }
    unsigned get_month() const { return m_month; }
    void set_month(unsigned month) { m_month = month; }
    unsigned get_day() const { return m_day; }
    void set_day(unsigned day) { m_day = day; }
    unsigned get_hours() const { return m_hours; }
    void set_hours(unsigned hours) { m_hours = hours; }
    unsigned get_mins() const { return m_mins; }
    void set_mins(unsigned mins) { m_mins = mins; }
    float get_secs() const { return m_secs; }
    void set_secs(float secs) { m_secs = secs; }

private:
    friend class c_datetime_scanner;

    // The common date-time (a year of 0 to 9999, whole seconds) put into text,
    // which has room for k_common_form_capacity chars; null for every other value.
    static constexpr std::size_t k_common_form_capacity = 64;
    char* put_common_form(char* text, e_datetime_form form) const;

    int m_year = 1;
    unsigned m_month = 0;
    unsigned m_day = 0;
    unsigned m_hours = 0;
    unsigned m_mins = 0;
    float m_secs = 0.0f;
    int m_total_offset_mins = 0; // minutes east of UTC
    bool m_is_utc = false;
};

template <typename T>
using enable_if_datetime_t =
    std::enable_if_t<std::is_base_of<c_datetime_base, T>::value && !std::is_same<c_datetime_base, T>::value,
                     bool>;

// Comparisons between two values of the same date/time class.
template <typename T>
enable_if_datetime_t<T> operator==(const T& a, const T& b)
{
    return a.is_equal(b);
}
template <typename T>
enable_if_datetime_t<T> operator!=(const T& a, const T& b)
{
    return !a.is_equal(b);
}
template <typename T>
enable_if_datetime_t<T> operator>(const T& a, const T& b)
{
    return a.is_greater(b);
}
template <typename T>
enable_if_datetime_t<T> operator<(const T& a, const T& b)
{
    return !a.is_equal(b) && !a.is_greater(b);
}
template <typename T>
enable_if_datetime_t<T> operator>=(const T& a, const T& b)
{
    return a.is_greater(b) || a.is_equal(b);
}
template <typename T>
enable_if_datetime_t<T> operator<=(const T& a, const T& b)
{
    return !a.is_greater(b);
}

// Writes a value of a date/time class in its lexical form.
template <typename T>
std::enable_if_t<std::is_base_of<c_datetime_base, T>::value && !std::is_same<c_datetime_base, T>::value,
                 std::ostream&>
operator<<(std::ostream& os, const T& value)
{
    return value.write_form(os, T::form);
}

} // namespace lmx

#endif
