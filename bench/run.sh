#!/usr/bin/env bash
# Builds in Release and measures whole-document load and save against the peers
# on corpora of about 1, 10 and 100 MB. Usage: bench/run.sh [SIZES_MB...]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
missing=()
for p in libbenchmark-dev libexpat1-dev libpugixml-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
((${#missing[@]})) && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"

build=build/bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKYR_BUILD_BENCH=ON -DKYR_BUILD_TESTS=OFF > /dev/null
cmake --build "$build" -j "$(nproc)" --target bench_load_save
corpus_dir=$build/corpus
mkdir -p "$corpus_dir"

sizes=("$@")
((${#sizes[@]})) || sizes=(1 10 100)
echo "machine: $(nproc) cores, $(awk '/MemTotal/ {print int($2/1048576)}' /proc/meminfo) GiB, $(date -u +%F)"
for size in "${sizes[@]}"; do
  corpus=$corpus_dir/colours-${size}mb.kyr
  [ -f "$corpus" ] || python3 bench/make_corpus.py --megabytes "$size" -o "$corpus"
  repeats=7
  [ "$size" -ge 100 ] && repeats=3
  echo
  echo "== ${size} MB, ${repeats} runs in one process =="
  "$build/bench/bench_load_save" "$corpus" "$repeats"
  echo "== ${size} MB, fresh process per run (median of 5) =="
  for op in "kyr load memory" "kyr load file" "libxml2 dom+walk" "pugixml parse+walk"; do
    for _ in 1 2 3 4 5; do "$build/bench/bench_load_save" --fresh "$op" "$corpus"; done |
      sort -t$'\t' -k2,2n | sed -n 3p
  done
done
