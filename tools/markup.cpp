#include "markup.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kyr_tool {

void append_escaped(std::string& out, const std::string& text)
{
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
            break;
        }
    }
}

void append_coordinate(std::string& out, double value)
{
    // Tenths as an integer: a page of ten thousand plots writes millions of these.
    if (!std::isfinite(value) || std::fabs(value) > 1e15) {
        out += '0';
        return;
    }
    const long long tenths = std::llround(value * 10.0);
    if (tenths < 0)
        out += '-';
    const unsigned long long magnitude = tenths < 0 ? 0ULL - static_cast<unsigned long long>(tenths) : tenths;
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude / 10);
    out.append(buffer, result.ptr);
    if (magnitude % 10) {
        out += '.';
        out += static_cast<char>('0' + magnitude % 10);
    }
}

std::string hex_colour(const kyr::colour::RGB8& rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb.r, rgb.g, rgb.b);
    return text;
}

} // namespace kyr_tool
