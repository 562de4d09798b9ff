// Text to number conversions. They use std::from_chars, which never looks at
// the process locale and rounds correctly, instead of strtod and friends.
#include <kyr/lmx/simple_types.hpp>

#include <kyr/lmx/char_tests.hpp>

#include "float_specials.hpp"

#include <charconv>
#include <cstddef>
#include <limits>
#include <system_error>
#include <type_traits>

namespace lmx {

namespace {

// Decimal exponent of the leading significant digit of a mantissa and
// exponent text, plus one: positive for magnitudes of at least 1. Decides
// whether an out-of-range text overflows or underflows.
long long magnitude_exponent(const char* p, const char* end)
{
    long long exponent = 0;
    while (p != end && *p == '0')
        ++p;
    while (p != end && xisdigit(*p)) {
        ++exponent;
        ++p;
    }
    if (p != end && *p == '.') {
        ++p;
        if (exponent == 0) {
            while (p != end && *p == '0') {
                --exponent;
                ++p;
            }
        }
        while (p != end && xisdigit(*p))
            ++p;
    }
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negative = false;
        if (p != end && (*p == '+' || *p == '-'))
            negative = *p++ == '-';
        long long e = 0;
        while (p != end && xisdigit(*p) && e < 1000000000)
            e = e * 10 + (*p++ - '0');
        exponent += negative ? -e : e;
    }
    return exponent;
}

// Exact powers of ten as doubles.
constexpr double k_exact_powers_of_ten[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

template <typename F>
F text_to_floating(const std::string& text)
{
    switch (detail::float_special(text)) {
    case detail::e_float_special::nan:
        return static_cast<F>(0.0 / float_zero());
    case detail::e_float_special::infinity:
        return static_cast<F>(1.0 / float_zero());
    case detail::e_float_special::minus_infinity:
        return static_cast<F>(-1.0 / float_zero());
    case detail::e_float_special::none:
        break;
    }
    const char* p = text.data();
    const char* end = p + text.size();
    while (p != end && xisspace(*p))
        ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    if (p == end || *p == '+' || *p == '-')
        return F(0);
    F value = 0;
    if constexpr (std::is_same_v<F, double>) {
        if (to_plain_double(std::string_view(p, static_cast<std::size_t>(end - p)), &value))
            return negative ? -value : value;
    }
    const auto result = std::from_chars(p, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = magnitude_exponent(p, end) > 0 ? std::numeric_limits<F>::infinity() : F(0);
    else if (result.ec != std::errc())
        return F(0);
    return negative ? -value : value;
}

template <typename I>
I text_to_integer(const std::string& text)
{
    const char* p = text.data();
    const char* end = p + text.size();
    while (p != end && xisspace(*p))
        ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    // Parsed as a magnitude so that unsigned types see "-0" and the
    // most negative value parses without a special case.
    unsigned long long magnitude = 0;
    const auto result = std::from_chars(p, end, magnitude);
    if (result.ec == std::errc::invalid_argument)
        return I(0);
    const bool too_big = result.ec == std::errc::result_out_of_range;
    if (negative) {
        if constexpr (std::numeric_limits<I>::is_signed) {
            const auto limit = static_cast<unsigned long long>(std::numeric_limits<I>::max()) + 1;
            if (too_big || magnitude >= limit)
                return std::numeric_limits<I>::min();
            return static_cast<I>(-static_cast<I>(magnitude));
        } else {
            return I(0);
        }
    }
    if (too_big || magnitude > static_cast<unsigned long long>(std::numeric_limits<I>::max()))
        return std::numeric_limits<I>::max();
    return static_cast<I>(magnitude);
}

} // namespace

double float_zero()
{
    // volatile keeps the compiler from folding x / float_zero() at build time.
    volatile double zero = 0.0;
    return zero;
}

bool to_bool(std::string_view text)
{
    return text == "true" || text == "1";
}

// Most document numbers are short plain decimals ("0.4500", "380"). When the
// whole text is digits with at most one ".", its digits as an integer stay
// below 2^53 and at most 22 of them follow the ".", both the integer and the
// power of ten are exact doubles, so their quotient is the correctly rounded
// value that from_chars gives. False leaves the text to from_chars.
bool to_plain_double(std::string_view text, double* value)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '+' || *p == '-'))
        ++p;
    constexpr unsigned long long k_exact_limit = 1ULL << 53;
    // More than 19 digits may wrap the mantissa; such texts are refused below.
    unsigned long long mantissa = 0;
    const char* const first = p;
    for (; p != end && xisdigit(*p); ++p)
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    const bool has_point = p != end && *p == '.';
    ptrdiff_t fraction_digits = 0;
    if (has_point) {
        const char* const point = ++p;
        for (; p != end && xisdigit(*p); ++p)
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        fraction_digits = p - point;
    }
    const ptrdiff_t digits = (p - first) - (has_point ? 1 : 0);
    if (p != end || digits == 0 || digits > 19 || mantissa > k_exact_limit || fraction_digits > 22)
        return false;
    const double magnitude = static_cast<double>(mantissa) / k_exact_powers_of_ten[fraction_digits];
    *value = negative ? -magnitude : magnitude;
    return true;
}

double to_double(const std::string& text)
{
    return text_to_floating<double>(text);
}

float to_float(const std::string& text)
{
    return text_to_floating<float>(text);
}

int to_int(const std::string& text)
{
    return text_to_integer<int>(text);
}

unsigned int to_unsigned_int(const std::string& text)
{
    return text_to_integer<unsigned int>(text);
}

long long to_long_long(const std::string& text)
{
    return text_to_integer<long long>(text);
}

} // namespace lmx
