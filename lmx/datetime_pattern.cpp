// The date-time stamp pattern, compiled once when the library is loaded.
#include <kyr/lmx/datetime_pattern.hpp>

#include <cstdint>
#include <cstring>

namespace lmx {

namespace {

// Whether every byte is printable ASCII, eight at a time: a byte below " " or above "~"
// sets the top bit of its lane, and a borrow or carry only spoils the lanes after it.
bool is_printable_ascii(std::string_view text)
{
    constexpr std::uint64_t k_ones = 0x0101010101010101u;
    constexpr std::uint64_t k_tops = 0x8080808080808080u;
    std::size_t i = 0;
    for (std::uint64_t x; text.size() - i >= 8; i += 8) {
        std::memcpy(&x, text.data() + i, sizeof x);
        if ((((x - k_ones * 0x20) & ~x) | (x + k_ones) | x) & k_tops)
            return false;
    }
    for (; i < text.size(); ++i)
        if (text[i] < 0x20 || text[i] > 0x7e)
            return false;
    return true;
}

// ".+T.+(Z|[+\-].+)" decided without the engine for printable ASCII, where "."
// stands for any character. A match needs a "T" after the first character,
// then at least one character, then either a final "Z" or a sign with at least
// one character after it. The first such "T" leaves the most room, so it is
// the only one to try.
int stamp_quick_check(std::string_view value)
{
    if (!is_printable_ascii(value))
        return -1;
    const size_t n = value.size();
    const size_t t = value.find('T', 1);
    if (t == std::string_view::npos || n < t + 3)
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
