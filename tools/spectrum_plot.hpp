// A reflectance curve as SVG elements: axes with ticks and labels, and the curve drawn in the
// spectrum's own sRGB. Axes and labels use currentColor, so a page's text colour (and its dark
// mode) carries over.
#ifndef KYR_TOOLS_SPECTRUM_PLOT_HPP
#define KYR_TOOLS_SPECTRUM_PLOT_HPP

#include "render_page.hpp"

#include <string>

namespace kyr_tool {

constexpr double plot_width = 168, plot_height = 96;

// Appends a <g> drawing `curve` in the plot_width x plot_height box whose top left is (x, y).
void append_spectrum_plot(std::string& out, const spectrum_curve& curve, double x, double y);

} // namespace kyr_tool

#endif
