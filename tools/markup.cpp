#include "markup.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kyr_tool {

void append_escaped(std::string& out, const std::string& text)
{
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c; break;
        }
    }
}

void append_coordinate(std::string& out, double value)
{
    char buffer[32];
    const double rounded = std::round(value * 10.0) / 10.0;
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded == 0 ? 0.0 : rounded);
    out.append(buffer, result.ptr);
}

std::string hex_colour(const kyr::colour::RGB8& rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb.r, rgb.g, rgb.b);
    return text;
}

} // namespace kyr_tool
