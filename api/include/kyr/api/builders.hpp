// The parts every document needs, filled in one call each: the header, a colour with its
// L*a*b* value, a spectral value. Each throws kyr::error when a value breaks a facet.
#ifndef KYR_API_BUILDERS_HPP
#define KYR_API_BUILDERS_HPP

#include <kyr/export.hpp>

#include <kyr/api/classes/ColorType.hpp>
#include <kyr/api/classes/Kyr.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace kyr {

/// What a document's header must say.
struct KYR_API header_fields
{
    std::string creator;         ///< the program that made the document
    std::string creator_version; ///< its version
    std::string purpose;         ///< what the document is for
    std::string stamp;           ///< when it was made, such as "2026-12-05T12:00:00Z"
};

/// The conditions a value was measured or computed under, and when.
struct KYR_API conditions
{
    std::string stamp;                             ///< the change-history stamp of every part
    std::string illuminant = "Illuminant_D50";     ///< an Illuminant value
    std::string observer = "FieldOfView_2_Degree"; ///< a FieldOfView value
};

/// An L*a*b* value.
struct KYR_API lab
{
    double l;
    double a;
    double b;
};

/// Reflectance factors at evenly spaced wavelengths, in nanometres.
struct KYR_API spectrum
{
    double start;               ///< wavelength of the first value
    double interval;            ///< distance between two values
    std::vector<double> values; ///< one reflectance factor per wavelength
};

/// Fills the header of `document` and returns it.
KYR_API Header fill_header(Document& document, const header_fields& fields);

/// Names `colour`, stamps it and adds an L*a*b* value measured under `measured`; returns the value.
KYR_API ColorSpaceCIELabType add_lab(ColorType colour, std::string_view name, const lab& value,
                                     const conditions& measured);

/// Adds a reflectance spectrum measured with an integrating sphere to `colour`; returns it.
KYR_API ColorSpaceSpectralType add_spectrum(ColorType colour, const spectrum& value,
                                            const conditions& measured);

} // namespace kyr

#endif
