// Whiteness, tint, yellowness, metamerism and colour strength.
#ifndef KYR_COLOUR_INDICES_HPP
#define KYR_COLOUR_INDICES_HPP

#include <kyr/export.hpp>

#include <kyr/colour/colorimetry.hpp>
#include <kyr/colour/colour_types.hpp>

#include <optional>
#include <string>
#include <vector>

namespace kyr::colour {

// CIE whiteness W = Y + 800·(xn − x) + 1700·(yn − y) and tint T = k·(xn − x) − 650·(yn − y),
// k = 1000 for the 2° observer and 900 for 10° (CIE 15), for a sample measured under D65.
struct KYR_API WhitenessTint
{
    double whiteness, tint;
};
KYR_API WhitenessTint cie_whiteness(const XYZ& sample_d65, Observer observer);
// With an explicit white chromaticity (xn, yn).
KYR_API WhitenessTint cie_whiteness(const XYZ& sample, double xn, double yn, Observer observer);

// ASTM E313 yellowness YI = 100·(Cx·X − Cz·Z)/Y, with the coefficients of the illuminant and
// observer; E313 gives them for C and D65 only, so other illuminants have none.
KYR_API std::optional<double> yellowness_e313(const XYZ& sample, Illuminant illuminant, Observer observer);

// CIE special metamerism index for a change of illuminant (CIE 15, DIN 6172): ΔE*ab of the pair
// under the test illuminant after the multiplicative correction that makes the pair match under
// the reference illuminant (the sample's XYZ scaled by standard/sample under the reference).
KYR_API double metamerism_index(const XYZ& standard_reference, const XYZ& sample_reference,
                                const XYZ& standard_test, const XYZ& sample_test, const XYZ& test_white);
// The same from spectra on the same wavelengths; false (with `error`) when either cannot be
// weighted.
KYR_API bool metamerism_index(const std::vector<SpectralPoint>& standard,
                              const std::vector<SpectralPoint>& sample, const ViewingConditions& reference,
                              const ViewingConditions& test, double& result, std::string* error = nullptr);

// Kubelka-Munk K/S = (1 − R)²/(2R) of an opaque layer's reflectance factor; R at or below zero is
// taken as 0.0001, the darkest reflectance an instrument reports.
KYR_API double kubelka_munk(double reflectance);

// Colour strength of a sample relative to its standard, in percent, from K/S:
// at the standard's wavelength of maximum absorption (its lowest reflectance), or the sums of K/S
// over the spectrum weighted by the illuminant-observer sum W̄x + W̄y + W̄z.
enum class StrengthMethod { maximum_absorption, weighted_sum };
KYR_API bool colour_strength(const std::vector<SpectralPoint>& standard,
                             const std::vector<SpectralPoint>& sample, StrengthMethod method,
                             const ViewingConditions& conditions, double& percent,
                             std::string* error = nullptr);

} // namespace kyr::colour

#endif
