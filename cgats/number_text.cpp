#include "number_text.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kyr::cgats {
namespace {

// log10 of `scale` when it is 1, 10, 100 or 1000, else -1.
int decimal_places(double scale)
{
    for (int places = 0; places <= 3; ++places)
        if (scale == std::pow(10.0, places))
            return places;
    return -1;
}

struct decimal_parts
{
    bool negative = false;
    std::string digits;  // all digits, without the point
    int point = 0;       // digits before the point
};

// Plain decimals only: sign, digits, at most one point, at least one digit.
std::optional<decimal_parts> split_decimal(std::string_view text)
{
    decimal_parts parts;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        parts.negative = text[i++] == '-';
    bool seen_point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !seen_point) {
            seen_point = true;
            parts.point = static_cast<int>(parts.digits.size());
        } else if (c >= '0' && c <= '9') {
            parts.digits += c;
        } else {
            return std::nullopt;
        }
    }
    if (parts.digits.empty())
        return std::nullopt;
    if (!seen_point)
        parts.point = static_cast<int>(parts.digits.size());
    return parts;
}

// The same number with the point moved `places` to the left (right when negative),
// written without exponent, leading zeros or trailing zeros after the point.
std::string shift_point(const decimal_parts& parts, int places)
{
    std::string digits = parts.digits;
    int point = parts.point - places;
    if (point <= 0) {
        digits.insert(0, static_cast<std::size_t>(1 - point), '0');
        point = 1;
    }
    if (point > static_cast<int>(digits.size()))
        digits.append(static_cast<std::size_t>(point) - digits.size(), '0');
    std::string whole = digits.substr(0, static_cast<std::size_t>(point));
    std::string fraction = digits.substr(static_cast<std::size_t>(point));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    std::string out = parts.negative ? "-" : "";
    out += whole;
    if (!fraction.empty())
        out += "." + fraction;
    return out;
}

std::optional<double> parse_plain(std::string_view text)
{
    if (!text.empty() && text[0] == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string shortest(double value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

std::string printed(const char* format, int digits, double value)
{
    char buffer[400];
    const int length = std::snprintf(buffer, sizeof buffer, format, digits, value);
    return length > 0 && length < static_cast<int>(sizeof buffer) ? std::string(buffer, static_cast<std::size_t>(length)) : shortest(value);
}

// Digits after the point, and significant digits, of a plain decimal text.
void count_digits(std::string_view text, int& decimals, int& significant)
{
    decimals = significant = 0;
    const auto parts = split_decimal(text);
    if (!parts)
        return;
    decimals = static_cast<int>(parts->digits.size()) - parts->point;
    const std::size_t first = parts->digits.find_first_not_of('0');
    significant = first == std::string::npos ? decimals + 1 : static_cast<int>(parts->digits.size() - first);
}

// Documents write doubles with 14 significant digits: a value is kept as it will read back.
constexpr int k_document_digits = 14;

double as_document_keeps(double value)
{
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*g", k_document_digits, value);
    double kept = value;
    std::from_chars(buffer, buffer + length, kept);
    return kept;
}

}  // namespace

std::optional<double> parse_scaled(std::string_view text, double scale)
{
    const int places = decimal_places(scale);
    if (places >= 0)
        if (const auto parts = split_decimal(text)) {
            const std::size_t first = parts->digits.find_first_not_of('0');
            const std::size_t significant = first == std::string::npos ? 0 : parts->digits.size() - first;
            if (significant <= k_document_digits)
                return parse_plain(shift_point(*parts, places));
        }
    const auto value = parse_plain(text);
    if (!value)
        return std::nullopt;
    return as_document_keeps(*value / scale);
}

std::string number_layout::encode() const
{
    std::string out(1, rule);
    if (rule != 's')
        out += std::to_string(digits);
    if (!zero.empty())
        out += "|" + zero;
    return out;
}

number_layout number_layout::decode(std::string_view text)
{
    number_layout layout;
    const std::size_t bar = text.find('|');
    if (bar != std::string_view::npos) {
        layout.zero = std::string(text.substr(bar + 1));
        text = text.substr(0, bar);
    }
    if (!text.empty() && (text[0] == 'f' || text[0] == 'g')) {
        int digits = 0;
        const auto result = std::from_chars(text.data() + 1, text.data() + text.size(), digits);
        if (result.ec == std::errc() && digits >= 0 && digits <= 30) {
            layout.rule = text[0];
            layout.digits = digits;
        }
    }
    return layout;
}

std::string format_scaled(double value, double scale, const number_layout& layout)
{
    if (value == 0 && !layout.zero.empty())
        return layout.zero;
    if (layout.rule == 'f')
        return printed("%.*f", layout.digits, value * scale);
    if (layout.rule == 'g')
        return printed("%#.*g", layout.digits, value * scale);
    const int places = decimal_places(scale);
    if (places < 0)
        return shortest(value * scale);
    const std::string text = shortest(value);
    return shift_point(*split_decimal(text), -places);
}

number_layout choose_layout(const std::vector<std::string_view>& texts, double scale)
{
    std::vector<number_layout> candidates{number_layout{}};
    std::string zero;
    for (std::string_view text : texts) {
        int decimals = 0, significant = 0;
        count_digits(text, decimals, significant);
        const auto value = parse_scaled(text, scale);
        if (value && *value == 0 && zero.empty())
            zero = std::string(text);
        for (const number_layout& candidate : {number_layout{'f', decimals, {}}, number_layout{'g', significant, {}}}) {
            bool known = false;
            for (const number_layout& seen : candidates)
                known = known || (seen.rule == candidate.rule && seen.digits == candidate.digits);
            if (!known && candidate.digits >= (candidate.rule == 'g' ? 1 : 0) && candidate.digits <= 17)
                candidates.push_back(candidate);
        }
    }
    number_layout best;
    std::size_t best_misses = texts.size() + 1;
    for (number_layout candidate : candidates) {
        for (int with_zero = 0; with_zero < (zero.empty() ? 1 : 2); ++with_zero) {
            candidate.zero = with_zero ? zero : std::string();
            std::size_t misses = 0;
            for (std::string_view text : texts) {
                const auto value = parse_scaled(text, scale);
                misses += !value || format_scaled(*value, scale, candidate) != text;
            }
            if (misses < best_misses) {
                best = candidate;
                best_misses = misses;
            }
        }
    }
    return best;
}

}  // namespace kyr::cgats
