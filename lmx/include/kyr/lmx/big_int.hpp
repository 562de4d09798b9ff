// c_big_int: an integer of any size, held as canonical decimal text.
#ifndef KYR_LMX_BIG_INT_HPP
#define KYR_LMX_BIG_INT_HPP

#include <kyr/export.hpp>

#include <iosfwd>
#include <string>

namespace lmx {

class KYR_API c_big_int
{
public:
    // Parsing of text: one leading "+" or "-" and any leading zeros are
    // skipped, then the digits up to the first non-digit are kept (so "12abc"
    // gives 12); no digit at all gives 0. A null pointer counts as "".
    c_big_int() : m_value(1, '0') {}
    // Implicit, so that bounds and values can be written as texts or numbers.
    c_big_int(const char* text);
    c_big_int(const std::string& text);
    c_big_int(long value);
    // An int literal would otherwise be ambiguous between long and a null pointer.
    c_big_int(int value) : c_big_int(static_cast<long>(value)) {}
    c_big_int(const c_big_int&) = default;
    c_big_int(c_big_int&&) noexcept = default;

    c_big_int& operator=(const c_big_int&) = default;
    c_big_int& operator=(c_big_int&&) noexcept = default;
    c_big_int& operator=(const char* text);
    c_big_int& operator=(const std::string& text);
    c_big_int& operator=(long value);
    c_big_int& operator=(int value) { return *this = static_cast<long>(value); }

    void swap(c_big_int& other) noexcept { m_value.swap(other.m_value); }

    // The value as a 32-bit integer: digits accumulate with wrap-around and
    // *overflow (when given) tells whether the value left the 32-bit range;
    // "-2147483648" is returned exactly but still flagged.
    long get(bool* overflow = nullptr) const;
    double get_as_float() const;
    // Canonical text: optional "-", digits without leading zeros, "0" for zero.
    const std::string& get_as_string() const { return m_value; }

    // Numeric comparison with the digits of a text: sign, then number of
    // digits after leading zeros, then the digits. A null text counts as "0";
    // an empty text is neither equal to nor less than any value.
    bool equals(const char* text) const;
    bool greater_than(const char* text) const;

private:
    void parse(const char* text);

    std::string m_value;
};

inline void swap(c_big_int& a, c_big_int& b) noexcept
{
    a.swap(b);
}

KYR_API std::ostream& operator<<(std::ostream& os, const c_big_int& value);

inline bool operator==(const c_big_int& a, const char* b)
{
    return a.equals(b);
}
inline bool operator>(const c_big_int& a, const char* b)
{
    return a.greater_than(b);
}
inline bool operator!=(const c_big_int& a, const char* b)
{
    return !(a == b);
}
inline bool operator<(const c_big_int& a, const char* b)
{
    return !(a > b) && !(a == b);
}
inline bool operator<=(const c_big_int& a, const char* b)
{
    return !(a > b);
}
inline bool operator>=(const c_big_int& a, const char* b)
{
    return a > b || a == b;
}

inline bool operator==(const char* a, const c_big_int& b)
{
    return b == a;
}
inline bool operator!=(const char* a, const c_big_int& b)
{
    return b != a;
}
inline bool operator<(const char* a, const c_big_int& b)
{
    return b > a;
}
inline bool operator>(const char* a, const c_big_int& b)
{
    return b < a;
}
inline bool operator<=(const char* a, const c_big_int& b)
{
    return b >= a;
}
inline bool operator>=(const char* a, const c_big_int& b)
{
    return b <= a;
}

inline bool operator==(const c_big_int& a, const std::string& b)
{
    return a == b.c_str();
}
inline bool operator!=(const c_big_int& a, const std::string& b)
{
    return a != b.c_str();
}
inline bool operator<(const c_big_int& a, const std::string& b)
{
    return a < b.c_str();
}
inline bool operator>(const c_big_int& a, const std::string& b)
{
    return a > b.c_str();
}
inline bool operator<=(const c_big_int& a, const std::string& b)
{
    return a <= b.c_str();
}
inline bool operator>=(const c_big_int& a, const std::string& b)
{
    return a >= b.c_str();
}

inline bool operator==(const std::string& a, const c_big_int& b)
{
    return a.c_str() == b;
}
inline bool operator!=(const std::string& a, const c_big_int& b)
{
    return a.c_str() != b;
}
inline bool operator<(const std::string& a, const c_big_int& b)
{
    return a.c_str() < b;
}
inline bool operator>(const std::string& a, const c_big_int& b)
{
    return a.c_str() > b;
}
inline bool operator<=(const std::string& a, const c_big_int& b)
{
    return a.c_str() <= b;
}
inline bool operator>=(const std::string& a, const c_big_int& b)
{
    return a.c_str() >= b;
}

inline bool operator==(const c_big_int& a, const c_big_int& b)
{
    return a == b.get_as_string();
}
inline bool operator!=(const c_big_int& a, const c_big_int& b)
{
    return a != b.get_as_string();
}
inline bool operator<(const c_big_int& a, const c_big_int& b)
{
    return a < b.get_as_string();
}
inline bool operator>(const c_big_int& a, const c_big_int& b)
{
    return a > b.get_as_string();
}
inline bool operator<=(const c_big_int& a, const c_big_int& b)
{
    return a <= b.get_as_string();
}
inline bool operator>=(const c_big_int& a, const c_big_int& b)
{
    return a >= b.get_as_string();
}

} // namespace lmx

#endif
