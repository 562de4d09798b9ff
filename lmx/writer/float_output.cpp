// Output of doubles and floats in the library's fixed text form.
#include <kyr/lmx/output.hpp>

#include <charconv>
#include <cmath>
#include <cstring>

namespace lmx {

namespace {

constexpr int k_double_precision = 14;
constexpr int k_float_precision = 7;
// Exponents are written with at least this many digits: 1e+020, 2.5e-007.
constexpr int k_exponent_digits = 3;

// Text of the values that have no digits of their own; null for the rest.
const char* special_text(double value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return std::signbit(value) ? "-0.0" : "0.0";
    return nullptr;
}

// Pads the exponent of general-form text [buf, end) to three digits.
char* widen_exponent(char* buf, char* end)
{
    char* e = static_cast<char*>(std::memchr(buf, 'e', static_cast<std::size_t>(end - buf)));
    if (e == nullptr)
        return end;
    char* digits = e + 2;  // past "e" and its sign
    const auto count = static_cast<int>(end - digits);
    if (count >= k_exponent_digits)
        return end;
    const int pad = k_exponent_digits - count;
    std::memmove(digits + pad, digits, static_cast<std::size_t>(count));
    std::memset(digits, '0', static_cast<std::size_t>(pad));
    return end + pad;
}

template <typename F>
std::size_t format_floating(char* buf, F value, int precision)
{
    if (const char* text = special_text(value)) {
        const std::size_t n = std::strlen(text);
        std::memcpy(buf, text, n);
        return n;
    }
    // Room is left for the exponent padding.
    const auto result = std::to_chars(buf, buf + k_float_text_capacity - 2, value, std::chars_format::general, precision);
    return static_cast<std::size_t>(widen_exponent(buf, result.ptr) - buf);
}

} // namespace

std::size_t format_double(char* buf, double value)
{
    return format_floating(buf, value, k_double_precision);
}

std::size_t format_float(char* buf, float value)
{
    return format_floating(buf, value, k_float_precision);
}

std::ostream& operator<<(std::ostream& os, const c_as_xml<double>& v)
{
    char buf[k_float_text_capacity];
    return os.write(buf, static_cast<std::streamsize>(format_double(buf, v.value())));
}

std::ostream& operator<<(std::ostream& os, const c_as_xml<float>& v)
{
    char buf[k_float_text_capacity];
    return os.write(buf, static_cast<std::streamsize>(format_float(buf, v.value())));
}

} // namespace lmx
