// How colour records look on an sRGB display: the colour's best colorimetric value, adapted to
// sRGB's D65 white by Bradford and clipped into the sRGB gamut, or the reason it has none.
//
// The best value, first that applies:
// 1. its first reflectance spectrum, seen under the conditions document_colours.hpp describes;
// 2. its first stored L*a*b*, L*C*h, XYZ or xyY whose white is known;
// 3. a stored sRGB value, shown as it is.
// Device values (RGB of an unknown device, CMYK, inks, densities, recipes) and named systems
// (NCS, Munsell) say nothing about how the colour looks, so they give no display colour.
#ifndef KYR_COLOUR_DISPLAY_COLOUR_HPP
#define KYR_COLOUR_DISPLAY_COLOUR_HPP

#include <kyr/export.hpp>

#include <kyr/colour/colorimetry.hpp>
#include <kyr/colour/conversions.hpp>
#include <kyr/schema/classes/ColorSpaceSpectralType.hpp>
#include <kyr/schema/classes/ColorType.hpp>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kyr::colour {

struct KYR_API DisplayColour
{
    std::optional<DisplayRGB> rgb;        // empty when the colour has no colorimetric value
    std::string source;                   // the colour space it came from: "ColorSpaceSpectral" ...
    std::optional<Illuminant> illuminant; // the conditions the value was seen under, when known
    std::optional<Observer> observer;
    std::string note; // why `rgb` is empty
    // Each reflectance spectrum of the colour in document order, as its own display colour;
    // empty for one whose points cannot be weighted.
    std::vector<std::optional<DisplayRGB>> spectra;
};

// 8-bit sRGB components, rounded, 0 to 255.
struct KYR_API RGB8
{
    int r, g, b;
};
KYR_API RGB8 to_8bit(const DisplayRGB& rgb);

// Turns colour records into display colours. Spectra with the same wavelengths under the same
// conditions share one weighting table, so a swatch book of thousands of spectra builds a table
// per kind of measurement rather than per spectrum.
class KYR_API DisplayColours
{
public:
    DisplayColour of(const com_kyrandel_v2::ColorType& colour);

private:
    std::optional<DisplayRGB> of_spectrum(const com_kyrandel_v2::ColorSpaceSpectralType& value,
                                          const ViewingConditions& conditions, std::string& error);
    const WeightingTable& table_for(const std::vector<double>& wavelengths,
                                    const ViewingConditions& conditions);

    std::vector<std::unique_ptr<WeightingTable>> m_tables; // the most recent last
};

} // namespace kyr::colour

#endif
