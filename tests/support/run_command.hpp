// Runs a shell command for tests that drive external tools, capturing its merged output.
#ifndef KYR_TESTS_SUPPORT_RUN_COMMAND_HPP
#define KYR_TESTS_SUPPORT_RUN_COMMAND_HPP

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace kyr_test {

struct command_result
{
    int status = -1; // the exit code, or -1 when the command could not run or was killed
    std::string output;
};

inline command_result run_command(const std::string& command)
{
    command_result result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) != 0;)
        result.output.append(buffer, got);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline bool have_tool(const char* tool)
{
    return run_command(std::string("command -v ") + tool).status == 0;
}

} // namespace kyr_test

#endif
