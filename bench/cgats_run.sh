#!/usr/bin/env bash
# Measures the import of a 10,000-sample spectral measurement file against Python's csv
# module on the same data lines. Usage: bench/cgats_run.sh [SAMPLES] [ROUNDS]
# KYR_BENCH_BUILD_DIR chooses another build directory.
set -euo pipefail
cd "$(dirname "$0")/.."
samples=${1:-10000} rounds=${2:-7}
bash scripts/deps.sh
missing=()
for p in libbenchmark-dev libexpat1-dev libpugixml-dev; do  # the bench folder's other programs need them
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
((${#missing[@]})) && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
build=${KYR_BENCH_BUILD_DIR:-build/bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKYR_BUILD_BENCH=ON -DKYR_BUILD_TESTS=OFF -DKYR_BUILD_FUZZ=OFF > /dev/null
cmake --build "$build" -j "$(nproc)" --target bench_cgats_import
file=$build/spectral-${samples}.txt
[ -f "$file" ] || python3 bench/make_cgats.py --samples "$samples" -o "$file"
echo "machine: $(nproc) cores (shared with other work), load $(cut -d' ' -f1 /proc/loadavg), $(date -u +%F)"
"$build/bench/bench_cgats_import" "$file" "$rounds"
python3 bench/cgats_csv_floor.py "$file" "$rounds"
