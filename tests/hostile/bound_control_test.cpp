// The bounded child really is bounded: a load that takes more than the bound fails, one that
// stays below it succeeds, and a crash or hang shows as a signal.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "bounded_run.hpp"

using hostile::run_bounded;

TEST(BoundedRun, MemoryBeyondTheBoundIsRefused)
{
    if (!hostile::k_address_space_limit_works)
        GTEST_SKIP() << "memory bound not checked: AddressSanitizer needs the whole address space";
    const hostile::s_outcome outcome = run_bounded([]() -> std::array<int, 2> {
        try {
            std::vector<char> big(hostile::k_memory_bound + 16u * 1024u * 1024u);
            std::memset(big.data(), 1, big.size());
            return {big[big.size() / 2], 0};
        } catch (const std::bad_alloc&) {
            return {-2, 0};
        }
    });
    EXPECT_EQ(outcome.code, -2);
    EXPECT_TRUE(outcome.bounded);
}

TEST(BoundedRun, MemoryWithinTheBoundIsGranted)
{
    const hostile::s_outcome outcome = run_bounded([]() -> std::array<int, 2> {
        std::vector<char> part(hostile::k_memory_bound / 4);
        std::memset(part.data(), 7, part.size());
        return {part[part.size() - 1], 0};
    });
    EXPECT_EQ(outcome.code, 7);
    EXPECT_EQ(outcome.signal, 0);
}

TEST(BoundedRun, ACrashIsReportedAsItsSignal)
{
    const hostile::s_outcome outcome = run_bounded([]() -> std::array<int, 2> { std::abort(); });
    EXPECT_EQ(outcome.signal, SIGABRT);
    EXPECT_EQ(outcome.code, -1);
}
