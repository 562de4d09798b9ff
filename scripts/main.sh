#!/usr/bin/env bash
# Builds the library and the kyr tool, then runs the tool on the bundled samples.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DKYR_BUILD_TESTS=OFF > /dev/null
cmake --build build/release -j "$(nproc)"
bash scripts/demo.sh build/release
