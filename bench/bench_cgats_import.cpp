// Import of a measurement-data text file: the tables read from the bytes, then the document
// built from them, and the way back (tables from the document, then text). Best of N rounds.
#include <kyr/cgats/document.hpp>
#include <kyr/kyr.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

using clock_type = std::chrono::steady_clock;

double milliseconds(clock_type::time_point from, clock_type::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_cgats_import FILE [ROUNDS]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    const std::string text = content.str();
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const lmx::c_datetime now("2026-12-06T12:00:00Z");

    double best_read = 1e30, best_build = 1e30, best_import = 1e30, best_export = 1e30;
    std::size_t sets = 0, exported = 0;
    for (int round = 0; round < rounds; ++round) {
        const auto start = clock_type::now();
        std::vector<kyr::cgats::table> tables;
        if (!kyr::cgats::read(text, tables).ok)
            return 1;
        const auto read = clock_type::now();
        com_kyrandel_v2::Kyr document;
        if (!kyr::cgats::to_document(tables, "bench", "bench", now, document).ok)
            return 1;
        const auto built = clock_type::now();
        std::vector<std::string> skipped;
        exported = kyr::cgats::write(kyr::cgats::from_document(document, skipped)).size();
        const auto written = clock_type::now();
        sets = tables[0].set_count();
        best_read = std::min(best_read, milliseconds(start, read));
        best_build = std::min(best_build, milliseconds(read, built));
        best_import = std::min(best_import, milliseconds(start, built));
        best_export = std::min(best_export, milliseconds(built, written));
    }
    std::printf("kyr import: %zu samples, %zu bytes, best of %d\n", sets, text.size(), rounds);
    std::printf("  tables read        %8.1f ms\n", best_read);
    std::printf("  document built     %8.1f ms\n", best_build);
    std::printf("  import (both)      %8.1f ms\n", best_import);
    std::printf("  export (tables, text, %zu bytes) %8.1f ms\n", exported, best_export);
    return 0;
}
