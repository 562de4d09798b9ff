// The colour values the colour module computes with, and the illuminants and observers it knows.
// Tristimulus values are on the scale where the perfect reflecting diffuser has Y = 100.
#ifndef KYR_COLOUR_COLOUR_TYPES_HPP
#define KYR_COLOUR_COLOUR_TYPES_HPP

#include <kyr/export.hpp>

#include <optional>
#include <string>

namespace kyr::colour {

struct KYR_API XYZ
{
    double X, Y, Z;
};
struct KYR_API xyY
{
    double x, y, Y;
};
struct KYR_API Lab
{
    double L, a, b;
};
struct KYR_API LCh
{
    double L, C, h;
}; // h in degrees, 0 <= h < 360
struct KYR_API Luv
{
    double L, u, v;
};
struct KYR_API HunterLab
{
    double L, a, b;
};

// The CIE illuminants of the document format that have a published spectral power distribution.
// (B has no current CIE table; "9300" and "Custom" are not spectra.)
enum class Illuminant { A, C, D50, D55, D65, D75, E, F2, F3, F7, F11, F12 };
constexpr int illuminant_count = 12;

enum class Observer { two_degree, ten_degree };

// "D65" for Illuminant::D65.
KYR_API const char* illuminant_name(Illuminant illuminant);
// Accepts "D65" and the document's "Illuminant_D65"; nothing for names without a spectrum.
KYR_API std::optional<Illuminant> illuminant_from_name(const std::string& name);
// 2 or 10.
KYR_API int observer_degrees(Observer observer);
KYR_API std::optional<Observer> observer_from_degrees(int degrees);

} // namespace kyr::colour

#endif
