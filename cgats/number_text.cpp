#include "number_text.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace kyr::cgats {
namespace {

// Documents write doubles with 14 significant digits: a value is kept as it will read back.
constexpr int k_document_digits = 14;

// log10 of `scale` when it is 1, 10, 100 or 1000, else -1.
int decimal_places(double scale)
{
    return scale == 1 ? 0 : scale == 10 ? 1 : scale == 100 ? 2 : scale == 1000 ? 3 : -1;
}

// A plain decimal: optional sign, digits with at most one point, at least one digit.
struct plain_decimal
{
    bool valid = false;
    int significant = 0; // digits from the first that is not zero
};

plain_decimal check_plain(std::string_view text)
{
    plain_decimal result;
    std::size_t i = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
    bool point = false, digit = false, leading = true;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digit = true;
            leading = leading && c == '0';
            result.significant += !leading;
        } else {
            return result;
        }
    }
    result.valid = digit;
    return result;
}

std::optional<double> parse_chars(const char* begin, const char* end)
{
    double value = 0;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double as_document_keeps(double value)
{
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*g", k_document_digits, value);
    double kept = value;
    std::from_chars(buffer, buffer + length, kept);
    return kept;
}

// Writes the plain decimal `text` into `out` with the point moved `places` to the right,
// without leading zeros (but one before the point) or trailing zeros after it. Returns the
// length; `out` must hold text.size() + places + 2 characters.
std::size_t shift_right(std::string_view text, int places, char* out)
{
    std::size_t length = 0;
    if (!text.empty() && text[0] == '-') {
        out[length++] = '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    char digits[400];
    std::size_t count = 0;
    for (char c : whole)
        digits[count++] = c;
    for (char c : fraction)
        digits[count++] = c;
    std::size_t new_point = whole.size() + static_cast<std::size_t>(places);
    while (count < new_point)
        digits[count++] = '0';
    std::size_t first = 0;
    while (first + 1 < new_point && digits[first] == '0')
        ++first;
    while (count > new_point && digits[count - 1] == '0')
        --count;
    const std::size_t start = length;
    for (std::size_t i = first; i < new_point; ++i)
        out[length++] = digits[i];
    if (length == start)
        out[length++] = '0';
    if (count > new_point) {
        out[length++] = '.';
        for (std::size_t i = new_point; i < count; ++i)
            out[length++] = digits[i];
    }
    return length;
}

std::size_t format_into(char* buffer, std::size_t size, double value, double scale,
                        const number_layout& layout)
{
    if (value == 0 && !layout.zero.empty()) {
        const std::size_t length = std::min(size, layout.zero.size());
        std::memcpy(buffer, layout.zero.data(), length);
        return length;
    }
    if (layout.rule == 'f') {
        const auto result =
            std::to_chars(buffer, buffer + size, value * scale, std::chars_format::fixed, layout.digits);
        return result.ec == std::errc() ? static_cast<std::size_t>(result.ptr - buffer) : 0;
    }
    if (layout.rule == 'g') {
        const int length = std::snprintf(buffer, size, "%#.*g", layout.digits, value * scale);
        return length > 0 && static_cast<std::size_t>(length) < size ? static_cast<std::size_t>(length) : 0;
    }
    const int places = decimal_places(scale);
    char shortest[400];
    const auto result = std::to_chars(shortest, shortest + sizeof shortest,
                                      places < 0 ? value * scale : value, std::chars_format::fixed);
    const std::size_t length = static_cast<std::size_t>(result.ptr - shortest);
    if (places <= 0) {
        std::memcpy(buffer, shortest, std::min(size, length));
        return std::min(size, length);
    }
    return shift_right(std::string_view(shortest, length), places, buffer);
}

constexpr std::size_t k_buffer_size = 800; // the longest fixed double, shifted, with room

} // namespace

std::optional<double> parse_scaled(std::string_view text, double scale)
{
    const plain_decimal plain = check_plain(text);
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text[0] == '-' || text[0] == '+'))
            return std::nullopt;
    }
    if (text.size() > 300)
        return std::nullopt;
    const int places = decimal_places(scale);
    if (plain.valid && places >= 0 && plain.significant <= k_document_digits) {
        // "21.5784" / 100 is read as "21.5784e-2": exactly the double nearest 0.215784.
        char buffer[320];
        std::memcpy(buffer, text.data(), text.size());
        std::size_t length = text.size();
        if (places > 0) {
            buffer[length++] = 'e';
            buffer[length++] = '-';
            buffer[length++] = static_cast<char>('0' + places);
        }
        return parse_chars(buffer, buffer + length);
    }
    const auto value = parse_chars(text.data(), text.data() + text.size());
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
    char buffer[k_buffer_size];
    return std::string(buffer, format_into(buffer, sizeof buffer, value, scale, layout));
}

bool gives_back(double value, double scale, const number_layout& layout, std::string_view text)
{
    char buffer[k_buffer_size];
    return std::string_view(buffer, format_into(buffer, sizeof buffer, value, scale, layout)) == text;
}

number_layout choose_layout(const std::vector<std::string_view>& texts, double scale)
{
    std::vector<number_layout> candidates{number_layout{}};
    std::string zero;
    for (std::string_view text : texts) {
        const plain_decimal plain = check_plain(text);
        const std::size_t point = text.find('.');
        const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
        const auto value = parse_scaled(text, scale);
        if (value && *value == 0 && zero.empty())
            zero = std::string(text);
        if (!plain.valid)
            continue;
        const int significant = plain.significant > 0 ? plain.significant : decimals + 1;
        for (const number_layout& candidate :
             {number_layout{'f', decimals, {}}, number_layout{'g', significant, {}}}) {
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
                misses += !value || !gives_back(*value, scale, candidate, text);
            }
            if (misses < best_misses) {
                best = candidate;
                best_misses = misses;
            }
        }
    }
    return best;
}

} // namespace kyr::cgats
