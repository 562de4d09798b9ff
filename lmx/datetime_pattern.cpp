// The date-time stamp pattern, compiled once when the library is loaded.
#include <kyr/lmx/datetime_pattern.hpp>

namespace lmx {

const c_pattern datetime_stamp_pattern(".+T.+(Z|[+\\-].+)");

} // namespace lmx
