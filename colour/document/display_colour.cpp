// Display colours of colour records.
#include <kyr/colour/display_colour.hpp>

#include <kyr/colour/document_colours.hpp>
#include <kyr/schema/classes.hpp>

#include <algorithm>
#include <cmath>

namespace kyr::colour {
namespace {

using namespace com_kyrandel_v2;

// Enough kinds of measurement for any real swatch book; a document with more distinct wavelength
// sets than this rebuilds the oldest ones instead of holding a table for every spectrum.
constexpr size_t table_cache_size = 16;

bool same_conditions(const ViewingConditions& a, const ViewingConditions& b)
{
    return a.illuminant == b.illuminant && a.observer == b.observer && a.bandpass == b.bandpass
        && a.illuminant_to_1nm == b.illuminant_to_1nm;
}

int component_8bit(double value)
{
    return static_cast<int>(std::lround(std::fmin(1.0, std::fmax(0.0, value)) * 255.0));
}

} // namespace

RGB8 to_8bit(const DisplayRGB& rgb)
{
    return {component_8bit(rgb.r), component_8bit(rgb.g), component_8bit(rgb.b)};
}

const WeightingTable& DisplayColours::table_for(const std::vector<double>& wavelengths,
                                                const ViewingConditions& conditions)
{
    for (auto it = m_tables.rbegin(); it != m_tables.rend(); ++it)
        if ((*it)->wavelengths() == wavelengths && same_conditions((*it)->conditions(), conditions))
            return **it;
    if (m_tables.size() == table_cache_size)
        m_tables.erase(m_tables.begin());
    m_tables.push_back(std::make_unique<WeightingTable>(wavelengths, conditions));
    return *m_tables.back();
}

std::optional<DisplayRGB> DisplayColours::of_spectrum(const ColorSpaceSpectralType& value,
                                                      const ViewingConditions& conditions, std::string& error)
{
    std::vector<SpectralPoint> points = spectrum_of(value);
    for (const SpectralPoint& point : points)
        if (!std::isfinite(point.wavelength_nm)) { // and a NaN would break the sort's ordering
            error = "a wavelength is not a positive number";
            return std::nullopt;
        }
    std::sort(points.begin(), points.end(), [](const SpectralPoint& a, const SpectralPoint& b) {
        return a.wavelength_nm < b.wavelength_nm;
    });
    std::vector<double> wavelengths, values;
    wavelengths.reserve(points.size());
    values.reserve(points.size());
    for (const SpectralPoint& point : points) {
        if (!std::isfinite(point.value)) {
            error = "a spectral value is not a finite number";
            return std::nullopt;
        }
        wavelengths.push_back(point.wavelength_nm);
        values.push_back(point.value);
    }
    const WeightingTable& table = table_for(wavelengths, conditions);
    if (!table.valid()) {
        error = table.error();
        return std::nullopt;
    }
    return to_sRGB(table.apply(values.data()), table.white());
}

DisplayColour DisplayColours::of(const ColorType& colour)
{
    DisplayColour result;
    std::string spectral_error;
    for (size_t i = 0; i < colour.size_ColorSpace(); ++i) {
        const sg_ColorSpace& value = colour.get_ColorSpace(i);
        if (value.getchosen() != sg_ColorSpace::ec_ColorSpaceSpectral)
            continue;
        const ColorSpaceSpectralType& spectral = value.get_ColorSpaceSpectral();
        const ViewingConditions conditions = spectral_conditions(colour, spectral);
        result.spectra.push_back(of_spectrum(spectral, conditions, spectral_error));
        if (!result.rgb && result.spectra.back()) {
            result.rgb = result.spectra.back();
            result.source = "ColorSpaceSpectral";
            result.illuminant = conditions.illuminant;
            result.observer = conditions.observer;
        }
    }
    if (result.rgb)
        return result;
    // Stored tristimulus values come first there; a spectrum is only reached when one failed above.
    ColourMeasure stored;
    if (measure_colour(colour, {}, stored)) {
        result.rgb = to_sRGB(stored.xyz, stored.white);
        result.source = stored.source;
        result.illuminant = stored.illuminant;
        result.observer = stored.observer;
        return result;
    }
    for (size_t i = 0; i < colour.size_ColorSpace(); ++i) {
        const sg_ColorSpace& value = colour.get_ColorSpace(i);
        if (value.getchosen() == sg_ColorSpace::ec_ColorSpaceSRGB) {
            const ColorSpaceSRGBType& srgb = value.get_ColorSpaceSRGB();
            result.rgb = DisplayRGB{srgb.get_Red(), srgb.get_Green(), srgb.get_Blue(), true};
            result.source = "ColorSpaceSRGB";
            return result;
        }
    }
    result.note = spectral_error.empty() ? "no colorimetric value (spectrum, L*a*b*, XYZ, xyY or sRGB)"
                                         : "spectrum cannot be weighted: " + spectral_error;
    return result;
}

} // namespace kyr::colour
