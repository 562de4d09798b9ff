// kyr colorimetry and kyr diff, as a user runs them. A flat 50 % reflector is half the white:
// Y 50, L* 76.0693, a* = b* = 0, under whichever illuminant applies.
#include "run_program.hpp"

#include <gtest/gtest.h>

using namespace kyr_test;

namespace {

std::string colour_data(const std::string& name)
{
    return std::string(KYR_TEST_DATA_DIR) + "/colour/" + name;
}

} // namespace

TEST(ColourCommands, OutputsAndExitCodes)
{
    const struct
    {
        std::vector<std::string> arguments;
        int exit_code;
        std::string out; // expected on standard output, as a part
    } cases[] = {
        // A spectrum alone is seen under D50/2°; one beside an L*a*b* value under that value's D65/10°.
        {{"colorimetry", colour_data("spectra.kyr")},
         0,
         "Grey 50: X 48.2120  Y 50.0000  Z 41.2564  L* 76.0693  a* 0.0000  b* 0.0000  (D50, 2°)\n"
         "Red edge: X 34.4197  Y 19.0096  Z 4.2922  L* 50.6984  a* 69.1931  b* 46.5982  (D65, 10°)\n"},
        {{"colorimetry", colour_data("spectra.kyr"), "--illuminant", "A", "--observer", "10"},
         0,
         "Grey 50: X 55.5720  Y 50.0000  Z 17.6000  L* 76.0693  a* 0.0000  b* 0.0000  (A, 10°)\n"},
        {{"colorimetry", colour_data("spectra.kyr"), "--illuminant", "B"}, 2, ""},
        {{"colorimetry", colour_data("spectra.kyr"), "--observer", "4"}, 2, ""},
        // B's Teal has only a spectrum: it is taken under A's D50/2° (L* 76.0693, neutral).
        {{"diff", colour_data("diff_a.kyr"), colour_data("diff_b.kyr"), "--formula", "de76"},
         0,
         "Grey 50: 2.0000\nTeal: 40.9830\n"},
        {{"diff", colour_data("diff_a.kyr"), colour_data("diff_b.kyr"), "--formula", "cmc:1:1"},
         0,
         "Grey 50: 1.8377\n"},
        {{"diff", colour_data("diff_a.kyr"), colour_data("diff_b.kyr"), "--formula", "cmc:1"}, 2, ""},
        {{"diff", colour_data("diff_a.kyr"), colour_data("missing.kyr")}, 2, ""},
        // Anything failing makes exit code 1.
        {{"qc", colour_data("qc.kyr")},
         1,
         "Record 1 \"Press check\"\n  Standard \"Teal\"\n    measurement 1 \"Teal M1\": DE2000 D50/2° = "
         "0.4999: value\n"},
        {{"qc", colour_data("qc.kyr")},
         1,
         "    measurement 2 \"Teal M2\": DE2000 (tolerance \"house\") D50/2° = 1.4972: warn (high 2, warning "
         "1)\n"},
        {{"qc", colour_data("qc.kyr"), "--json"},
         1,
         "\"function\": \"MeanDE\",\n    \"illuminant\": \"D50\""},
        {{"qc", colour_data("spectra.kyr")}, 0, ""},
    };
    for (const auto& c : cases) {
        const program_result result = run_program(kyr_program(), c.arguments);
        SCOPED_TRACE(c.arguments[0] + " " + c.arguments.back());
        EXPECT_EQ(result.exit_code, c.exit_code) << result.err;
        EXPECT_NE(result.out.find(c.out), std::string::npos) << result.out;
    }
}

TEST(ColourCommands, JsonKeys)
{
    const program_result colorimetry =
        run_program(kyr_program(), {"colorimetry", colour_data("spectra.kyr"), "--json"});
    EXPECT_EQ(colorimetry.exit_code, 0);
    EXPECT_EQ(colorimetry.out.rfind("[\n  {\n    \"colour\": \"Grey 50\",\n    \"X\": 48.21204", 0), 0u);
    for (const char* key : {"\"Y\": 50.0", "\"L\": 76.069", "\"illuminant\": \"D50\"", "\"observer\": 2"})
        EXPECT_NE(colorimetry.out.find(key), std::string::npos) << key;
    const program_result diff =
        run_program(kyr_program(), {"diff", colour_data("diff_a.kyr"), colour_data("diff_b.kyr"), "--json"});
    EXPECT_EQ(diff.exit_code, 0);
    EXPECT_NE(diff.out.find("{\n    \"name\": \"Grey 50\",\n    \"delta_e\": 1.99347"), std::string::npos)
        << diff.out;
    EXPECT_NE(diff.err.find("Only here: not in"), std::string::npos);
}

TEST(ColourCommands, QcWritesResultsIntoTheDocument)
{
    scratch_directory scratch;
    const std::string out = scratch.path("results.kyr");
    const program_result qc =
        run_program(kyr_program(), {"qc", colour_data("qc.kyr"), "--write-results", out});
    EXPECT_EQ(qc.exit_code, 1);
    const std::string written = read_file(out);
    EXPECT_NE(written.find("<Kyr:FunctionDE>\n\t\t\t\t\t<Kyr:Result>0.5</Kyr:Result>"), std::string::npos);
    EXPECT_EQ(run_program(kyr_program(), {"validate", out}).exit_code, 0);
}
