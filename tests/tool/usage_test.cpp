// The command line as a whole: help on every command, version, and usage
// errors with exit code 2.
#include "run_program.hpp"

#include <gtest/gtest.h>

using namespace kyr_test;

TEST(Usage, HelpListsEveryCommandOnStandardOutput)
{
    const program_result r = run_program(kyr_program(), {"--help"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.err, "");
    for (const char* command : {"validate", "info", "convert", "export", "new"})
        EXPECT_NE(r.out.find(std::string("\n  ") + command + " "), std::string::npos) << command << "\n" << r.out;
}

TEST(Usage, EveryCommandHasHelp)
{
    const std::pair<const char*, const char*> expectations[] = {
        {"validate", "FILE"}, {"info", "--json"}, {"convert", "OUT"}, {"export", "--format"}, {"new", "--lab"}};
    for (const auto& [command, option] : expectations) {
        const program_result r = run_program(kyr_program(), {command, "--help"});
        EXPECT_EQ(r.exit_code, 0) << command;
        EXPECT_EQ(r.err, "") << command;
        EXPECT_NE(r.out.find(std::string("kyr ") + command), std::string::npos) << r.out;
        EXPECT_NE(r.out.find(option), std::string::npos) << r.out;
    }
}

TEST(Usage, NoCommandListsTheCommandsOnStandardErrorAndUnknownWordsAreNamed)
{
    const program_result none = run_program(kyr_program(), {});
    EXPECT_EQ(none.exit_code, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("\n  convert "), std::string::npos) << none.err;

    const program_result unknown = run_program(kyr_program(), {"frobnicate"});
    EXPECT_EQ(unknown.exit_code, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err.rfind("The following argument was not expected: frobnicate\n", 0), 0u) << unknown.err;
}

TEST(Usage, VersionIsTheLibraryVersion)
{
    const program_result r = run_program(kyr_program(), {"--version"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, "kyr 1.0.0\n");
}

TEST(Usage, BadCommandLinesExitWithTwoAndExplainOnStandardError)
{
    const std::vector<std::vector<std::string>> bad = {
        {}, {"frobnicate"}, {"info", "--no-such-option", "x.kyr"}, {"validate", "--json", "x.kyr"}};
    for (const auto& arguments : bad) {
        const program_result r = run_program(kyr_program(), arguments);
        EXPECT_EQ(r.exit_code, 2) << (arguments.empty() ? "(nothing)" : arguments[0]);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
    }
}
