// What a value that failed its checks was expected to be, in a user's words: the
// diagnostics say "248.13 is greater than the maximum 150" rather than only the code.
#ifndef KYR_SCHEMA_VALUE_FAILURE_HPP
#define KYR_SCHEMA_VALUE_FAILURE_HPP

#include <kyr/lmx/error.hpp>
#include <kyr/schema/value_traits.hpp>

#include <string>

namespace kyr {
namespace schema {

struct s_value_failure
{
    std::string expected; // "at most 150"
    std::string clause;   // "is greater than the maximum 150", following the value
};

// `kind` names the type's lexical form ("a number"); `type_bounds` are an integer type's
// own limits (null for other types), which apply when the facets set none.
s_value_failure describe_value_failure(lmx::elmx_error code, const s_facets& facets, const char* kind,
                                       const char* const* type_bounds);

} // namespace schema
} // namespace kyr

#endif
