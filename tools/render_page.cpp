#include "render_page.hpp"

#include "colour_spaces.hpp"
#include "markup.hpp"
#include "text.hpp"

#include <kyr/colour/colour_types.hpp>
#include <kyr/colour/quality_control.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kyr_tool {
namespace {

using namespace com_kyrandel_v2;
using kyr::colour::DisplayColour;
using kyr::colour::DisplayColours;

// Short labels of the colour-space members, in member order.
const char* const space_labels[colour_space_count] = {"Recipe",
                                                      "SOLVARI",
                                                      "Generic",
                                                      "Emissive generic",
                                                      "Density",
                                                      "RGB",
                                                      "sRGB",
                                                      "Adobe RGB",
                                                      "CMYK+N",
                                                      "Wide-gamut RGB",
                                                      "Spectral",
                                                      "Emissive spectral",
                                                      "L*a*b*",
                                                      "L*C*h",
                                                      "XYZ",
                                                      "Emissive XYZ",
                                                      "xyY",
                                                      "Emissive xyY",
                                                      "L*u*v*",
                                                      "HSL",
                                                      "HSV",
                                                      "CMYK",
                                                      "SOLVARI Senaplex",
                                                      "YUV",
                                                      "YIQ",
                                                      "YBR",
                                                      "NCS",
                                                      "Munsell"};

std::string conditions_text(const DisplayColour& display)
{
    if (!display.illuminant)
        return "";
    std::string text = std::string(" (") + kyr::colour::illuminant_name(*display.illuminant);
    if (display.observer)
        text += ", " + std::to_string(kyr::colour::observer_degrees(*display.observer)) + "°";
    return text + ")";
}

std::string value_line(const sg_ColorSpace& value)
{
    const int index = colour_space_index(value);
    if (index < 0)
        return "";
    std::string line = space_labels[index];
    const colour_components components = components_of(value);
    if (!components.spectral.empty()) {
        const auto [low, high] = std::minmax_element(components.spectral.begin(), components.spectral.end());
        return line + ": " + std::to_string(components.spectral.size()) + " points, "
            + format_number(low->first) + "–" + format_number(high->first) + " nm";
    }
    switch (value.getchosen()) {
    case sg_ColorSpace::ec_ColorSpaceNCS:
        return line + ": " + utf8(value.get_ColorSpaceNCS().get_ColorName());
    case sg_ColorSpace::ec_ColorSpaceMunsell:
        return line + ": " + utf8(value.get_ColorSpaceMunsell().get_CollectionName()) + " "
            + utf8(value.get_ColorSpaceMunsell().get_ColorName());
    case sg_ColorSpace::ec_ColorSpaceSOLVARI:
        return line + ": " + utf8(value.get_ColorSpaceSOLVARI().get_FamilyName());
    default:
        break;
    }
    const char* separator = ": ";
    for (const auto& [name, text] : components.named) {
        line += separator + name + " " + text;
        separator = ", ";
    }
    return line;
}

class page_builder
{
public:
    swatch make_swatch(const ColorType& colour)
    {
        swatch result;
        result.name = utf8(colour.get_ColorName());
        if (colour.isset_ColorNumber())
            result.number = utf8(colour.get_ColorNumber());
        const DisplayColour display = m_colours.of(colour);
        if (display.rgb) {
            result.rgb = kyr::colour::to_8bit(*display.rgb);
            result.clipped = !display.rgb->in_gamut;
            result.origin = "sRGB " + hex_colour(*result.rgb) + " from " + origin_of(display.source)
                + conditions_text(display);
        } else {
            result.note = display.note;
        }
        for (size_t i = 0; i < colour.size_ColorSpace(); ++i) {
            const sg_ColorSpace& value = colour.get_ColorSpace(i);
            result.values.push_back(value_line(value));
            if (value.getchosen() == sg_ColorSpace::ec_ColorSpaceSpectral)
                result.spectra.push_back(curve_of(value, display.spectra[result.spectra.size()]));
        }
        ++m_page.swatch_count;
        m_page.clipped_count += result.clipped;
        m_page.unknown_count += !result.rgb;
        return result;
    }

    page& result() { return m_page; }

private:
    static std::string origin_of(const std::string& source)
    {
        if (source == "ColorSpaceSpectral")
            return "the spectrum";
        if (source == "ColorSpaceSRGB")
            return "the sRGB value";
        for (int i = 0; i < colour_space_count; ++i)
            if (source == colour_space_name(i))
                return space_labels[i];
        return source;
    }

    static spectrum_curve curve_of(const sg_ColorSpace& value,
                                   const std::optional<kyr::colour::DisplayRGB>& rgb)
    {
        spectrum_curve curve;
        // Only drawable points, and no NaN left to upset the sort.
        for (const auto& point : components_of(value).spectral)
            if (std::isfinite(point.first) && std::isfinite(point.second))
                curve.points.push_back(point);
        std::sort(curve.points.begin(), curve.points.end());
        if (rgb)
            curve.colour = kyr::colour::to_8bit(*rgb);
        return curve;
    }

    DisplayColours m_colours;
    page m_page;
};

std::string limits_text(const kyr::colour::QcResult& r)
{
    std::string text;
    if (r.low && r.high)
        text = format_number(*r.low) + " to " + format_number(*r.high);
    else if (r.high)
        text = "at most " + format_number(*r.high);
    else if (r.low)
        text = "at least " + format_number(*r.low);
    if (r.warning)
        text += (text.empty() ? "" : ", ") + std::string("warning ") + format_number(*r.warning);
    return text;
}

qc_line line_of(const kyr::colour::QcResult& r)
{
    qc_line line;
    line.measurement = r.measurement ? r.measurement_name : "all measurements";
    line.tolerance = !r.tolerance.empty() ? r.tolerance : r.measurement ? "its own function" : "";
    line.function = r.function;
    if (r.illuminant) {
        line.function += std::string(" (") + kyr::colour::illuminant_name(*r.illuminant);
        if (r.observer)
            line.function += ", " + std::to_string(kyr::colour::observer_degrees(*r.observer)) + "°";
        line.function += ")";
    }
    if (r.value) {
        char value[32];
        std::snprintf(value, sizeof value, "%.2f",
                      std::fabs(*r.value) < 0.005 ? 0.0 : *r.value); // no "-0.00"
        line.value = value;
    }
    line.limits = limits_text(r);
    line.verdict = kyr::colour::verdict_name(r.verdict);
    if (!r.reason.empty())
        line.verdict += ": " + r.reason;
    return line;
}

void add_fact(page& result, const char* label, const std::string& text)
{
    if (!text.empty())
        result.facts.push_back(std::string(label) + ": " + text);
}

} // namespace

page build_page(const Kyr& document, const std::string& file)
{
    page_builder builder;
    page& result = builder.result();
    const Header& header = document.get_Preamble().get_Header();
    result.title = header.isset_Name() ? utf8(header.get_Name()) : file;
    add_fact(result, "File", file);
    add_fact(result, "Creator", utf8(header.get_Creator()));
    add_fact(result, "Purpose", utf8(header.get_Purpose()));
    if (header.isset_Comments())
        add_fact(result, "Comments", utf8(header.get_Comments()));

    result.colours.title = "Colours";
    for (size_t i = 0; i < document.size_Color(); ++i)
        result.colours.swatches.push_back(builder.make_swatch(document.get_Color(i)));
    for (size_t p = 0; p < document.size_Palette(); ++p) {
        const PaletteType& palette = document.get_Palette(p);
        palette_section section{"Palette " + utf8(palette.get_PaletteName()), {}};
        for (size_t s = 0; s < palette.size_ColorSet(); ++s) {
            const ColorSetType& set = palette.get_ColorSet(s);
            swatch_group group{"Colour set " + utf8(set.get_ColorSetName()), {}};
            for (size_t i = 0; i < set.size_Color(); ++i)
                group.swatches.push_back(builder.make_swatch(set.get_Color(i)));
            section.sets.push_back(std::move(group));
        }
        result.palettes.push_back(std::move(section));
    }
    for (size_t r = 0; r < document.size_ColorQualityControl(); ++r) {
        const ColorQualityControlType& record = document.get_ColorQualityControl(r);
        qc_record shown;
        shown.title = record.isset_Name() ? utf8(record.get_Name()) : "Record " + std::to_string(r + 1);
        if (record.isset_Description())
            shown.description = utf8(record.get_Description());
        for (size_t s = 0; s < record.size_StandardAndMeasurement(); ++s) {
            const StandardAndMeasurementType& pair = record.get_StandardAndMeasurement(s);
            qc_standard standard;
            if (pair.get_Standard().isnil_Standard()) {
                standard.standard.name = "(no standard)";
                standard.standard.note = "the record gives no standard colour";
            } else {
                standard.standard = builder.make_swatch(pair.get_Standard().get_Color());
            }
            for (size_t m = 0; m < pair.size_Measurement(); ++m)
                standard.measurements.push_back(builder.make_swatch(pair.get_Measurement(m).get_Color()));
            shown.standards.push_back(std::move(standard));
        }
        result.records.push_back(std::move(shown));
    }
    for (const kyr::colour::QcResult& r : kyr::colour::evaluate_quality_control(document))
        if (r.record < result.records.size() && r.standard < result.records[r.record].standards.size())
            result.records[r.record].standards[r.standard].lines.push_back(line_of(r));
    result.facts.push_back(std::to_string(result.swatch_count) + " colours, "
                           + std::to_string(result.clipped_count) + " outside sRGB (clipped), "
                           + std::to_string(result.unknown_count) + " without a colorimetric value");
    return std::move(result);
}

} // namespace kyr_tool
