// Conversions between the CIE colour spaces, Hunter Lab, the Bradford chromatic adaptation and
// sRGB. Every function that needs a white takes it explicitly, on the same scale as the XYZ.
#ifndef KYR_COLOUR_CONVERSIONS_HPP
#define KYR_COLOUR_CONVERSIONS_HPP

#include <kyr/export.hpp>

#include <kyr/colour/colour_types.hpp>

namespace kyr::colour {

// Black (X + Y + Z = 0) takes the chromaticity of `white`.
KYR_API xyY to_xyY(const XYZ& xyz, const XYZ& white);
KYR_API XYZ to_XYZ(const xyY& value);

// CIE 1976 L*a*b* with the CIE's exact constants (ε = 216/24389, κ = 24389/27).
KYR_API Lab to_Lab(const XYZ& xyz, const XYZ& white);
KYR_API XYZ to_XYZ(const Lab& lab, const XYZ& white);

KYR_API LCh to_LCh(const Lab& lab);
KYR_API Lab to_Lab(const LCh& lch);

// CIE 1976 L*u*v*; black gives u* = v* = 0.
KYR_API Luv to_Luv(const XYZ& xyz, const XYZ& white);

// Hunter Lab: L = 100·√(Y/Yn), a = Ka·(X/Xn − Y/Yn)/√(Y/Yn), b = Kb·(Y/Yn − Z/Zn)/√(Y/Yn).
// Without Ka and Kb they follow the white: Ka = 175/198.04·(Xn + Yn), Kb = 70/218.11·(Yn + Zn)
// (white on the Y = 100 scale).
KYR_API HunterLab to_HunterLab(const XYZ& xyz, const XYZ& white);
KYR_API HunterLab to_HunterLab(const XYZ& xyz, const XYZ& white, double ka, double kb);

// Bradford chromatic adaptation of `xyz` seen under `source_white` to `destination_white`.
KYR_API XYZ adapt_bradford(const XYZ& xyz, const XYZ& source_white, const XYZ& destination_white);

// sRGB (IEC 61966-2-1) for display: encoded components 0 to 1, clipped into the gamut;
// `in_gamut` says whether the colour needed no clipping.
struct KYR_API DisplayRGB
{
    double r, g, b;
    bool in_gamut;
};

// `xyz` relative to `white` (Y = 100 for the white) is first adapted to sRGB's D65 by Bradford.
KYR_API DisplayRGB to_sRGB(const XYZ& xyz, const XYZ& white);
// Encoded sRGB components 0 to 1 to XYZ relative to sRGB's D65 white (Y = 100).
KYR_API XYZ from_sRGB(double r, double g, double b);
// sRGB's reference white (D65, x = 0.3127, y = 0.3290) as the standard's matrix gives it, Y = 100.
KYR_API XYZ srgb_white();

} // namespace kyr::colour

#endif
