// How each simple value type of the schema is read, checked and written.
//
// Generated code describes a member's facets with one constant s_facets and
// calls parse_value (reading) or check_value (setters); both report the first
// failing check in the order lexical form, minimum, maximum, length, pattern,
// enumeration.
#ifndef KYR_SCHEMA_VALUE_TRAITS_HPP
#define KYR_SCHEMA_VALUE_TRAITS_HPP

#include <kyr/export.hpp>

#include <kyr/lmx/big_int.hpp>
#include <kyr/lmx/binary.hpp>
#include <kyr/lmx/datetime.hpp>
#include <kyr/lmx/error.hpp>
#include <kyr/lmx/output.hpp>
#include <kyr/lmx/pattern.hpp>
#include <kyr/lmx/simple_types.hpp>
#include <kyr/lmx/strings.hpp>
#include <kyr/lmx/whitespace.hpp>
#include <kyr/lmx/xml_writer.hpp>

#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

namespace kyr {
namespace schema {

// The facets of one member. Bounds are kept as written (integers are compared
// as text, exactly) and as doubles; a null text means no bound.
struct KYR_API s_facets
{
    const char* min_text;
    double min;
    bool min_exclusive;
    const char* max_text;
    double max;
    bool max_exclusive;
    long min_length;                // -1: none
    long max_length;                // -1: none
    const lmx::c_pattern* pattern;  // null: none
    const wchar_t* const* values;   // enumeration ending with null; null: none
    const std::wstring* (*texts)(); // the same as strings, made on first use; null: none
};

extern KYR_API const s_facets k_no_facets;

// Integers are range-checked on their text against the type's own bounds
// and the facets before they are converted.
KYR_API lmx::elmx_error check_integer_text(const std::string& text, const char* type_min,
                                           const char* type_max, const s_facets& facets);
// Written so that a NaN fails the minimum (compares false with everything).
inline lmx::elmx_error check_double_range(double value, const s_facets& facets)
{
    if (facets.min_text && !(facets.min_exclusive ? value > facets.min : value >= facets.min))
        return lmx::ELMX_VALUE_EXCEEDS_MIN;
    if (facets.max_text && (facets.max_exclusive ? value >= facets.max : value > facets.max))
        return lmx::ELMX_VALUE_EXCEEDS_MAX;
    return lmx::ELMX_OK;
}
KYR_API lmx::elmx_error check_text_facets(std::string_view text, const s_facets& facets);
// Whether the facets look at the text itself (a length or a pattern); most have none.
inline bool checks_text(const s_facets& facets)
{
    return facets.min_length >= 0 || facets.max_length >= 0 || facets.pattern;
}
KYR_API bool is_enumerated(const std::wstring& value, const wchar_t* const* values);
// Converts an integer text that passed check_integer_text.
KYR_API long long integer_value(const std::string& text);

template <typename T>
struct value_traits;

template <>
struct value_traits<std::wstring>
{
    static constexpr lmx::elmx_whitespace whitespace = lmx::ELMX_WHITESPACE_PRESERVE;
    static bool is_lexical(std::string_view) { return true; }
    static lmx::elmx_error check_text(std::string_view, const s_facets&) { return lmx::ELMX_OK; }
    static void convert(std::string_view text, std::wstring* value) { lmx::convert_whole(value, text); }
    static lmx::elmx_error check_range(const std::wstring&, const s_facets&) { return lmx::ELMX_OK; }
    static std::string text_of(const std::wstring& value) { return lmx::convert_to_narrow(value); }
    static void write(lmx::c_xml_writer& writer, const std::wstring& value)
    {
        lmx::write_escaped(writer, value);
    }
};

template <>
struct value_traits<double>
{
    static constexpr lmx::elmx_whitespace whitespace = lmx::ELMX_WHITESPACE_COLLAPSE;
    // Only texts other than plain decimals get here (parse_value).
    static bool is_lexical(std::string_view text) { return lmx::is_valid_float(std::string(text)); }
    static lmx::elmx_error check_text(std::string_view, const s_facets&) { return lmx::ELMX_OK; }
    static void convert(std::string_view text, double* value) { *value = lmx::to_double(std::string(text)); }
    static lmx::elmx_error check_range(double value, const s_facets& facets)
    {
        return check_double_range(value, facets);
    }
    static std::string text_of(double) { return std::string(); }
    static void write(lmx::c_xml_writer& writer, double value) { lmx::write_double(writer, value); }
};

// The integer types share everything but their bounds.
template <typename T, const char* const* Bounds>
struct integer_traits
{
    static constexpr lmx::elmx_whitespace whitespace = lmx::ELMX_WHITESPACE_COLLAPSE;
    static bool is_lexical(std::string_view text) { return lmx::is_valid_integer(std::string(text)); }
    static lmx::elmx_error check_text(std::string_view text, const s_facets& facets)
    {
        return check_integer_text(std::string(text), Bounds[0], Bounds[1], facets);
    }
    static void convert(std::string_view text, T* value)
    {
        *value = static_cast<T>(integer_value(std::string(text)));
    }
    static lmx::elmx_error check_range(T value, const s_facets& facets)
    {
        return check_double_range(static_cast<double>(value), facets);
    }
    static std::string text_of(T) { return std::string(); }
    static void write(lmx::c_xml_writer& writer, T value)
    {
        lmx::write_integer(writer, static_cast<long long>(value));
    }
};

extern KYR_API const char* const k_int_bounds[2];
extern KYR_API const char* const k_unsigned_bounds[2];
extern KYR_API const char* const k_unsigned_byte_bounds[2];

template <>
struct value_traits<int> : integer_traits<int, k_int_bounds>
{
};
template <>
struct value_traits<unsigned int> : integer_traits<unsigned int, k_unsigned_bounds>
{
};
template <>
struct value_traits<unsigned char> : integer_traits<unsigned char, k_unsigned_byte_bounds>
{
};

template <>
struct value_traits<bool>
{
    static constexpr lmx::elmx_whitespace whitespace = lmx::ELMX_WHITESPACE_COLLAPSE;
    static bool is_lexical(std::string_view text) { return lmx::is_valid_bool(text); }
    static lmx::elmx_error check_text(std::string_view, const s_facets&) { return lmx::ELMX_OK; }
    static void convert(std::string_view text, bool* value) { *value = lmx::to_bool(text); }
    static lmx::elmx_error check_range(bool, const s_facets&) { return lmx::ELMX_OK; }
    static std::string text_of(bool) { return std::string(); }
    static void write(lmx::c_xml_writer& writer, bool value) { lmx::write_bool(writer, value); }
};

template <>
struct value_traits<lmx::c_datetime>
{
    static constexpr lmx::elmx_whitespace whitespace = lmx::ELMX_WHITESPACE_COLLAPSE;
    static bool is_lexical(std::string_view text) { return lmx::c_datetime::is_valid(std::string(text)); }
    static lmx::elmx_error check_text(std::string_view, const s_facets&) { return lmx::ELMX_OK; }
    static void convert(std::string_view text, lmx::c_datetime* value) { value->read(text); }
    static lmx::elmx_error check_range(const lmx::c_datetime&, const s_facets&) { return lmx::ELMX_OK; }
    static std::string text_of(const lmx::c_datetime& value) { return value.get_as_string(); }
    static void write(lmx::c_xml_writer& writer, const lmx::c_datetime& value)
    {
        value.write_form(writer, lmx::c_datetime::form);
    }
};

template <>
struct value_traits<lmx::c_binary>
{
    static constexpr lmx::elmx_whitespace whitespace = lmx::ELMX_WHITESPACE_COLLAPSE;
    static bool is_lexical(std::string_view text)
    {
        return lmx::c_binary::is_valid_base64(std::string(text));
    }
    static lmx::elmx_error check_text(std::string_view, const s_facets&) { return lmx::ELMX_OK; }
    static void convert(std::string_view text, lmx::c_binary* value)
    {
        value->from_base64(std::string(text));
    }
    static lmx::elmx_error check_range(const lmx::c_binary&, const s_facets&) { return lmx::ELMX_OK; }
    static std::string text_of(const lmx::c_binary&) { return std::string(); }
    static void write(lmx::c_xml_writer& writer, const lmx::c_binary& value)
    {
        value.out_base64(writer.get_stream());
    }
};

// Checks a text read from a document and converts it into *value. The value
// is stored whenever its lexical form (and, for integers, its range) allows a
// conversion, even when a later check fails.
template <typename T>
lmx::elmx_error parse_value(std::string_view text, T* value, const s_facets& facets)
{
    using traits = value_traits<T>;
    lmx::elmx_error code = lmx::ELMX_OK;
    // Plain decimals and date-times are checked and converted in one pass; anything else
    // takes both steps.
    bool converted = false;
    if constexpr (std::is_same_v<T, double>)
        converted = lmx::to_plain_double(text, value);
    if constexpr (std::is_same_v<T, lmx::c_datetime>) {
        if (!value->read(text))
            return lmx::ELMX_VALUE_BAD_FORMAT;
        converted = true;
    }
    if (!converted) {
        if (!traits::is_lexical(text))
            return lmx::ELMX_VALUE_BAD_FORMAT;
        if ((code = traits::check_text(text, facets)) != lmx::ELMX_OK)
            return code;
        traits::convert(text, value);
    }
    if ((code = traits::check_range(*value, facets)) != lmx::ELMX_OK)
        return code;
    if (checks_text(facets) && (code = check_text_facets(text, facets)) != lmx::ELMX_OK)
        return code;
    if constexpr (std::is_same_v<T, std::wstring>) {
        if (facets.values && !is_enumerated(*value, facets.values))
            return lmx::ELMX_VALUE_NOT_ENUMERATED;
    }
    return lmx::ELMX_OK;
}

// The check of a setter: range, length, pattern, enumeration.
template <typename T>
lmx::elmx_error check_value(const T& value, const s_facets& facets)
{
    using traits = value_traits<T>;
    lmx::elmx_error code = traits::check_range(value, facets);
    if (code != lmx::ELMX_OK)
        return code;
    if (facets.min_length >= 0 || facets.max_length >= 0 || facets.pattern) {
        if ((code = check_text_facets(traits::text_of(value), facets)) != lmx::ELMX_OK)
            return code;
    }
    if constexpr (std::is_same_v<T, std::wstring>) {
        if (facets.values && !is_enumerated(value, facets.values))
            return lmx::ELMX_VALUE_NOT_ENUMERATED;
    }
    return lmx::ELMX_OK;
}

// Number (from 1) of value in the enumeration, 0 when it is none of them.
KYR_API int enum_index(const std::wstring& value, const wchar_t* const* values);
// The string of number index (from 1), or null when there is none.
KYR_API const wchar_t* enum_string(int index, const wchar_t* const* values);

} // namespace schema
} // namespace kyr

#endif
