// kyr export: one CSV row per colour value, columns for every component and
// every wavelength found.
#include "run_program.hpp"

#include <gtest/gtest.h>

using namespace kyr_test;

TEST(ExportCommand, CsvOfASmallDocument)
{
    const program_result r = run_program(kyr_program(), {"export", tool_data("small.kyr"), "--format", "csv"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "ColorName,ColorSpace,Palette,ColorSet,Illuminant,Observer,CIELab.L,CIELab.A,CIELab.B,CIEXYZ.X,"
              "CIEXYZ.Y,CIEXYZ.Z,CMYK.Cyan,CMYK.Magenta,CMYK.Yellow,CMYK.Black,CMYK.Gold,Spectral.400,Spectral.410,"
              "Spectral.420\n"
              "\"Red, warm\",ColorSpaceCIELab,,,D50,2,50,60.5,-0.25,,,,,,,,,,,\n"
              "\"Red, warm\",ColorSpaceCIEXYZ,,,D65,10,,,,0.2,0.15,0.05,,,,,,,,\n"
              "Green,ColorSpaceCIELab,,,D50,2,60,-40,30,,,,,,,,,,,\n"
              "Green,ColorSpaceSpectral,,,,,,,,,,,,,,,,0.1,0.2,\n"
              "Blue,ColorSpaceSpectral,Sea,Blues,,,,,,,,,,,,,,0.3,,0.4\n"
              "Cyan,ColorSpaceCMYK,Sea,Inks,,,,,,,,,100,0,0,0,12.5,,,\n");
}

TEST(ExportCommand, CsvIsTheDefaultFormatAndDocumentsWithoutColoursGiveTheHeaderOnly)
{
    const program_result r = run_program(kyr_program(), {"export", tool_data("header_only.kyr")});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, "ColorName,ColorSpace,Palette,ColorSet,Illuminant,Observer\n");
}

TEST(ExportCommand, ReadsContainersAndStandardInput)
{
    scratch_directory scratch;
    const std::string container = scratch.path("small.kyrz");
    ASSERT_EQ(run_program(kyr_program(), {"convert", tool_data("small.kyr"), container}).exit_code, 0);
    const program_result from_file = run_program(kyr_program(), {"export", tool_data("small.kyr")});
    const program_result from_container = run_program(kyr_program(), {"export", container});
    const program_result from_input = run_program(kyr_program(), {"export", "-"}, read_file(tool_data("small.kyr")));
    EXPECT_EQ(from_container.exit_code, 0);
    EXPECT_EQ(from_input.exit_code, 0);
    EXPECT_EQ(from_container.out, from_file.out);
    EXPECT_EQ(from_input.out, from_file.out);
}

TEST(ExportCommand, BadFormatInvalidDocumentAndMissingFile)
{
    const program_result format = run_program(kyr_program(), {"export", tool_data("small.kyr"), "--format", "xlsx"});
    EXPECT_EQ(format.exit_code, 2);
    EXPECT_EQ(format.out, "");
    EXPECT_NE(format.err.find("xlsx"), std::string::npos) << format.err;

    const std::string invalid = tool_data("lab_out_of_range.kyr");
    const program_result bad = run_program(kyr_program(), {"export", invalid});
    EXPECT_EQ(bad.exit_code, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "kyr: " + invalid + ": line:70-'Kyr:L'-Value greater than specified maximum\n");

    const program_result missing = run_program(kyr_program(), {"export", tool_data("no_such_file.kyr")});
    EXPECT_EQ(missing.exit_code, 2);
    EXPECT_EQ(missing.out, "");
}

// Names travel through the library's UTF-16 strings; characters outside the
// Basic Multilingual Plane must come back whole.
TEST(ExportCommand, NamesKeepEveryCharacter)
{
    scratch_directory scratch;
    const std::string path = scratch.path("names.kyr");
    const std::string name = "Gr\xC3\xBCn \xE2\x82\xAC\xF0\x9D\x84\x9E \"quoted\"";
    ASSERT_EQ(run_program(kyr_program(), {"new", "--name", name, "--lab", "50,-40,20", "-o", path}).exit_code, 0);
    const program_result r = run_program(kyr_program(), {"export", path});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, "ColorName,ColorSpace,Palette,ColorSet,Illuminant,Observer,CIELab.L,CIELab.A,CIELab.B\n"
                     "\"Gr\xC3\xBCn \xE2\x82\xAC\xF0\x9D\x84\x9E \"\"quoted\"\"\",ColorSpaceCIELab,,,D50,2,50,-40,20\n");
}
