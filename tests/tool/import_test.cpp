// kyr import and kyr export --format cgats, and the proof with colour tools of another
// project: what they write imports and comes back number for number, and what we export
// they read.
#include "run_program.hpp"

#include <kyr/colour/conversions.hpp>
#include <kyr/colour/differences.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

using namespace kyr_test;

namespace {

std::string shared_cgats(const std::string& name)
{
    return std::string(KYR_SHARED_DIR) + "/colour-data/cgats/argyll/" + name;
}

// One space between tokens, no space at line ends, no empty lines.
std::string normalised(const std::string& text)
{
    std::istringstream in(text);
    std::string line, out;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word, joined;
        while (words >> word)
            joined += (joined.empty() ? "" : " ") + word;
        if (!joined.empty())
            out += joined + "\n";
    }
    return out;
}

// The lines from BEGIN_DATA_FORMAT to the last END_DATA: what a tool computed.
std::string data_part(const std::string& text)
{
    const std::string all = normalised(text);
    const std::size_t begin = all.find("BEGIN_DATA_FORMAT");
    return begin == std::string::npos ? std::string() : all.substr(begin);
}

void write_text(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Imports `file` into a container and exports it again; the text of the export.
std::string through_document(const std::string& file, const scratch_directory& scratch)
{
    const std::string container = scratch.path(std::filesystem::path(file).filename().string() + ".kyrz");
    const program_result imported = run_program(kyr_program(), {"import", file, "-o", container});
    EXPECT_EQ(imported.exit_code, 0) << imported.err;
    const program_result exported = run_program(kyr_program(), {"export", container, "--format", "cgats"});
    EXPECT_EQ(exported.exit_code, 0) << exported.err;
    EXPECT_EQ(exported.err, "");
    return exported.out;
}

void run_in(const scratch_directory& scratch, const std::string& command)
{
    ASSERT_EQ(std::system(("cd '" + scratch.path("") + "' && (" + command + ") >/dev/null 2>&1").c_str()), 0)
        << command;
}

} // namespace

TEST(ImportCommand, SharedFilesComeBackNumberForNumber)
{
    scratch_directory scratch;
    for (const char* name : {"FograStrip2.ti1", "CIE_C.sp"})
        EXPECT_EQ(normalised(through_document(shared_cgats(name), scratch)),
                  normalised(read_file(shared_cgats(name))));
}

TEST(ImportCommand, FailuresNameTheLineAndWriteNothing)
{
    scratch_directory scratch;
    const std::string head =
        "CGATS.17\nNUMBER_OF_FIELDS 2\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L\nEND_DATA_FORMAT\n";
    const std::string lab = "CGATS.17\nBEGIN_DATA_FORMAT\nLAB_L LAB_A LAB_B\nEND_DATA_FORMAT\nBEGIN_DATA\n";
    const std::string no_value =
        "line 7: the data set holds no colour value (no complete group of LAB, LCH, XYZ, RGB or CMYK "
        "fields within range, no ink, density or spectral field)";
    const std::pair<std::string, std::string> cases[] = {
        {head + "BEGIN_DATA\n1 50\n2\nEND_DATA\n",
         "line 8: a data set has 1 values where the data format has 2 fields"},
        {lab + "50 1 2\n5O 0 0\nEND_DATA\n", "line 7: LAB_L \"5O\" is not a number"},
        {head + "NUMBER_OF_SETS 2\nBEGIN_DATA\n1 50\nEND_DATA\n",
         "line 6: NUMBER_OF_SETS is 2 but the table has 1 data sets"},
        {head + "BEGIN_DATA\n1 50\n", "line 7: the table that starts at line 1 never ends (no END_DATA)"},
        {head + "BEGIN_DATA\n1 50\nEND_DATA\n", no_value},
        {lab + "50 1 2\n-3 1 1\nEND_DATA\n", no_value},
    };
    const std::string input = scratch.path("bad.txt"), output = scratch.path("out.kyrz");
    for (const auto& c : cases) {
        write_text(input, c.first);
        const program_result r = run_program(kyr_program(), {"import", input, "-o", output});
        EXPECT_EQ(r.exit_code, 1);
        EXPECT_EQ(r.err, "kyr: " + input + ": " + c.second + "\n");
        EXPECT_FALSE(std::filesystem::exists(output));
    }
    EXPECT_EQ(run_program(kyr_program(), {"import", input, "-o", scratch.path("out.txt")}).exit_code, 2);
    EXPECT_EQ(run_program(kyr_program(), {"import", scratch.path("none.txt"), "-o", output}).exit_code, 2);
}

// targen makes CMYK and RGB targets with expected XYZ (the RGB white's Z is over 100, kept as
// text), printtarg lays one out (adding quoted patch locations); each imports and comes back
// unchanged.
TEST(ImportCommand, TargetFilesOfAnotherToolComeBackNumberForNumber)
{
    scratch_directory scratch;
    run_in(scratch,
           "targen -v0 -d4 -f40 -e2 cmyk && printtarg -v0 -ii1 -pA4 cmyk && targen -v0 -d2 -f12 rgb");
    for (const char* name : {"cmyk.ti1", "cmyk.ti2", "rgb.ti1"}) {
        const std::string file = scratch.path(name);
        EXPECT_EQ(normalised(through_document(file, scratch)), normalised(read_file(file))) << name;
    }
}

// Spectra exported from a document read by spec2cie give the XYZ and L*a*b* that the
// original file gives; spec2cie's own output, spectra and computed values, imports and
// comes back unchanged.
TEST(ImportCommand, SpectraWeExportAreReadByAnotherTool)
{
    scratch_directory scratch;
    std::string fields, patches[3];
    for (int nm = 380; nm <= 730; nm += 10) {
        fields += " SPEC_" + std::to_string(nm);
        patches[0] += " " + std::to_string(5 + (nm - 380) * 80 / 350);
        patches[1] += " " + std::to_string(90 - (nm - 380) / 5) + ".25";
        patches[2] += nm < 550 ? " 3.5" : " 62.125";
    }
    write_text(scratch.path("in.ti3"),
               "CTI3\nDEVICE_CLASS \"OUTPUT\"\nSPECTRAL_BANDS \"36\"\nSPECTRAL_START_NM \"380\"\n"
               "SPECTRAL_END_NM \"730\"\nSPECTRAL_NORM \"100\"\nBEGIN_DATA_FORMAT\nSAMPLE_ID SAMPLE_NAME"
                   + fields + "\nEND_DATA_FORMAT\nBEGIN_DATA\n1 rising" + patches[0] + "\n2 falling"
                   + patches[1] + "\n3 step" + patches[2] + "\nEND_DATA\n");
    write_text(scratch.path("back.ti3"), through_document(scratch.path("in.ti3"), scratch));
    run_in(scratch, "spec2cie in.ti3 in_cie.ti3 && spec2cie back.ti3 back_cie.ti3");
    const std::string computed = read_file(scratch.path("back_cie.ti3"));
    EXPECT_NE(computed.find("LAB_L"), std::string::npos);
    EXPECT_EQ(data_part(computed), data_part(read_file(scratch.path("in_cie.ti3"))));
    EXPECT_EQ(normalised(through_document(scratch.path("back_cie.ti3"), scratch)), normalised(computed));

    // Our L*a*b* of the same spectra, from the imported document. spec2cie takes L*a*b* relative
    // to the ICC's D50 white (96.42, 100, 82.49), not to the white of its D50 table (Z 82.51),
    // which alone moves b* by up to 0.02; relative to the same white the two agree within 0.01.
    const program_result ours =
        run_program(kyr_program(), {"colorimetry", scratch.path("back_cie.ti3.kyrz")});
    std::istringstream theirs(data_part(computed).substr(data_part(computed).find("BEGIN_DATA\n") + 11)),
        lines(ours.out);
    int compared = 0;
    for (std::string line, row; std::getline(lines, line) && std::getline(theirs, row); ++compared) {
        kyr::colour::XYZ xyz{};
        ASSERT_EQ(std::sscanf(line.c_str(), "%*[^:]: X %lf Y %lf Z %lf", &xyz.X, &xyz.Y, &xyz.Z), 3) << line;
        std::istringstream fields(row);
        std::vector<std::string> cells{std::istream_iterator<std::string>(fields), {}};
        ASSERT_EQ(cells.size(), 44u) << row; // id, name, 36 bands, XYZ, L*a*b*
        const kyr::colour::Lab spec2cie{std::stod(cells[41]), std::stod(cells[42]), std::stod(cells[43])};
        EXPECT_LT(kyr::colour::delta_e76(kyr::colour::to_Lab(xyz, {96.42, 100, 82.49}), spec2cie), 0.01)
            << row;
    }
    EXPECT_EQ(compared, 3);
}

// A document made by hand: the fields of its values, its conditions as keywords, a sample
// missing a value written as "", what the format cannot hold named on standard error.
TEST(ImportCommand, ExportOfADocumentNotReadFromAFile)
{
    const program_result r =
        run_program(kyr_program(), {"export", tool_data("small.kyr"), "--format", "cgats"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.err, "kyr: ColorSpaceCMYK SpotColor values have no CGATS fields and are left out\n");
    const std::string first_table =
        "CGATS.17\n\nORIGINATOR \"kyr\"\nDESCRIPTOR \"Tool tests\"\nILLUMINANT \"D50\"\nOBSERVER \"2\"\n"
        "MEASUREMENT_CONDITION \"M0\"\nSPECTRAL_BANDS \"2\"\nSPECTRAL_START_NM \"400\"\nSPECTRAL_END_NM "
        "\"410\"\n"
        "SPECTRAL_NORM \"100\"\n\nNUMBER_OF_FIELDS 10\nBEGIN_DATA_FORMAT\n"
        "SAMPLE_ID\tSAMPLE_NAME\tLAB_L\tLAB_A\tLAB_B\tXYZ_X\tXYZ_Y\tXYZ_Z\tSPEC_400\tSPEC_410\nEND_DATA_"
        "FORMAT\n\n"
        "NUMBER_OF_SETS 2\nBEGIN_DATA\n1\t\"Red, warm\"\t50\t60.5\t-0.25\t20\t15\t5\t\"\"\t\"\"\n"
        "2\tGreen\t60\t-40\t30\t\"\"\t\"\"\t\"\"\t10\t20\nEND_DATA\n";
    EXPECT_EQ(r.out.substr(0, first_table.size()), first_table);
    EXPECT_NE(r.out.find("SAMPLE_ID\tSAMPLE_NAME\tCMYK_C\tCMYK_M\tCMYK_Y\tCMYK_K\n"), std::string::npos);
    EXPECT_NE(r.out.find("1\tCyan\t100\t0\t0\t0\nEND_DATA\n"), std::string::npos);
}
