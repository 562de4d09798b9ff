// Colour differences against published and independently computed values.
#include "oracle_table.hpp"

#include <kyr/colour/differences.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace kyr::colour;
using kyr_test::oracle_table;
using kyr_test::shared_colour_data;

namespace {

Lab lab_of(const oracle_table& t, size_t row, const char* l, const char* a, const char* b)
{
    return {t.number(row, l), t.number(row, a), t.number(row, b)};
}

} // namespace

// Sharma, Wu and Dalal (2005), Table 1, printed to four decimals. Pairs 7 to 16 test the hue
// mean and the hue difference where the hues straddle 0°/360° or lie 180° apart (14 is the one
// that catches an arctangent of the wrong sign at exactly 180°).
TEST(ColourDifference, Ciede2000SharmaPairs)
{
    const oracle_table t(shared_colour_data("colour-difference/ciede2000_sharma2005.csv"));
    ASSERT_EQ(t.size(), 34u);
    for (size_t i = 0; i < t.size(); ++i) {
        const int pair = std::stoi(t.text(i, "pair"));
        SCOPED_TRACE("pair " + std::to_string(pair) + (pair >= 7 && pair <= 16 ? " (hue wrap-around)" : ""));
        const Lab one = lab_of(t, i, "L1", "a1", "b1"), two = lab_of(t, i, "L2", "a2", "b2");
        EXPECT_NEAR(delta_e2000(one, two), t.number(i, "dE00"), 1e-4);
        EXPECT_NEAR(delta_e2000(two, one), t.number(i, "dE00"), 1e-4); // symmetric
    }
}

// Every formula and parameter set against the double-precision oracle (two implementations that
// agree to 3e-14), including the CMC hue and lightness switches at 164°, 345° and L* 16.
TEST(ColourDifference, AllFormulasAgainstComputedOracle)
{
    const oracle_table t(shared_colour_data("colour-difference/delta_e_oracle_computed.csv"));
    for (size_t i = 0; i < t.size(); ++i) {
        SCOPED_TRACE(t.text(i, "case_id"));
        const Lab s = lab_of(t, i, "L1", "a1", "b1"), m = lab_of(t, i, "L2", "a2", "b2");
        EXPECT_NEAR(delta_e76(s, m), t.number(i, "dE76"), 1e-8);
        EXPECT_NEAR(delta_e94(s, m), t.number(i, "dE94_kL1_K1_0.045_K2_0.015"), 1e-8);
        EXPECT_NEAR(delta_e94(s, m, CIE94Weights::textiles()), t.number(i, "dE94_kL2_K1_0.048_K2_0.014"),
                    1e-8);
        EXPECT_NEAR(delta_e_cmc(s, m, 2, 1), t.number(i, "dECMC_l2_c1"), 1e-8);
        EXPECT_NEAR(delta_e_cmc(s, m, 1, 1), t.number(i, "dECMC_l1_c1"), 1e-8);
        EXPECT_NEAR(delta_e2000(s, m), t.number(i, "dE00_k1_1_1"), 1e-8);
        EXPECT_NEAR(delta_e2000(s, m, 2, 1, 1), t.number(i, "dE00_k2_1_1"), 1e-8);
        EXPECT_NEAR(delta_e2000(s, m, 1, 2, 0.5), t.number(i, "dE00_k1_2_0.5"), 1e-8);
    }
}

// Expected values published in the test suites of colour-science and python-colormath.
TEST(ColourDifference, PublishedCases)
{
    const oracle_table t(shared_colour_data("colour-difference/delta_e_published_cases.csv"));
    for (size_t i = 0; i < t.size(); ++i) {
        SCOPED_TRACE(t.text(i, "case_id"));
        const Lab s = lab_of(t, i, "L1", "a1", "b1"), m = lab_of(t, i, "L2", "a2", "b2");
        const std::string formula = t.text(i, "formula"), params = t.text(i, "params");
        double value = NAN;
        if (formula == "dE76")
            value = delta_e76(s, m);
        else if (formula == "dE94")
            value = delta_e94(s, m, params.find("kL=2") == 0 ? CIE94Weights::textiles() : CIE94Weights{});
        else if (formula == "dE00")
            value = delta_e2000(s, m, params.find("kL=2") == 0 ? 2 : 1);
        else if (formula == "dECMC")
            value = delta_e_cmc(s, m, params.find("l=1") == 0 ? 1 : 2, 1);
        EXPECT_NEAR(value, t.number(i, "expected"), t.number(i, "abs_tolerance"));
    }
}

// Faults that open colour libraries have shipped, one line each: what the case catches, the
// formula, the standard, the sample, and the expected value (from the computed oracle table,
// except the equal-hue rows, worked by hand: |ΔC|/(1 + 0.045·C1) and |ΔC|/SC).
TEST(ColourDifference, FaultsSeenElsewhere)
{
    struct fault_case
    {
        const char* what;
        double (*formula)(const Lab&, const Lab&);
        Lab standard, sample;
        double expected;
    };
    auto cmc21 = [](const Lab& s, const Lab& m) { return delta_e_cmc(s, m, 2, 1); };
    auto cie94 = [](const Lab& s, const Lab& m) { return delta_e94(s, m); };
    const fault_case cases[] = {
        {"CMC chroma and hue differences (root over one term)",
         cmc21,
         {50, 2.6772, -79.7751},
         {50, 0, -82.7485},
         1.7387361057},
        {"CMC hue 163.9 deg (degrees vs radians)",
         cmc21,
         {50, -28.823375, 8.31944},
         {51.5, -26.823375, 7.31944},
         1.3216015535},
        {"CMC hue 164.1 deg (degrees vs radians)",
         cmc21,
         {50, -28.852239, 8.218777},
         {51.5, -26.852239, 7.218777},
         1.3222730710},
        {"CIE94 equal hues, dH^2 rounds to -7e-15",
         cie94,
         {50, 12.5, -7.25},
         {50, 16.25, -9.425},
         2.626912832593997},
        {"CMC equal hues, dH^2 rounds to -7e-15",
         cmc21,
         {50, 12.5, -7.25},
         {50, 16.25, -9.425},
         3.0676034072439453},
        {"CIE94 standard first", cie94, {50, 2.5, 0}, {73, 25, -18}, 34.6891631980},
        {"CIE94 standard and sample swapped", cie94, {73, 25, -18}, {50, 2.5, 0}, 26.1397516445},
        {"CMC standard first", cmc21, {50, 2.5, 0}, {73, 25, -18}, 37.9232761694},
        {"CMC standard and sample swapped", cmc21, {73, 25, -18}, {50, 2.5, 0}, 16.8739588679},
    };
    for (const fault_case& c : cases)
        EXPECT_NEAR(c.formula(c.standard, c.sample), c.expected, 1e-8) << c.what;
    // Values that are not numbers give NaN, and never an index out of the hue angle's table.
    EXPECT_TRUE(std::isnan(delta_e2000({50, NAN, 2}, {50, 1, 1})));
    EXPECT_TRUE(std::isnan(delta_e_cmc({50, INFINITY, INFINITY}, {50, 1, 1})));
}

// DIN99o against culori 4.0.2 (differenceEuclidean('dlab')), which writes the lightness factor as
// 100/ln(1.39) where DIN 6176 prints 303.67: the two agree to a few parts in a million.
TEST(ColourDifference, Din99oAgainstCulori)
{
    const oracle_table t(std::string(KYR_TEST_DATA_DIR) + "/colour/din99o_culori.csv");
    ASSERT_GT(t.size(), 5u);
    for (size_t i = 0; i < t.size(); ++i) {
        const Lab s = lab_of(t, i, "L1", "a1", "b1"), m = lab_of(t, i, "L2", "a2", "b2");
        EXPECT_NEAR(delta_e_din99o(s, m), t.number(i, "dE99o"), 2e-5) << "row " << i;
    }
}

// Signed differences, sample minus standard; the hue turn keeps its sign across 0°.
TEST(ColourDifference, SignedAxisDifferences)
{
    const struct
    {
        Lab standard, sample;
        LabDeltas expected;
    } cases[] = {
        {{50, 10, 0}, {52, 0, 10}, {2, -10, 10, 0, 14.142135623730951}},  // +90°
        {{50, 0, 10}, {52, 10, 0}, {2, 10, -10, 0, -14.142135623730951}}, // −90°
        {{50, 9.84807753, -1.736481777},
         {50, 9.84807753, 1.736481777},
         {0, 0, 3.472963554, 0, 3.472963554}},           // 350° to 10°
        {{60, 30, 40}, {55, 36, 48}, {-5, 6, 8, 10, 0}}, // chroma only
    };
    for (const auto& c : cases) {
        const LabDeltas d = lab_deltas(c.standard, c.sample);
        const double got[] = {d.dL, d.da, d.db, d.dC, d.dH},
                     want[] = {c.expected.dL, c.expected.da, c.expected.db, c.expected.dC, c.expected.dH};
        for (int k = 0; k < 5; ++k)
            EXPECT_NEAR(got[k], want[k], 1e-9) << "component " << k;
    }
}
