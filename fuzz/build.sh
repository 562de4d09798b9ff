#!/usr/bin/env bash
# Builds the fuzz targets in DIR (default build/fuzz) with clang, libFuzzer, ASan and UBSan.
# Exits 77 when no clang with a libFuzzer runtime is installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build/fuzz}
command -v clang++ > /dev/null || { echo "clang++ not installed"; exit 77; }
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DKYR_SANITIZE=ON -DBUILD_SHARED_LIBS=OFF \
  -DKYR_BUILD_TESTS=OFF -DKYR_BUILD_TOOLS=OFF -DKYR_BUILD_FUZZ=ON > "$dir.configure.log" || { cat "$dir.configure.log"; exit 1; }
if ! grep -q "KYR_HAVE_LIBFUZZER:INTERNAL=1" "$dir/CMakeCache.txt"; then
  echo "clang has no libFuzzer runtime"
  exit 77
fi
cmake --build "$dir" -j "${KYR_FUZZ_JOBS:-2}" --target \
  kyr_fuzz_reader kyr_fuzz_document kyr_fuzz_container kyr_fuzz_values kyr_fuzz_round_trip
