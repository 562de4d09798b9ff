// Conversions between colour spaces.
#include <kyr/colour/conversions.hpp>

#include <cmath>

namespace kyr::colour {
namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double epsilon = 216.0 / 24389.0;
constexpr double kappa = 24389.0 / 27.0;

double lab_f(double t)
{
    return t > epsilon ? std::cbrt(t) : (kappa * t + 16.0) / 116.0;
}

double lab_f_inverse(double f)
{
    const double cube = f * f * f;
    return cube > epsilon ? cube : (116.0 * f - 16.0) / kappa;
}

using matrix = double[3][3];

XYZ multiply(const matrix& m, const XYZ& v)
{
    return {m[0][0] * v.X + m[0][1] * v.Y + m[0][2] * v.Z, m[1][0] * v.X + m[1][1] * v.Y + m[1][2] * v.Z,
            m[2][0] * v.X + m[2][1] * v.Y + m[2][2] * v.Z};
}

struct matrix3
{
    matrix m;
};

matrix3 inverse(const matrix& m)
{
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1])
        - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0])
        + m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    matrix3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            // Cofactor of m[j][i], by cyclic indices.
            const int a = (j + 1) % 3, b = (j + 2) % 3, c = (i + 1) % 3, d = (i + 2) % 3;
            r.m[i][j] = (m[a][c] * m[b][d] - m[a][d] * m[b][c]) / det;
        }
    return r;
}

constexpr matrix bradford = {{0.8951, 0.2664, -0.1614}, {-0.7502, 1.7135, 0.0367}, {0.0389, -0.0685, 1.0296}};

// IEC 61966-2-1 primaries, linear RGB to XYZ (Y = 1 for white).
constexpr matrix srgb_to_xyz = {{0.4124, 0.3576, 0.1805}, {0.2126, 0.7152, 0.0722}, {0.0193, 0.1192, 0.9505}};

double srgb_encode(double linear)
{
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

double srgb_decode(double encoded)
{
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

} // namespace

xyY to_xyY(const XYZ& xyz, const XYZ& white)
{
    const double sum = xyz.X + xyz.Y + xyz.Z;
    if (sum == 0) {
        const double white_sum = white.X + white.Y + white.Z;
        return {white.X / white_sum, white.Y / white_sum, 0.0};
    }
    return {xyz.X / sum, xyz.Y / sum, xyz.Y};
}

XYZ to_XYZ(const xyY& value)
{
    if (value.y == 0)
        return {0, 0, 0};
    return {value.x * value.Y / value.y, value.Y, (1.0 - value.x - value.y) * value.Y / value.y};
}

Lab to_Lab(const XYZ& xyz, const XYZ& white)
{
    const double fx = lab_f(xyz.X / white.X), fy = lab_f(xyz.Y / white.Y), fz = lab_f(xyz.Z / white.Z);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

XYZ to_XYZ(const Lab& lab, const XYZ& white)
{
    const double fy = (lab.L + 16.0) / 116.0;
    const double fx = fy + lab.a / 500.0, fz = fy - lab.b / 200.0;
    const double y = lab.L > kappa * epsilon ? fy * fy * fy : lab.L / kappa;
    return {white.X * lab_f_inverse(fx), white.Y * y, white.Z * lab_f_inverse(fz)};
}

LCh to_LCh(const Lab& lab)
{
    double h = std::atan2(lab.b, lab.a) * 180.0 / pi;
    if (h < 0)
        h += 360.0;
    if (h >= 360.0)
        h -= 360.0;
    return {lab.L, std::hypot(lab.a, lab.b), h};
}

Lab to_Lab(const LCh& lch)
{
    const double h = lch.h * pi / 180.0;
    return {lch.L, lch.C * std::cos(h), lch.C * std::sin(h)};
}

Luv to_Luv(const XYZ& xyz, const XYZ& white)
{
    const double L = 116.0 * lab_f(xyz.Y / white.Y) - 16.0;
    const double d = xyz.X + 15.0 * xyz.Y + 3.0 * xyz.Z;
    const double dn = white.X + 15.0 * white.Y + 3.0 * white.Z;
    if (d == 0)
        return {L, 0, 0};
    const double u = 4.0 * xyz.X / d - 4.0 * white.X / dn;
    const double v = 9.0 * xyz.Y / d - 9.0 * white.Y / dn;
    return {L, 13.0 * L * u, 13.0 * L * v};
}

HunterLab to_HunterLab(const XYZ& xyz, const XYZ& white)
{
    const double scale = 100.0 / white.Y;
    const double ka = 175.0 / 198.04 * (white.X + white.Y) * scale;
    const double kb = 70.0 / 218.11 * (white.Y + white.Z) * scale;
    return to_HunterLab(xyz, white, ka, kb);
}

HunterLab to_HunterLab(const XYZ& xyz, const XYZ& white, double ka, double kb)
{
    const double y = xyz.Y / white.Y;
    if (y <= 0)
        return {0, 0, 0};
    const double root = std::sqrt(y);
    return {100.0 * root, ka * (xyz.X / white.X - y) / root, kb * (y - xyz.Z / white.Z) / root};
}

XYZ adapt_bradford(const XYZ& xyz, const XYZ& source_white, const XYZ& destination_white)
{
    static const matrix3 back = inverse(bradford);
    const XYZ cone = multiply(bradford, xyz);
    const XYZ from = multiply(bradford, source_white), to = multiply(bradford, destination_white);
    return multiply(back.m, {cone.X * to.X / from.X, cone.Y * to.Y / from.Y, cone.Z * to.Z / from.Z});
}

XYZ srgb_white()
{
    return from_sRGB(1.0, 1.0, 1.0);
}

DisplayRGB to_sRGB(const XYZ& xyz, const XYZ& white)
{
    static const matrix3 to_linear = inverse(srgb_to_xyz);
    const XYZ d65 = adapt_bradford(xyz, white, srgb_white());
    const XYZ linear = multiply(to_linear.m, {d65.X / 100.0, d65.Y / 100.0, d65.Z / 100.0});
    // A hair of tolerance so that the white and the primaries count as inside.
    constexpr double slack = 1e-9;
    bool in_gamut = true;
    double c[3] = {linear.X, linear.Y, linear.Z};
    for (double& v : c) {
        if (v < -slack || v > 1.0 + slack)
            in_gamut = false;
        v = srgb_encode(std::fmin(1.0, std::fmax(0.0, v)));
    }
    return {c[0], c[1], c[2], in_gamut};
}

XYZ from_sRGB(double r, double g, double b)
{
    const XYZ linear = multiply(srgb_to_xyz, {srgb_decode(r), srgb_decode(g), srgb_decode(b)});
    return {100.0 * linear.X, 100.0 * linear.Y, 100.0 * linear.Z};
}

} // namespace kyr::colour
