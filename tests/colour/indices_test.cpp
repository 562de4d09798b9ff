// Whiteness, yellowness, metamerism and colour strength.
#include <kyr/colour/indices.hpp>

#include "oracle_table.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace kyr::colour;
using kyr_test::oracle_table;

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

// The worked example of ISO 18314-4:2024 as colour-science carries it (colour.difference.
// metamerism_index, BSD-3-Clause): a standard and a sample 400 to 700 nm, their XYZ under D65 and
// A (10°), and the index with the multiplicative XYZ correction and ΔE*ab, 3.7906989, against A's
// white at xy (0.45117, 0.40594). Our weights must give the published XYZ from the spectra.
TEST(ColourIndex, MetamerismIndexPublishedExample)
{
    const XYZ standard_d65{7.6576, 10.7116, 5.0731}, standard_a{8.96442, 10.1878, 1.6663},
        sample_d65{7.6933, 10.5616, 5.54474}, sample_a{8.56438, 10.0324, 1.9315};
    const double x = 0.45117, y = 0.40594;
    const XYZ white_a{100 * x / y, 100, 100 * (1 - x - y) / y};
    EXPECT_NEAR(metamerism_index(standard_d65, sample_d65, standard_a, sample_a, white_a), 3.7906989, 1e-7);

    const oracle_table t(std::string(KYR_TEST_DATA_DIR) + "/colour/metamerism_pair.csv");
    std::vector<SpectralPoint> standard, sample;
    for (size_t i = 0; i < t.size(); ++i) {
        standard.push_back({t.number(i, "wavelength_nm"), t.number(i, "standard")});
        sample.push_back({t.number(i, "wavelength_nm"), t.number(i, "sample")});
    }
    const ViewingConditions d65{Illuminant::D65, Observer::ten_degree},
        a{Illuminant::A, Observer::ten_degree};
    const XYZ published[] = {standard_d65, standard_a, sample_d65, sample_a};
    for (int i = 0; i < 4; ++i) {
        XYZ ours{};
        ASSERT_TRUE(tristimulus(i < 2 ? standard : sample, i % 2 ? a : d65, ours));
        EXPECT_NEAR(ours.X, published[i].X, 5e-4) << i;
        EXPECT_NEAR(ours.Y, published[i].Y, 5e-4) << i;
        EXPECT_NEAR(ours.Z, published[i].Z, 5e-4) << i;
    }
    double index = -1;
    ASSERT_TRUE(metamerism_index(standard, sample, d65, a, index));
    EXPECT_NEAR(index, 3.7906989, 5e-3); // the published XYZ are rounded to four or five digits
    // The multiplicative correction cancels a pair that differs only in scale.
    ASSERT_TRUE(metamerism_index(spectrum(greenish), spectrum(half_greenish), d65, a, index));
    EXPECT_NEAR(index, 0, 1e-9);
    std::string error;
    EXPECT_FALSE(metamerism_index({}, sample, d65, a, index, &error));
    EXPECT_FALSE(error.empty());
}

// K/S of R = 55 % is 0.184 in HunterLab's applications note "Kubelka-Munk Equation" (2008).
TEST(ColourIndex, KubelkaMunkAndStrength)
{
    EXPECT_NEAR(kubelka_munk(0.55), 0.184, 5e-4);
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
