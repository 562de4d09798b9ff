// The colours of a document's colour records as XYZ and L*a*b*: stored tristimulus values
// read with their own conditions, spectra computed under the conditions the document gives them.
//
// Which illuminant and observer a spectral value is seen under, first rule that applies:
// 1. what the caller asks for;
// 2. the illuminant and field of view of the first tristimulus value (L*a*b*, L*C*h, XYZ, xyY,
//    L*u*v*) of the same colour that names an illuminant: the document's own statement of how the
//    colour is viewed;
// 3. D50 and the 2° observer, the graphic-arts viewing conditions.
// The spectral value's ASTM_Table chooses the bandpass handling: "E308_Table5" means uncorrected
// data (E308's correction is applied), anything else corrected data.
//
// An emissive spectral value (ColorSpaceEmissiveSpectral: a light, such as a display's or a
// lamp's output) is a light's relative colorimetry (`emission_tristimulus`): its XYZ under the
// observer of the rules above, scaled to Y = 100, and its L*a*b* relative to the white of the
// illuminant of the same rules (D50 unless the document or the caller names another). So L* is
// 100 and a*, b* say how far the light's colour lies from that white: the format gives no unit or
// reference for the emission, which leaves the light's own brightness unknown.
#ifndef KYR_COLOUR_DOCUMENT_COLOURS_HPP
#define KYR_COLOUR_DOCUMENT_COLOURS_HPP

#include <kyr/colour/colorimetry.hpp>
#include <kyr/colour/colour_types.hpp>
#include <kyr/schema/classes/ColorSpaceEmissiveSpectralType.hpp>
#include <kyr/schema/classes/ColorSpaceSpectralType.hpp>
#include <kyr/schema/classes/ColorType.hpp>

#include <optional>
#include <string>
#include <vector>

namespace kyr::colour {

struct ConditionsRequest
{
    std::optional<Illuminant> illuminant;
    std::optional<Observer> observer;
};

// A colour as tristimulus values and L*a*b* relative to `white` (Y = 100).
struct ColourMeasure
{
    XYZ xyz;
    Lab lab;
    XYZ white;
    // The illuminant and observer when the document names them; a white given only as a
    // chromaticity or colour temperature leaves `illuminant` empty.
    std::optional<Illuminant> illuminant;
    std::optional<Observer> observer;
    std::string source; // the colour space it came from: "ColorSpaceCIELab", "ColorSpaceSpectral",
                        // "ColorSpaceEmissiveSpectral" ...
};

// The reflectance points of a spectral value, or the emission points of an emissive one, in
// document order.
std::vector<SpectralPoint> spectrum_of(const com_kyrandel_v2::ColorSpaceSpectralType& value);
std::vector<SpectralPoint> spectrum_of(const com_kyrandel_v2::ColorSpaceEmissiveSpectralType& value);

// The conditions under which the spectral values of `colour` are seen (the rules above).
ViewingConditions spectral_conditions(const com_kyrandel_v2::ColorType& colour,
                                      const com_kyrandel_v2::ColorSpaceSpectralType& value,
                                      const ConditionsRequest& request = {});
ViewingConditions spectral_conditions(const com_kyrandel_v2::ColorType& colour,
                                      const com_kyrandel_v2::ColorSpaceEmissiveSpectralType& value,
                                      const ConditionsRequest& request = {});

// Every spectral value of `colour` (reflectance, transmittance or emission), converted; values
// whose points cannot be weighted are left out and their reason appended to `errors`.
std::vector<ColourMeasure> spectral_measures(const com_kyrandel_v2::ColorType& colour,
                                             const ConditionsRequest& request = {},
                                             std::vector<std::string>* errors = nullptr);

// The colour's L*a*b*: the first stored tristimulus value whose illuminant and observer fit the
// request (any, when the request names none), else computed from its first spectral value
// (reflectance, transmittance or emission) under the requested conditions. False, with the reason, when the
// colour has neither.
bool measure_colour(const com_kyrandel_v2::ColorType& colour, const ConditionsRequest& request,
                    ColourMeasure& result, std::string* error = nullptr);

} // namespace kyr::colour

#endif
