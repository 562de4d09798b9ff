// The date and time value classes of the schema's date/time simple types.
#ifndef KYR_LMX_DATETIME_HPP
#define KYR_LMX_DATETIME_HPP

#include <kyr/export.hpp>

#include <kyr/lmx/datetime_base.hpp>

#include <string>
#include <string_view>

namespace lmx {

// What every date/time class offers for its form: construction and assignment
// from text, the lexical check and the text of the value.
template <typename Self, e_datetime_form Form>
class c_datetime_of_form : public c_datetime_base
{
public:
    static constexpr e_datetime_form form = Form;

    c_datetime_of_form() = default;
    c_datetime_of_form(const char* text) { parse_form(form, text); }
    c_datetime_of_form(const std::string& text) { parse_form(form, text); }
    Self& operator=(const char* text)
    {
        parse_form(form, text);
        return static_cast<Self&>(*this);
    }
    Self& operator=(const std::string& text)
    {
        parse_form(form, text);
        return static_cast<Self&>(*this);
    }

    static bool is_valid(const std::string& text) { return is_valid_form(form, text); }
    // The check and the assignment in one walk; false, with nothing stored, when it fails.
    bool read(std::string_view text) { return read_form(form, text.data(), text.size()); }
    std::string get_as_string() const { return get_form_as_string(form); }
};

// [sign] YYYY-MM-DD "T" hh:mm:ss[.f] [zone]
class KYR_API c_datetime : public c_datetime_of_form<c_datetime, e_datetime_form::datetime>
{
public:
    using c_datetime_of_form::c_datetime_of_form;
    using c_datetime_of_form::operator=;

    using c_datetime_base::get_day;
    using c_datetime_base::get_hours;
    using c_datetime_base::get_mins;
    using c_datetime_base::get_month;
    using c_datetime_base::get_secs;
    using c_datetime_base::get_year;
    using c_datetime_base::set_day;
    using c_datetime_base::set_hours;
    using c_datetime_base::set_mins;
    using c_datetime_base::set_month;
    using c_datetime_base::set_secs;
    using c_datetime_base::set_year;
};

// The name under which the schema's classes hold date-time stamps.
typedef c_datetime tc_datetime;

// [sign] YYYY-MM-DD [zone]
class KYR_API c_date : public c_datetime_of_form<c_date, e_datetime_form::date>
{
public:
    using c_datetime_of_form::c_datetime_of_form;
    using c_datetime_of_form::operator=;

    using c_datetime_base::get_day;
    using c_datetime_base::get_month;
    using c_datetime_base::get_year;
    using c_datetime_base::set_day;
    using c_datetime_base::set_month;
    using c_datetime_base::set_year;
};

// hh:mm:ss[.f] [zone]; the check also accepts a leading sign, which parsing refuses.
class KYR_API c_time : public c_datetime_of_form<c_time, e_datetime_form::time>
{
public:
    using c_datetime_of_form::c_datetime_of_form;
    using c_datetime_of_form::operator=;

    using c_datetime_base::get_hours;
    using c_datetime_base::get_mins;
    using c_datetime_base::get_secs;
    using c_datetime_base::set_hours;
    using c_datetime_base::set_mins;
    using c_datetime_base::set_secs;
};

// [sign] YYYY-MM [zone]
class KYR_API c_gyearmonth : public c_datetime_of_form<c_gyearmonth, e_datetime_form::gyearmonth>
{
public:
    using c_datetime_of_form::c_datetime_of_form;
    using c_datetime_of_form::operator=;

    using c_datetime_base::get_month;
    using c_datetime_base::get_year;
    using c_datetime_base::set_month;
    using c_datetime_base::set_year;
};

// [sign] YYYY [zone]
class KYR_API c_gyear : public c_datetime_of_form<c_gyear, e_datetime_form::gyear>
{
public:
    using c_datetime_of_form::c_datetime_of_form;
    using c_datetime_of_form::operator=;

    using c_datetime_base::get_year;
    using c_datetime_base::set_year;
};

// --MM-DD [zone]
class KYR_API c_gmonthday : public c_datetime_of_form<c_gmonthday, e_datetime_form::gmonthday>
{
public:
    using c_datetime_of_form::c_datetime_of_form;
    using c_datetime_of_form::operator=;

    using c_datetime_base::get_day;
    using c_datetime_base::get_month;
    using c_datetime_base::set_day;
    using c_datetime_base::set_month;
};

// ---DD [zone]
class KYR_API c_gday : public c_datetime_of_form<c_gday, e_datetime_form::gday>
{
public:
    using c_datetime_of_form::c_datetime_of_form;
    using c_datetime_of_form::operator=;

    using c_datetime_base::get_day;
    using c_datetime_base::set_day;
};

// --MM-- [zone]
class KYR_API c_gmonth : public c_datetime_of_form<c_gmonth, e_datetime_form::gmonth>
{
public:
    using c_datetime_of_form::c_datetime_of_form;
    using c_datetime_of_form::operator=;

    using c_datetime_base::get_month;
    using c_datetime_base::set_month;
};

} // namespace lmx

#endif
