// c_decimal: a decimal number of any size and precision, held as a sign, the
// integral magnitude and the fraction digits exactly as given.
#ifndef KYR_LMX_DECIMAL_HPP
#define KYR_LMX_DECIMAL_HPP

#include <kyr/export.hpp>

#include <kyr/lmx/big_int.hpp>

#include <iosfwd>
#include <string>

namespace lmx {

class KYR_API c_decimal
{
public:
    // Parsing of text: a leading "-" makes the value negative; one sign is
    // skipped; the digits that follow are the integral part (none gives 0);
    // after a "." the digits up to the first non-digit are the fraction, kept
    // with any trailing zeros. Nothing else is examined: check with is_valid.
    c_decimal() = default;
    c_decimal(const char* text);
    c_decimal(const std::string& text);
    // value x 10^-scale: (1205, 3) is 1.205, (5, 3) is 0.005, (7, -2) is 700.
    c_decimal(long value, int scale);
    // value printed in fixed notation with min(digits, 15) fraction digits.
    c_decimal(double value, unsigned digits);
    // Plain literals such as (1205, 3) and (1.5, 2) would otherwise be
    // ambiguous between the two forms above. Negative digits count as 0.
    c_decimal(int value, int scale) : c_decimal(static_cast<long>(value), scale) {}
    c_decimal(double value, int digits) : c_decimal(value, static_cast<unsigned>(digits < 0 ? 0 : digits)) {}
    c_decimal(const c_decimal&) = default;
    c_decimal(c_decimal&&) noexcept = default;

    c_decimal& operator=(const c_decimal&) = default;
    c_decimal& operator=(c_decimal&&) noexcept = default;
    c_decimal& operator=(const char* text);
    c_decimal& operator=(const std::string& text);
    c_decimal& operator=(double value); // set(value, 15)

    void swap(c_decimal& other) noexcept;

    // [+-]?(d+(.d*)?|.d+): a sign and a mantissa, no exponent.
    static bool is_valid(const std::string& text);

    void set(double value, unsigned digits);

    // The integral part as a signed 32-bit value, negated when negative.
    long get_integral(bool* overflow = nullptr) const;
    // Sign from value, integral part from its magnitude; the fraction stays.
    void set_integral(long value);

    // The first `digits` fraction digits as an integer, zero-padded on the
    // right, the rest truncated; 0 when digits <= 0. *overflow tells whether
    // the result left the unsigned 32-bit range.
    unsigned long get_fractional(int digits, bool* overflow = nullptr) const;
    // Fraction digits from the decimal text of value: its first `digits`
    // characters when longer, otherwise left-padded with zeros to `digits`.
    void set_fractional(unsigned long value, unsigned digits);

    // value x 10^scale as a signed 32-bit value, truncated towards zero.
    long get_scaled(int scale, bool* overflow = nullptr) const;
    void set_scaled(long value, int scale);

    double get_as_float() const;
    std::string get_as_string() const;

    bool is_negative() const { return m_is_negative; }
    const c_big_int& get_integral_part() const { return m_integral; }
    const std::string& get_fraction_digits() const { return m_fraction; }

    // Fractions compare as decimal fractions (".5" equals ".500"); a negative
    // zero is less than, and not equal to, zero.
    bool equals(const c_decimal& other) const;
    bool greater_than(const c_decimal& other) const;

private:
    void parse(const char* text);

    bool m_is_negative = false;
    c_big_int m_integral;
    std::string m_fraction;
};

inline void swap(c_decimal& a, c_decimal& b) noexcept
{
    a.swap(b);
}

// "-" when negative; the integral part, left out when it is 0 and there is a
// fraction; "." and the fraction digits when there are any: ".5", "-.25",
// "12.50", "7".
KYR_API std::ostream& operator<<(std::ostream& os, const c_decimal& value);

inline bool operator==(const c_decimal& a, const c_decimal& b)
{
    return a.equals(b);
}
inline bool operator>(const c_decimal& a, const c_decimal& b)
{
    return a.greater_than(b);
}
inline bool operator!=(const c_decimal& a, const c_decimal& b)
{
    return !(a == b);
}
inline bool operator<(const c_decimal& a, const c_decimal& b)
{
    return !(a > b) && !(a == b);
}
inline bool operator<=(const c_decimal& a, const c_decimal& b)
{
    return !(a > b);
}
inline bool operator>=(const c_decimal& a, const c_decimal& b)
{
    return a > b || a == b;
}

} // namespace lmx

#endif
