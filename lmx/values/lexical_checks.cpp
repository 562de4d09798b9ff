// Lexical forms of booleans, integers and floating-point numbers.
#include <kyr/lmx/simple_types.hpp>

#include <kyr/lmx/char_tests.hpp>

#include "float_specials.hpp"

namespace lmx {

namespace {

// Advances p over ASCII digits; returns how many there were.
std::size_t skip_digits(const char*& p, const char* end)
{
    const char* start = p;
    while (p != end && xisdigit(*p))
        ++p;
    return static_cast<std::size_t>(p - start);
}

} // namespace

bool is_valid_bool(std::string_view text)
{
    return text == "true" || text == "false" || text == "1" || text == "0";
}

bool is_valid_integer(const std::string& text)
{
    const char* p = text.data();
    const char* end = p + text.size();
    if (p != end && (*p == '+' || *p == '-'))
        ++p;
    return skip_digits(p, end) > 0 && p == end;
}

bool is_valid_float(const std::string& text)
{
    if (detail::float_special(text) != detail::e_float_special::none)
        return true;
    const char* p = text.data();
    const char* end = p + text.size();
    if (p != end && (*p == '+' || *p == '-'))
        ++p;
    std::size_t mantissa_digits = skip_digits(p, end);
    if (p != end && *p == '.') {
        ++p;
        mantissa_digits += skip_digits(p, end);
    }
    if (mantissa_digits == 0)
        return false;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != end && (*p == '+' || *p == '-'))
            ++p;
        if (skip_digits(p, end) == 0)
            return false;
    }
    return p == end;
}

} // namespace lmx
