// Tristimulus values of reflectance (or transmittance) spectra by the ASTM E308 method, with
// weighting factors computed as ASTM E2022 describes.
//
// How a spectrum becomes XYZ:
// - The illuminant-observer products S·x̄, S·ȳ, S·z̄ are formed at the illuminant's own
//   tabulation step (1 nm for A, D50, D65, E; 5 nm for C, D55, D75 and the F lamps) from 360 to
//   830 nm, where both the illuminant and the observer are defined; no illuminant value is
//   invented between the CIE's nodes. This gives E308's white points. CIE 15 instead interpolates
//   5 nm illuminants linearly to 1 nm, which moves white points by up to 0.06 (C: Z 118.175
//   against 118.232); `ViewingConditions::illuminant_to_1nm` chooses that.
// - The reflectance between the measured wavelengths is Lagrange-interpolated: a quadratic
//   through three nodes in the first and last interval, a cubic through four nodes inside. A
//   node's weight is the sum of the products times that node's interpolation coefficient; on an
//   even 1, 5, 10 or 20 nm grid from 360 nm these are exactly the E2022 tables (Table 6 of E308).
// - A measured range shorter than the observer's: an evenly spaced grid of 1 nm or coarser is
//   extended by its own step over 360 to 830 nm, the weights are computed on the whole grid, and
//   the weights of the unmeasured nodes are added to the first and last measured node (E308's
//   rule: the reflectance outside the range is taken as the nearest measured one). Products
//   beyond the extended grid's ends go to its end nodes in the same way.
// - Unevenly spaced or fractional wavelengths use the same interpolation on the actual nodes, and
//   the reflectance outside the measured range is the nearest measured one.
// - The weights are normalised so that the perfect reflecting diffuser (R = 1) has Y = 100.
#ifndef KYR_COLOUR_COLORIMETRY_HPP
#define KYR_COLOUR_COLORIMETRY_HPP

#include <kyr/colour/colour_types.hpp>

#include <string>
#include <vector>

namespace kyr::colour {

struct SpectralPoint
{
    double wavelength_nm;
    double value; // reflectance or transmittance factor (1 for the perfect diffuser), or emission
};

// E308 Table 6 weights suit data already corrected for the instrument's bandpass (or measured
// with a narrow one); Table 5 weights fold the E308 bandpass correction into the weights for
// data that was not corrected. Table 5 needs evenly spaced wavelengths.
enum class Bandpass { corrected_table6, uncorrected_table5 };

struct ViewingConditions
{
    Illuminant illuminant = Illuminant::D50;
    Observer observer = Observer::two_degree;
    Bandpass bandpass = Bandpass::corrected_table6;
    bool illuminant_to_1nm = false; // interpolate 5 nm illuminants linearly to 1 nm first
};

// The white point of an illuminant and observer: the products summed, normalised to Y = 100.
XYZ white_point(Illuminant illuminant, Observer observer, bool illuminant_to_1nm = false);

// The weighting factors of one set of wavelengths under one set of conditions. Building one costs
// a pass over the 1 nm products; applying it costs three dot products, so callers that convert
// many spectra of the same wavelengths keep one.
class WeightingTable
{
public:
    // Wavelengths need not be sorted but must be finite, positive and distinct. On failure
    // `valid()` is false and `error()` says why.
    WeightingTable(const std::vector<double>& wavelengths_nm, const ViewingConditions& conditions);

    bool valid() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }
    const std::vector<double>& wavelengths() const { return m_wavelengths; } // ascending
    const ViewingConditions& conditions() const { return m_conditions; }
    XYZ white() const { return m_white; }
    // The weights of the n-th ascending wavelength.
    XYZ weight(size_t n) const;

    // `values` holds one value per wavelength, in ascending order of wavelength.
    XYZ apply(const double* values) const;

private:
    std::vector<double> m_wavelengths;
    std::vector<double> m_weights; // x, y, z per wavelength
    ViewingConditions m_conditions;
    XYZ m_white{0, 0, 0};
    std::string m_error;
};

// One spectrum, in any order of wavelengths. Returns false and sets `error` for bad wavelengths
// or values that are not finite.
bool tristimulus(const std::vector<SpectralPoint>& spectrum, const ViewingConditions& conditions, XYZ& result,
                 std::string* error = nullptr);

// Relative colorimetry of a light: the XYZ of an emission spectrum (radiance, irradiance or a
// relative power, in any unit, since the format states none) scaled so that Y = 100. The colour
// matching functions are weighted as above with the equal-energy illuminant, so wavelengths,
// interpolation and the measured range follow the same rules; the light is its own reference of
// brightness, and only its chromaticity and the ratios X/Y and Z/Y carry information. False, with
// `error`, for bad wavelengths or values and for an emission whose Y is not finite and above 0.
bool emission_tristimulus(const std::vector<SpectralPoint>& emission, Observer observer, Bandpass bandpass,
                          XYZ& result, std::string* error = nullptr);

} // namespace kyr::colour

#endif
