// Colour-difference formulas.
#include <kyr/colour/differences.hpp>

#include <kyr/colour/conversions.hpp>

#include <algorithm>
#include <cmath>

namespace kyr::colour {
namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double degrees = pi / 180.0;

double square(double v)
{
    return v * v;
}

// √(a² + b²) without std::hypot's care for overflow, which L*a*b* values never need.
double chroma(double a, double b)
{
    return std::sqrt(a * a + b * b);
}

double seventh_power(double v)
{
    const double v2 = v * v;
    return v2 * v2 * v2 * v;
}

// cos and sin of the fixed angles of CIEDE2000's T.
const double cos_30 = std::cos(30.0 * degrees), sin_30 = std::sin(30.0 * degrees);
const double cos_6 = std::cos(6.0 * degrees), sin_6 = std::sin(6.0 * degrees);
const double cos_63 = std::cos(63.0 * degrees), sin_63 = std::sin(63.0 * degrees);

// Angle of (x, y) in degrees, [0, 360), within 1e-13° of std::atan2 at a fraction of its cost:
// the ratio of the smaller to the larger coordinate is brought within 1/16 of a multiple of 1/8,
// whose arctangent is tabled, and the remainder's arctangent is its series to the 11th power.
const double atan_eighths[9] = {std::atan(0.0),   std::atan(0.125), std::atan(0.25),
                                std::atan(0.375), std::atan(0.5),   std::atan(0.625),
                                std::atan(0.75),  std::atan(0.875), std::atan(1.0)};

double hue_degrees(double y, double x)
{
    const double ax = std::fabs(x), ay = std::fabs(y);
    const double big = std::max(ax, ay), small = std::min(ax, ay);
    if (big == 0)
        return 0;
    const double t = small / big;
    if (std::isnan(t)) { // a NaN, or both infinite: the table cannot be indexed
        const double h = std::atan2(y, x) / degrees;
        return h < 0 ? h + 360.0 : h;
    }
    const int k = int(t * 8.0 + 0.5);
    const double c = k * 0.125;
    const double r = (t - c) / (1.0 + t * c), r2 = r * r;
    const double series =
        r * (1.0 + r2 * (-1.0 / 3 + r2 * (1.0 / 5 + r2 * (-1.0 / 7 + r2 * (1.0 / 9 + r2 * (-1.0 / 11))))));
    double angle = atan_eighths[k] + series;
    if (ay > ax)
        angle = pi / 2 - angle;
    if (x < 0)
        angle = pi - angle;
    angle /= degrees;
    if (y < 0)
        angle = 360.0 - angle;
    return angle < 360.0 ? angle : 0.0;
}

// ΔH² from the Cartesian differences; it is a difference of nearly equal squares when the hues
// agree, and rounding must not push it below zero.
double delta_h_squared(const Lab& standard, const Lab& sample, double dC)
{
    return std::max(0.0, square(sample.a - standard.a) + square(sample.b - standard.b) - square(dC));
}

} // namespace

double delta_e76(const Lab& standard, const Lab& sample)
{
    return std::sqrt(square(sample.L - standard.L) + square(sample.a - standard.a)
                     + square(sample.b - standard.b));
}

double delta_e94(const Lab& standard, const Lab& sample, const CIE94Weights& w)
{
    const double c1 = chroma(standard.a, standard.b);
    const double dC = chroma(sample.a, sample.b) - c1;
    const double sC = 1.0 + w.K1 * c1, sH = 1.0 + w.K2 * c1;
    return std::sqrt(square((sample.L - standard.L) / w.kL) + square(dC / (w.kC * sC))
                     + delta_h_squared(standard, sample, dC) / square(w.kH * sH));
}

double delta_e2000(const Lab& standard, const Lab& sample, double kL, double kC, double kH)
{
    const double c_mean = (chroma(standard.a, standard.b) + chroma(sample.a, sample.b)) / 2.0;
    const double c7 = seventh_power(c_mean);
    const double g = 0.5 * (1.0 - std::sqrt(c7 / (c7 + 6103515625.0))); // 25^7
    const double a1 = (1.0 + g) * standard.a, a2 = (1.0 + g) * sample.a;
    const double b1 = standard.b, b2 = sample.b;
    const double c1 = chroma(a1, b1), c2 = chroma(a2, b2);
    const double dL = sample.L - standard.L, dC = c2 - c1;

    // The hue vectors scaled to the same length c1·c2: their difference is c1·c2 times the chord
    // 2·sin(|Δh|/2), their cross product has the sign of Δh, and their sum points along the mean
    // hue. No division and one angle (for the blue-region rotation) instead of two. Within 0.06°
    // of opposite hues the sum vanishes and the two angles decide.
    const double c12 = c1 * c2;
    const double sum_a = c2 * a1 + c1 * a2, sum_b = c2 * b1 + c1 * b2;
    const double sum = chroma(sum_a, sum_b);
    double h_mean, cos1, sin1, turn;
    if (c12 != 0 && sum > 1e-3 * c12) {
        cos1 = sum_a / sum;
        sin1 = sum_b / sum;
        h_mean = hue_degrees(sum_b, sum_a);
        turn = a1 * b2 - b1 * a2;
    } else {
        // Exactly opposite hues are 180° apart, whichever way the rounding of the angles went.
        const bool opposite = c12 != 0 && a1 * b2 == b1 * a2;
        const double h1 = c1 != 0 ? hue_degrees(b1, a1) : 0, h2 = c2 != 0 ? hue_degrees(b2, a2) : 0;
        turn = h2 - h1;
        if (turn > 180.0 && !opposite)
            turn -= 360.0;
        else if (turn < -180.0 && !opposite)
            turn += 360.0;
        h_mean = h1 + h2;
        if (c12 != 0) {
            if (opposite || std::fabs(h1 - h2) <= 180.0)
                h_mean /= 2.0;
            else
                h_mean = h_mean < 360.0 ? (h_mean + 360.0) / 2.0 : (h_mean - 360.0) / 2.0;
        }
        cos1 = std::cos(h_mean * degrees);
        sin1 = std::sin(h_mean * degrees);
    }
    const double chord = c12 != 0 ? chroma(c1 * a2 - c2 * a1, c1 * b2 - c2 * b1) / std::sqrt(c12) : 0;
    const double dH = turn < 0 ? -chord : chord;

    // T = 1 − 0.17·cos(h̄ − 30°) + 0.24·cos(2h̄) + 0.32·cos(3h̄ + 6°) − 0.20·cos(4h̄ − 63°), the
    // multiple angles from one cosine and sine.
    const double cos2 = cos1 * cos1 - sin1 * sin1, sin2 = 2.0 * sin1 * cos1;
    const double cos3 = cos1 * cos2 - sin1 * sin2, sin3 = sin1 * cos2 + cos1 * sin2;
    const double cos4 = cos2 * cos2 - sin2 * sin2, sin4 = 2.0 * sin2 * cos2;
    const double t = 1.0 - 0.17 * (cos1 * cos_30 + sin1 * sin_30) + 0.24 * cos2
        + 0.32 * (cos3 * cos_6 - sin3 * sin_6) - 0.20 * (cos4 * cos_63 + sin4 * sin_63);
    // The blue-region rotation; 160° or more from 275° it is below 1e-17 of the result.
    const double l_mean = (standard.L + sample.L) / 2.0, cp_mean = (c1 + c2) / 2.0;
    double r_t = 0;
    if (std::fabs(h_mean - 275.0) < 160.0) {
        const double cp7 = seventh_power(cp_mean);
        const double d_theta = 30.0 * std::exp(-square((h_mean - 275.0) * 0.04));
        r_t = -std::sin(2.0 * d_theta * degrees) * 2.0 * std::sqrt(cp7 / (cp7 + 6103515625.0));
    }
    const double l50 = square(l_mean - 50.0);
    const double sL = 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
    const double sC = 1.0 + 0.045 * cp_mean, sH = 1.0 + 0.015 * cp_mean * t;
    const double l = dL / (kL * sL), c = dC / (kC * sC), h = dH / (kH * sH);
    return std::sqrt(l * l + c * c + h * h + r_t * c * h);
}

double delta_e_cmc(const Lab& standard, const Lab& sample, double l, double c)
{
    const double c1 = chroma(standard.a, standard.b), h1 = hue_degrees(standard.b, standard.a);
    const double dC = chroma(sample.a, sample.b) - c1;
    const double sL = standard.L < 16.0 ? 0.511 : 0.040975 * standard.L / (1.0 + 0.01765 * standard.L);
    const double sC = 0.0638 * c1 / (1.0 + 0.0131 * c1) + 0.638;
    const double c4 = square(square(c1));
    const double f = std::sqrt(c4 / (c4 + 1900.0));
    const double t = (h1 >= 164.0 && h1 <= 345.0) ? 0.56 + std::fabs(0.2 * std::cos((h1 + 168.0) * degrees))
                                                  : 0.36 + std::fabs(0.4 * std::cos((h1 + 35.0) * degrees));
    const double sH = sC * (f * t + 1.0 - f);
    return std::sqrt(square((sample.L - standard.L) / (l * sL)) + square(dC / (c * sC))
                     + delta_h_squared(standard, sample, dC) / square(sH));
}

Lab to_DIN99o(const Lab& lab, double kE, double kCH)
{
    const double theta = 26.0 * degrees;
    const double e = lab.a * std::cos(theta) + lab.b * std::sin(theta);
    const double f = 0.83 * (lab.b * std::cos(theta) - lab.a * std::sin(theta));
    const double g = chroma(e, f);
    const double c = std::log(1.0 + 0.075 * g) / (0.0435 * kCH * kE);
    const double h = std::atan2(f, e) + theta;
    return {303.67 * std::log(1.0 + 0.0039 * lab.L) / kE, c * std::cos(h), c * std::sin(h)};
}

double delta_e_din99o(const Lab& standard, const Lab& sample, double kE, double kCH)
{
    return delta_e76(to_DIN99o(standard, kE, kCH), to_DIN99o(sample, kE, kCH));
}

double delta_e_hunter(const HunterLab& standard, const HunterLab& sample)
{
    return std::sqrt(square(sample.L - standard.L) + square(sample.a - standard.a)
                     + square(sample.b - standard.b));
}

LabDeltas lab_deltas(const Lab& standard, const Lab& sample)
{
    const LCh s = to_LCh(standard), m = to_LCh(sample);
    double dh = m.h - s.h;
    if (dh > 180.0)
        dh -= 360.0;
    else if (dh < -180.0)
        dh += 360.0;
    return {sample.L - standard.L, sample.a - standard.a, sample.b - standard.b, m.C - s.C,
            2.0 * std::sqrt(s.C * m.C) * std::sin(dh / 2.0 * degrees)};
}

} // namespace kyr::colour
