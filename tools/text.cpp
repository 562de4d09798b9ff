#include "text.hpp"

#include <kyr/lmx/strings.hpp>

#include <charconv>
#include <cmath>

namespace kyr_tool {

std::string utf8(const std::wstring& text)
{
    return lmx::convert_to_narrow(text);
}

std::wstring utf16(const std::string& text)
{
    return lmx::convert_to_wide(text);
}

std::string format_number(double value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::optional<double> parse_number(const std::string& text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

} // namespace kyr_tool
