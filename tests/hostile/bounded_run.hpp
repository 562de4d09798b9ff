// Runs a load in a forked child under an address-space limit and a time limit, so that a
// hostile input that eats memory, hangs or crashes shows up as a failed test instead of
// taking the test process with it.
#ifndef KYR_TESTS_HOSTILE_BOUNDED_RUN_HPP
#define KYR_TESTS_HOSTILE_BOUNDED_RUN_HPP

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstddef>
#include <fstream>
#include <functional>
#include <string>

namespace hostile {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool k_address_space_limit_works = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool k_address_space_limit_works = false;
#else
constexpr bool k_address_space_limit_works = true;
#endif
#else
constexpr bool k_address_space_limit_works = true;
#endif

// Address space a hostile load may add to what the process had mapped before it.
constexpr std::size_t k_memory_bound = 256u * 1024u * 1024u;
// Wall-clock seconds a hostile load may take. The largest reads 64 MiB, about a second in an
// optimised build; debug builds on a busy machine need far more.
constexpr unsigned k_time_bound = 120;

struct s_outcome
{
    int code = -1;        // what the load returned, -1 when the child did not report
    int lexical = -1;     // the reader's lexical code, when the load reports one
    int signal = 0;       // the signal that ended the child, 0 when it exited
    bool bounded = false; // whether the address-space limit was in force
};

// Virtual size of this process in bytes.
inline std::size_t mapped_bytes()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// `load` runs in a child limited to the current mapping plus k_memory_bound (not under
// AddressSanitizer, whose shadow memory needs terabytes of address space). It returns the
// load's code and the lexical code.
inline s_outcome run_bounded(const std::function<std::array<int, 2>()>& load)
{
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        if (k_address_space_limit_works) {
            const rlim_t limit = mapped_bytes() + k_memory_bound;
            const rlimit bound{limit, limit};
            setrlimit(RLIMIT_AS, &bound);
        }
        alarm(k_time_bound);
        const std::array<int, 2> codes = load();
        const ssize_t written = write(channel[1], codes.data(), sizeof codes);
        _exit(written == sizeof codes ? 0 : 1);
    }
    close(channel[1]);
    s_outcome outcome;
    outcome.bounded = k_address_space_limit_works;
    std::array<int, 2> codes{};
    if (read(channel[0], codes.data(), sizeof codes) == sizeof codes) {
        outcome.code = codes[0];
        outcome.lexical = codes[1];
    }
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        outcome.signal = WTERMSIG(status);
    return outcome;
}

} // namespace hostile

#endif
