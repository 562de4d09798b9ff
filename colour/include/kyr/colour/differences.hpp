// Colour differences between a standard (reference) and a sample, in that order: CIE94 and CMC
// weight by the standard's chroma and hue, so swapping the two changes the result.
#ifndef KYR_COLOUR_DIFFERENCES_HPP
#define KYR_COLOUR_DIFFERENCES_HPP

#include <kyr/export.hpp>

#include <kyr/colour/colour_types.hpp>

namespace kyr::colour {

// ΔE*ab (CIE 1976).
KYR_API double delta_e76(const Lab& standard, const Lab& sample);

// CIE94 (CIE 116-1995). Graphic arts: kL = 1, K1 = 0.045, K2 = 0.015; textiles: kL = 2,
// K1 = 0.048, K2 = 0.014.
struct KYR_API CIE94Weights
{
    double kL = 1, kC = 1, kH = 1;
    double K1 = 0.045, K2 = 0.015;
    static CIE94Weights textiles() { return {2, 1, 1, 0.048, 0.014}; }
};
KYR_API double delta_e94(const Lab& standard, const Lab& sample, const CIE94Weights& weights = {});

// CIEDE2000 (CIE 142-2001), as in Sharma, Wu and Dalal (2005).
KYR_API double delta_e2000(const Lab& standard, const Lab& sample, double kL = 1, double kC = 1,
                           double kH = 1);

// CMC l:c (Clarke, McDonald and Rigg 1984); 2:1 for acceptability, 1:1 for perceptibility.
KYR_API double delta_e_cmc(const Lab& standard, const Lab& sample, double l = 2, double c = 1);

// DIN99o, the form of DIN 6176 since 2018: the 2001 DIN99 space re-optimised on the same
// visual data sets (better at blue and near-neutral colours), and the form current tools
// expect. kE and kCH are 1 for reference conditions (textiles use kE = 2, kCH = 0.5).
KYR_API Lab to_DIN99o(const Lab& lab, double kE = 1, double kCH = 1);
KYR_API double delta_e_din99o(const Lab& standard, const Lab& sample, double kE = 1, double kCH = 1);

// Euclidean difference in Hunter Lab.
KYR_API double delta_e_hunter(const HunterLab& standard, const HunterLab& sample);

// Signed per-axis differences, sample minus standard. ΔH* = 2·√(C1·C2)·sin(Δh/2) carries the
// sign of the hue turn (positive anticlockwise) and never goes imaginary through rounding.
struct KYR_API LabDeltas
{
    double dL, da, db, dC, dH;
};
KYR_API LabDeltas lab_deltas(const Lab& standard, const Lab& sample);

} // namespace kyr::colour

#endif
