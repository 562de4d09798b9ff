#!/usr/bin/env bash
# Builds in Release and measures whole-document load and save against the peers
# on corpora of about 1, 10 and 100 MB. Usage: bench/run.sh [SIZES_MB...]
# KYR_BENCH_BUILD_DIR and KYR_BENCH_CORPUS_DIR choose other build and corpus directories.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
missing=()
for p in libbenchmark-dev libexpat1-dev libpugixml-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
((${#missing[@]})) && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"

build=${KYR_BENCH_BUILD_DIR:-build/bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKYR_BUILD_BENCH=ON -DKYR_BUILD_TESTS=OFF -DKYR_BUILD_FUZZ=OFF > /dev/null
cmake --build "$build" -j "$(nproc)" --target bench_load_save
corpus_dir=${KYR_BENCH_CORPUS_DIR:-$build/corpus}
mkdir -p "$corpus_dir"

sizes=("$@")
((${#sizes[@]})) || sizes=(1 10 100)
echo "machine: $(nproc) cores (shared with other work), $(awk '/MemTotal/ {print int($2/1048576)}' /proc/meminfo) GiB, $(date -u +%F)"
for size in "${sizes[@]}"; do
  corpus=$corpus_dir/colours-${size}mb.kyr
  [ -f "$corpus" ] || python3 bench/make_corpus.py --megabytes "$size" -o "$corpus"
  repeats=7 fresh_runs=5
  [ "$size" -ge 100 ] && repeats=3 fresh_runs=3
  echo
  echo "== ${size} MB, ${repeats} rounds in one process =="
  "$build/bench/bench_load_save" "$corpus" "$repeats"
  echo
  echo "== ${size} MB, ${repeats} rounds in one process that keeps the memory it frees =="
  "$build/bench/bench_load_save" --keep-freed-memory "$corpus" "$repeats"
  # A tree-building peer leaves the heap it freed behind for whatever runs next (libxml2's
  # nodes slow a following pugixml parse to less than half its speed); run our load with one peer at a time.
  for mode in "" --keep-freed-memory; do
    echo
    echo "== ${size} MB, our load with one peer at a time, ${repeats} rounds ${mode:+(freed memory kept)} =="
    for peer in "libxml2 dom+walk" "pugixml parse+walk"; do
      "$build/bench/bench_load_save" $mode "$corpus" "$repeats" "kyr load memory" "$peer" | grep -E '^\| throughput'
    done
  done
  echo
  echo "== ${size} MB, one load in a fresh process (the run with the median time of ${fresh_runs}) =="
  "$build/bench/bench_load_save" --write-kyrz "$corpus"
  echo "| operation            |   seconds |     MB/s | peak RSS growth MiB | / file size |"
  echo "|----------------------|----------:|---------:|--------------------:|------------:|"
  for op in "kyr load memory" "kyr load file" "kyr load kyrz" "libxml2 dom+walk" "libxml2 reader" "expat empty" "pugixml parse+walk"; do
    for ((run = 0; run < fresh_runs; ++run)); do "$build/bench/bench_load_save" --fresh "$op" "$corpus"; done |
      sort -t$'\t' -k2,2n | sed -n "$(((fresh_runs + 1) / 2))p" |
      awk -F'\t' '{ printf "| %-20s | %9.4f | %8.1f | %19.1f | %11.2f |\n", $1, $2, $4 / 1e6 / $2, $3 / 1024, $3 * 1024 / $4 }'
  done
  rm -f "$corpus.scratch.kyrz"
done
