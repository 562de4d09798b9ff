// Reading colour values and their measurement conditions out of colour records.
#include <kyr/colour/document_colours.hpp>

#include <kyr/colour/conversions.hpp>
#include <kyr/lmx/strings.hpp>
#include <kyr/schema/classes.hpp>

namespace kyr::colour {
namespace {

using namespace com_kyrandel_v2;

struct stated_conditions
{
    std::optional<Illuminant> illuminant;
    std::optional<Observer> observer;
    std::optional<XYZ> white; // known when the illuminant is, or from a chromaticity
};

std::optional<Observer> observer_of(const std::wstring& field_of_view)
{
    if (field_of_view == L"FieldOfView_2_Degree")
        return Observer::two_degree;
    if (field_of_view == L"FieldOfView_10_Degree")
        return Observer::ten_degree;
    return std::nullopt;
}

stated_conditions conditions_of(const ColorSpaceSpecificationSpectrumTristimulusType& specification)
{
    stated_conditions stated;
    stated.observer = observer_of(specification.get_FieldOfView());
    const Observer observer = stated.observer.value_or(Observer::two_degree);
    const IlluminationOptionsType& options = specification.get_IlluminationOptions();
    if (options.getchosen() == IlluminationOptionsType::ec_Illuminant) {
        stated.illuminant =
            illuminant_from_name(lmx::convert_to_narrow(options.get_Illuminant().get_Illuminant()));
        if (stated.illuminant)
            stated.white = white_point(*stated.illuminant, observer);
    } else if (options.getchosen() == IlluminationOptionsType::ec_WhitePointChromaticity) {
        const WhitePointChromaticity& xy = options.get_WhitePointChromaticity();
        if (xy.get_CoordinateY() > 0)
            stated.white = to_XYZ(xyY{xy.get_CoordinateX(), xy.get_CoordinateY(), 100.0});
    }
    return stated;
}

// The tristimulus specification of a stored value, or null for other colour spaces.
const ColorSpaceSpecificationSpectrumTristimulusType* tristimulus_specification(const sg_ColorSpace& value)
{
    switch (value.getchosen()) {
    case sg_ColorSpace::ec_ColorSpaceCIELab:
        return &value.get_ColorSpaceCIELab().get_ColorSpaceSpecificationSpectrumTristimulus();
    case sg_ColorSpace::ec_ColorSpaceCIELCh:
        return &value.get_ColorSpaceCIELCh().get_ColorSpaceSpecificationSpectrumTristimulus();
    case sg_ColorSpace::ec_ColorSpaceCIEXYZ:
        return &value.get_ColorSpaceCIEXYZ().get_ColorSpaceSpecificationSpectrumTristimulus();
    case sg_ColorSpace::ec_ColorSpaceCIExyY:
        return &value.get_ColorSpaceCIExyY().get_ColorSpaceSpecificationSpectrumTristimulus();
    case sg_ColorSpace::ec_ColorSpaceCIELuv:
        return &value.get_ColorSpaceCIELuv().get_ColorSpaceSpecificationSpectrumTristimulus();
    default:
        return nullptr;
    }
}

// A stored value as XYZ and L*a*b*; false for colour spaces that are not CIE tristimulus ones
// or whose white is unknown. The document's XYZ and Y are on a 0 to 1 scale.
bool stored_measure(const sg_ColorSpace& value, ColourMeasure& result)
{
    const ColorSpaceSpecificationSpectrumTristimulusType* specification = tristimulus_specification(value);
    if (!specification || value.getchosen() == sg_ColorSpace::ec_ColorSpaceCIELuv)
        return false;
    const stated_conditions stated = conditions_of(*specification);
    if (!stated.white)
        return false;
    result.white = *stated.white;
    result.illuminant = stated.illuminant;
    result.observer = stated.observer;
    switch (value.getchosen()) {
    case sg_ColorSpace::ec_ColorSpaceCIELab: {
        const ColorSpaceCIELabType& lab = value.get_ColorSpaceCIELab();
        result.lab = {lab.get_L(), lab.get_A(), lab.get_B()};
        result.xyz = to_XYZ(result.lab, result.white);
        result.source = "ColorSpaceCIELab";
        return true;
    }
    case sg_ColorSpace::ec_ColorSpaceCIELCh: {
        const ColorSpaceCIELChType& lch = value.get_ColorSpaceCIELCh();
        result.lab = to_Lab(LCh{lch.get_L(), lch.get_C(), lch.get_H()});
        result.xyz = to_XYZ(result.lab, result.white);
        result.source = "ColorSpaceCIELCh";
        return true;
    }
    case sg_ColorSpace::ec_ColorSpaceCIEXYZ: {
        const ColorSpaceCIEXYZType& xyz = value.get_ColorSpaceCIEXYZ();
        result.xyz = {100.0 * xyz.get_X(), 100.0 * xyz.get_Y(), 100.0 * xyz.get_Z()};
        result.source = "ColorSpaceCIEXYZ";
        break;
    }
    default: {
        const ColorSpaceCIExyYType& xyy = value.get_ColorSpaceCIExyY();
        result.xyz = to_XYZ(xyY{xyy.get_X(), xyy.get_Y(), 100.0 * xyy.get_CapY()});
        result.source = "ColorSpaceCIExyY";
        break;
    }
    }
    result.lab = to_Lab(result.xyz, result.white);
    return true;
}

bool fits(const ColourMeasure& measure, const ConditionsRequest& request)
{
    return (!request.illuminant || measure.illuminant == request.illuminant)
        && (!request.observer || measure.observer == request.observer);
}

// The conditions of either kind of spectral value: the illuminant and observer of the rules,
// the bandpass handling from the value's own ASTM_Table.
ViewingConditions conditions_of_spectrum(const ColorType& colour, bool uncorrected,
                                         const ConditionsRequest& request)
{
    ViewingConditions conditions;
    if (uncorrected)
        conditions.bandpass = Bandpass::uncorrected_table5;
    for (size_t i = 0; i < colour.size_ColorSpace(); ++i) {
        const ColorSpaceSpecificationSpectrumTristimulusType* stated =
            tristimulus_specification(colour.get_ColorSpace(i));
        if (!stated)
            continue;
        const stated_conditions found = conditions_of(*stated);
        if (found.illuminant) {
            conditions.illuminant = *found.illuminant;
            conditions.observer = found.observer.value_or(Observer::two_degree);
            break;
        }
    }
    conditions.illuminant = request.illuminant.value_or(conditions.illuminant);
    conditions.observer = request.observer.value_or(conditions.observer);
    return conditions;
}

template <class Specification>
bool uncorrected(const Specification& specification)
{
    return specification.isset_ASTM_Table() && specification.get_ASTM_Table() == L"E308_Table5";
}

bool spectral_measure(const ColorType& colour, const sg_ColorSpace& value, const ConditionsRequest& request,
                      ColourMeasure& result, std::string* error)
{
    ViewingConditions conditions;
    if (value.getchosen() == sg_ColorSpace::ec_ColorSpaceSpectral) {
        const ColorSpaceSpectralType& spectral = value.get_ColorSpaceSpectral();
        conditions = spectral_conditions(colour, spectral, request);
        if (!tristimulus(spectrum_of(spectral), conditions, result.xyz, error))
            return false;
        result.source = "ColorSpaceSpectral";
    } else {
        const ColorSpaceEmissiveSpectralType& emissive = value.get_ColorSpaceEmissiveSpectral();
        conditions = spectral_conditions(colour, emissive, request);
        if (!emission_tristimulus(spectrum_of(emissive), conditions.observer, conditions.bandpass, result.xyz,
                                  error))
            return false;
        result.source = "ColorSpaceEmissiveSpectral";
    }
    result.white = white_point(conditions.illuminant, conditions.observer);
    result.lab = to_Lab(result.xyz, result.white);
    result.illuminant = conditions.illuminant;
    result.observer = conditions.observer;
    return true;
}

bool is_spectral(const sg_ColorSpace& value)
{
    return value.getchosen() == sg_ColorSpace::ec_ColorSpaceSpectral
        || value.getchosen() == sg_ColorSpace::ec_ColorSpaceEmissiveSpectral;
}

} // namespace

std::vector<SpectralPoint> spectrum_of(const ColorSpaceSpectralType& value)
{
    std::vector<SpectralPoint> points;
    points.reserve(value.size_ReflectancePoint());
    for (size_t i = 0; i < value.size_ReflectancePoint(); ++i) {
        const ReflectancePointType& point = value.get_ReflectancePoint(i);
        points.push_back({point.get_Wavelength(), point.get_ReflectancePointType()});
    }
    return points;
}

std::vector<SpectralPoint> spectrum_of(const ColorSpaceEmissiveSpectralType& value)
{
    std::vector<SpectralPoint> points;
    points.reserve(value.size_EmissiveSpectralPoint());
    for (size_t i = 0; i < value.size_EmissiveSpectralPoint(); ++i) {
        const EmissiveSpectralPointType& point = value.get_EmissiveSpectralPoint(i);
        points.push_back({point.get_Wavelength(), point.get_EmissiveSpectralPointType()});
    }
    return points;
}

ViewingConditions spectral_conditions(const ColorType& colour, const ColorSpaceSpectralType& value,
                                      const ConditionsRequest& request)
{
    return conditions_of_spectrum(colour, uncorrected(value.get_ColorSpaceSpecificationSpectrumSpectral()),
                                  request);
}

ViewingConditions spectral_conditions(const ColorType& colour, const ColorSpaceEmissiveSpectralType& value,
                                      const ConditionsRequest& request)
{
    return conditions_of_spectrum(colour, uncorrected(value.get_ColorSpaceSpecificationEmissiveSpectral()),
                                  request);
}

std::vector<ColourMeasure> spectral_measures(const ColorType& colour, const ConditionsRequest& request,
                                             std::vector<std::string>* errors)
{
    std::vector<ColourMeasure> measures;
    for (size_t i = 0; i < colour.size_ColorSpace(); ++i) {
        const sg_ColorSpace& value = colour.get_ColorSpace(i);
        if (!is_spectral(value))
            continue;
        ColourMeasure measure;
        std::string error;
        if (spectral_measure(colour, value, request, measure, &error))
            measures.push_back(measure);
        else if (errors)
            errors->push_back(error);
    }
    return measures;
}

bool measure_colour(const ColorType& colour, const ConditionsRequest& request, ColourMeasure& result,
                    std::string* error)
{
    for (size_t i = 0; i < colour.size_ColorSpace(); ++i)
        if (stored_measure(colour.get_ColorSpace(i), result) && fits(result, request))
            return true;
    for (size_t i = 0; i < colour.size_ColorSpace(); ++i) {
        const sg_ColorSpace& value = colour.get_ColorSpace(i);
        if (is_spectral(value))
            return spectral_measure(colour, value, request, result, error);
    }
    if (error) {
        *error = "no L*a*b*, L*C*h, XYZ or xyY value";
        if (request.illuminant || request.observer)
            *error += std::string(" under ")
                + (request.illuminant ? illuminant_name(*request.illuminant) : "any illuminant")
                + (request.observer ? "/" + std::to_string(observer_degrees(*request.observer)) + "°" : "");
        *error += " and no spectrum";
    }
    return false;
}

} // namespace kyr::colour
