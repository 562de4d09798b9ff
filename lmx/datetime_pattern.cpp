// The date-time stamp pattern, compiled once when the library is loaded.
#include <kyr/lmx/datetime_pattern.hpp>

namespace lmx {

namespace {

// ".+T.+(Z|[+\-].+)" decided without the engine for printable ASCII, where "."
// stands for any character. A match needs a "T" after the first character,
// then at least one character, then either a final "Z" or a sign with at least
// one character after it. The first such "T" leaves the most room, so it is
// the only one to try.
int stamp_quick_check(const std::string& value)
{
    for (const char c : value)
        if (c < 0x20 || c > 0x7e)
            return -1;
    const size_t n = value.size();
    const size_t t = value.find('T', 1);
    if (t == std::string::npos || n < t + 3)
        return 0;
    if (value[n - 1] == 'Z')
        return 1;
    for (size_t sign = t + 2; sign + 1 < n; ++sign)
        if (value[sign] == '+' || value[sign] == '-')
            return 1;
    return 0;
}

} // namespace

const c_pattern datetime_stamp_pattern(".+T.+(Z|[+\\-].+)", stamp_quick_check);

} // namespace lmx
