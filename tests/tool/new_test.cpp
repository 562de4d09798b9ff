// kyr new: swatch documents from the command line, their header, and the
// refusals of bad values.
#include "run_program.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

using namespace kyr_test;

namespace {

// Fixes the tool's clock for one test, so its output is reproducible.
class fixed_clock
{
public:
    explicit fixed_clock(const char* seconds) { setenv("SOURCE_DATE_EPOCH", seconds, 1); }
    ~fixed_clock() { unsetenv("SOURCE_DATE_EPOCH"); }
};

program_result make(const std::vector<std::string>& arguments)
{
    std::vector<std::string> all = {"new"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return run_program(kyr_program(), all);
}

} // namespace

TEST(NewCommand, WritesTheExpectedDocument)
{
    fixed_clock clock("1700000000");
    const program_result r =
        make({"--name", "Poppy", "--lab", "52.9,62,44.9", "--name", "Sky & sea", "--lab", "70,-10.25,-30",
              "--observer", "10", "--illuminant", "D65", "--purpose", "Two test swatches", "-o", "-"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, read_file(tool_data("new_two_swatches.kyr")));
}

TEST(NewCommand, FilesAreValidAndStampedNowInUtc)
{
    scratch_directory scratch;
    for (const char* name : {"red.kyr", "red.kyrz"}) {
        const std::string path = scratch.path(name);
        const std::time_t before = std::time(nullptr);
        const program_result r = make({"--name", "Red", "--lab", "53,80,67", "-o", path});
        const std::time_t after = std::time(nullptr);
        ASSERT_EQ(r.exit_code, 0) << r.err;
        EXPECT_EQ(r.out, "");

        const program_result check = run_program(kyr_program(), {"validate", path});
        EXPECT_EQ(check.exit_code, 0) << check.out;

        const program_result info = run_program(kyr_program(), {"info", path});
        EXPECT_NE(info.out.find("Creator:          kyr 1.0.0\n"), std::string::npos) << info.out;
        EXPECT_NE(info.out.find("Purpose:          Swatches made with kyr new\n"), std::string::npos);
        EXPECT_NE(info.out.find("  ColorSpaceCIELab            1\n"), std::string::npos);

        const std::string label = "Created:          ";
        const std::size_t at = info.out.find(label);
        ASSERT_NE(at, std::string::npos) << info.out;
        const std::string stamp =
            info.out.substr(at + label.size(), info.out.find('\n', at) - at - label.size());
        std::tm utc{};
        const char* end = strptime(stamp.c_str(), "%Y-%m-%dT%H:%M:%SZ", &utc);
        ASSERT_TRUE(end != nullptr && *end == '\0' && stamp.size() == 20) << stamp;
        const std::time_t written = timegm(&utc);
        EXPECT_GE(written, before);
        EXPECT_LE(written, after);
    }
}
