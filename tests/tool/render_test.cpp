// kyr render: the pages it writes for the bundled samples and for a document of edge cases, as
// text and as outside tools read them. Colours are the sRGB of each colour's best value, worked out
// apart from the library (see page_checks.py, which also checks them in a browser's pixels).
#include "run_command.hpp"
#include "run_program.hpp"

#include <gtest/gtest.h>

#include <fstream>

using namespace kyr_test;

namespace {

const std::string page_checks = std::string(KYR_SOURCE_DIR) + "/tests/tool/page_checks.py";

bool exists(const std::string& path)
{
    return std::ifstream(path).good();
}

} // namespace

TEST(Render, PagesShowTheColoursAndMarks)
{
    scratch_directory scratch;
    const struct
    {
        std::string input, output;
        std::vector<std::string> expected; // parts of the page, in this order
    } cases[] = {
        {example_file("swatches.kyr"),
         "swatches.html",
         {"<title>Garden swatches</title>", "6 colours, 2 outside sRGB (clipped), 0 without",
          "<div class=\"patch\" style=\"background:#E24135\"></div>",
          "sRGB #E24135 from the spectrum (D50, 2°)", "L*a*b*: L 53.08, A 61.18, B 45.29",
          "Spectral: 16 points, 400–700 nm",
          "<polyline fill=\"none\" stroke-width=\"2\" stroke-linejoin=\"round\" stroke=\"#E24135\" "
          "points=\"26,76.3 ",
          "<div class=\"patch clipped\" style=\"background:#00A949\">", "Outside sRGB: clipped",
          "<h2>Palette Stone</h2><h3>Colour set Greys</h3>", "background:#F1F0EF", "background:#6E7375"}},
        {tool_data("render_marks.kyr"),
         "-",
         {"<div class=\"patch clipped\" style=\"background:#00F300\">", "<div class=\"patch none\"></div>",
          "Not shown: no colorimetric value", "CMYK: Cyan 60, Magenta 40, Yellow 40, Black 100"}},
        {tool_data("render_marks.kyr"),
         "marks.svg",
         {"<rect x=\"24\" y=\"183\" width=\"184\" height=\"96\" fill=\"#00F300\"/><path d=\"M180 "
          "183H208V211Z\" "
          "fill=\"#000000\"",
          "height=\"96\" fill=\"url(#hatch)\"/>"}},
        {example_file("rich-sample.kyr"),
         "rich.html",
         {"background:#1A858C", "<div class=\"role\">Standard</div><div class=\"name\">Signal Red standard",
          "background:#C82728",
          "<div class=\"role\">Measurement</div><div class=\"name\">Signal Red sheet 1250",
          "Not shown: the record gives no standard colour"}},
        // Verdicts as the quality-control evaluation gives them, beside the standard and its measurements.
        {std::string(KYR_TEST_DATA_DIR) + "/colour/qc.kyr",
         "qc.html",
         {"<div class=\"role\">Standard</div><div class=\"name\">Teal</div>",
          "<div class=\"role\">Measurement</div><div class=\"name\">Teal M3</div>",
          "<td>Teal M1</td><td>house</td><td>DE2000 (D50, 2°)</td><td>0.50</td><td>at most 2, warning 1</td>"
          "<td class=\"pass\">pass</td>",
          "<td>Teal M2</td><td>house</td><td>DE2000 (D50, 2°)</td><td>1.50</td><td>at most 2, warning 1</td>"
          "<td class=\"warn\">warn</td>",
          "<td>Teal M3</td><td>house</td><td>DE2000 (D50, 2°)</td><td>2.98</td><td>at most 2, warning 1</td>"
          "<td class=\"fail\">fail</td>",
          "<td>all measurements</td><td>mean</td><td>MeanDE (D50, 2°)</td><td>1.67</td>",
          "<td>-5 to 5</td><td class=\"pass\">pass</td>"}},
        // Markup in names, wavelengths near the largest double: escaped, and drawn without a hang.
        {tool_data("render_hostile.kyr"),
         "hostile.html",
         {"<title>Hostile &lt;page&gt;</title>",
          "<div class=\"name\">&lt;/div&gt;&lt;script&gt;&quot;&amp;&#39;</div>",
          "Spectral: 3 points, 500–1e+300 nm", "stroke=\"#808080\" points=\"26,57.8 160,65.2 160,13.4\"",
          "Spectral: 16 points, 4e+297–7e+297 nm"}},
        {tool_data("render_hostile.kyr"), "hostile.svg", {"&lt;/div&gt;&lt;script&gt;&quot;&amp;&#39;"}},
        {std::string(KYR_TEST_DATA_DIR) + "/colour/qc.kyr",
         "qc.svg",
         {"<text x=\"24\" y=\"",
          "Teal M3 · house · DE2000 (D50, 2°) 2.98 · limits at most 2, warning 1 · fail"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        const std::string path = c.output == "-" ? "-" : scratch.path(c.output);
        const program_result r = run_program(kyr_program(), {"render", c.input, "-o", path});
        ASSERT_EQ(r.exit_code, 0) << r.err;
        const std::string page = path == "-" ? r.out : read_file(path);
        size_t at = 0;
        for (const std::string& part : c.expected) {
            const size_t found = page.find(part, at);
            EXPECT_NE(found, std::string::npos) << part;
            at = found == std::string::npos ? at : found + part.size();
        }
        const std::string judged_path = path == "-" ? scratch.path("stdout.html") : path;
        if (path == "-")
            std::ofstream(judged_path) << r.out;
        const bool svg = judged_path.compare(judged_path.size() - 4, 4, ".svg") == 0;
        const command_result judged =
            run_command(svg ? "xmllint --noout '" + judged_path + "'"
                            : "python3 '" + page_checks + "' html '" + judged_path + "'");
        EXPECT_EQ(judged.status, 0) << judged.output;
    }
}

TEST(Render, RefusesWithoutLeavingAFile)
{
    scratch_directory scratch;
    const struct
    {
        std::vector<std::string> arguments;
        int exit_code;
        std::string error;
    } cases[] = {
        {{"render", example_file("swatches.kyr"), "-o", scratch.path("page.png")},
         2,
         "must end in .html or .svg"},
        {{"render", tool_data("missing_header.kyr"), "-o", scratch.path("page.html")}, 1, "Kyr:Header"},
        {{"render", tool_data("no_such_file.kyr"), "-o", scratch.path("page.html")}, 2, "no_such_file.kyr"},
        {{"render", example_file("swatches.kyr"), "-o", scratch.path("page.svg"), "--format", "pdf"},
         2,
         "pdf"},
        {{"render", example_file("swatches.kyr"), "-o", scratch.path("no/such/dir.svg")},
         2,
         "cannot be written"},
    };
    for (const auto& c : cases) {
        const program_result r = run_program(kyr_program(), c.arguments);
        SCOPED_TRACE(c.arguments[1]);
        EXPECT_EQ(r.exit_code, c.exit_code);
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
        EXPECT_FALSE(exists(c.arguments[3]));
    }
}
