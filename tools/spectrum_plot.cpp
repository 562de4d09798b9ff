#include "spectrum_plot.hpp"

#include "markup.hpp"
#include "text.hpp"

#include <algorithm>
#include <cmath>

namespace kyr_tool {
namespace {

// Room for the tick labels left of and below the axes.
constexpr double left_margin = 26, bottom_margin = 16, top_margin = 6, right_margin = 8;

// A tick step of 10, 20, 50, 100, 200 ... nm giving at most five ticks over `span`.
double wavelength_step(double span)
{
    for (double step = 10;; step *= 10)
        for (double factor : {1.0, 2.0, 5.0})
            if (span / (step * factor) <= 5)
                return step * factor;
}

void append_text(std::string& out, double x, double y, const char* anchor, const std::string& text)
{
    out += "<text x=\"";
    append_coordinate(out, x);
    out += "\" y=\"";
    append_coordinate(out, y);
    out += "\" text-anchor=\"";
    out += anchor;
    out += "\">";
    append_escaped(out, text);
    out += "</text>";
}

void append_line(std::string& out, double x1, double y1, double x2, double y2)
{
    out += "<line x1=\"";
    append_coordinate(out, x1);
    out += "\" y1=\"";
    append_coordinate(out, y1);
    out += "\" x2=\"";
    append_coordinate(out, x2);
    out += "\" y2=\"";
    append_coordinate(out, y2);
    out += "\"/>";
}

} // namespace

void append_spectrum_plot(std::string& out, const spectrum_curve& curve, double x, double y)
{
    if (curve.points.empty())
        return;
    double low = curve.points.front().first, high = curve.points.back().first;
    if (!(high > low)) {
        low -= 10; // one point: a narrow window around it
        high += 10;
    }
    if (!(high > low) || !std::isfinite(high - low))
        return; // no wavelength scale to draw on
    double top = 1;
    for (const auto& point : curve.points)
        top = std::max(top, std::ceil(point.second * 2) / 2); // fluorescent samples exceed 1
    top = std::min(top, 10.0);

    const double x0 = x + left_margin, x1 = x + plot_width - right_margin;
    const double y0 = y + plot_height - bottom_margin, y1 = y + top_margin;
    auto px = [&](double nm) { return x0 + (nm - low) / (high - low) * (x1 - x0); };
    auto py = [&](double value) { return y0 - std::clamp(value, 0.0, top) / top * (y0 - y1); };

    out += "<g class=\"plot\" font-size=\"8\" fill=\"currentColor\" stroke-width=\"1\">";
    out += "<g stroke=\"currentColor\">";
    append_line(out, x0, y0, x1, y0);
    append_line(out, x0, y0, x0, y1);
    const double step = wavelength_step(high - low);
    const double first_tick = std::ceil(low / step) * step;
    // At most six ticks, counted rather than stepped, so huge wavelengths cannot stall the loop.
    for (int k = 0; k < 6 && first_tick + k * step <= high; ++k)
        append_line(out, px(first_tick + k * step), y0, px(first_tick + k * step), y0 + 3);
    const double value_step = top <= 2 ? 0.5 : std::ceil(top / 4);
    for (double value = 0; value <= top + 1e-9; value += value_step)
        append_line(out, x0 - 3, py(value), x0, py(value));
    out += "</g>";
    for (int k = 0; k < 6 && first_tick + k * step <= high; ++k)
        append_text(out, px(first_tick + k * step), y0 + 12, "middle", format_number(first_tick + k * step));
    for (double value = 0; value <= top + 1e-9; value += value_step)
        append_text(out, x0 - 5, py(value) + 3, "end", format_number(value));

    out += "<polyline fill=\"none\" stroke-width=\"2\" stroke-linejoin=\"round\" stroke=\"";
    out += curve.colour ? hex_colour(*curve.colour) : std::string("#808080");
    out += "\" points=\"";
    const char* separator = "";
    for (const auto& point : curve.points) {
        out += separator;
        append_coordinate(out, px(point.first));
        out += ',';
        append_coordinate(out, py(point.second));
        separator = " ";
    }
    out += "\"/></g>";
}

} // namespace kyr_tool
