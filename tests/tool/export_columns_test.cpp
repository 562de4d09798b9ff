// kyr export read back by Python's csv module: each component of each colour space in a column of
// its own, text components carried, conditions and memberships stated.
#include "run_program.hpp"

#include <gtest/gtest.h>

#include <fstream>

using namespace kyr_test;

// Prints the counts of rows, columns and distinct columns and whether every row is complete,
// then each row as name|space|column=cell... of its non-empty cells.
const char* const k_reader = R"(import csv, sys
rows = list(csv.reader(open(sys.argv[1], newline='', encoding='utf-8')))
print(len(rows) - 1, len(rows[0]), len(set(rows[0])), all(len(r) == len(rows[0]) for r in rows))
for r in rows[1:]:
    print('|'.join(r[:2] + [h + '=' + c for h, c in zip(rows[0][2:], r[2:]) if c]))
)";

const char* const k_lines[] = {
    "33 103 103 True",
    "Signal Red 2207|ColorSpaceCIEXYZ|Illuminant=x=0.3457 "
    "y=0.3585|Observer=10|CIEXYZ.X=0.2512|CIEXYZ.Y=0.1401|"
    "CIEXYZ.Z=0.0485",
    "Signal Red "
    "2207|ColorSpaceCIExyY|Illuminant=5003K|Observer=2|CIExyY.x=0.5793|CIExyY.y=0.3231|CIExyY.Y=0.1401",
    "Ocean Teal|ColorSpaceYBR|YBR.Y=0.4003|YBR.B=0.5752|YBR.R=0.3125",
    "Heritage Ochre|ColorSpaceNCS|NCS.ColorName=S 2070-Y20R",
    "Heritage Ochre|ColorSpaceMunsell|Munsell.CollectionName=Munsell Book|Munsell.ColorName=10YR 6/10",
    "Slate|ColorSpaceCIELab|Palette=Facade "
    "2026|ColorSet=Exterior|Illuminant=D50|Observer=2|CIELab.L=41.3|CIELab.A=-1.8|"
    "CIELab.B=-6.4",
};

TEST(ExportColumns, PythonReadsEveryValueUnderItsOwnColumn)
{
    scratch_directory scratch;
    const program_result exported = run_program(kyr_program(), {"export", example_file("rich-sample.kyr")});
    ASSERT_EQ(exported.exit_code, 0) << exported.err;
    std::ofstream(scratch.path("rich.csv"), std::ios::binary) << exported.out;
    const program_result read =
        run_program("/usr/bin/env", {"python3", "-c", k_reader, scratch.path("rich.csv")});
    ASSERT_EQ(read.exit_code, 0) << read.err;
    for (const char* line : k_lines)
        EXPECT_NE(("\n" + read.out).find("\n" + std::string(line) + "\n"), std::string::npos) << line;
}
