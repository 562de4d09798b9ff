// Output of numbers in the library's fixed text form.
#include <kyr/lmx/output.hpp>
#include <kyr/lmx/xml_writer.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

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
    char* digits = e + 2; // past "e" and its sign
    const auto count = static_cast<int>(end - digits);
    if (count >= k_exponent_digits)
        return end;
    const int pad = k_exponent_digits - count;
    std::memmove(digits + pad, digits, static_cast<std::size_t>(count));
    std::memset(digits, '0', static_cast<std::size_t>(pad));
    return end + pad;
}

// Writes the text %.14g gives through the shortest round-trip digits, found much faster than
// a fixed precision: when they are 14 or fewer, rounding the exact value to 14 digits gives
// those same digits, because a double lies nearer to them than half a unit in the 14th digit.
// Null when there are more, or for a subnormal value (fewer bits than that), for the
// precision path to handle.
char* format_double_from_shortest(char* buf, double value)
{
    if (std::fabs(value) < std::numeric_limits<double>::min())
        return nullptr;
    char sci[32];
    const auto result = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific);
    const char* p = sci;
    char* out = buf;
    if (*p == '-')
        *out++ = *p++;
    char digits[24];
    int count = 0;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits[count++] = *p;
    if (count > k_double_precision)
        return nullptr;
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), result.ptr, exponent);
    if (exponent < -4 || exponent >= k_double_precision) {
        const std::size_t n = static_cast<std::size_t>(result.ptr - p);
        out = std::copy(digits, digits + 1, out);
        if (count > 1) {
            *out++ = '.';
            out = std::copy(digits + 1, digits + count, out);
        }
        std::memcpy(out, p, n);
        return widen_exponent(buf, out + n);
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -exponent - 1, '0');
        return std::copy(digits, digits + count, out);
    }
    const int whole = exponent + 1;
    if (count <= whole)
        return std::fill_n(std::copy(digits, digits + count, out), whole - count, '0');
    out = std::copy(digits, digits + whole, out);
    *out++ = '.';
    return std::copy(digits + whole, digits + count, out);
}

// Exact powers of ten for scaling: every one up to 1e22 is a double.
constexpr double k_powers_of_ten[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                      1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
constexpr double k_scaled_limit = 1e14; // 10 to the precision
constexpr std::uint64_t k_scaled_digits_limit = 100000000000000;

// floor(log10(2^exponent)) for exponents of either sign.
int decimal_exponent_of_power_of_two(int exponent)
{
    // 1233 / 4096 is log10(2) to within 1e-5; the bias keeps the division on positive numbers.
    constexpr int bias = 100;
    return (exponent * 1233 + bias * 4096) / 4096 - bias;
}

// Divides a fixed-point number by 10^count when it has that many trailing zeros among its
// fraction digits (scale of them).
template <std::uint32_t Divisor, int Count, typename U>
void drop_fraction_zeros(U* digits, int* scale)
{
    if (*scale >= Count && *digits % Divisor == 0) {
        *digits /= Divisor;
        *scale -= Count;
    }
}

// The same for up to 4 + 2 + 1 zeros.
template <typename U>
void drop_few_fraction_zeros(U* digits, int* scale)
{
    drop_fraction_zeros<10000, 4>(digits, scale);
    drop_fraction_zeros<100, 2>(digits, scale);
    drop_fraction_zeros<10, 1>(digits, scale);
}

// Two chars for each number below 100.
constexpr char k_digit_pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the decimal digits of value so that they end at end; returns their first char.
char* put_digits_backwards(char* end, std::uint64_t value)
{
    while (value >= 100) {
        end -= 2;
        std::memcpy(end, k_digit_pairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (value >= 10) {
        end -= 2;
        std::memcpy(end, k_digit_pairs + 2 * value, 2);
        return end;
    }
    *--end = static_cast<char>('0' + value);
    return end;
}

// The fixed-size pieces the formatted digits are copied in (a fixed size compiles to a few
// moves): one holds the 14 digits, or a fraction's 17 with its leading zeros. Each piece
// read stays within the scratch buffer, and each written within the output's room.
constexpr std::size_t k_piece = 16;
constexpr std::size_t k_scratch_half = 32;
static_assert(k_piece + 2 <= k_scratch_half, "pieces read within the scratch buffer");
static_assert(1 + 2 + k_piece + 2 <= k_float_text_capacity, "a fraction's piece fits the output");
static_assert(1 + 14 + 1 + k_piece <= k_float_text_capacity, "integer and fraction pieces fit the output");

// Writes the text of the common value, fixed notation with 14 or fewer significant digits
// (from 1e-4 up to 1e14), without generating digits one by one: scaled by the power of ten
// that puts 14 digits before the point, the value rounds to an integer, and when that
// integer divided by the same power gives the value back exactly, its digits are the ones
// %.14g writes (two decimals of 14 digits are too far apart to read back as the same
// double). Null for every other value.
char* format_double_scaled(char* buf, double value)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < k_scaled_limit))
        return nullptr;
    char* out = buf;
    *out = '-';
    out += value < 0 ? 1 : 0;
    // Whole numbers (wavelengths, counts, many coordinates) are their own digits.
    const auto whole_number = static_cast<std::uint64_t>(magnitude);
    if (static_cast<double>(whole_number) == magnitude)
        return std::to_chars(out, buf + k_float_text_capacity, whole_number).ptr;
    std::uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int binary_exponent = static_cast<int>(bits >> 52) - 1023;
    // floor(log10(magnitude)) is this exponent or the next one.
    int scale = k_double_precision - 1 - decimal_exponent_of_power_of_two(binary_exponent);
    double scaled = magnitude * k_powers_of_ten[scale];
    if (scaled >= k_scaled_limit)
        scaled = magnitude * k_powers_of_ten[--scale];
    // The scaled value is below 2^47, so adding one half is exact and truncation rounds.
    auto digits = static_cast<std::uint64_t>(scaled + 0.5);
    if (digits >= k_scaled_digits_limit || static_cast<double>(digits) / k_powers_of_ten[scale] != magnitude)
        return nullptr;

    // Trailing zeros of the fraction are not written: they leave the integer before its
    // digits are made, up to 8 + 4 + 2 + 1 of them.
    drop_fraction_zeros<100000000, 8>(&digits, &scale);
    if (digits <= std::numeric_limits<std::uint32_t>::max()) {
        // Short decimals, the common case, go on in cheaper 32-bit arithmetic.
        auto narrow = static_cast<std::uint32_t>(digits);
        drop_few_fraction_zeros(&narrow, &scale);
        digits = narrow;
    } else {
        drop_few_fraction_zeros(&digits, &scale);
    }
    // The digits, at most 14, end in the middle of a scratch buffer of zeros, which the
    // fixed-size pieces below read around them.
    char scratch[2 * k_scratch_half];
    std::memset(scratch, '0', sizeof scratch);
    char* const digits_end = scratch + k_scratch_half;
    const char* const first = put_digits_backwards(digits_end, digits);
    const int count = static_cast<int>(digits_end - first);
    if (count > scale) {
        // Integer digits, then the fraction after a point.
        const int whole = count - scale;
        std::memcpy(out, first, k_piece);
        out += whole;
        if (scale == 0)
            return out;
        *out++ = '.';
        std::memcpy(out, first + whole, k_piece);
        return out + scale;
    }
    // A fraction alone: "0." and its digits, leading zeros included, from the padding.
    std::memcpy(out, "0.", 2);
    std::memcpy(out + 2, digits_end - scale, k_piece + 2);
    return out + 2 + scale;
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
    const auto result =
        std::to_chars(buf, buf + k_float_text_capacity - 2, value, std::chars_format::general, precision);
    return static_cast<std::size_t>(widen_exponent(buf, result.ptr) - buf);
}

} // namespace

std::size_t format_double(char* buf, double value)
{
    if (const char* end = format_double_scaled(buf, value))
        return static_cast<std::size_t>(end - buf);
    if (special_text(value) == nullptr)
        if (const char* end = format_double_from_shortest(buf, value))
            return static_cast<std::size_t>(end - buf);
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

void write_double(c_xml_writer& writer, double value)
{
    char* p = writer.reserve(k_float_text_capacity);
    writer.commit(p + format_double(p, value));
}

void write_integer(c_xml_writer& writer, long long value)
{
    constexpr std::size_t k_room = 24;
    char* p = writer.reserve(k_room);
    writer.commit(std::to_chars(p, p + k_room, value).ptr);
}

} // namespace lmx
