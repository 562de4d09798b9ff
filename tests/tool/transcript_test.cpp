// Runs data/tool/transcript.txt: after each "$ program arguments..." line come the lines the
// program must print on standard output, its standard error lines marked "! ", and its exit
// code as "[N]"; lines starting with "#" are comments. In commands and expected lines "@name"
// is a file of data/tool, "^name" a bundled example and "%name" a file in a scratch directory
// kept for the whole transcript; "< file" feeds standard input, "> file" keeps standard output
// in a file, and "quoted words" stay one argument. Set KYR_UPDATE_TRANSCRIPT=1 to print what
// every command really did instead.
#include "run_program.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace kyr_test;

namespace {

struct s_step
{
    int line;
    std::string command;
    std::string expected;
};

std::vector<s_step> read_transcript()
{
    std::vector<s_step> steps;
    std::ifstream in(tool_data("transcript.txt"));
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.compare(0, 2, "$ ") == 0)
            steps.push_back({number, line.substr(2), ""});
        else if (!steps.empty() && line.compare(0, 1, "#") != 0)
            steps.back().expected += line + "\n";
    }
    return steps;
}

std::string expand(const std::string& text, const scratch_directory& scratch)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '@' && c != '%' && c != '^') {
            out.push_back(c);
            continue;
        }
        size_t end = i + 1;
        while (end < text.size()
               && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_' || text[end] == '.'
                   || text[end] == '-'))
            ++end;
        const std::string name = text.substr(i + 1, end - i - 1);
        out += c == '@' ? tool_data(name) : c == '^' ? example_file(name) : scratch.path(name);
        i = end - 1;
    }
    return out;
}

// The inverse of expand, for printing what a command did.
std::string shortened(std::string text, const scratch_directory& scratch)
{
    for (const auto& [path, mark] : {std::pair<std::string, std::string>{tool_data(""), "@"},
                                     {example_file(""), "^"},
                                     {scratch.path(""), "%"}})
        for (size_t at = text.find(path); at != std::string::npos; at = text.find(path, at))
            text.replace(at, path.size(), mark);
    return text;
}

std::vector<std::string> words(const std::string& command)
{
    std::vector<std::string> out;
    std::istringstream in(command);
    std::string word;
    while (in >> word) {
        if (word[0] == '"') {
            while (word.size() < 2 || word.back() != '"') {
                std::string more;
                in >> more;
                word += " " + more;
            }
            word = word.substr(1, word.size() - 2);
        }
        out.push_back(word);
    }
    return out;
}

std::string program_path(const std::string& name)
{
    if (name == "kyr")
        return kyr_program();
    return name[0] == '/' ? name : example_program(name);
}

TEST(Transcript, EveryCommandPrintsAndExitsAsRecorded)
{
    const scratch_directory scratch;
    const std::vector<s_step> steps = read_transcript();
    ASSERT_GT(steps.size(), 20u);
    const bool update = std::getenv("KYR_UPDATE_TRANSCRIPT") != nullptr;
    for (const s_step& step : steps) {
        std::vector<std::string> arguments = words(expand(step.command, scratch));
        std::string input, output_file;
        for (const char* redirection : {">", "<"}) {
            if (arguments.size() > 2 && arguments[arguments.size() - 2] == redirection) {
                if (*redirection == '<')
                    input = read_file(arguments.back());
                else
                    output_file = arguments.back();
                arguments.resize(arguments.size() - 2);
            }
        }
        const std::string program = arguments.front();
        arguments.erase(arguments.begin());
        const program_result r = run_program(program_path(program), arguments, input);
        std::string actual = r.out;
        if (!output_file.empty()) {
            std::ofstream(output_file, std::ios::binary) << r.out;
            actual.clear();
        }
        std::istringstream err(r.err);
        for (std::string line; std::getline(err, line);)
            actual += "! " + line + "\n";
        actual += "[" + std::to_string(r.exit_code) + "]\n";
        if (update) {
            std::printf("$ %s\n%s", step.command.c_str(), shortened(actual, scratch).c_str());
            continue;
        }
        EXPECT_EQ(actual, expand(step.expected, scratch))
            << "transcript.txt line " << step.line << ": " << step.command;
    }
}

} // namespace

namespace {

// The progress bar goes to a terminal only, and only for ten files or more.
TEST(Transcript, ProgressBarOnlyOnATerminalWithManyFiles)
{
    std::vector<std::string> arguments(13, tool_data("header_only.kyr"));
    arguments[0] = "validate";
    const program_result terminal = run_program_on_terminal(kyr_program(), arguments);
    EXPECT_EQ(terminal.exit_code, 0);
    EXPECT_NE(terminal.out.find("] 0/12"), std::string::npos) << terminal.out;
    EXPECT_NE(terminal.out.find("] 11/12"), std::string::npos) << terminal.out;
    EXPECT_NE(terminal.out.find("\r\033[K12 files: 12 valid, 0 invalid"), std::string::npos) << terminal.out;
    EXPECT_EQ(run_program(kyr_program(), arguments).out.find('\r'), std::string::npos);
    arguments.resize(3);
    EXPECT_EQ(run_program_on_terminal(kyr_program(), arguments).out.find('['), std::string::npos);
}

} // namespace
