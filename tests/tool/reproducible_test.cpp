// Under SOURCE_DATE_EPOCH a container is the same bytes whenever and in whichever zone it is made.
#include "run_program.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace kyr_test;

TEST(ReproducibleContainers, NewAndConvertGiveTheSameBytesInEveryZone)
{
    struct restore_environment
    {
        ~restore_environment()
        {
            unsetenv("TZ");
            unsetenv("SOURCE_DATE_EPOCH");
        }
    } restore;
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1); // 2023-11-14T22:13:20Z
    scratch_directory scratch;
    const std::string source = scratch.path("swatch.kyr");
    const std::vector<std::string> make = {"new", "--name", "Red", "--lab", "53,80,67", "-o"};
    std::vector<std::string> first = make;
    first.push_back(source);
    ASSERT_EQ(run_program(kyr_program(), first).exit_code, 0);
    std::string bytes;
    for (const char* zone : {"UTC0", "XYZ-13", "ABC+11"}) { // POSIX rules: no zone database needed
        setenv("TZ", zone, 1);
        for (std::vector<std::string> command : {make, std::vector<std::string>{"convert", source}}) {
            const std::string directory = scratch.path(command[0] + zone);
            std::filesystem::create_directory(directory);
            command.push_back(directory + "/swatch.kyrz"); // the entry is named after the file
            ASSERT_EQ(run_program(kyr_program(), command).exit_code, 0);
            const std::string made = read_file(command.back());
            // Local header bytes 10 to 13: the DOS time 22:13:20 and date 2023-11-14 of the epoch in UTC.
            EXPECT_EQ(made.substr(10, 4), std::string("\xaa\xb1\x6e\x57", 4)) << command[0] << " " << zone;
            EXPECT_TRUE(bytes.empty() || made == bytes) << command[0] << " " << zone;
            bytes = made;
        }
    }
}
