#!/usr/bin/env bash
# Loads the 10 MB corpus through Kyr.dll under Mono and through Kyr::loadFile from
# C++, the two taking turns in fresh processes, and prints the median wall-clock
# and thread CPU seconds of each and their ratios. Needs a build with the library and Kyr.dll (mono-mcs).
# Usage: bench/run_csharp.sh [BUILD_DIR [MEGABYTES]]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/release}")
size=${2:-10}
out=$build/bench-csharp
mkdir -p "$out"
corpus=$out/colours-${size}mb.kyr
[ -f "$corpus" ] || python3 bench/make_corpus.py --megabytes "$size" -o "$corpus"

c++ -std=c++17 -O2 -Iinclude -Ilmx/include -Ischema/include -Iio/include -I"$build/generated/include" \
    bench/load_file_timing.cpp -L"$build" -lkyr -Wl,-rpath,"$build" -o "$out/load_file_timing"
cp "$build/Kyr.dll" "$out/"
mcs -nologo -optimize+ -r:"$out/Kyr.dll" -out:"$out/load_file_timing.exe" bench/load_file_timing.cs

turns=5 rounds=5
: > "$out/cpp.txt"
: > "$out/csharp.txt"
for ((turn = 0; turn < turns; ++turn)); do
    "$out/load_file_timing" "$corpus" "$rounds" >> "$out/cpp.txt"
    LD_LIBRARY_PATH="$build" mono "$out/load_file_timing.exe" "$corpus" "$rounds" >> "$out/csharp.txt"
done
# median of column $2 of file $1
median() { awk -v c="$2" '{ print $c }' "$1" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
bytes=$(stat -c %s "$corpus")
echo "corpus: $bytes bytes, $((turns * rounds)) loads each, $turns fresh processes each, load average $(cut -d' ' -f1 /proc/loadavg)"
echo "| load through | median wall s | MB/s | median thread CPU s |"
echo "|---|---:|---:|---:|"
awk -v s="$bytes" -v cw="$(median "$out/cpp.txt" 1)" -v cc="$(median "$out/cpp.txt" 2)" \
    -v mw="$(median "$out/csharp.txt" 1)" -v mc="$(median "$out/csharp.txt" 2)" 'BEGIN {
    printf "| C++ Kyr::loadFile | %.4f | %.1f | %.4f |\n", cw, s / 1e6 / cw, cc
    printf "| C# Kyr.dll under Mono | %.4f | %.1f | %.4f |\n", mw, s / 1e6 / mw, mc
    printf "ratio C# / C++ (target <= 1.2): wall %.3f, thread CPU %.3f\n", mw / cw, mc / cc }'
