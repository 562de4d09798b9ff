#include "colour_spaces.hpp"

#include "text.hpp"

#include <initializer_list>

namespace kyr_tool {
namespace {

using namespace com_kyrandel_v2;

using named_list = std::vector<std::pair<std::string, std::string>>;

void add_number(named_list& out, std::string name, double value)
{
    out.emplace_back(std::move(name), format_number(value));
}

void add_numbers(named_list& out, std::initializer_list<std::pair<const char*, double>> numbers)
{
    for (const auto& number : numbers)
        add_number(out, number.first, number.second);
}

void add_texts(named_list& out, std::initializer_list<std::pair<const char*, std::wstring>> texts)
{
    for (const auto& text : texts)
        out.emplace_back(text.first, utf8(text.second));
}

std::string without_prefix(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0 ? text.substr(prefix.size()) : text;
}

std::string illuminant_text(const IlluminationOptionsType& options)
{
    switch (options.getchosen()) {
    case IlluminationOptionsType::ec_Illuminant: {
        const Illuminant& illuminant = options.get_Illuminant();
        if (illuminant.isset_CustomName() && !illuminant.get_CustomName().empty())
            return utf8(illuminant.get_CustomName());
        return without_prefix(utf8(illuminant.get_Illuminant()), "Illuminant_");
    }
    case IlluminationOptionsType::ec_WhitePointChromaticity: {
        const WhitePointChromaticity& white = options.get_WhitePointChromaticity();
        return "x=" + format_number(white.get_CoordinateX()) + " y=" + format_number(white.get_CoordinateY());
    }
    case IlluminationOptionsType::ec_ColorTemperature:
        return std::to_string(options.get_ColorTemperature()) + "K";
    default:
        return {};
    }
}

// "FieldOfView_10_Degree" -> "10", as `kyr new --observer` takes it.
std::string observer_text(const std::wstring& field_of_view)
{
    const std::string degrees = without_prefix(utf8(field_of_view), "FieldOfView_");
    const std::size_t unit = degrees.find("_Degree");
    return unit == std::string::npos ? degrees : degrees.substr(0, unit);
}

void add_conditions(const IlluminationOptionsType* illumination, const std::wstring* field_of_view,
                    colour_components& out)
{
    if (illumination)
        out.illuminant = illuminant_text(*illumination);
    if (field_of_view)
        out.observer = observer_text(*field_of_view);
}

// Tristimulus specifications always state the conditions, generic ones may, spectral
// ones cannot (the values are the spectrum itself).
template <class Tristimulus>
void add_stated_conditions(const Tristimulus& specification, colour_components& out)
{
    add_conditions(&specification.get_IlluminationOptions(), &specification.get_FieldOfView(), out);
}

template <class Generic>
void add_optional_conditions(const Generic& specification, colour_components& out)
{
    add_conditions(specification.isset_IlluminationOptions() ? &specification.get_IlluminationOptions()
                                                             : nullptr,
                   specification.isset_FieldOfView() ? &specification.get_FieldOfView() : nullptr, out);
}

template <class RGB>
void add_rgb(const RGB& value, colour_components& out)
{
    add_numbers(out.named,
                {{"Red", value.get_Red()}, {"Green", value.get_Green()}, {"Blue", value.get_Blue()}});
    if (value.isset_Alpha())
        add_number(out.named, "Alpha", value.get_Alpha());
    add_stated_conditions(value.get_ColorSpaceSpecificationSpectrumTristimulus(), out);
}

template <class Generic>
void add_axes(const Generic& value, named_list& out)
{
    for (size_t i = 0; i < value.size_Axis(); ++i) {
        const AxisType& axis = value.get_Axis(i);
        const AxisValueChoice& choice = axis.get_AxisValueChoice();
        if (choice.getchosen() == AxisValueChoice::ec_AxisFloatingPointValue)
            add_number(out, utf8(axis.get_AxisName()),
                       choice.get_AxisFloatingPointValue().get_FloatingPointValueType());
        else if (choice.getchosen() == AxisValueChoice::ec_AxisStringValue)
            out.emplace_back(utf8(axis.get_AxisName()), utf8(choice.get_AxisStringValue()));
    }
}

template <class WithSpots>
void add_spot_colours(const WithSpots& value, named_list& out)
{
    for (size_t i = 0; i < value.size_SpotColor(); ++i)
        add_number(out, utf8(value.get_SpotColor(i).get_Name()), value.get_SpotColor(i).get_Percentage());
}

void add_cmyk(const ColorSpaceCMYKType& value, colour_components& out)
{
    add_numbers(out.named,
                {{"Cyan", value.get_Cyan()},
                 {"Magenta", value.get_Magenta()},
                 {"Yellow", value.get_Yellow()},
                 {"Black", value.get_Black()}});
    add_spot_colours(value, out.named);
    // A ColorSpaceCMYK element may carry the extended type through xsi:type.
    if (const auto* extended = dynamic_cast<const ColorSpaceCMYKPlusNType*>(&value))
        for (size_t i = 0; i < extended->size_Color(); ++i)
            add_number(out.named, utf8(extended->get_Color(i).get_Name()),
                       extended->get_Color(i).get_Value());
    add_optional_conditions(value.get_ColorSpaceSpecificationSpectrumGeneric(), out);
}

void add_recipe(const ColorSpaceRecipeType& value, named_list& out)
{
    for (size_t i = 0; i < value.size_ColorantElement(); ++i) {
        const ColorantElementType& element = value.get_ColorantElement(i);
        add_number(out, utf8(element.get_Colorant().get_Name()), element.get_Contribution());
    }
    if (value.isset_BaseElement())
        add_number(out, utf8(value.get_BaseElement().get_Base().get_Name()),
                   value.get_BaseElement().get_Contribution());
}

void add_densities(const ColorSpaceDensityType& value, named_list& out)
{
    for (size_t i = 0; i < value.size_Density(); ++i) {
        const DensityType& density = value.get_Density(i);
        add_number(out, utf8(density.get_DensityStatus()) + "/" + utf8(density.get_DensityFilter()),
                   density.get_DensityType());
    }
}

void add_solvari(const ColorSpaceSOLVARIType& value, named_list& out)
{
    const ColorName& name = value.get_ColorName();
    add_texts(out,
              {{"FamilyName", value.get_FamilyName()},
               {"PrefixName", name.get_PrefixName()},
               {"BaseName", name.get_BaseName()},
               {"SuffixName", name.get_SuffixName()},
               {"Page", value.get_Page()},
               {"Gamut", value.get_Gamut()}});
}

// The chromaticities of xyY are the elements X and Y, its luminance CapY.
template <class XyY>
void add_xyy(const XyY& value, named_list& out)
{
    add_numbers(out, {{"x", value.get_X()}, {"y", value.get_Y()}, {"Y", value.get_CapY()}});
}

} // namespace

const char* colour_space_name(int index)
{
    return index >= 0 && index < colour_space_count ? sg_ColorSpace_member_names[index] : nullptr;
}

int colour_space_index(const sg_ColorSpace& value)
{
    const int index = static_cast<int>(value.getchosen());
    return index < colour_space_count ? index : -1; // ec_none
}

colour_components components_of(const sg_ColorSpace& value)
{
    colour_components result;
    named_list& out = result.named;
    switch (value.getchosen()) {
    case sg_ColorSpace::ec_ColorSpaceRecipe: {
        const auto& recipe = value.get_ColorSpaceRecipe();
        add_recipe(recipe, out);
        add_optional_conditions(recipe.get_ColorSpaceSpecificationSpectrumGeneric(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceSOLVARI:
        add_solvari(value.get_ColorSpaceSOLVARI(), out);
        break;
    case sg_ColorSpace::ec_ColorSpaceGeneric: {
        const auto& generic = value.get_ColorSpaceGeneric();
        add_axes(generic, out);
        add_optional_conditions(generic.get_ColorSpaceSpecificationSpectrumGeneric(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceEmissiveGeneric: {
        const auto& generic = value.get_ColorSpaceEmissiveGeneric();
        add_axes(generic, out);
        add_optional_conditions(generic.get_ColorSpaceSpecificationEmissiveGeneric(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceDensity: {
        const auto& density = value.get_ColorSpaceDensity();
        add_densities(density, out);
        add_optional_conditions(density.get_ColorSpaceSpecificationSpectrumGeneric(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceRGB:
        add_rgb(value.get_ColorSpaceRGB(), result);
        break;
    case sg_ColorSpace::ec_ColorSpaceSRGB:
        add_rgb(value.get_ColorSpaceSRGB(), result);
        break;
    case sg_ColorSpace::ec_ColorSpaceAdobeRGB:
        add_rgb(value.get_ColorSpaceAdobeRGB(), result);
        break;
    case sg_ColorSpace::ec_ColorSpaceCMYKPlusN:
        add_cmyk(value.get_ColorSpaceCMYKPlusN(), result);
        break;
    case sg_ColorSpace::ec_ColorSpaceAdobeWideGamutRGB:
        add_rgb(value.get_ColorSpaceAdobeWideGamutRGB(), result);
        break;
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
        add_numbers(out, {{"L", lab.get_L()}, {"A", lab.get_A()}, {"B", lab.get_B()}});
        add_stated_conditions(lab.get_ColorSpaceSpecificationSpectrumTristimulus(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceCIELCh: {
        const auto& lch = value.get_ColorSpaceCIELCh();
        add_numbers(out, {{"L", lch.get_L()}, {"C", lch.get_C()}, {"H", lch.get_H()}});
        add_stated_conditions(lch.get_ColorSpaceSpecificationSpectrumTristimulus(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceCIEXYZ: {
        const auto& xyz = value.get_ColorSpaceCIEXYZ();
        add_numbers(out, {{"X", xyz.get_X()}, {"Y", xyz.get_Y()}, {"Z", xyz.get_Z()}});
        add_stated_conditions(xyz.get_ColorSpaceSpecificationSpectrumTristimulus(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceEmissiveCIEXYZ: {
        const auto& xyz = value.get_ColorSpaceEmissiveCIEXYZ();
        add_numbers(out, {{"X", xyz.get_X()}, {"Y", xyz.get_Y()}, {"Z", xyz.get_Z()}});
        add_stated_conditions(xyz.get_ColorSpaceSpecificationEmissiveTristimulus(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceCIExyY: {
        const auto& xyy = value.get_ColorSpaceCIExyY();
        add_xyy(xyy, out);
        add_stated_conditions(xyy.get_ColorSpaceSpecificationSpectrumTristimulus(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceEmissiveCIExyY: {
        const auto& xyy = value.get_ColorSpaceEmissiveCIExyY();
        add_xyy(xyy, out);
        add_stated_conditions(xyy.get_ColorSpaceSpecificationEmissiveTristimulus(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceCIELuv: {
        const auto& luv = value.get_ColorSpaceCIELuv();
        add_numbers(out, {{"L", luv.get_L()}, {"U", luv.get_U()}, {"V", luv.get_V()}});
        add_stated_conditions(luv.get_ColorSpaceSpecificationSpectrumTristimulus(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceHSL: {
        const auto& hsl = value.get_ColorSpaceHSL();
        add_numbers(out,
                    {{"Hue", hsl.get_Hue()},
                     {"Saturation", hsl.get_Saturation()},
                     {"Lightness", hsl.get_Lightness()}});
        add_optional_conditions(hsl.get_ColorSpaceSpecificationSpectrumGeneric(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceHSV: {
        const auto& hsv = value.get_ColorSpaceHSV();
        add_numbers(
            out, {{"Hue", hsv.get_Hue()}, {"Saturation", hsv.get_Saturation()}, {"Value", hsv.get_Value()}});
        add_optional_conditions(hsv.get_ColorSpaceSpecificationSpectrumGeneric(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceCMYK:
        add_cmyk(value.get_ColorSpaceCMYK(), result);
        break;
    case sg_ColorSpace::ec_ColorSpaceSOLVARISenaplex: {
        const auto& hexachrome = value.get_ColorSpaceSOLVARISenaplex();
        add_numbers(out,
                    {{"Cyan", hexachrome.get_Cyan()},
                     {"Magenta", hexachrome.get_Magenta()},
                     {"Yellow", hexachrome.get_Yellow()},
                     {"Black", hexachrome.get_Black()},
                     {"Orange", hexachrome.get_Orange()},
                     {"Green", hexachrome.get_Green()}});
        add_spot_colours(hexachrome, out);
        add_optional_conditions(hexachrome.get_ColorSpaceSpecificationSpectrumGeneric(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceYUV: {
        const auto& yuv = value.get_ColorSpaceYUV();
        add_numbers(out, {{"Y", yuv.get_Y()}, {"U", yuv.get_U()}, {"V", yuv.get_V()}});
        add_optional_conditions(yuv.get_ColorSpaceSpecificationSpectrumGeneric(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceYIQ: {
        const auto& yiq = value.get_ColorSpaceYIQ();
        add_numbers(out, {{"Y", yiq.get_Y()}, {"I", yiq.get_I()}, {"Q", yiq.get_Q()}});
        add_optional_conditions(yiq.get_ColorSpaceSpecificationSpectrumGeneric(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceYBR: {
        const auto& ybr = value.get_ColorSpaceYBR();
        add_numbers(out, {{"Y", ybr.get_Y()}, {"B", ybr.get_B()}, {"R", ybr.get_R()}});
        add_optional_conditions(ybr.get_ColorSpaceSpecificationSpectrumGeneric(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceNCS: {
        const auto& ncs = value.get_ColorSpaceNCS();
        add_texts(out, {{"ColorName", ncs.get_ColorName()}});
        add_optional_conditions(ncs.get_ColorSpaceSpecificationSpectrumGeneric(), result);
        break;
    }
    case sg_ColorSpace::ec_ColorSpaceMunsell: {
        const auto& munsell = value.get_ColorSpaceMunsell();
        add_texts(out,
                  {{"CollectionName", munsell.get_CollectionName()}, {"ColorName", munsell.get_ColorName()}});
        add_optional_conditions(munsell.get_ColorSpaceSpecificationSpectrumGeneric(), result);
        break;
    }
    default:
        break; // nothing chosen
    }
    return result;
}

} // namespace kyr_tool
