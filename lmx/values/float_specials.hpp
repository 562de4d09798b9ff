// Internal: the three texts of the special floating-point values.
#ifndef KYR_LMX_VALUES_FLOAT_SPECIALS_HPP
#define KYR_LMX_VALUES_FLOAT_SPECIALS_HPP

#include <cstring>
#include <string>

namespace lmx::detail {

enum class e_float_special {
    none,
    nan,           // "NaN"
    infinity,      // "INF"
    minus_infinity // "-INF"
};

// Decided by length first, as most texts are plain numbers.
inline e_float_special float_special(const std::string& text)
{
    switch (text.size()) {
    case 3:
        if (std::memcmp(text.data(), "INF", 3) == 0)
            return e_float_special::infinity;
        return std::memcmp(text.data(), "NaN", 3) == 0 ? e_float_special::nan : e_float_special::none;
    case 4:
        return std::memcmp(text.data(), "-INF", 4) == 0 ? e_float_special::minus_infinity
                                                        : e_float_special::none;
    default:
        return e_float_special::none;
    }
}

} // namespace lmx::detail

#endif
