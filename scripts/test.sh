#!/usr/bin/env bash
# Builds and runs the whole test suite twice: an optimised build, then a build
# under AddressSanitizer and UndefinedBehaviorSanitizer. Between the two, a
# representative part of the optimised suite runs under Valgrind's memcheck.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DKYR_BUILD_TESTS=ON "$@" > /dev/null
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 600)
}

# The Python module joins the optimised build when its packages are there.
python_module=ON
for p in pybind11-dev python3-dev python3-numpy python3-pytest; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || python_module=OFF
done

echo "== optimised build =="
run_suite build/release -DCMAKE_BUILD_TYPE=Release -DKYR_PYTHON=$python_module
echo "== valgrind memcheck =="
bash scripts/memcheck.sh build/release
echo "== sanitizer build =="
# Line tables are all a sanitizer report needs (function, file and line of every frame);
# full debug information would make this, the longest build, a quarter slower.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DKYR_SANITIZE=ON -DCMAKE_CXX_FLAGS=-O1 -DCMAKE_CXX_FLAGS_DEBUG=-g1
