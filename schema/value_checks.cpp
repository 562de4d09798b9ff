// Facet checks of the schema's simple values.
#include <kyr/schema/value_traits.hpp>

#include <cstdlib>

namespace kyr {
namespace schema {

const s_facets k_no_facets = {nullptr, 0.0, false, nullptr, 0.0, false, -1, -1, nullptr, nullptr, nullptr};

const char* const k_int_bounds[2] = {"-2147483648", "2147483647"};
const char* const k_unsigned_bounds[2] = {"0", "4294967295"};
const char* const k_unsigned_byte_bounds[2] = {"0", "255"};

lmx::elmx_error check_integer_text(const std::string& text, const char* type_min, const char* type_max,
                                   const s_facets& facets)
{
    const lmx::c_big_int value(text);
    if (value < type_min)
        return lmx::ELMX_VALUE_EXCEEDS_MIN;
    if (facets.min_text && (facets.min_exclusive ? value <= facets.min_text : value < facets.min_text))
        return lmx::ELMX_VALUE_EXCEEDS_MIN;
    if (value > type_max)
        return lmx::ELMX_VALUE_EXCEEDS_MAX;
    if (facets.max_text && (facets.max_exclusive ? value >= facets.max_text : value > facets.max_text))
        return lmx::ELMX_VALUE_EXCEEDS_MAX;
    return lmx::ELMX_OK;
}

long long integer_value(const std::string& text)
{
    return std::strtoll(text.c_str(), nullptr, 10);
}

lmx::elmx_error check_text_facets(std::string_view text, const s_facets& facets)
{
    if (facets.min_length >= 0 && !lmx::is_min_length_ok(text, static_cast<std::size_t>(facets.min_length)))
        return lmx::ELMX_LENGTH_TOO_SHORT;
    if (facets.max_length >= 0 && !lmx::is_max_length_ok(text, static_cast<std::size_t>(facets.max_length)))
        return lmx::ELMX_LENGTH_TOO_LONG;
    if (facets.pattern && !facets.pattern->is_match(text))
        return lmx::ELMX_NO_PATTERN_MATCHED;
    return lmx::ELMX_OK;
}

bool is_enumerated(const std::wstring& value, const wchar_t* const* values)
{
    return enum_index(value, values) != 0;
}

int enum_index(const std::wstring& value, const wchar_t* const* values)
{
    for (int index = 0; values[index]; ++index) {
        if (value == values[index])
            return index + 1;
    }
    return 0;
}

const wchar_t* enum_string(int index, const wchar_t* const* values)
{
    for (int i = 1; i <= index && values[i - 1]; ++i) {
        if (i == index)
            return values[i - 1];
    }
    return nullptr;
}

} // namespace schema
} // namespace kyr
