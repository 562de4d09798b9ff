// kyr convert: canonical rewrites between plain files, containers and the
// standard streams, and what is left behind when something fails.
#include "run_program.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using namespace kyr_test;

namespace {

program_result convert(const std::string& in, const std::string& out, const std::string& input = {})
{
    return run_program(kyr_program(), {"convert", in, out}, input);
}

} // namespace

TEST(ConvertCommand, ContainerRoundTripGivesTheSameBytesAsAPlainRewrite)
{
    scratch_directory scratch;
    const std::string plain = scratch.path("plain.kyr");
    const std::string container = scratch.path("packed.kyrz");
    const std::string unpacked = scratch.path("unpacked.kyr");

    const program_result first = convert(tool_data("small.kyr"), plain);
    EXPECT_EQ(first.exit_code, 0);
    EXPECT_EQ(first.out, "");
    EXPECT_EQ(first.err, "");
    EXPECT_EQ(convert(plain, container).exit_code, 0);
    EXPECT_EQ(convert(container, unpacked).exit_code, 0);

    EXPECT_EQ(read_file(container).substr(0, 4), std::string("PK\x03\x04", 4));
    EXPECT_FALSE(std::filesystem::exists(scratch.path("packed.kyr")));
    EXPECT_EQ(read_file(unpacked), read_file(plain));
}

// The usual way to pack a file: the plain file of the same stem stays as it was.
TEST(ConvertCommand, PackingBesideThePlainFileLeavesItUntouched)
{
    scratch_directory scratch;
    const std::string plain = scratch.path("book.kyr");
    std::filesystem::copy_file(tool_data("small.kyr"), plain);
    ASSERT_EQ(convert(plain, scratch.path("book.kyrz")).exit_code, 0);
    EXPECT_EQ(read_file(plain), read_file(tool_data("small.kyr")));
    EXPECT_EQ(run_program(kyr_program(), {"validate", scratch.path("book.kyrz")}).exit_code, 0);
}

TEST(ConvertCommand, CanonicalFormIsStampedAndStable)
{
    scratch_directory scratch;
    const std::string once = scratch.path("once.kyr");
    const std::string twice = scratch.path("twice.kyr");
    ASSERT_EQ(convert(tool_data("small.kyr"), once).exit_code, 0);
    ASSERT_EQ(convert(once, twice).exit_code, 0);

    const std::string text = read_file(once);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Kyr:Kyr ", 0), 0u) << text;
    EXPECT_NE(text.find("\t\t\t<Kyr:WriteSDKInformation>\n"
                        "\t\t\t\t<Kyr:SDKName>Kyr2-LMX-3.7.6</Kyr:SDKName>\n"
                        "\t\t\t\t<Kyr:SDKVersion>1.0</Kyr:SDKVersion>\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(read_file(twice), text);
}

TEST(ConvertCommand, BundledSwatchBookIsAlreadyCanonical)
{
    scratch_directory scratch;
    const std::string rewritten = scratch.path("swatches.kyr");
    ASSERT_EQ(convert(example_file("swatches.kyr"), rewritten).exit_code, 0);
    EXPECT_EQ(read_file(rewritten), read_file(example_file("swatches.kyr")));
}

TEST(ConvertCommand, DashReadsStandardInputAndWritesPlainXmlToStandardOutput)
{
    scratch_directory scratch;
    const std::string plain = scratch.path("plain.kyr");
    ASSERT_EQ(convert(tool_data("small.kyr"), plain).exit_code, 0);

    const program_result piped = convert("-", "-", read_file(tool_data("small.kyr")));
    EXPECT_EQ(piped.exit_code, 0);
    EXPECT_EQ(piped.err, "");
    EXPECT_EQ(piped.out, read_file(plain));

    const std::string container = scratch.path("from-input.kyrz");
    ASSERT_EQ(convert("-", container, read_file(tool_data("small.kyr"))).exit_code, 0);
    EXPECT_EQ(convert(container, "-").out, read_file(plain));
}

TEST(ConvertCommand, OutputNameMustEndInKyrOrKyrz)
{
    scratch_directory scratch;
    for (const char* name : {"out.xml", "out.KYRZ", "out"}) {
        const program_result r = convert(tool_data("small.kyr"), scratch.path(name));
        EXPECT_EQ(r.exit_code, 2) << name;
        EXPECT_EQ(r.err, "kyr: " + scratch.path(name) + ": the output name must end in .kyr or .kyrz (or be -)\n");
        EXPECT_FALSE(std::filesystem::exists(scratch.path(name))) << name;
    }
}

TEST(ConvertCommand, InvalidInputWritesNothing)
{
    scratch_directory scratch;
    const std::string out = scratch.path("out.kyrz");
    const std::string invalid = tool_data("missing_header.kyr");
    const program_result r = convert(invalid, out);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, "kyr: " + invalid + ": line:4-'Kyr:Header'-Mandatory element missing\n");
    EXPECT_TRUE(std::filesystem::is_empty(scratch.path("")));

    const program_result missing = convert(scratch.path("missing.kyr"), out);
    EXPECT_EQ(missing.exit_code, 2);
    EXPECT_TRUE(std::filesystem::is_empty(scratch.path("")));
}

// An empty Person is accepted on reading but cannot be written back.
TEST(ConvertCommand, DocumentThatCannotBeWrittenFailsTheCheckAndLeavesNoFile)
{
    scratch_directory scratch;
    for (const char* name : {"out.kyr", "out.kyrz"}) {
        const std::string out = scratch.path(name);
        const program_result r = convert(tool_data("empty_person.kyr"), out);
        EXPECT_EQ(r.exit_code, 1) << name;
        EXPECT_EQ(r.err, "kyr: " + out + ": cannot write the document: min/max occurs error on marshaling\n");
        EXPECT_TRUE(std::filesystem::is_empty(scratch.path(""))) << name;
    }
    const program_result piped = convert(tool_data("empty_person.kyr"), "-");
    EXPECT_EQ(piped.exit_code, 1);
    EXPECT_EQ(piped.out, "");
}

TEST(ConvertCommand, UnwritableTargetIsAnIoError)
{
    scratch_directory scratch;
    const std::string out = scratch.path("no/such/dir/out.kyr");
    const program_result r = convert(tool_data("small.kyr"), out);
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("kyr: " + out + ": ", 0), 0u) << r.err;
}

TEST(ConvertCommand, BothNamesAreRequired)
{
    const program_result r = run_program(kyr_program(), {"convert", tool_data("small.kyr")});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("OUT is required"), std::string::npos) << r.err;
}
