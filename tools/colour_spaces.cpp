#include "colour_spaces.hpp"

#include "text.hpp"

namespace kyr_tool {
namespace {

using namespace com_kyrandel_v2;

// Member order of the colour-space group; the position is the chosen index.
const char* const member_names[colour_space_count] = {
    "ColorSpaceRecipe", "ColorSpaceSOLVARI", "ColorSpaceGeneric", "ColorSpaceEmissiveGeneric",
    "ColorSpaceDensity", "ColorSpaceRGB", "ColorSpaceSRGB", "ColorSpaceAdobeRGB",
    "ColorSpaceCMYKPlusN", "ColorSpaceAdobeWideGamutRGB", "ColorSpaceSpectral",
    "ColorSpaceEmissiveSpectral", "ColorSpaceCIELab", "ColorSpaceCIELCh", "ColorSpaceCIEXYZ",
    "ColorSpaceEmissiveCIEXYZ", "ColorSpaceCIExyY", "ColorSpaceEmissiveCIExyY", "ColorSpaceCIELuv",
    "ColorSpaceHSL", "ColorSpaceHSV", "ColorSpaceCMYK", "ColorSpaceSOLVARISenaplex", "ColorSpaceYUV",
    "ColorSpaceYIQ", "ColorSpaceYBR", "ColorSpaceNCS", "ColorSpaceMunsell"};

using named_list = std::vector<std::pair<std::string, double>>;

template <class RGB>
void add_rgb(const RGB& value, named_list& out)
{
    out.insert(out.end(), {{"Red", value.get_Red()}, {"Green", value.get_Green()}, {"Blue", value.get_Blue()}});
    if (value.isset_Alpha())
        out.emplace_back("Alpha", value.get_Alpha());
}

template <class Generic>
void add_axes(const Generic& value, named_list& out)
{
    for (size_t i = 0; i < value.size_Axis(); ++i) {
        const AxisType& axis = value.get_Axis(i);
        const AxisValueChoice& choice = axis.get_AxisValueChoice();
        if (choice.getchosen() == AxisValueChoice::ec_AxisFloatingPointValue)
            out.emplace_back(utf8(axis.get_AxisName()),
                             choice.get_AxisFloatingPointValue().get_FloatingPointValueType());
    }
}

template <class WithSpots>
void add_spot_colours(const WithSpots& value, named_list& out)
{
    for (size_t i = 0; i < value.size_SpotColor(); ++i)
        out.emplace_back(utf8(value.get_SpotColor(i).get_Name()), value.get_SpotColor(i).get_Percentage());
}

void add_cmyk(const ColorSpaceCMYKType& value, named_list& out)
{
    out.insert(out.end(), {{"Cyan", value.get_Cyan()}, {"Magenta", value.get_Magenta()},
                           {"Yellow", value.get_Yellow()}, {"Black", value.get_Black()}});
    add_spot_colours(value, out);
    // A ColorSpaceCMYK element may carry the extended type through xsi:type.
    if (const auto* extended = dynamic_cast<const ColorSpaceCMYKPlusNType*>(&value))
        for (size_t i = 0; i < extended->size_Color(); ++i)
            out.emplace_back(utf8(extended->get_Color(i).get_Name()), extended->get_Color(i).get_Value());
}

void add_recipe(const ColorSpaceRecipeType& value, named_list& out)
{
    for (size_t i = 0; i < value.size_ColorantElement(); ++i) {
        const ColorantElementType& element = value.get_ColorantElement(i);
        out.emplace_back(utf8(element.get_Colorant().get_Name()), element.get_Contribution());
    }
    if (value.isset_BaseElement())
        out.emplace_back(utf8(value.get_BaseElement().get_Base().get_Name()),
                         value.get_BaseElement().get_Contribution());
}

void add_densities(const ColorSpaceDensityType& value, named_list& out)
{
    for (size_t i = 0; i < value.size_Density(); ++i) {
        const DensityType& density = value.get_Density(i);
        out.emplace_back(utf8(density.get_DensityStatus()) + "/" + utf8(density.get_DensityFilter()),
                         density.get_DensityType());
    }
}

} // namespace

const char* colour_space_name(int index)
{
    return index >= 0 && index < colour_space_count ? member_names[index] : nullptr;
}

int colour_space_index(const sg_ColorSpace& value)
{
    const int index = static_cast<int>(value.getchosen());
    return index < colour_space_count ? index : -1;  // ec_none
}

colour_components components_of(const sg_ColorSpace& value)
{
    colour_components result;
    named_list& out = result.named;
    switch (value.getchosen()) {
    case sg_ColorSpace::ec_ColorSpaceRecipe: add_recipe(value.get_ColorSpaceRecipe(), out); break;
    case sg_ColorSpace::ec_ColorSpaceGeneric: add_axes(value.get_ColorSpaceGeneric(), out); break;
    case sg_ColorSpace::ec_ColorSpaceEmissiveGeneric: add_axes(value.get_ColorSpaceEmissiveGeneric(), out); break;
    case sg_ColorSpace::ec_ColorSpaceDensity: add_densities(value.get_ColorSpaceDensity(), out); break;
    case sg_ColorSpace::ec_ColorSpaceRGB: add_rgb(value.get_ColorSpaceRGB(), out); break;
    case sg_ColorSpace::ec_ColorSpaceSRGB: add_rgb(value.get_ColorSpaceSRGB(), out); break;
    case sg_ColorSpace::ec_ColorSpaceAdobeRGB: add_rgb(value.get_ColorSpaceAdobeRGB(), out); break;
    case sg_ColorSpace::ec_ColorSpaceCMYKPlusN: add_cmyk(value.get_ColorSpaceCMYKPlusN(), out); break;
    case sg_ColorSpace::ec_ColorSpaceAdobeWideGamutRGB: add_rgb(value.get_ColorSpaceAdobeWideGamutRGB(), out); break;
    case sg_ColorSpace::ec_ColorSpaceSpectral: {
        const auto& spectral = value.get_ColorSpaceSpectral();
        for (size_t i = 0; i < spectral.size_ReflectancePoint(); ++i) {
            const auto& point = spectral.get_ReflectancePoint(i);
            result.spectral.emplace_back(point.get_Wavelength(), point.get_ReflectancePointType());
        }
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceEmissiveSpectral: {
        const auto& spectral = value.get_ColorSpaceEmissiveSpectral();
        for (size_t i = 0; i < spectral.size_EmissiveSpectralPoint(); ++i) {
            const auto& point = spectral.get_EmissiveSpectralPoint(i);
            result.spectral.emplace_back(point.get_Wavelength(), point.get_EmissiveSpectralPointType());
        }
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceCIELab: {
        const auto& lab = value.get_ColorSpaceCIELab();
        out = {{"L", lab.get_L()}, {"A", lab.get_A()}, {"B", lab.get_B()}};
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceCIELCh: {
        const auto& lch = value.get_ColorSpaceCIELCh();
        out = {{"L", lch.get_L()}, {"C", lch.get_C()}, {"H", lch.get_H()}};
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceCIEXYZ: {
        const auto& xyz = value.get_ColorSpaceCIEXYZ();
        out = {{"X", xyz.get_X()}, {"Y", xyz.get_Y()}, {"Z", xyz.get_Z()}};
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceEmissiveCIEXYZ: {
        const auto& xyz = value.get_ColorSpaceEmissiveCIEXYZ();
        out = {{"X", xyz.get_X()}, {"Y", xyz.get_Y()}, {"Z", xyz.get_Z()}};
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceCIExyY: {
        const auto& xyy = value.get_ColorSpaceCIExyY();
        out = {{"X", xyy.get_X()}, {"Y", xyy.get_Y()}, {"CapY", xyy.get_CapY()}};
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceEmissiveCIExyY: {
        const auto& xyy = value.get_ColorSpaceEmissiveCIExyY();
        out = {{"X", xyy.get_X()}, {"Y", xyy.get_Y()}, {"CapY", xyy.get_CapY()}};
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceCIELuv: {
        const auto& luv = value.get_ColorSpaceCIELuv();
        out = {{"L", luv.get_L()}, {"U", luv.get_U()}, {"V", luv.get_V()}};
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceHSL: {
        const auto& hsl = value.get_ColorSpaceHSL();
        out = {{"Hue", hsl.get_Hue()}, {"Saturation", hsl.get_Saturation()}, {"Lightness", hsl.get_Lightness()}};
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceHSV: {
        const auto& hsv = value.get_ColorSpaceHSV();
        out = {{"Hue", hsv.get_Hue()}, {"Saturation", hsv.get_Saturation()}, {"Value", hsv.get_Value()}};
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceCMYK: add_cmyk(value.get_ColorSpaceCMYK(), out); break;
    case sg_ColorSpace::ec_ColorSpaceSOLVARISenaplex: {
        const auto& hexachrome = value.get_ColorSpaceSOLVARISenaplex();
        out = {{"Cyan", hexachrome.get_Cyan()}, {"Magenta", hexachrome.get_Magenta()},
               {"Yellow", hexachrome.get_Yellow()}, {"Black", hexachrome.get_Black()},
               {"Orange", hexachrome.get_Orange()}, {"Green", hexachrome.get_Green()}};
        add_spot_colours(hexachrome, out);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceYUV: {
        const auto& yuv = value.get_ColorSpaceYUV();
        out = {{"Y", yuv.get_Y()}, {"U", yuv.get_U()}, {"V", yuv.get_V()}};
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceYIQ: {
        const auto& yiq = value.get_ColorSpaceYIQ();
        out = {{"Y", yiq.get_Y()}, {"I", yiq.get_I()}, {"Q", yiq.get_Q()}};
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceYBR: {
        const auto& ybr = value.get_ColorSpaceYBR();
        out = {{"Y", ybr.get_Y()}, {"B", ybr.get_B()}, {"R", ybr.get_R()}};
        break;
    }
    default: break;  // named systems (SOLVARI, NCS, Munsell) carry no numbers
    }
    return result;
}

} // namespace kyr_tool
