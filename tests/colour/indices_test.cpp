// Whiteness, yellowness, metamerism and colour strength.
#include <kyr/colour/indices.hpp>

#include <gtest/gtest.h>

#include <cmath>

using namespace kyr::colour;

namespace {

std::vector<SpectralPoint> spectrum(double (*reflectance)(double))
{
    std::vector<SpectralPoint> points;
    for (int w = 380; w <= 730; w += 10)
        points.push_back({double(w), reflectance(w)});
    return points;
}

double greenish(double w)
{
    return 0.1 + 0.6 * std::exp(-std::pow((w - 530) / 50, 2));
}
double half_greenish(double w)
{
    return 0.5 * greenish(w);
}
double bluish(double w)
{
    return 0.15 + 0.5 * std::exp(-std::pow((w - 460) / 40, 2));
}

// Reflectance with the K/S of `reflectance` multiplied by `factor`.
std::vector<SpectralPoint> stronger(const std::vector<SpectralPoint>& points, double factor)
{
    std::vector<SpectralPoint> result;
    for (const SpectralPoint& p : points) {
        const double ks = factor * kubelka_munk(p.value);
        result.push_back({p.wavelength_nm, 1 + ks - std::sqrt(ks * ks + 2 * ks)});
    }
    return result;
}

} // namespace

// colour-science's examples (colour.whiteness and colour.yellowness, BSD-3-Clause): a sample at
// xy (0.3167, 0.3334), Y 100, against xy (0.3139, 0.3311), W 93.85, T -1.305; XYZ
// (95, 100, 105) under D65/2°, YI 4.34.
TEST(ColourIndex, PublishedExamples)
{
    const double x = 0.3167, y = 0.3334;
    const WhitenessTint wt =
        cie_whiteness({100 * x / y, 100, 100 * (1 - x - y) / y}, 0.3139, 0.3311, Observer::two_degree);
    EXPECT_NEAR(wt.whiteness, 93.85, 1e-9);
    EXPECT_NEAR(wt.tint, -1.305, 1e-9);
    EXPECT_NEAR(*yellowness_e313({95, 100, 105}, Illuminant::D65, Observer::two_degree), 4.34, 1e-9);
    EXPECT_FALSE(yellowness_e313({95, 100, 105}, Illuminant::A, Observer::two_degree));
    // The perfect diffuser is W 100, T 0 by construction of the formula's white.
    const WhitenessTint white =
        cie_whiteness(white_point(Illuminant::D65, Observer::ten_degree), Observer::ten_degree);
    EXPECT_NEAR(white.whiteness, 100, 1e-9);
    EXPECT_NEAR(white.tint, 0, 1e-9);
}

// The multiplicative correction cancels a pair that differs only in scale; a pair that matches
// under D65 but not under A shows the index.
TEST(ColourIndex, MetamerismIndex)
{
    const ViewingConditions d65{Illuminant::D65, Observer::ten_degree},
        a{Illuminant::A, Observer::ten_degree};
    double index = -1;
    ASSERT_TRUE(metamerism_index(spectrum(greenish), spectrum(greenish), d65, a, index));
    EXPECT_EQ(index, 0);
    ASSERT_TRUE(metamerism_index(spectrum(greenish), spectrum(half_greenish), d65, a, index));
    EXPECT_NEAR(index, 0, 1e-9);
    ASSERT_TRUE(metamerism_index(spectrum(greenish), spectrum(bluish), d65, a, index));
    EXPECT_GT(index, 1);
    std::string error;
    EXPECT_FALSE(metamerism_index({}, spectrum(bluish), d65, a, index, &error));
    EXPECT_FALSE(error.empty());
}

TEST(ColourIndex, KubelkaMunkAndStrength)
{
    EXPECT_EQ(kubelka_munk(0.5), 0.25);
    EXPECT_EQ(kubelka_munk(1), 0);
    EXPECT_NEAR(kubelka_munk(0), 0.9999 * 0.9999 / 0.0002, 1e-9);
    for (StrengthMethod method : {StrengthMethod::maximum_absorption, StrengthMethod::weighted_sum}) {
        double percent = 0;
        ASSERT_TRUE(
            colour_strength(spectrum(greenish), stronger(spectrum(greenish), 1.25), method, {}, percent));
        EXPECT_NEAR(percent, 125, 1e-9);
    }
    double percent = 0;
    std::string error;
    EXPECT_FALSE(
        colour_strength(spectrum(greenish), {{400, 0.5}}, StrengthMethod::weighted_sum, {}, percent, &error));
    EXPECT_FALSE(error.empty());
}
