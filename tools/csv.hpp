// Fields of comma-separated output, quoted only where a spreadsheet needs it.
#ifndef KYR_TOOLS_CSV_HPP
#define KYR_TOOLS_CSV_HPP

#include <string>

namespace kyr_tool {

// The field as written: quoted, with quotes doubled, when it holds a comma,
// a quote or a line break; unchanged otherwise.
std::string csv_field(const std::string& text);

} // namespace kyr_tool

#endif
