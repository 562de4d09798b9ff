#!/usr/bin/env bash
# Builds in Release and measures whole-document load and save against the peers on both
# corpus shapes of bench/make_corpus.py. Usage: bench/run.sh [SIZES_MB...] (default 10; `bench/run.sh 10 100`
# adds the 100 MB corpora, measured in fewer rounds so that both shapes take a few minutes).
# KYR_BENCH_BUILD_DIR and KYR_BENCH_CORPUS_DIR choose other build and corpus directories,
# KYR_BENCH_SHAPES the shapes ("lab-spectrum rich").
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
bench=$build/bench/bench_load_save
corpus_dir=${KYR_BENCH_CORPUS_DIR:-$build/corpus}
mkdir -p "$corpus_dir"

# The median seconds of OPERATION over REPEATS rounds in a process that runs nothing else.
warm_alone() { # MODE CORPUS REPEATS OPERATION
  "$bench" $1 "$2" "$3" "$4" | awk -F'|' -v op="$4" '{ gsub(/^ +| +$/, "", $2) } $2 == op { print $3 + 0 }'
}

# Each library warm in a process of its own: no peer's heap before it, nothing faulted in
# after the warm-up round. The processes take turns for ROUNDS rounds, and the median of
# their medians is reported, so a slow spell of the shared machine falls on all of them.
warm_own_process() { # MODE CORPUS REPEATS ROUNDS
  local ops=("kyr load memory" "libxml2 dom+walk" "pugixml parse+walk" "kyr save string" "pugixml save")
  local -A runs=()
  for ((round = 0; round < $4; ++round)); do
    for op in "${ops[@]}"; do runs[$op]+="$(warm_alone "$1" "$2" "$3" "$op") "; done
  done
  local bytes
  bytes=$(stat -c %s "$2")
  for op in "${ops[@]}"; do echo "$op	${runs[$op]}"; done | awk -F'\t' -v bytes="$bytes" '
    function median(list,   n, v, i, j, t) {
      n = split(list, v, " ")
      for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
      return v[int((n + 1) / 2)]
    }
    function ratio(what, ours, peer, target,   value) {
      value = s[peer] / s[ours]
      printf "| %-48s | %6.2f | >= %.2f %-6s |\n", what, value, target, (value >= target ? "met" : "MISSED")
    }
    { s[$1] = median($2); printf "| %-20s | %10.4f | %8.1f |\n", $1, s[$1], bytes / 1e6 / s[$1] }
    END {
      print "\n| ratio (medians of the processes)                 |  value | target        |"
      print "|--------------------------------------------------|-------:|---------------|"
      ratio("load / libxml2 tree + walk", "kyr load memory", "libxml2 dom+walk", 1.5)
      ratio("load / pugixml parse + walk", "kyr load memory", "pugixml parse+walk", 0.9)
      ratio("save / pugixml save", "kyr save string", "pugixml save", 1.0)
    }'
}

sizes=("$@")
((${#sizes[@]})) || sizes=(10)
read -r -a shapes <<< "${KYR_BENCH_SHAPES:-lab-spectrum rich}"
echo "machine: $(nproc) cores (shared with other work), $(awk '/MemTotal/ {print int($2/1048576)}' /proc/meminfo) GiB, $(date -u +%F)"
for shape in "${shapes[@]}"; do
  for size in "${sizes[@]}"; do
    corpus=$corpus_dir/$shape-${size}mb.kyr
    [ -f "$corpus" ] || python3 bench/make_corpus.py --shape "$shape" --megabytes "$size" -o "$corpus"
    # From 100 MB on: fewer rounds, one process round, one fresh run and, in the shared
    # process, only the operations the targets compare.
    repeats=7 rounds=3 fresh_runs=5 shared_ops=()
    if [ "$size" -ge 100 ]; then
      repeats=2 rounds=1 fresh_runs=1
      shared_ops=("kyr load memory" "libxml2 dom+walk" "pugixml parse+walk" "kyr save string" "pugixml save")
    fi
    for mode in "" --keep-freed-memory; do
      echo
      echo "== $shape, ${size} MB, each library warm in its own process, ${repeats} rounds ${mode:+(freed memory kept)} =="
      echo "| operation            |   median s |     MB/s |"
      echo "|----------------------|-----------:|---------:|"
      warm_own_process "$mode" "$corpus" "$repeats" "$rounds"
    done
    for mode in "" --keep-freed-memory; do
      echo
      echo "== $shape, ${size} MB, every operation taking turns in one process ${mode:+(freed memory kept)} =="
      "$bench" $mode "$corpus" "$repeats" "${shared_ops[@]}"
    done
    # A tree-building peer leaves the heap it freed behind for whatever runs next (libxml2's
    # nodes slow a following pugixml parse to less than half its speed); run our load with one peer at a time.
    for mode in "" --keep-freed-memory; do
      echo
      echo "== $shape, ${size} MB, our load with one peer at a time, ${repeats} rounds ${mode:+(freed memory kept)} =="
      for peer in "libxml2 dom+walk" "pugixml parse+walk"; do
        "$bench" $mode "$corpus" "$repeats" "kyr load memory" "$peer" | grep -E '^\| throughput'
      done
    done
    echo
    echo "== $shape, ${size} MB, one load in a fresh process (the run with the median time of ${fresh_runs}) =="
    "$bench" --write-kyrz "$corpus"
    echo "| operation            |   seconds |     MB/s | peak RSS growth MiB | / file size |"
    echo "|----------------------|----------:|---------:|--------------------:|------------:|"
    for op in "kyr load memory" "kyr load file" "kyr load kyrz" "libxml2 dom+walk" "libxml2 reader" "expat empty" "pugixml parse+walk"; do
      for ((run = 0; run < fresh_runs; ++run)); do "$bench" --fresh "$op" "$corpus"; done |
        sort -t$'\t' -k2,2n | sed -n "$(((fresh_runs + 1) / 2))p"
    done | awk -F'\t' '
      function ratio(what, peer, target,   value) {
        value = s[peer] / s["kyr load memory"]
        printf "| %-48s | %6.2f | >= %.2f %-6s |\n", what, value, target, (value >= target ? "met" : "MISSED")
      }
      { s[$1] = $2; printf "| %-20s | %9.4f | %8.1f | %19.1f | %11.2f |\n", $1, $2, $4 / 1e6 / $2, $3 / 1024, $3 * 1024 / $4 }
      END {
        print "\n| ratio (median runs)                              |  value | target        |"
        print "|--------------------------------------------------|-------:|---------------|"
        ratio("load / libxml2 tree + walk", "libxml2 dom+walk", 1.5)
        ratio("load / pugixml parse + walk", "pugixml parse+walk", 0.6)
      }'
    rm -f "$corpus.scratch.kyrz"
  done
done
