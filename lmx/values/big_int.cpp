// c_big_int: parsing, 32-bit access and comparison with texts.
#include <kyr/lmx/big_int.hpp>

#include <kyr/lmx/char_tests.hpp>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <ostream>

namespace lmx {

namespace {

// Digits of a magnitude without leading zeros; empty for zero.
struct digits_view
{
    const char* data;
    std::size_t size;
};

digits_view magnitude_digits(const char* p)
{
    while (*p == '0')
        ++p;
    return {p, std::strlen(p)};
}

// Compares two magnitudes: by number of digits, then digit by digit.
int compare_magnitudes(digits_view a, digits_view b)
{
    if (a.size != b.size)
        return a.size < b.size ? -1 : 1;
    return std::memcmp(a.data, b.data, a.size);
}

// A number's sign and the digits of its magnitude; a stored value never has "+".
struct signed_digits
{
    bool negative;
    digits_view digits;
};

signed_digits split_sign(const char* text)
{
    const bool negative = *text == '-';
    return {negative, magnitude_digits(text + ((negative || *text == '+') ? 1 : 0))};
}

bool is_zero(const signed_digits& number)
{
    return number.digits.size == 0;
}

} // namespace

c_big_int::c_big_int(const char* text)
{
    parse(text);
}

c_big_int::c_big_int(const std::string& text)
{
    parse(text.c_str());
}

c_big_int::c_big_int(long value)
{
    *this = value;
}

c_big_int& c_big_int::operator=(const char* text)
{
    parse(text);
    return *this;
}

c_big_int& c_big_int::operator=(const std::string& text)
{
    parse(text.c_str());
    return *this;
}

c_big_int& c_big_int::operator=(long value)
{
    char buf[24];
    const auto result = std::to_chars(buf, buf + sizeof buf - 1, value);
    *result.ptr = '\0';
    parse(buf);
    return *this;
}

void c_big_int::parse(const char* text)
{
    m_value.clear();
    if (text == nullptr)
        text = "";
    if (*text == '-')
        m_value = '-';
    if (*text == '+' || *text == '-')
        ++text;
    while (*text == '0')
        ++text;
    const char* end = text;
    while (xisdigit(*end))
        ++end;
    if (end == text)
        m_value = '0';
    else
        m_value.append(text, end);
}

long c_big_int::get(bool* overflow) const
{
    // 32-bit arithmetic with wrap-around, done on unsigned values.
    std::uint32_t value = 0;
    bool overflowed = false;
    const char* p = m_value.c_str();
    const bool negative = *p == '-';
    if (negative)
        ++p;
    for (; xisdigit(*p); ++p) {
        const std::uint32_t digit = static_cast<std::uint32_t>(*p - '0');
        const auto signed_value = static_cast<std::int32_t>(value);
        if (signed_value > 214748364
            || static_cast<std::int32_t>(2147483647u - value * 10u) < static_cast<std::int32_t>(digit))
            overflowed = true;
        value = value * 10u + digit;
    }
    if (negative)
        value = 0u - value;
    if (overflow != nullptr)
        *overflow = overflowed;
    return static_cast<std::int32_t>(value);
}

double c_big_int::get_as_float() const
{
    const char* p = m_value.c_str();
    const bool negative = *p == '-';
    double value = 0.0;
    if (*p != '\0' && !xisdigit(*p))
        ++p;
    for (; *p != '\0'; ++p)
        value = value * 10.0 + (*p - '0');
    return negative ? -value : value;
}

bool c_big_int::equals(const char* text) const
{
    if (text == nullptr)
        text = "0";
    if (*text == '\0')
        return false;
    const signed_digits value = split_sign(m_value.c_str());
    const signed_digits other = split_sign(text);
    if (value.negative != other.negative)
        return other.negative && is_zero(other) && is_zero(value);
    return compare_magnitudes(value.digits, other.digits) == 0;
}

bool c_big_int::greater_than(const char* text) const
{
    if (text == nullptr)
        text = "0";
    if (*text == '\0')
        return false;
    const signed_digits value = split_sign(m_value.c_str());
    const signed_digits other = split_sign(text);
    if (value.negative != other.negative) {
        // 0 and "-0" are equal; otherwise the non-negative side is greater.
        if (other.negative && is_zero(other) && is_zero(value))
            return false;
        return !value.negative;
    }
    const int order = compare_magnitudes(value.digits, other.digits);
    return value.negative ? order < 0 : order > 0;
}

std::ostream& operator<<(std::ostream& os, const c_big_int& value)
{
    const std::string& text = value.get_as_string();
    return os.write(text.data(), static_cast<std::streamsize>(text.size()));
}

} // namespace lmx
