// Output wrappers: written with << to a stream, they put a value into XML text
// in the library's exact forms.
//
//   writer(false) << lmx::c_as_xml(name);       // escaped UTF-8 text
//   writer(false) << lmx::c_as_xml(1e20);       // 1e+020
//
// Each wrapper holds a reference to the value and must be used within the
// expression that made it. The write_* functions below put the same texts into
// a writer's buffered output, the path of the generated classes:
//
//   lmx::write_escaped(writer, name);
//
// Wide strings hold UTF-16 units (see strings.hpp): a surrogate pair becomes
// one four-byte UTF-8 sequence; a single element above FFFF (possible where
// wchar_t has 32 bits) is encoded directly, and one above 10FFFF as U+FFFD.
// A high surrogate not followed by a low one ends the value's output there,
// silently; a lone low surrogate is encoded like any other code point.
#ifndef KYR_LMX_OUTPUT_HPP
#define KYR_LMX_OUTPUT_HPP

#include <kyr/export.hpp>

#include <charconv>
#include <cstddef>
#include <ostream>
#include <string>
#include <type_traits>

namespace lmx {

class c_xml_writer;

template <typename T>
class c_as_xml
{
public:
    explicit c_as_xml(const T& value) : m_value(value) {}
    const T& value() const { return m_value; }

private:
    const T& m_value;
};

// The bytes of a UTF-8 narrow string, escaped as c_as_xml does.
template <typename T>
class c_as_escaped
{
public:
    explicit c_as_escaped(const T& value) : m_value(value) {}
    const T& value() const { return m_value; }

private:
    const T& m_value;
};

// UTF-16 units below 128 as themselves, every other unit as "."; no escaping.
template <typename T>
class c_as_ascii
{
public:
    explicit c_as_ascii(const T& value) : m_value(value) {}
    const T& value() const { return m_value; }

private:
    const T& m_value;
};

// A boolean as "1" or "0".
template <typename T>
class c_as_bool_digit
{
public:
    explicit c_as_bool_digit(const T& value) : m_value(value) {}
    const T& value() const { return m_value; }

private:
    const T& m_value;
};

// Text: UTF-8 with &quot; &apos; &amp; &lt; for the four characters that
// need it; ">" and every control character are written unchanged.
KYR_API std::ostream& operator<<(std::ostream& os, const c_as_xml<std::wstring>& v);
KYR_API std::ostream& operator<<(std::ostream& os, const c_as_xml<std::string>& v);
KYR_API std::ostream& operator<<(std::ostream& os, const c_as_escaped<std::string>& v);
KYR_API std::ostream& operator<<(std::ostream& os, const c_as_ascii<std::wstring>& v);

// "true"/"false" and "1"/"0".
KYR_API std::ostream& operator<<(std::ostream& os, const c_as_xml<bool>& v);
KYR_API std::ostream& operator<<(std::ostream& os, const c_as_bool_digit<bool>& v);

// "NaN", "INF", "-INF", "0.0", "-0.0"; otherwise the shortest general form
// with 14 (double) or 7 (float) significant digits and a three-digit
// exponent: 1, 0.1, 123.456, 1e+020, 2.5e-007.
KYR_API std::ostream& operator<<(std::ostream& os, const c_as_xml<double>& v);
KYR_API std::ostream& operator<<(std::ostream& os, const c_as_xml<float>& v);

// Formats into buf the text written for value; returns the number of chars.
// buf needs k_float_text_capacity chars.
constexpr std::size_t k_float_text_capacity = 32;
KYR_API std::size_t format_double(char* buf, double value);
KYR_API std::size_t format_float(char* buf, float value);

// The texts of c_as_xml<std::wstring>, c_as_xml<double>, c_as_xml of an
// integer and c_as_xml<bool>, into the writer's buffered output.
KYR_API void write_escaped(c_xml_writer& writer, const std::wstring& text);
KYR_API void write_double(c_xml_writer& writer, double value);
KYR_API void write_integer(c_xml_writer& writer, long long value);
KYR_API void write_bool(c_xml_writer& writer, bool value);

// Any other value: integers in plain decimal, everything else through its own
// stream output (c_big_int, c_decimal and the date and time classes).
template <typename T>
std::ostream& operator<<(std::ostream& os, const c_as_xml<T>& v)
{
    if constexpr (std::is_integral_v<T>) {
        char buf[24];
        const auto result = std::to_chars(buf, buf + sizeof buf, v.value());
        return os.write(buf, result.ptr - buf);
    } else {
        return os << v.value();
    }
}

} // namespace lmx

#endif
