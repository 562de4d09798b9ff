// Small text conversions between the library's UTF-16 strings and the tool's
// UTF-8 output, and locale-independent number formatting.
#ifndef KYR_TOOLS_TEXT_HPP
#define KYR_TOOLS_TEXT_HPP

#include <optional>
#include <string>

namespace kyr_tool {

std::string utf8(const std::wstring& text);
std::wstring utf16(const std::string& text);

// Shortest text that reads back as the same double, with "." whatever the locale.
std::string format_number(double value);

// Parses a whole text as a double ("." as the separator); nothing on any junk.
std::optional<double> parse_number(const std::string& text);

} // namespace kyr_tool

#endif
