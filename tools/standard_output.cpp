#include "standard_output.hpp"

#include "exit_status.hpp"

#include <cstdio>
#include <iostream>

namespace kyr_tool {

// The failure may have happened at any earlier write, so its reason (errno) is long
// gone: the message says only what was lost.
int with_output_flushed(int status)
{
    std::cout.flush();
    if (std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    std::cerr << "kyr: cannot write to standard output\n";
    return exit_usage_or_io;
}

} // namespace kyr_tool
