// The pattern facet of the schema's date-time stamps.
#ifndef KYR_LMX_DATETIME_PATTERN_HPP
#define KYR_LMX_DATETIME_PATTERN_HPP

#include <kyr/export.hpp>

#include <kyr/lmx/pattern.hpp>

namespace lmx {

// ".+T.+(Z|[+\-].+)": a stamp must carry a time zone, "Z" or a signed offset.
// Compiled when the library is loaded; checked after c_datetime::is_valid.
extern KYR_API const c_pattern datetime_stamp_pattern;

} // namespace lmx

#endif
