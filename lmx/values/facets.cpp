// Digit-count and length facets.
#include <kyr/lmx/simple_types.hpp>

#include <kyr/lmx/char_tests.hpp>

#include "utf8_encode.hpp"

#include <algorithm>

namespace lmx {

std::size_t total_digits(const std::string& text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return xisdigit(c); }));
}

std::size_t fraction_digits(const std::string& text)
{
    const std::size_t point = text.find('.');
    if (point == std::string::npos)
        return 0;
    return static_cast<std::size_t>(std::count_if(text.begin() + static_cast<std::ptrdiff_t>(point) + 1,
                                                  text.end(), [](char c) { return xisdigit(c); }));
}

std::size_t length(std::string_view text)
{
    std::size_t count = 0;
    std::size_t i = 0;
    const std::size_t size = text.size();
    while (i < size) {
        ++count;
        const auto lead = static_cast<unsigned char>(text[i]);
        int step = detail::utf8_sequence_length(lead);
        if (step == 0)
            break;
        // A surrogate pair written as two three-byte sequences is one character.
        if (lead == 0xED && i + 1 < size && (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0xA0)
            step = 6;
        i += static_cast<std::size_t>(std::min<std::size_t>(step, size - i));
    }
    return count;
}

bool is_min_length_ok(std::string_view text, std::size_t min_length)
{
    // byte length >= 4 * min_length, without overflow
    if (text.size() / 4 >= min_length)
        return true;
    return length(text) >= min_length;
}

bool is_max_length_ok(std::string_view text, std::size_t max_length)
{
    const std::size_t bytes = text.size();
    if (bytes <= max_length)
        return true;
    // byte length > 4 * max_length, without overflow
    if ((bytes - 1) / 4 >= max_length)
        return false;
    return length(text) <= max_length;
}

} // namespace lmx
