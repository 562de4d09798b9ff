// kyr validate: per-file verdicts, the summary line, exit codes and the
// terminal-only progress bar.
#include "run_program.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace kyr_test;

namespace {

program_result validate(const std::vector<std::string>& files, const std::string& input = {})
{
    std::vector<std::string> arguments = {"validate"};
    arguments.insert(arguments.end(), files.begin(), files.end());
    return run_program(kyr_program(), arguments, input);
}

} // namespace

TEST(ValidateCommand, ValidDocumentsReportOkThenSummary)
{
    const std::string small = tool_data("small.kyr");
    const std::string header_only = tool_data("header_only.kyr");
    const program_result r = validate({small, header_only});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, small + ": OK\n" + header_only + ": OK\n2 files: 2 valid, 0 invalid\n");
    EXPECT_EQ(r.err, "");
}

TEST(ValidateCommand, InvalidDocumentsShowTheReadersMessage)
{
    struct case_t
    {
        const char* file;
        const char* message;
    };
    const case_t cases[] = {
        {"missing_header.kyr", "line:4-'Kyr:Header'-Mandatory element missing"},
        {"lab_out_of_range.kyr", "line:70-'Kyr:L'-Value greater than specified maximum"},
        {"wrong_root.kyr", "line:2-'Palette'-Element not found"},
        // This code bypasses the reader's error handler, so only its text is known.
        {"unknown_xsi_type.kyr", "Unknown xsi:type"},
    };
    for (const case_t& c : cases) {
        const std::string path = tool_data(c.file);
        const program_result r = validate({path});
        EXPECT_EQ(r.exit_code, 1) << c.file;
        EXPECT_EQ(r.out, path + ": " + c.message + "\n1 file: 0 valid, 1 invalid\n") << c.file;
        EXPECT_EQ(r.err, "") << c.file;
    }
}

TEST(ValidateCommand, TextThatIsNotXmlIsInvalidNotAnIoError)
{
    for (const char* file : {"not_xml.kyr"}) {
        const program_result r = validate({tool_data(file)});
        EXPECT_EQ(r.exit_code, 1) << file;
        EXPECT_NE(r.out.find(":1:1: error: no document element\n"), std::string::npos) << r.out;
        EXPECT_EQ(r.err, "");
    }
    scratch_directory scratch;
    const std::string empty = scratch.path("empty.kyr");
    std::filesystem::copy_file(tool_data("not_xml.kyr"), empty);
    std::filesystem::resize_file(empty, 0);
    const program_result r = validate({empty});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out.rfind(empty + ":1:1: error: no document element\n", 0), 0u) << r.out;
}

// Strict by default, a fault of well-formedness given with its place; --lenient reads as loadFile
// does, --xml-only checks any XML file for well-formedness alone.
TEST(ValidateCommand, StrictnessFollowsTheOptions)
{
    const std::string small = read_file(tool_data("small.kyr"));
    const std::string after_root = std::to_string(std::count(small.begin(), small.end(), '\n') + 1) + ":1";
    struct case_t
    {
        std::vector<std::string> options;
        std::string text;
        int exit_code;
        std::string verdict;
    };
    const case_t cases[] = {
        {{}, small + "<extra/>", 1, ":" + after_root + ": error: content after the document element"},
        {{"--lenient"}, small + "<extra/>", 0, ": OK"},
        {{"--xml-only"}, small + "<extra/>", 1, ":" + after_root + ": error: content after the document element"},
        {{"--xml-only"}, "<a>\n  \x01</a>", 1, ":2:3: error: a character XML does not allow"},
        {{"--xml-only"}, "<a/>", 0, ": OK"},
        {{}, "<a/>", 1, ": line:1-'a'-Element not found"},
    };
    scratch_directory scratch;
    const std::string path = scratch.path("case.xml");
    for (const case_t& c : cases) {
        std::ofstream(path, std::ios::binary) << c.text;
        std::vector<std::string> arguments = {"validate", path};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const program_result r = run_program(kyr_program(), arguments);
        EXPECT_EQ(r.exit_code, c.exit_code) << c.text;
        EXPECT_EQ(r.out, path + c.verdict + "\n1 file: " + (c.exit_code ? "0 valid, 1" : "1 valid, 0") + " invalid\n");
    }
    EXPECT_EQ(run_program(kyr_program(), {"validate", "--lenient", "--xml-only", path}).exit_code, 2);
}

TEST(ValidateCommand, UnreadableFilesGoToStandardErrorWithExitTwo)
{
    scratch_directory scratch;
    const std::string missing = scratch.path("missing.kyr");
    const std::string valid = tool_data("small.kyr");
    const std::string invalid = tool_data("missing_header.kyr");
    const program_result r = validate({valid, missing, invalid, scratch.path("")});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_EQ(r.out, valid + ": OK\n" + invalid + ": line:4-'Kyr:Header'-Mandatory element missing\n"
                         "4 files: 1 valid, 1 invalid, 2 unreadable\n");
    EXPECT_EQ(r.err, "kyr: " + missing + ": cannot open: No such file or directory\n"
                     "kyr: " + scratch.path("") + ": cannot open: is a directory\n");
}

TEST(ValidateCommand, StandardInputIsReadForADash)
{
    const program_result good = validate({"-"}, read_file(tool_data("small.kyr")));
    EXPECT_EQ(good.exit_code, 0);
    EXPECT_EQ(good.out, "-: OK\n1 file: 1 valid, 0 invalid\n");

    const program_result bad = validate({"-"}, read_file(tool_data("missing_header.kyr")));
    EXPECT_EQ(bad.exit_code, 1);
    EXPECT_EQ(bad.out, "-: line:4-'Kyr:Header'-Mandatory element missing\n1 file: 0 valid, 1 invalid\n");
}

TEST(ValidateCommand, ContainersAreOpenedAndDamagedOnesAreInvalid)
{
    scratch_directory scratch;
    const std::string container = scratch.path("small.kyrz");
    ASSERT_EQ(run_program(kyr_program(), {"convert", tool_data("small.kyr"), container}).exit_code, 0);
    const std::string plain_named_as_container = scratch.path("plain.kyrz");
    std::filesystem::copy_file(tool_data("small.kyr"), plain_named_as_container);

    const program_result r = validate({container, plain_named_as_container});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, container + ": OK\n" + plain_named_as_container +
                         ": not a readable .kyrz container: not a zip archive or truncated: end of central "
                         "directory not found\n2 files: 1 valid, 1 invalid\n");
}

// A broken container names what broke.
TEST(ValidateCommand, BrokenContainersNameTheirFault)
{
    scratch_directory scratch;
    const std::string path = scratch.path("case.kyrz");
    ASSERT_EQ(run_program(kyr_program(), {"convert", tool_data("small.kyr"), path}).exit_code, 0);
    const std::string good = read_file(path);
    const std::size_t directory = static_cast<unsigned char>(good[good.size() - 6]) |
                                  static_cast<unsigned char>(good[good.size() - 5]) << 8;
    // Flips bits of a byte of the only entry in its local header and in its directory record.
    const auto flip = [&](std::size_t local, std::size_t central, char bits) {
        std::string bytes = good;
        bytes[local] ^= bits;
        bytes[directory + central] ^= bits;
        return bytes;
    };
    const std::pair<std::string, std::string> cases[] = {
        {good.substr(0, good.size() / 2), "not a zip archive or truncated: end of central directory not found"},
        {flip(14, 16, 1), "CRC-32 mismatch"},
        {flip(8, 10, 4), "unsupported compression method"},  // deflate (8) made 12
        {std::string("PK\5\6", 4) + std::string(18, '\0'), "no entry"},
    };
    for (const auto& [bytes, reason] : cases) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        EXPECT_EQ(validate({path}).out,
                  path + ": not a readable .kyrz container: " + reason + "\n1 file: 0 valid, 1 invalid\n");
    }
}

// A container's entry is read with the same reader, so its message keeps the line.
TEST(ValidateCommand, InvalidDocumentInsideAContainerKeepsItsLineNumber)
{
    scratch_directory scratch;
    const std::string container = scratch.path("broken.kyrz");
    const program_result zipped = run_program("/usr/bin/zip", {"-q", "-j", container, tool_data("missing_header.kyr")});
    ASSERT_EQ(zipped.exit_code, 0) << zipped.err;

    const program_result r = validate({container});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, container + ": line:4-'Kyr:Header'-Mandatory element missing\n1 file: 0 valid, 1 invalid\n");
}

TEST(ValidateCommand, NoFileIsAUsageError)
{
    const program_result r = validate({});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("FILE is required"), std::string::npos) << r.err;
}

TEST(ValidateCommand, ProgressBarOnlyOnATerminalWithManyFiles)
{
    const std::vector<std::string> twelve(12, tool_data("header_only.kyr"));
    std::vector<std::string> arguments = {"validate"};
    arguments.insert(arguments.end(), twelve.begin(), twelve.end());

    const program_result piped = run_program(kyr_program(), arguments);
    EXPECT_EQ(piped.exit_code, 0);
    EXPECT_EQ(piped.out.find('\r'), std::string::npos);
    EXPECT_NE(piped.out.find("12 files: 12 valid, 0 invalid\n"), std::string::npos);

    const program_result terminal = run_program_on_terminal(kyr_program(), arguments);
    EXPECT_EQ(terminal.exit_code, 0);
    EXPECT_NE(terminal.out.find("] 0/12"), std::string::npos) << terminal.out;
    EXPECT_NE(terminal.out.find("] 11/12"), std::string::npos) << terminal.out;
    EXPECT_NE(terminal.out.find("\r\033[K12 files: 12 valid, 0 invalid"), std::string::npos) << terminal.out;

    const std::vector<std::string> few = {"validate", tool_data("header_only.kyr"), tool_data("small.kyr")};
    const program_result short_run = run_program_on_terminal(kyr_program(), few);
    EXPECT_EQ(short_run.exit_code, 0);
    EXPECT_EQ(short_run.out.find('['), std::string::npos) << short_run.out;
}
