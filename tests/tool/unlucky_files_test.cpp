// The tool on files as users' machines have them: a write killed half way, names that are not
// UTF-8, a FIFO named as a container, a container it may not read, endless standard input.
// The old file always survives.
#include "run_program.hpp"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>

#include "../hostile/bounded_run.hpp"

using namespace kyr_test;

TEST(UnluckyFiles, OldFilesSurviveAndFailuresAreExplained)
{
    // $0 is kyr, $1 a document, $2 the scratch directory, $3 a memory limit; `file` holds "old"
    // before and after; an exit code of -1 is a kill.
    const struct
    {
        const char* script;
        const char* file;
        int exit_code;
        const char* err;
    } cases[] = {
        {"ulimit -f 1; exec \"$0\" convert \"$1\" \"$2/old.kyr\"", "old.kyr", -1, ""},
        {"ulimit -f 1; exec \"$0\" convert \"$1\" \"$2/old.kyrz\"", "old.kyrz", -1, ""},
        {"exec \"$0\" convert \"$1\" \"$2/old.kyr$(printf '\\377').kyr\"", "old.kyr", 2, "not valid UTF-8"},
        {"exec \"$0\" new --name a --lab 1,2,3 -o \"$2/old.kyr$(printf '\\355\\240\\200').kyr\"", "old.kyr",
         2, "not valid UTF-8"},
        {"exec \"$0\" convert \"$1\" \"$2/a$(printf '\\300\\257')old.kyr\"", "a/old.kyr", 2,
         "file name is not valid UTF-8"},
        {"$3; yes '<a>' | exec \"$0\" validate -", "old.kyr", 1, ""},
        {"mkfifo \"$2/p.kyrz\"; exec timeout 10 \"$0\" validate \"$2/p.kyrz\"", "old.kyr", 1, ""},
        // Root reads anything: the tool then runs as nobody.
        {"d=$2; chmod 0 \"$d/old.kyrz\"; set --; [ \"$(id -u)\" = 0 ] && set -- setpriv --reuid=65534 "
         "--regid=65534 "
         "--clear-groups; exec \"$@\" \"$0\" validate \"$d/old.kyrz\"",
         "old.kyrz", 2, "cannot open: Permission denied"},
    };
    // Reading all of an endless input into memory would fail fast instead of eating the machine.
    const std::string limit = hostile::k_address_space_limit_works ? "ulimit -v 400000" : ":";
    for (const auto& c : cases) {
        scratch_directory scratch;
        ::chmod(scratch.path("").c_str(), 0755);
        ::mkdir(scratch.path("a").c_str(), 0755);
        std::ofstream(scratch.path(c.file)) << "old";
        const program_result result = run_program(
            "/bin/sh",
            {"-c", c.script, kyr_program(), example_file("rich-sample.kyr"), scratch.path(""), limit});
        EXPECT_EQ(result.exit_code, c.exit_code) << c.script << result.err;
        EXPECT_NE(result.err.find(c.err), std::string::npos) << c.script << result.err;
        ::chmod(scratch.path(c.file).c_str(), 0644);
        EXPECT_EQ(read_file(scratch.path(c.file)), "old") << c.script;
    }
}
