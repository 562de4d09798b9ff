// kyr info: the text and JSON summaries, checked in full on a small document.
#include "run_program.hpp"

#include <gtest/gtest.h>

using namespace kyr_test;

TEST(InfoCommand, TextSummaryOfASmallDocument)
{
    const std::string path = tool_data("small.kyr");
    const program_result r = run_program(kyr_program(), {"info", path});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "File:             " + path + "\n"
              "Name:             Small book\n"
              "Creator:          Tests 2.1\n"
              "Purpose:          Tool tests\n"
              "Created:          2024-01-02T03:04:05Z\n"
              "Last changed:     2025-06-07T08:09:10+02:00\n"
              "Read by:          Other reader 0.9\n"
              "Written by:       Other writer\n"
              "Colours:          4\n"
              "Palettes:         1\n"
              "Colour sets:      2\n"
              "QC records:       1\n"
              "Colour spaces:\n"
              "  ColorSpaceSpectral          2\n"
              "  ColorSpaceCIELab            2\n"
              "  ColorSpaceCIEXYZ            1\n"
              "  ColorSpaceCMYK              1\n");
}

TEST(InfoCommand, JsonSummaryOfASmallDocument)
{
    const std::string path = tool_data("small.kyr");
    const program_result r = run_program(kyr_program(), {"info", "--json", path});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, R"({
  "file": ")" + path + R"(",
  "header": {
    "name": "Small book",
    "creator": "Tests",
    "creator_version": "2.1",
    "purpose": "Tool tests",
    "change_history": [
      "2024-01-02T03:04:05Z",
      "2025-06-07T08:09:10+02:00"
    ],
    "read_library": {
      "name": "Other reader",
      "version": "0.9"
    },
    "written_library": {
      "name": "Other writer",
      "version": null
    }
  },
  "counts": {
    "colours": 4,
    "palettes": 1,
    "colour_sets": 2,
    "quality_control_records": 1
  },
  "colour_spaces": {
    "ColorSpaceSpectral": 2,
    "ColorSpaceCIELab": 2,
    "ColorSpaceCIEXYZ": 1,
    "ColorSpaceCMYK": 1
  }
}
)");
}

// A document that names no reading library is stamped with this one on loading.
TEST(InfoCommand, HeaderOnlyDocumentShowsZeroCountsAndThisLibraryAsReader)
{
    const program_result r = run_program(kyr_program(), {"info", "-"}, read_file(tool_data("header_only.kyr")));
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out,
              "File:             -\n"
              "Creator:          Tests 1\n"
              "Purpose:          Nothing but a header\n"
              "Created:          2024-01-02T03:04:05Z\n"
              "Last changed:     2024-01-02T03:04:05Z\n"
              "Read by:          Kyr2-LMX-3.7.6 1.0\n"
              "Colours:          0\n"
              "Palettes:         0\n"
              "Colour sets:      0\n"
              "QC records:       0\n"
              "Colour spaces:\n");

    const program_result json = run_program(kyr_program(), {"info", "--json", tool_data("header_only.kyr")});
    EXPECT_EQ(json.exit_code, 0);
    EXPECT_NE(json.out.find("\"colour_spaces\": {}\n}\n"), std::string::npos) << json.out;
}

TEST(InfoCommand, FailuresPrintNothingOnStandardOutput)
{
    const std::string invalid = tool_data("missing_header.kyr");
    const program_result bad = run_program(kyr_program(), {"info", invalid});
    EXPECT_EQ(bad.exit_code, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "kyr: " + invalid + ": line:4-'Kyr:Header'-Mandatory element missing\n");

    const std::string missing = tool_data("no_such_file.kyr");
    const program_result gone = run_program(kyr_program(), {"info", "--json", missing});
    EXPECT_EQ(gone.exit_code, 2);
    EXPECT_EQ(gone.out, "");
    EXPECT_EQ(gone.err, "kyr: " + missing + ": cannot open: No such file or directory\n");

    const program_result two = run_program(kyr_program(), {"info", invalid, missing});
    EXPECT_EQ(two.exit_code, 2);
    EXPECT_EQ(two.out, "");
    EXPECT_NE(two.err, "");
}
