// Numbers of a measurement file as text: reading them, and writing them back so that the
// text a file held comes back character for character. A number is stored as a double on a
// scale of the document's own (XYZ 0 to 1 where the file has 0 to 100); a column's layout is
// a rule ("s" shortest, "f2" two decimals, "g5" five significant digits with trailing zeros)
// plus, optionally, the text the column gives zero ("0.00000").
#ifndef KYR_CGATS_NUMBER_TEXT_HPP
#define KYR_CGATS_NUMBER_TEXT_HPP

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kyr::cgats {

// The value of a decimal number ("-12.5", "+.5", "1e-3"), divided by `scale`; none for text
// that is not a finite number. Powers of ten are divided on the digits, so "21.5784" / 100
// is exactly the double nearest 0.215784.
std::optional<double> parse_scaled(std::string_view text, double scale);

struct number_layout
{
    char rule = 's'; // 's', 'f' or 'g'
    int digits = 0;
    std::string zero; // the text of zero, when the column has its own

    std::string encode() const; // "s", "f2", "g5|0.00000"
    static number_layout decode(std::string_view text);
};

// `value` times `scale`, written by `layout`.
std::string format_scaled(double value, double scale, const number_layout& layout);

// True when format_scaled gives `text` back; no allocation.
bool gives_back(double value, double scale, const number_layout& layout, std::string_view text);

// The layout that reproduces most of `texts` (a column's texts, or a sample of them).
number_layout choose_layout(const std::vector<std::string_view>& texts, double scale);

} // namespace kyr::cgats

#endif
