// The date and time value classes of the schema's date/time simple types.
#ifndef KYR_LMX_DATETIME_HPP
#define KYR_LMX_DATETIME_HPP

#include <kyr/lmx/datetime_base.hpp>

#include <string>

namespace lmx {

// [sign] YYYY-MM-DD "T" hh:mm:ss[.f] [zone]
class c_datetime : public c_datetime_base
{
public:
    static constexpr e_datetime_form form = e_datetime_form::datetime;

    c_datetime() = default;
    c_datetime(const char* text) { parse_form(form, text); }
    c_datetime(const std::string& text) { parse_form(form, text); }
    c_datetime& operator=(const char* text) { parse_form(form, text); return *this; }
    c_datetime& operator=(const std::string& text) { parse_form(form, text); return *this; }

    static bool is_valid(const std::string& text) { return is_valid_form(form, text); }
    std::string get_as_string() const { return get_form_as_string(form); }

    using c_datetime_base::get_year;
    using c_datetime_base::set_year;
    using c_datetime_base::get_month;
    using c_datetime_base::set_month;
    using c_datetime_base::get_day;
    using c_datetime_base::set_day;
    using c_datetime_base::get_hours;
    using c_datetime_base::set_hours;
    using c_datetime_base::get_mins;
    using c_datetime_base::set_mins;
    using c_datetime_base::get_secs;
    using c_datetime_base::set_secs;
};

// The name under which the schema's classes hold date-time stamps.
typedef c_datetime tc_datetime;

// [sign] YYYY-MM-DD [zone]
class c_date : public c_datetime_base
{
public:
    static constexpr e_datetime_form form = e_datetime_form::date;

    c_date() = default;
    c_date(const char* text) { parse_form(form, text); }
    c_date(const std::string& text) { parse_form(form, text); }
    c_date& operator=(const char* text) { parse_form(form, text); return *this; }
    c_date& operator=(const std::string& text) { parse_form(form, text); return *this; }

    static bool is_valid(const std::string& text) { return is_valid_form(form, text); }
    std::string get_as_string() const { return get_form_as_string(form); }

    using c_datetime_base::get_year;
    using c_datetime_base::set_year;
    using c_datetime_base::get_month;
    using c_datetime_base::set_month;
    using c_datetime_base::get_day;
    using c_datetime_base::set_day;
};

// hh:mm:ss[.f] [zone]; the check also accepts a leading sign, which parsing refuses.
class c_time : public c_datetime_base
{
public:
    static constexpr e_datetime_form form = e_datetime_form::time;

    c_time() = default;
    c_time(const char* text) { parse_form(form, text); }
    c_time(const std::string& text) { parse_form(form, text); }
    c_time& operator=(const char* text) { parse_form(form, text); return *this; }
    c_time& operator=(const std::string& text) { parse_form(form, text); return *this; }

    static bool is_valid(const std::string& text) { return is_valid_form(form, text); }
    std::string get_as_string() const { return get_form_as_string(form); }

    using c_datetime_base::get_hours;
    using c_datetime_base::set_hours;
    using c_datetime_base::get_mins;
    using c_datetime_base::set_mins;
    using c_datetime_base::get_secs;
    using c_datetime_base::set_secs;
};

// [sign] YYYY-MM [zone]
class c_gyearmonth : public c_datetime_base
{
public:
    static constexpr e_datetime_form form = e_datetime_form::gyearmonth;

    c_gyearmonth() = default;
    c_gyearmonth(const char* text) { parse_form(form, text); }
    c_gyearmonth(const std::string& text) { parse_form(form, text); }
    c_gyearmonth& operator=(const char* text) { parse_form(form, text); return *this; }
    c_gyearmonth& operator=(const std::string& text) { parse_form(form, text); return *this; }

    static bool is_valid(const std::string& text) { return is_valid_form(form, text); }
    std::string get_as_string() const { return get_form_as_string(form); }

    using c_datetime_base::get_year;
    using c_datetime_base::set_year;
    using c_datetime_base::get_month;
    using c_datetime_base::set_month;
};

// [sign] YYYY [zone]
class c_gyear : public c_datetime_base
{
public:
    static constexpr e_datetime_form form = e_datetime_form::gyear;

    c_gyear() = default;
    c_gyear(const char* text) { parse_form(form, text); }
    c_gyear(const std::string& text) { parse_form(form, text); }
    c_gyear& operator=(const char* text) { parse_form(form, text); return *this; }
    c_gyear& operator=(const std::string& text) { parse_form(form, text); return *this; }

    static bool is_valid(const std::string& text) { return is_valid_form(form, text); }
    std::string get_as_string() const { return get_form_as_string(form); }

    using c_datetime_base::get_year;
    using c_datetime_base::set_year;
};

// --MM-DD [zone]
class c_gmonthday : public c_datetime_base
{
public:
    static constexpr e_datetime_form form = e_datetime_form::gmonthday;

    c_gmonthday() = default;
    c_gmonthday(const char* text) { parse_form(form, text); }
    c_gmonthday(const std::string& text) { parse_form(form, text); }
    c_gmonthday& operator=(const char* text) { parse_form(form, text); return *this; }
    c_gmonthday& operator=(const std::string& text) { parse_form(form, text); return *this; }

    static bool is_valid(const std::string& text) { return is_valid_form(form, text); }
    std::string get_as_string() const { return get_form_as_string(form); }

    using c_datetime_base::get_month;
    using c_datetime_base::set_month;
    using c_datetime_base::get_day;
    using c_datetime_base::set_day;
};

// ---DD [zone]
class c_gday : public c_datetime_base
{
public:
    static constexpr e_datetime_form form = e_datetime_form::gday;

    c_gday() = default;
    c_gday(const char* text) { parse_form(form, text); }
    c_gday(const std::string& text) { parse_form(form, text); }
    c_gday& operator=(const char* text) { parse_form(form, text); return *this; }
    c_gday& operator=(const std::string& text) { parse_form(form, text); return *this; }

    static bool is_valid(const std::string& text) { return is_valid_form(form, text); }
    std::string get_as_string() const { return get_form_as_string(form); }

    using c_datetime_base::get_day;
    using c_datetime_base::set_day;
};

// --MM-- [zone]
class c_gmonth : public c_datetime_base
{
public:
    static constexpr e_datetime_form form = e_datetime_form::gmonth;

    c_gmonth() = default;
    c_gmonth(const char* text) { parse_form(form, text); }
    c_gmonth(const std::string& text) { parse_form(form, text); }
    c_gmonth& operator=(const char* text) { parse_form(form, text); return *this; }
    c_gmonth& operator=(const std::string& text) { parse_form(form, text); return *this; }

    static bool is_valid(const std::string& text) { return is_valid_form(form, text); }
    std::string get_as_string() const { return get_form_as_string(form); }

    using c_datetime_base::get_month;
    using c_datetime_base::set_month;
};

} // namespace lmx

#endif
