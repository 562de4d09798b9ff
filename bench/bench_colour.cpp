// Colour-difference and colorimetry throughput on one core: CIEDE2000 and CMC over a million
// L*a*b* pairs, and 36-band spectra to L*a*b*. Usage: bench_colour [PAIRS_FILE]
// With PAIRS_FILE the pairs are also written there (6 doubles per pair, native byte order) for
// the peer in colour_peer.mjs to time the same pairs.
#include <kyr/colour/colorimetry.hpp>
#include <kyr/colour/conversions.hpp>
#include <kyr/colour/differences.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace kyr::colour;

namespace {

constexpr size_t pair_count = 1000000;

// xorshift64: the same pairs on every run and every machine.
struct random_numbers
{
    uint64_t state = 0x9E3779B97F4A7C15ull;
    double next(double low, double high)
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return low + (high - low) * double(state >> 11) / double(1ull << 53);
    }
};

// Processor time of the process, not wall time: the machine is shared, and the peer is timed
// the same way.
double cpu_seconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

template <class Work>
double best_seconds(Work work, int rounds = 5)
{
    double best = 1e30;
    for (int i = 0; i < rounds; ++i) {
        const double start = cpu_seconds();
        work();
        best = std::min(best, cpu_seconds() - start);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    random_numbers random;
    std::vector<Lab> standards(pair_count), samples(pair_count);
    for (size_t i = 0; i < pair_count; ++i) {
        standards[i] = {random.next(0, 100), random.next(-100, 100), random.next(-100, 100)};
        samples[i] = {random.next(0, 100), random.next(-100, 100), random.next(-100, 100)};
    }
    if (argc > 1) {
        FILE* out = std::fopen(argv[1], "wb");
        for (size_t i = 0; out && i < pair_count; ++i) {
            std::fwrite(&standards[i], sizeof(Lab), 1, out);
            std::fwrite(&samples[i], sizeof(Lab), 1, out);
        }
        if (!out || std::fclose(out) != 0) {
            std::perror(argv[1]);
            return 2;
        }
    }

    volatile double sink = 0;
    const double de2000 = best_seconds([&] {
        double sum = 0;
        for (size_t i = 0; i < pair_count; ++i)
            sum += delta_e2000(standards[i], samples[i]);
        sink = sum;
    });
    const double cmc = best_seconds([&] {
        double sum = 0;
        for (size_t i = 0; i < pair_count; ++i)
            sum += delta_e_cmc(standards[i], samples[i]);
        sink = sum;
    });

    // 4096 distinct 36-band spectra (380 to 730 nm), converted round robin.
    std::vector<double> wavelengths;
    for (int w = 380; w <= 730; w += 10)
        wavelengths.push_back(w);
    std::vector<double> spectra(4096 * 36);
    for (double& v : spectra)
        v = random.next(0.02, 0.95);
    const WeightingTable table(wavelengths, {Illuminant::D50, Observer::two_degree});
    const XYZ white = table.white();
    const size_t conversions = 1000000;
    const double spectral = best_seconds([&] {
        double sum = 0;
        for (size_t i = 0; i < conversions; ++i)
            sum += to_Lab(table.apply(&spectra[(i % 4096) * 36]), white).L;
        sink = sum;
    });
    (void)sink;

    std::printf("CIEDE2000: %.1f ns per pair\n", 1e9 * de2000 / pair_count);
    std::printf("CMC 2:1:   %.1f ns per pair\n", 1e9 * cmc / pair_count);
    std::printf("spectra (36 bands) to L*a*b*: %.2f million per second\n", conversions / spectral / 1e6);
    return 0;
}
