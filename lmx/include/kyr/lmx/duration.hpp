// The value class of the schema's duration simple type.
#ifndef KYR_LMX_DURATION_HPP
#define KYR_LMX_DURATION_HPP

#include <kyr/export.hpp>

#include <ostream>
#include <string>

namespace lmx {

// [sign] "P" [nY][nM][nD] ["T" [nH][nM][n[.f]S]]; fields are kept as read until normalize().
class KYR_API c_duration
{
public:
    c_duration() = default;
    c_duration(const char* text) { parse(text); }
    c_duration(const std::string& text) { parse(text); }
    c_duration& operator=(const char* text)
    {
        parse(text);
        return *this;
    }
    c_duration& operator=(const std::string& text)
    {
        parse(text);
        return *this;
    }

    static bool is_valid(const char* text); // null is invalid
    static bool is_valid(const std::string& text);

    bool get_is_neg() const { return m_is_neg; }
    void set_is_neg(bool is_neg) { m_is_neg = is_neg; }
    unsigned get_years() const { return m_years; }
    void set_years(unsigned years) { m_years = years; }
    unsigned get_months() const { return m_months; }
    void set_months(unsigned months) { m_months = months; }
    unsigned get_days() const { return m_days; }
    void set_days(unsigned days) { m_days = days; }
    unsigned get_hours() const { return m_hours; }
    void set_hours(unsigned hours) { m_hours = hours; }
    unsigned get_mins() const { return m_mins; }
    void set_mins(unsigned mins) { m_mins = mins; }
    float get_secs() const { return m_secs; }
    void set_secs(float secs) { m_secs = secs; }

    // Carries seconds into minutes, minutes into hours, hours into days and months
    // into years. Days are never carried into months: their length varies.
    void normalize();

    // A partial order on normalised copies: P1M and P30D are neither equal nor ordered.
    // Ordered pairs compare by signed value; "-P" is below "P".
    bool operator==(const c_duration& other) const;
    bool operator!=(const c_duration& other) const;
    bool operator<(const c_duration& other) const;
    bool operator>(const c_duration& other) const;
    bool operator<=(const c_duration& other) const;
    bool operator>=(const c_duration& other) const;

    std::ostream& write(std::ostream& os) const;
    std::string get_as_string() const;

private:
    friend class c_duration_scanner;

    void parse(const char* text);
    void parse(const std::string& text);

    bool m_is_neg = false;
    unsigned m_years = 0;
    unsigned m_months = 0;
    unsigned m_days = 0;
    unsigned m_hours = 0;
    unsigned m_mins = 0;
    float m_secs = 0.0f;
};

inline std::ostream& operator<<(std::ostream& os, const c_duration& value)
{
    return value.write(os);
}

} // namespace lmx

#endif
