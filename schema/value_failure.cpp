#include <kyr/schema/value_failure.hpp>

#include <kyr/lmx/strings.hpp>

namespace kyr {
namespace schema {
namespace {

// Enumerations of the format run to dozens of values: the first few say what is meant.
constexpr int k_values_shown = 6;

std::string enumeration(const wchar_t* const* values)
{
    std::string out;
    int index = 0;
    for (; values[index] && index < k_values_shown; ++index)
        out += (index ? ", " : "") + lmx::convert_to_narrow(values[index]);
    if (values[index])
        out += ", ...";
    return out;
}

s_value_failure bound(const char* facet, bool exclusive, const char* type_bound, bool upper)
{
    const std::string limit = facet ? facet : type_bound ? type_bound : "";
    if (upper && exclusive && facet)
        return {"less than " + limit, "is not less than the exclusive maximum " + limit};
    if (upper)
        return {"at most " + limit, "is greater than the maximum " + limit};
    if (exclusive && facet)
        return {"greater than " + limit, "is not greater than the exclusive minimum " + limit};
    return {"at least " + limit, "is less than the minimum " + limit};
}

} // namespace

s_value_failure describe_value_failure(lmx::elmx_error code, const s_facets& facets, const char* kind,
                                       const char* const* type_bounds)
{
    switch (code) {
    case lmx::ELMX_VALUE_BAD_FORMAT:
        return {kind, std::string("is not ") + kind};
    case lmx::ELMX_VALUE_EXCEEDS_MAX:
        return bound(facets.max_text, facets.max_exclusive, type_bounds ? type_bounds[1] : nullptr, true);
    case lmx::ELMX_VALUE_EXCEEDS_MIN:
        return bound(facets.min_text, facets.min_exclusive, type_bounds ? type_bounds[0] : nullptr, false);
    case lmx::ELMX_LENGTH_TOO_LONG: {
        const std::string length = std::to_string(facets.max_length);
        return {"at most " + length + " characters", "is longer than " + length + " characters"};
    }
    case lmx::ELMX_LENGTH_TOO_SHORT: {
        const std::string length = std::to_string(facets.min_length);
        return {"at least " + length + " characters", "is shorter than " + length + " characters"};
    }
    case lmx::ELMX_NO_PATTERN_MATCHED:
        return {"text of the type's pattern", "does not match the type's pattern"};
    case lmx::ELMX_VALUE_NOT_ENUMERATED: {
        const std::string values = facets.values ? enumeration(facets.values) : std::string();
        return {"one of " + values, "is not one of " + values};
    }
    default:
        return {std::string(), "is refused"};
    }
}

} // namespace schema
} // namespace kyr
