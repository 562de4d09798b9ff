// The example programs, run as a reader of the README would run them.
#include "run_program.hpp"

#include <gtest/gtest.h>

using namespace kyr_test;

TEST(Examples, PrintLabValuesOfTheSwatchBook)
{
    const program_result r = run_program(example_program("print_lab_values"), {example_file("swatches.kyr")});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "Poppy red            L*=  53.08  a*=  61.18  b*=  45.29\n"
              "Meadow green         L*=  60.37  a*= -54.58  b*=  36.82\n"
              "Cornflower blue      L*=  43.03  a*=   3.25  b*= -60.00\n"
              "Sunflower yellow     L*=  89.46  a*=  -0.32  b*=  81.09\n"
              "Chalk white          L*=  94.97  a*=   0.10  b*=   0.74\n"
              "Slate grey           L*=  48.13  a*=  -1.67  b*=  -1.79\n");
}

TEST(Examples, BuildPaletteWritesAValidContainerThatReadsBack)
{
    scratch_directory scratch;
    const std::string path = scratch.path("harbour.kyrz");
    const program_result built = run_program(example_program("build_palette"), {path});
    ASSERT_EQ(built.exit_code, 0) << built.err;
    EXPECT_EQ(built.out, "wrote " + path + "\n");

    const program_result check = run_program(kyr_program(), {"validate", path});
    EXPECT_EQ(check.exit_code, 0) << check.out;

    const program_result lab = run_program(example_program("print_lab_values"), {path});
    EXPECT_EQ(lab.exit_code, 0);
    EXPECT_EQ(lab.out,
              "Deep water           L*=  32.50  a*=  -4.00  b*= -28.00\n"
              "Harbour wall         L*=  61.00  a*=   2.50  b*=   9.00\n"
              "Buoy orange          L*=  64.00  a*=  48.00  b*=  66.00\n");
}

TEST(Examples, NewDocumentWritesAValidDocumentWithAPalette)
{
    scratch_directory scratch;
    const std::string path = scratch.path("garden.kyr");
    const program_result built = run_program(example_program("new_document"), {path});
    ASSERT_EQ(built.exit_code, 0) << built.err;
    EXPECT_EQ(run_program(kyr_program(), {"validate", path}).exit_code, 0);
    const std::string colours = "Poppy red            L*=  53.08  a*=  61.18  b*=  45.29\n"
                                "Meadow green         L*=  60.37  a*= -54.58  b*=  36.82\n"
                                "Cornflower blue      L*=  43.03  a*=   3.25  b*= -60.00\n";
    EXPECT_EQ(run_program(example_program("print_lab_values"), {path}).out, colours + colours);
}

TEST(Examples, PrintLabValuesReportsUsageAndLoadErrors)
{
    const program_result usage = run_program(example_program("print_lab_values"), {});
    EXPECT_EQ(usage.exit_code, 2);
    EXPECT_EQ(usage.out, "");

    const std::string missing = tool_data("no_such_file.kyr");
    const program_result gone = run_program(example_program("print_lab_values"), {missing});
    EXPECT_EQ(gone.exit_code, 1);
    EXPECT_EQ(gone.err, missing + ": Unable to open file\n");
}
