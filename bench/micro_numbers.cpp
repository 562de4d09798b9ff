// Micro-benchmark of number formatting and parsing: the library's locale-free
// conversions against the stream and C library routines they replace.
#include <kyr/lmx/output.hpp>
#include <kyr/lmx/simple_types.hpp>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <iomanip>
#include <locale>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<double> sample_doubles()
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> mantissa(-1000.0, 1000.0);
    std::uniform_int_distribution<int> exponent(-12, 12);
    std::vector<double> values;
    for (int i = 0; i < 1024; ++i)
        values.push_back(mantissa(rng) * std::pow(10.0, exponent(rng)));
    return values;
}

std::vector<std::string> sample_texts()
{
    std::vector<std::string> texts;
    char buf[lmx::k_float_text_capacity];
    for (double v : sample_doubles())
        texts.emplace_back(buf, lmx::format_double(buf, v));
    return texts;
}

// Before: the stream formats with precision 14 in the classic locale.
void BM_WriteDouble_Stream(benchmark::State& state)
{
    const auto values = sample_doubles();
    std::ostringstream os;
    os.imbue(std::locale::classic());
    std::size_t i = 0;
    for (auto _ : state) {
        os.str(std::string());
        const auto precision = os.precision(14);
        os << values[i++ & 1023];
        os.precision(precision);
        benchmark::DoNotOptimize(os.tellp());
    }
}
BENCHMARK(BM_WriteDouble_Stream);

// After: c_as_xml<double> into the same kind of stream.
void BM_WriteDouble_Wrapper(benchmark::State& state)
{
    const auto values = sample_doubles();
    std::ostringstream os;
    os.imbue(std::locale::classic());
    std::size_t i = 0;
    for (auto _ : state) {
        os.str(std::string());
        os << lmx::c_as_xml<double>(values[i++ & 1023]);
        benchmark::DoNotOptimize(os.tellp());
    }
}
BENCHMARK(BM_WriteDouble_Wrapper);

void BM_FormatDouble_Buffer(benchmark::State& state)
{
    const auto values = sample_doubles();
    char buf[lmx::k_float_text_capacity];
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lmx::format_double(buf, values[i++ & 1023]));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FormatDouble_Buffer);

// Before: a classic-locale string stream, the portable locale-free reading.
void BM_ReadDouble_Stream(benchmark::State& state)
{
    const auto texts = sample_texts();
    std::size_t i = 0;
    for (auto _ : state) {
        std::istringstream is(texts[i++ & 1023]);
        is.imbue(std::locale::classic());
        double v = 0;
        is >> v;
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_ReadDouble_Stream);

// The C library's strtod: fast, but follows the process locale.
void BM_ReadDouble_Strtod(benchmark::State& state)
{
    const auto texts = sample_texts();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(std::strtod(texts[i++ & 1023].c_str(), nullptr));
}
BENCHMARK(BM_ReadDouble_Strtod);

// After: to_double.
void BM_ReadDouble_Library(benchmark::State& state)
{
    const auto texts = sample_texts();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(lmx::to_double(texts[i++ & 1023]));
}
BENCHMARK(BM_ReadDouble_Library);

void BM_CheckAndReadDouble_Library(benchmark::State& state)
{
    const auto texts = sample_texts();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& t = texts[i++ & 1023];
        benchmark::DoNotOptimize(lmx::is_valid_float(t) ? lmx::to_double(t) : 0.0);
    }
}
BENCHMARK(BM_CheckAndReadDouble_Library);

void BM_ReadInt_Atoi(benchmark::State& state)
{
    const std::string text = "-1234567";
    for (auto _ : state)
        benchmark::DoNotOptimize(std::atoi(text.c_str()));
}
BENCHMARK(BM_ReadInt_Atoi);

void BM_ReadInt_Library(benchmark::State& state)
{
    const std::string text = "-1234567";
    for (auto _ : state)
        benchmark::DoNotOptimize(lmx::to_int(text));
}
BENCHMARK(BM_ReadInt_Library);

void BM_WriteInt_Stream(benchmark::State& state)
{
    std::ostringstream os;
    os.imbue(std::locale::classic());
    int v = -1234567;
    for (auto _ : state) {
        os.str(std::string());
        os << v++;
        benchmark::DoNotOptimize(os.tellp());
    }
}
BENCHMARK(BM_WriteInt_Stream);

void BM_WriteInt_Wrapper(benchmark::State& state)
{
    std::ostringstream os;
    os.imbue(std::locale::classic());
    int v = -1234567;
    for (auto _ : state) {
        os.str(std::string());
        os << lmx::c_as_xml<int>(v++);
        benchmark::DoNotOptimize(os.tellp());
    }
}
BENCHMARK(BM_WriteInt_Wrapper);

} // namespace

BENCHMARK_MAIN();
