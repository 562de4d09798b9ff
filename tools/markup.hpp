// Text and numbers for the XML and HTML the renderer writes.
#ifndef KYR_TOOLS_MARKUP_HPP
#define KYR_TOOLS_MARKUP_HPP

#include <kyr/colour/display_colour.hpp>

#include <string>

namespace kyr_tool {

// Appends `text` with &, <, >, " and ' replaced by references: safe in content and in attributes.
void append_escaped(std::string& out, const std::string& text);

// Appends a coordinate with at most one decimal, "." whatever the locale; a coordinate that is not
// finite or is beyond any page becomes 0.
void append_coordinate(std::string& out, double value);

// "#C8372D".
std::string hex_colour(const kyr::colour::RGB8& rgb);

} // namespace kyr_tool

#endif
