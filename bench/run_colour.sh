#!/usr/bin/env bash
# Times our colour differences against colorjs.io (npm, run with node) on the same million
# L*a*b* pairs, both pinned to one core, and our spectra-to-L*a*b* throughput.
# Usage: bench/run_colour.sh   (KYR_BENCH_BUILD_DIR chooses another build directory)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KYR_BENCH_BUILD_DIR:-build/bench-colour}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKYR_BUILD_BENCH=ON -DKYR_BENCH_COLOUR_ONLY=ON -DKYR_BUILD_TESTS=OFF -DKYR_BUILD_FUZZ=OFF -DKYR_BUILD_TOOLS=OFF > /dev/null
cmake --build "$build" -j "$(nproc)" --target bench_colour
peer=$build/colour-peer
mkdir -p "$peer"
[ -d "$peer/node_modules/colorjs.io" ] || npm install --prefix "$peer" --no-save --silent colorjs.io
cp bench/colour_peer.mjs "$peer/"
echo "machine: $(nproc) cores (shared with other work), node $(node --version), colorjs.io $(node -p "require('$PWD/$peer/node_modules/colorjs.io/package.json').version"), $(date -u +%F)"
echo "== ours (C++) =="
taskset -c 0 "$build/bench/bench_colour" "$peer/pairs.bin"
echo "== colorjs.io =="
taskset -c 0 node "$peer/colour_peer.mjs" "$peer/pairs.bin"
