// Conversions against published values, and round trips through the dark branch of L*.
#include <kyr/colour/conversions.hpp>

#include <gtest/gtest.h>

using namespace kyr::colour;

namespace {

void expect_triple(double a, double b, double c, double ea, double eb, double ec, double tolerance)
{
    EXPECT_NEAR(a, ea, tolerance);
    EXPECT_NEAR(b, eb, tolerance);
    EXPECT_NEAR(c, ec, tolerance);
}

} // namespace

// colour-science's documentation examples (colour.XYZ_to_Lab, XYZ_to_Luv, XYZ_to_Hunter_Lab;
// BSD-3-Clause): XYZ (0.20654008, 0.12197225, 0.05136952) under the white of D65's xy
// (0.3127, 0.3290); Hunter Lab with their D65 white (95.02, 100, 108.82), Ka 172.30, Kb 67.20.
TEST(ColourConversion, PublishedExamples)
{
    const XYZ sample{0.20654008, 0.12197225, 0.05136952};
    const XYZ d65 = to_XYZ(xyY{0.3127, 0.3290, 1.0});
    const Lab lab = to_Lab(sample, d65);
    expect_triple(lab.L, lab.a, lab.b, 41.5278752, 52.6385830, 26.9231792, 5e-7);
    const Luv luv = to_Luv(sample, d65);
    expect_triple(luv.L, luv.u, luv.v, 41.5278752, 96.8362605, 17.7521014, 5e-7);
    const HunterLab hunter =
        to_HunterLab({20.654008, 12.197225, 5.136952}, {95.02, 100, 108.82}, 172.30, 67.20);
    expect_triple(hunter.L, hunter.a, hunter.b, 34.92452577, 47.06189858, 14.38615107, 5e-6);
    const LCh lch = to_LCh(lab);
    expect_triple(lch.L, lch.C, lch.h, 41.5278752, 59.1242590, 27.0884878, 5e-7);
}

// Bradford from D65 to D50 (whites 0.95047/1/1.08883 and 0.96422/1/0.82521) as tabulated by
// B. Lindbloom, "Chromatic Adaptation": the columns of the matrix are the adapted unit vectors.
TEST(ColourConversion, BradfordMatchesThePublishedMatrix)
{
    const XYZ d65{0.95047, 1, 1.08883}, d50{0.96422, 1, 0.82521};
    const double expected[3][3] = {{1.0478112, 0.0228866, -0.0501270},
                                   {0.0295424, 0.9904844, -0.0170491},
                                   {-0.0092345, 0.0150436, 0.7521316}};
    for (int column = 0; column < 3; ++column) {
        const XYZ unit{column == 0 ? 1.0 : 0.0, column == 1 ? 1.0 : 0.0, column == 2 ? 1.0 : 0.0};
        const XYZ adapted = adapt_bradford(unit, d65, d50);
        expect_triple(adapted.X, adapted.Y, adapted.Z, expected[0][column], expected[1][column],
                      expected[2][column], 5e-7);
    }
}

TEST(ColourConversion, RoundTrips)
{
    const XYZ white{96.422, 100, 82.521};
    const Lab cases[] = {{0, 0, 0},      {5, 1, -2},  {7.9, 30, -40},       {8.1, -30, 40},
                         {50, 80, -100}, {100, 0, 0}, {35, -0.0001, 0.0002}};
    for (const Lab& lab : cases) {
        const Lab back = to_Lab(to_XYZ(lab, white), white);
        expect_triple(back.L, back.a, back.b, lab.L, lab.a, lab.b, 1e-9);
        const Lab polar = to_Lab(to_LCh(lab));
        expect_triple(polar.L, polar.a, polar.b, lab.L, lab.a, lab.b, 1e-9);
        const XYZ xyz = to_XYZ(lab, white);
        const XYZ again = to_XYZ(to_xyY(xyz, white));
        expect_triple(again.X, again.Y, again.Z, xyz.X, xyz.Y, xyz.Z, 1e-9);
    }
    EXPECT_LT(to_LCh({50, 1e-12, -1e-9}).h, 360.0);
    const xyY black = to_xyY({0, 0, 0}, white);
    EXPECT_NEAR(black.x, 96.422 / 278.943, 1e-12);
}

// sRGB: whites map to (1, 1, 1) from any illuminant, the primaries to themselves, mid grey
// to 0.5 (linear 0.214041); linear (1.2, 0.5, -0.1), beyond the primaries, is clipped to
// (1, 0.735357, 0) and flagged.
TEST(ColourConversion, SrgbForDisplay)
{
    struct srgb_case
    {
        XYZ xyz, white;
        double r, g, b;
        bool in_gamut;
    };
    const XYZ d50{96.422, 100, 82.521};
    const srgb_case cases[] = {
        {srgb_white(), srgb_white(), 1, 1, 1, true},
        {d50, d50, 1, 1, 1, true},
        {{41.24, 21.26, 1.93}, srgb_white(), 1, 0, 0, true},
        {from_sRGB(0.5, 0.5, 0.5), srgb_white(), 0.5, 0.5, 0.5, true},
        {{18.05, 7.22, 95.05}, srgb_white(), 0, 0, 1, true},
        {{65.563, 60.55, -1.229}, srgb_white(), 1, 0.735357, 0, false},
    };
    for (const srgb_case& c : cases) {
        const DisplayRGB rgb = to_sRGB(c.xyz, c.white);
        expect_triple(rgb.r, rgb.g, rgb.b, c.r, c.g, c.b, 5e-5);
        EXPECT_EQ(rgb.in_gamut, c.in_gamut);
    }
    EXPECT_NEAR(from_sRGB(0.5, 0.5, 0.5).Y, 21.404114, 1e-6);
}
