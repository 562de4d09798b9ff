// Runs a built program as a child process and captures what it prints, so the
// tool and the examples are tested exactly as a user meets them.
#ifndef KYR_TESTS_TOOL_RUN_PROGRAM_HPP
#define KYR_TESTS_TOOL_RUN_PROGRAM_HPP

#include <string>
#include <vector>

namespace kyr_test {

struct program_result
{
    int exit_code = -1; // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs `program` with `arguments`, feeding `input` on standard input. Output
// goes to pipes, so the program sees no terminal.
program_result run_program(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& input = {});

// Runs `program` with its standard output on a pseudo-terminal; `out` holds
// what reached the terminal, `err` stays empty (standard error goes to
// /dev/null).
program_result run_program_on_terminal(const std::string& program, const std::vector<std::string>& arguments);

// The kyr tool and the example programs in this build.
std::string kyr_program();
std::string example_program(const std::string& name);

// Test documents of the tool, and the bundled examples.
std::string tool_data(const std::string& name);
std::string example_file(const std::string& name);

std::string read_file(const std::string& path);

// A fresh empty directory for one test's output files, removed by the destructor.
class scratch_directory
{
public:
    scratch_directory();
    ~scratch_directory();
    scratch_directory(const scratch_directory&) = delete;
    scratch_directory& operator=(const scratch_directory&) = delete;

    std::string path(const std::string& name) const;

private:
    std::string root_;
};

} // namespace kyr_test

#endif
