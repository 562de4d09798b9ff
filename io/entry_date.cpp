#include "entry_date.hpp"

#include <cerrno>
#include <cstdlib>

namespace kyr::io {

s_entry_date container_entry_date()
{
    if (const char* fixed = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        errno = 0;
        const long long seconds = std::strtoll(fixed, &end, 10);
        if (end != fixed && *end == '\0' && errno == 0 && seconds >= 0)
            return {static_cast<std::time_t>(seconds), entry_clock::utc};
    }
    return {std::time(nullptr), entry_clock::local};
}

} // namespace kyr::io
