// The two page formats of `kyr render`: one self-contained HTML file (styles inline, nothing
// fetched, a print and a dark-mode style), and one SVG file.
#ifndef KYR_TOOLS_PAGE_WRITERS_HPP
#define KYR_TOOLS_PAGE_WRITERS_HPP

#include "render_page.hpp"

#include <string>

namespace kyr_tool {

// The marks the pages share, so that a reader of the page (or a test of a screenshot) can tell
// them apart from the colours: the hatching of a colour that cannot be shown, and the corner
// triangle of a colour clipped into sRGB.
constexpr const char* hatch_dark = "#8C8C8C";
constexpr const char* hatch_light = "#D4D4D4";
constexpr const char* clipped_mark = "#000000";
constexpr const char* clipped_text = "Outside sRGB: clipped";

std::string html_page(const page& shown);
std::string svg_page(const page& shown);

} // namespace kyr_tool

#endif
