// Times whole-document loads through Kyr::loadFile, the call that Kyr.dll's
// Kyr.loadFile makes, for the comparison with load_file_timing.cs: prints the
// wall-clock and thread CPU seconds of each round, each round one document
// loaded and destroyed (CPU time holds still on a machine shared with other work).
//
//     load_file_timing CORPUS ROUNDS
#include <kyr/kyr.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

static double thread_seconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: load_file_timing CORPUS ROUNDS\n");
        return 2;
    }
    const std::wstring path = lmx::convert_to_wide(argv[1]);
    for (int round = std::atoi(argv[2]); round > 0; --round) {
        const auto start = std::chrono::steady_clock::now();
        const double cpu = thread_seconds();
        {
            com_kyrandel_v2::Kyr document;
            if (document.loadFile(path) != lmx::ELMX_OK)
                return 1;
        }
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        std::printf("%.4f %.4f\n", seconds.count(), thread_seconds() - cpu);
    }
    return 0;
}
