// c_decimal: parsing, scaled access, comparison and output.
#include <kyr/lmx/decimal.hpp>

#include <kyr/lmx/char_tests.hpp>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <ostream>

namespace lmx {

namespace {

constexpr unsigned k_max_double_digits = 15;

// Appending zero digits to a 32-bit value multiplies it by 10 each time; after
// 32 of them it is 0 modulo 2^32 and stays so. Loops over padding zeros stop
// there, so a huge digit count costs no time and gives the same result.
constexpr std::size_t k_max_padding_zeros = 32;

// Number of digits to take when `wanted` are asked for and `available` exist
// (the rest being padding zeros).
std::size_t effective_digit_count(long long wanted, std::size_t available)
{
    if (wanted <= 0)
        return 0;
    const auto limit = available + k_max_padding_zeros;
    return static_cast<unsigned long long>(wanted) < limit ? static_cast<std::size_t>(wanted) : limit;
}

// Accumulates one digit into a 32-bit value with wrap-around, noting overflow
// as c_big_int::get does.
void accumulate_signed(std::uint32_t& value, unsigned digit, bool& overflowed)
{
    if (static_cast<std::int32_t>(value) > 214748364
        || static_cast<std::int32_t>(2147483647u - value * 10u) < static_cast<std::int32_t>(digit))
        overflowed = true;
    value = value * 10u + digit;
}

// Fraction digits without trailing zeros.
std::size_t significant_fraction_length(const std::string& fraction)
{
    const std::size_t last = fraction.find_last_not_of('0');
    return last == std::string::npos ? 0 : last + 1;
}

int compare_fractions(const std::string& a, const std::string& b)
{
    const std::size_t na = significant_fraction_length(a);
    const std::size_t nb = significant_fraction_length(b);
    const int order = std::memcmp(a.data(), b.data(), std::min(na, nb));
    if (order != 0)
        return order;
    return na < nb ? -1 : (na > nb ? 1 : 0);
}

// Decimal magnitude of value, which may be the most negative long.
unsigned long magnitude_of(long value)
{
    return value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
}

} // namespace

c_decimal::c_decimal(const char* text)
{
    parse(text);
}

c_decimal::c_decimal(const std::string& text)
{
    parse(text.c_str());
}

c_decimal::c_decimal(long value, int scale)
{
    set_scaled(value, scale);
}

c_decimal::c_decimal(double value, unsigned digits)
{
    set(value, digits);
}

c_decimal& c_decimal::operator=(const char* text)
{
    parse(text);
    return *this;
}

c_decimal& c_decimal::operator=(const std::string& text)
{
    parse(text.c_str());
    return *this;
}

c_decimal& c_decimal::operator=(double value)
{
    set(value, k_max_double_digits);
    return *this;
}

void c_decimal::swap(c_decimal& other) noexcept
{
    std::swap(m_is_negative, other.m_is_negative);
    m_integral.swap(other.m_integral);
    m_fraction.swap(other.m_fraction);
}

bool c_decimal::is_valid(const std::string& text)
{
    const char* p = text.data();
    const char* end = p + text.size();
    if (p != end && (*p == '+' || *p == '-'))
        ++p;
    std::size_t digits = 0;
    while (p != end && xisdigit(*p)) {
        ++p;
        ++digits;
    }
    if (p != end && *p == '.') {
        ++p;
        while (p != end && xisdigit(*p)) {
            ++p;
            ++digits;
        }
    }
    return digits > 0 && p == end;
}

void c_decimal::parse(const char* text)
{
    if (text == nullptr)
        text = "";
    m_is_negative = *text == '-';
    if (*text == '+' || *text == '-')
        ++text;
    const char* p = text;
    while (xisdigit(*p))
        ++p;
    // Only the digits right after the sign form the integral part, so it never
    // carries a sign of its own.
    m_integral = std::string(text, p);
    m_fraction.clear();
    if (*p == '.') {
        const char* start = ++p;
        while (xisdigit(*p))
            ++p;
        m_fraction.assign(start, p);
    }
}

void c_decimal::set(double value, unsigned digits)
{
    // Fixed notation of the largest double has 309 integral digits.
    char buf[400];
    const int precision = static_cast<int>(std::min(digits, k_max_double_digits));
    const auto result = std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::fixed, precision);
    *result.ptr = '\0';
    parse(buf);
}

long c_decimal::get_integral(bool* overflow) const
{
    const auto value = static_cast<std::uint32_t>(m_integral.get(overflow));
    return static_cast<std::int32_t>(m_is_negative ? 0u - value : value);
}

void c_decimal::set_integral(long value)
{
    m_is_negative = value < 0;
    char buf[24];
    const auto result = std::to_chars(buf, buf + sizeof buf - 1, magnitude_of(value));
    *result.ptr = '\0';
    m_integral = buf;
}

unsigned long c_decimal::get_fractional(int digits, bool* overflow) const
{
    std::uint32_t value = 0;
    bool overflowed = false;
    const std::size_t count = effective_digit_count(digits, m_fraction.size());
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned digit = i < m_fraction.size() ? unsigned(m_fraction[i] - '0') : 0u;
        if (value > (UINT32_MAX - digit) / 10u)
            overflowed = true;
        value = value * 10u + digit;
    }
    if (overflow != nullptr)
        *overflow = overflowed;
    return value;
}

void c_decimal::set_fractional(unsigned long value, unsigned digits)
{
    char buf[24];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    const auto text_length = static_cast<std::size_t>(result.ptr - buf);
    if (text_length >= digits) {
        m_fraction.assign(buf, digits);
    } else {
        m_fraction.assign(digits - text_length, '0');
        m_fraction.append(buf, text_length);
    }
}

long c_decimal::get_scaled(int scale, bool* overflow) const
{
    const std::string& integral = m_integral.get_as_string();
    // A zero integral part contributes no digits.
    const std::size_t integral_digits = integral == "0" ? 0 : integral.size();
    std::uint32_t value = 0;
    bool overflowed = false;
    if (scale > 0) {
        for (std::size_t i = 0; i < integral_digits; ++i)
            accumulate_signed(value, unsigned(integral[i] - '0'), overflowed);
        const std::size_t count = effective_digit_count(scale, m_fraction.size());
        for (std::size_t i = 0; i < count; ++i) {
            const unsigned digit = i < m_fraction.size() ? unsigned(m_fraction[i] - '0') : 0u;
            accumulate_signed(value, digit, overflowed);
        }
    } else {
        const long long kept = static_cast<long long>(integral_digits) + scale;
        for (long long i = 0; i < kept; ++i)
            accumulate_signed(value, unsigned(integral[static_cast<std::size_t>(i)] - '0'), overflowed);
    }
    if (m_is_negative)
        value = 0u - value;
    if (overflow != nullptr)
        *overflow = overflowed;
    return static_cast<std::int32_t>(value);
}

void c_decimal::set_scaled(long value, int scale)
{
    m_is_negative = value < 0;
    char buf[24];
    const auto result = std::to_chars(buf, buf + sizeof buf, magnitude_of(value));
    const std::string digits(buf, result.ptr);
    if (scale > 0) {
        const auto fraction_length = static_cast<std::size_t>(scale);
        if (fraction_length >= digits.size()) {
            m_integral = c_big_int();
            m_fraction.assign(fraction_length - digits.size(), '0');
            m_fraction += digits;
        } else {
            m_integral = digits.substr(0, digits.size() - fraction_length);
            m_fraction = digits.substr(digits.size() - fraction_length);
        }
    } else {
        m_integral = digits + std::string(static_cast<std::size_t>(-static_cast<long long>(scale)), '0');
        m_fraction.clear();
    }
}

double c_decimal::get_as_float() const
{
    double value = m_integral.get_as_float();
    double unit = 1.0;
    for (char c : m_fraction) {
        unit /= 10.0;
        value += (c - '0') * unit;
    }
    return m_is_negative ? -value : value;
}

std::string c_decimal::get_as_string() const
{
    std::string text;
    if (m_is_negative)
        text = '-';
    if (!(m_fraction.size() > 0 && m_integral.get_as_string() == "0"))
        text += m_integral.get_as_string();
    if (!m_fraction.empty()) {
        text += '.';
        text += m_fraction;
    }
    return text;
}

bool c_decimal::equals(const c_decimal& other) const
{
    return m_is_negative == other.m_is_negative && m_integral == other.m_integral
        && compare_fractions(m_fraction, other.m_fraction) == 0;
}

bool c_decimal::greater_than(const c_decimal& other) const
{
    if (m_is_negative != other.m_is_negative)
        return !m_is_negative;
    int order = m_integral > other.m_integral ? 1 : (m_integral == other.m_integral ? 0 : -1);
    if (order == 0)
        order = compare_fractions(m_fraction, other.m_fraction);
    return m_is_negative ? order < 0 : order > 0;
}

std::ostream& operator<<(std::ostream& os, const c_decimal& value)
{
    const std::string text = value.get_as_string();
    return os.write(text.data(), static_cast<std::streamsize>(text.size()));
}

} // namespace lmx
