// Build options of the runtime, fixed for this library and reported as-is to
// managed callers.
#ifndef KYR_LMX_BUILD_CONSTANTS_HPP
#define KYR_LMX_BUILD_CONSTANTS_HPP

namespace lmx {

// Text-to-floating conversion modes. Only the default one exists; the other
// values are names kept for callers that query them.
constexpr int LMX_ATOFLOAT_MODE_DEFAULT = 0;
constexpr int LMX_ATOFLOAT_MODE_USE_FACET = 1;
constexpr int LMX_ATOFLOAT_MODE_IOSTREAM = 2;
constexpr int LMX_ATOFLOAT_MODE_SIMPLE = 3;
constexpr int LMX_ATOFLOAT_MODE = LMX_ATOFLOAT_MODE_DEFAULT;

// c_decimal can be built from and set to a double.
constexpr int LMX_WANT_DECIMAL_FLOAT_SET = 1;
// Schema strings are std::wstring holding UTF-16.
constexpr int LMX_NARROW_UNICODE_STRINGS = 0;
// Pattern facets are checked.
constexpr int LMX_VALIDATE_PATTERNS = 1;

} // namespace lmx

#endif
