// Doubles and floats in the written text form.
#include <kyr/lmx/big_int.hpp>
#include <kyr/lmx/decimal.hpp>
#include <kyr/lmx/output.hpp>
#include <kyr/lmx/simple_types.hpp>
#include <kyr/lmx/xml_writer.hpp>

#include "decimal_comma_locale.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>

using namespace lmx;

namespace {

template <typename F>
std::string written(F value)
{
    std::ostringstream os;
    os << c_as_xml<F>(value);
    return os.str();
}

// The text of value rounded to 14 significant digits, general form, exponent
// padded to three digits: the form every double is written in, made the slow way.
std::string fourteen_digit_text(double value)
{
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 14);
    std::string text(buf, result.ptr);
    const std::size_t e = text.find('e');
    if (e != std::string::npos) {
        while (text.size() - (e + 2) < 3)
            text.insert(e + 2, 1, '0');
    }
    return text;
}

double from_text(const char* text)
{
    return std::strtod(text, nullptr);
}

} // namespace

TEST(DoubleOutput, SpecialValues)
{
    EXPECT_EQ("NaN", written(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ("NaN", written(std::numeric_limits<double>::signaling_NaN()));
    EXPECT_EQ("NaN", written(-std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ("INF", written(std::numeric_limits<double>::infinity()));
    EXPECT_EQ("-INF", written(-std::numeric_limits<double>::infinity()));
    EXPECT_EQ("0.0", written(0.0));
    EXPECT_EQ("-0.0", written(-0.0));
}

TEST(DoubleOutput, ShortestGeneralFormWithFourteenDigits)
{
    EXPECT_EQ("1", written(1.0));
    EXPECT_EQ("0.1", written(0.1));
    EXPECT_EQ("123.456", written(123.456));
    EXPECT_EQ("-2.5", written(-2.5));
    EXPECT_EQ("0.0001", written(0.0001));
    EXPECT_EQ("12345678901234", written(12345678901234.0));
    EXPECT_EQ("3.1415926535898", written(3.14159265358979));
    EXPECT_EQ("0.33333333333333", written(1.0 / 3));
    EXPECT_EQ("0.3", written(0.1 + 0.2));
}

TEST(DoubleOutput, ScientificWithThreeExponentDigits)
{
    EXPECT_EQ("1e+020", written(1e20));
    EXPECT_EQ("2.5e-007", written(2.5e-7));
    EXPECT_EQ("1e-005", written(0.00001));
    EXPECT_EQ("1.2345678901235e+014", written(123456789012346.0));
    EXPECT_EQ("1.2345678901234e+014", written(123456789012345.0)); // an exact tie rounds to even
    EXPECT_EQ("1e+100", written(1e100));
    EXPECT_EQ("-1.7976931348623e+308", written(-std::numeric_limits<double>::max()));
    EXPECT_EQ("2.2250738585072e-308", written(std::numeric_limits<double>::min()));
    EXPECT_EQ("4.9406564584125e-324", written(std::numeric_limits<double>::denorm_min()));
}

TEST(DoubleOutput, FixedFormAroundItsLimits)
{
    EXPECT_EQ("0.0001", written(from_text("1e-4")));
    EXPECT_EQ("-0.00012345678901234", written(from_text("-1.2345678901234e-4")));
    EXPECT_EQ("0.0001", written(std::nextafter(from_text("1e-4"), 0.0))); // rounds up to 1e-4
    EXPECT_EQ("0.00012345678901235", written(from_text("1.2345678901234567e-4")));
    EXPECT_EQ("99999999999999", written(99999999999999.0));
    EXPECT_EQ("1e+014", written(99999999999999.5)); // rounds up to 15 digits
    EXPECT_EQ("1e+014", written(1e14));
    EXPECT_EQ("10", written(std::nextafter(10.0, 0.0)));
    EXPECT_EQ("99999999999999", written(99999999999999.4));
    EXPECT_EQ("0.5938", written(0.5938));
    EXPECT_EQ("0.0704", written(0.0704));
    EXPECT_EQ("380", written(380.0));
    EXPECT_EQ("-60", written(-60.0));
    EXPECT_EQ("20.25", written(20.25));
    EXPECT_EQ("1000000", written(1e6));
    EXPECT_EQ("0.1000000000001", written(0.1000000000001));
    EXPECT_EQ("123456789.01234", written(123456789.01234));
}

// Short decimals of every size, random bit patterns and the neighbours of powers of ten,
// against the text made by rounding to 14 digits directly.
TEST(DoubleOutput, AgreesWithFourteenDigitRoundingEverywhere)
{
    std::mt19937_64 rng(20261205);
    // Zeros, infinities and NaN have texts of their own.
    const auto agrees = [](double value) {
        return std::isnan(value) || std::isinf(value) || value == 0
            || fourteen_digit_text(value) == written(value);
    };
    for (int i = 0; i < 40000; ++i) {
        const int digits = 1 + static_cast<int>(rng() % 16);
        const long long mantissa =
            static_cast<long long>(rng() % static_cast<std::uint64_t>(std::pow(10.0, digits)));
        char text[48];
        std::snprintf(text, sizeof text, "%s%lldE%d", (rng() & 1) ? "-" : "", mantissa,
                      static_cast<int>(rng() % 40) - 20);
        const double decimal = from_text(text);
        const std::uint64_t bits = rng();
        double random_bits;
        std::memcpy(&random_bits, &bits, sizeof random_bits);
        const double power = std::pow(10.0, static_cast<int>(rng() % 40) - 20);
        const double binary =
            std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 100) - 70);
        for (double value :
             {decimal, random_bits, power, std::nextafter(power, 0.0), std::nextafter(power, 1e300), binary})
            ASSERT_TRUE(agrees(value)) << std::hexfloat << value << " written " << written(value);
    }
}

TEST(NumberOutput, IntegersAndOtherValues)
{
    std::ostringstream os;
    os << c_as_xml<int>(-2147483647 - 1) << ' ' << c_as_xml<unsigned int>(4294967295u) << ' '
       << c_as_xml<long long>(1234567890123LL);
    EXPECT_EQ("-2147483648 4294967295 1234567890123", os.str());
}

TEST(NumberOutput, WriterStreamIgnoresADecimalCommaLocale)
{
    KYR_REQUIRE_DECIMAL_COMMA_LOCALE(locale);
    std::ostringstream os; // takes the global locale
    {
        std::ostringstream probe;
        probe << 1.5 << ' ' << 1234567;
        ASSERT_EQ("1,5 1.234.567", probe.str());
    }
    c_xml_writer writer(os, "\t", "\n");
    writer(false) << c_as_xml(1.5) << ' ' << c_as_xml(2.5e-7) << ' ' << c_as_xml(0.25f) << ' ' << 1234567
                  << ' ' << 0.5 << ' ' << c_as_xml(1234567);
    EXPECT_EQ("1.5 2.5e-007 0.25 1234567 0.5 1234567", os.str());
}
