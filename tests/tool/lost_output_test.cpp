// A result that cannot be written is a failure: every command checks its standard output.
#include "run_program.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

using namespace kyr_test;

TEST(LostOutput, EveryCommandWritingToAFullDeviceFailsWithAMessage)
{
    scratch_directory scratch;
    const std::string small = " '" + tool_data("small.kyr") + "'";
    for (const std::string& command :
         {"export" + small, "info" + small, "info --json" + small, "validate" + small,
          "convert" + small + " -", std::string("new -o -"), std::string("--version")}) {
        const std::string line = "'" + kyr_program() + "' " + command + " >/dev/full 2>" + scratch.path("e");
        const int status = std::system(line.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << command;
        EXPECT_EQ(read_file(scratch.path("e")), "kyr: cannot write to standard output\n") << command;
    }
}
