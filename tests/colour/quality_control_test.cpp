// Quality-control verdicts of tests/data/colour/qc.kyr, whose values are worked by hand: Teal is
// L*a*b* (50, -30, -10) under D50/2°, measured at L* 50.5, 51.5 and 53; Paper is a flat 90 %
// reflector measured as a flat 88 % one.
#include <kyr/colour/quality_control.hpp>
#include <kyr/lmx/error.hpp>
#include <kyr/lmx/strings.hpp>
#include <kyr/schema/classes.hpp>

#include <gtest/gtest.h>

#include <cmath>

using namespace kyr::colour;

namespace {

// CIEDE2000 of a pair differing only in L*: ΔL/SL, SL from the mean lightness.
double de2000_lightness(double l1, double l2)
{
    const double mean = (l1 + l2) / 2 - 50;
    return (l2 - l1) / (1 + 0.015 * mean * mean / std::sqrt(20 + mean * mean));
}

com_kyrandel_v2::Kyr qc_document()
{
    com_kyrandel_v2::Kyr document;
    EXPECT_EQ(document.loadFile(lmx::convert_to_wide(KYR_TEST_DATA_DIR "/colour/qc.kyr")), lmx::ELMX_OK);
    return document;
}

} // namespace

TEST(QualityControl, VerdictsFollowTheRuleTable)
{
    const struct
    {
        const char* standard;
        int measurement; // from 1; 0 for the statistics over all measurements
        const char* tolerance;
        double value; // NAN: not evaluated
        Verdict verdict;
    } expected[] = {
        {"Teal", 1, "", de2000_lightness(50, 50.5), Verdict::value_only},
        {"Teal", 1, "", 0.5, Verdict::value_only},
        {"Teal", 1, "", 1.2583057392117916, Verdict::value_only}, // StdDevL over 50.5, 51.5, 53
        {"Teal", 1, "house", de2000_lightness(50, 50.5), Verdict::pass},
        {"Teal", 2, "house", de2000_lightness(50, 51.5), Verdict::warn}, // above WarningLevel 1
        {"Teal", 3, "house", de2000_lightness(50, 53), Verdict::fail},   // above HighTolerance 2
        {"Teal", 1, "axes", 0.2, Verdict::pass},                         // ΔL 0.5 of ±2.5
        {"Teal", 2, "axes", 0.6, Verdict::pass},
        {"Teal", 3, "axes", 1.2, Verdict::fail},
        {"Teal", 1, "cmc", 0.5 / (0.040975 * 50 / 1.8825), Verdict::pass}, // CMC 1:1 from Param_KL/KC
        {"Teal", 2, "cmc", 1.5 / (0.040975 * 50 / 1.8825), Verdict::pass},
        {"Teal", 3, "cmc", 3.0 / (0.040975 * 50 / 1.8825), Verdict::fail}, // above Param_delta 2
        {"Teal", 1, "secret", NAN, Verdict::not_evaluated},                // "ddna"
        {"Teal", 2, "secret", NAN, Verdict::not_evaluated},
        {"Teal", 3, "secret", NAN, Verdict::not_evaluated},
        {"Teal", 1, "under D65", NAN, Verdict::not_evaluated}, // only D50 values, no spectrum
        {"Teal", 2, "under D65", NAN, Verdict::not_evaluated},
        {"Teal", 3, "under D65", NAN, Verdict::not_evaluated},
        {"Teal", 0, "mean", 5.0 / 3, Verdict::fail},
        {"Teal", 0, "spread", 1.2583057392117916, Verdict::pass},
        {"Paper", 1, "whiteness", 88, Verdict::pass}, // flat: W = Y
        {"Paper", 1, "metamerism", 0, Verdict::pass}, // D65 to A
        {"Paper", 1, "metamerism", 0, Verdict::pass}, // D65 to F11
        {"Paper", 1, "strength", 100 * (0.0144 / 1.76) / (0.01 / 1.8), Verdict::fail},
        {"Paper", 1, "yellowness", 1.2985 * 95.047056 - 1.1335 * 108.882874,
         Verdict::pass}, // E313 at D65/2° white
        {"Paper", 0, "mean", 116 * (std::cbrt(0.9) - std::cbrt(0.88)), Verdict::pass},
        {"Paper", 0, "spread", NAN, Verdict::not_evaluated}, // one measurement
    };
    const std::vector<QcResult> results = evaluate_quality_control(qc_document());
    ASSERT_EQ(results.size(), std::size(expected));
    for (size_t i = 0; i < results.size(); ++i) {
        const QcResult& r = results[i];
        SCOPED_TRACE("result " + std::to_string(i) + ": " + r.function + " " + r.reason);
        EXPECT_EQ(r.standard_name, expected[i].standard);
        EXPECT_EQ(r.measurement ? int(*r.measurement) + 1 : 0, expected[i].measurement);
        EXPECT_EQ(r.tolerance, expected[i].tolerance);
        EXPECT_EQ(r.verdict, expected[i].verdict);
        EXPECT_EQ(r.value.has_value(), !std::isnan(expected[i].value));
        if (r.value && !std::isnan(expected[i].value)) {
            EXPECT_NEAR(*r.value, expected[i].value, 1e-5);
        }
        EXPECT_EQ(r.reason.empty(), r.value.has_value());
    }
}

TEST(QualityControl, StoresMeasurementFunctionResults)
{
    com_kyrandel_v2::Kyr document = qc_document();
    EXPECT_EQ(store_function_results(document), 3u);
    const auto& m1 = document.get_ColorQualityControl(0).get_StandardAndMeasurement(0).get_Measurement(0);
    EXPECT_NEAR(m1.get_Function(0).get_FunctionDE2000().get_Result(), de2000_lightness(50, 50.5), 1e-12);
    EXPECT_EQ(m1.get_Function(1).get_FunctionDE().get_Result(), 0.5); // the stored 99 is replaced
    EXPECT_NEAR(m1.get_Function(2).get_FunctionStdDevL().get_Result(), 1.2583057392117916, 1e-12);
}
