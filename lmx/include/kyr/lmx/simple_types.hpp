// Lexical checks, facet helpers and text conversions of the schema's numeric,
// boolean and string simple types.
//
// Every function takes UTF-8 text exactly as the reader delivered it (the
// white-space mode of the type already applied): nothing here skips blanks,
// reads past the end of its argument, throws, or depends on the process
// locale; "." is the only decimal separator.
#ifndef KYR_LMX_SIMPLE_TYPES_HPP
#define KYR_LMX_SIMPLE_TYPES_HPP

#include <kyr/export.hpp>

#include <kyr/lmx/build_constants.hpp>

#include <cstddef>
#include <string>
#include <string_view>

namespace lmx {

// Lexical forms.
KYR_API bool is_valid_bool(std::string_view text);      // "true", "false", "1", "0"
KYR_API bool is_valid_integer(const std::string& text); // [+-]?[0-9]+
// "INF", "-INF", "NaN", or [+-]?(d+(.d*)?|.d+)([eE][+-]?d+)?
KYR_API bool is_valid_float(const std::string& text);

// Facets.
KYR_API std::size_t total_digits(const std::string& text);    // ASCII digits anywhere
KYR_API std::size_t fraction_digits(const std::string& text); // ASCII digits after the first "."
// Number of characters of UTF-8 text; a surrogate pair written as two
// three-byte sequences counts as one. Counting stops at an invalid lead byte
// (which itself counts as one).
KYR_API std::size_t length(std::string_view text);
// Length facets; decided from the byte length alone when it settles the
// answer (a character takes one to four bytes), so that long texts are not
// counted.
KYR_API bool is_min_length_ok(std::string_view text, std::size_t min_length);
KYR_API bool is_max_length_ok(std::string_view text, std::size_t max_length);

// Returns 0.0 from a place the compiler cannot see through, so that 0/zero,
// 1/zero and -1/zero give NaN and the infinities at run time.
KYR_API double float_zero();

// Text to value conversions, applied after the lexical and range checks.
// Texts outside a type's lexical form give the value of their longest valid
// prefix, or 0 (false) when there is none.
KYR_API bool to_bool(std::string_view text); // "true" and "1" are true
// "NaN", "INF" and "-INF" give the special values; anything else is read with
// "." as decimal separator, rounded correctly; a magnitude too large for the
// type gives an infinity and one too small a zero of the right sign.
KYR_API double to_double(const std::string& text);
// The common case of both is_valid_float and to_double in one pass: true, and the value,
// when `text` is an optional sign and digits with at most one "." (the value is exactly
// to_double's); false leaves the text to them.
KYR_API bool to_plain_double(std::string_view text, double* value);
KYR_API float to_float(const std::string& text);
// Decimal integers with an optional sign; out-of-range texts saturate at the
// type's limits.
KYR_API int to_int(const std::string& text);
KYR_API unsigned int to_unsigned_int(const std::string& text);
KYR_API long long to_long_long(const std::string& text);

} // namespace lmx

#endif
