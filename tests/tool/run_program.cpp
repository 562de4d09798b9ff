#include "run_program.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <signal.h>
#include <stdexcept>

namespace kyr_test {
namespace {

std::vector<char*> argv_of(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

int exit_code_of(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Moves bytes between the child's pipes until both output pipes close.
void pump(int in_fd, const std::string& input, int out_fd, int err_fd, program_result& result)
{
    std::size_t written = 0;
    if (input.empty()) {
        close(in_fd);
        in_fd = -1;
    }
    while (out_fd >= 0 || err_fd >= 0) {
        pollfd fds[3] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}, {in_fd, POLLOUT, 0}};
        if (poll(fds, 3, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        int* out_fds[2] = {&out_fd, &err_fd};
        std::string* sinks[2] = {&result.out, &result.err};
        for (int i = 0; i < 2; ++i) {
            if (fds[i].revents == 0)
                continue;
            char buffer[4096];
            const ssize_t n = read(*out_fds[i], buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                close(*out_fds[i]);
                *out_fds[i] = -1;
            }
        }
        if (in_fd >= 0 && fds[2].revents != 0) {
            const ssize_t n = write(in_fd, input.data() + written, input.size() - written);
            if (n > 0)
                written += static_cast<std::size_t>(n);
            if (n <= 0 || written == input.size()) {
                close(in_fd);
                in_fd = -1;
            }
        }
    }
    if (in_fd >= 0)
        close(in_fd);
}

} // namespace

program_result run_program(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& input)
{
    int in_pipe[2], out_pipe[2], err_pipe[2];
    if (pipe2(in_pipe, O_CLOEXEC) != 0 || pipe2(out_pipe, O_CLOEXEC) != 0 || pipe2(err_pipe, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot create pipes");
    // A child that exits before reading its input must not kill the test.
    signal(SIGPIPE, SIG_IGN);

    std::vector<char*> argv = argv_of(program, arguments);
    const pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("cannot fork");
    if (child == 0) {
        dup2(in_pipe[0], STDIN_FILENO);
        dup2(out_pipe[1], STDOUT_FILENO);
        dup2(err_pipe[1], STDERR_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(in_pipe[0]);
    close(out_pipe[1]);
    close(err_pipe[1]);

    program_result result;
    pump(in_pipe[1], input, out_pipe[0], err_pipe[0], result);
    result.exit_code = exit_code_of(child);
    return result;
}

program_result run_program_on_terminal(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv = argv_of(program, arguments);
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child < 0)
        throw std::runtime_error("cannot open a pseudo-terminal");
    if (child == 0) {
        const int null_fd = open("/dev/null", O_WRONLY);
        dup2(null_fd, STDERR_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    program_result result;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(terminal, buffer, sizeof buffer);
        if (n > 0)
            result.out.append(buffer, static_cast<std::size_t>(n));
        else if (n < 0 && errno == EINTR)
            continue;
        else
            break; // EIO once the child has closed the terminal
    }
    close(terminal);
    result.exit_code = exit_code_of(child);
    return result;
}

std::string kyr_program()
{
    return std::string(KYR_BINARY_DIR) + "/tools/kyr";
}

std::string example_program(const std::string& name)
{
    return std::string(KYR_BINARY_DIR) + "/examples/" + name;
}

std::string tool_data(const std::string& name)
{
    return std::string(KYR_TEST_DATA_DIR) + "/tool/" + name;
}

std::string example_file(const std::string& name)
{
    return std::string(KYR_SOURCE_DIR) + "/examples/" + name;
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

scratch_directory::scratch_directory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kyr-tool-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch directory");
    root_ = pattern;
}

scratch_directory::~scratch_directory()
{
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string scratch_directory::path(const std::string& name) const
{
    return root_ + "/" + name;
}

} // namespace kyr_test
