#!/usr/bin/env bash
# Runs a representative part of the test suite of BUILD_DIR under Valgrind's memcheck: any
# invalid access, use of an uninitialised value or leak fails it. Tests that fork with an
# address-space limit, sweep whole corpora or read tens of megabytes stay out: memcheck
# makes them minutes long, and the sanitizer build runs them (KYR_SMALL_CASES=1 leaves the
# case files' inputs of more than 64 KiB out). The archive tests stay out too:
# one of them replaces the global operator new to count allocations, which memcheck's own
# allocator cannot share; the container paths run under memcheck through io_document.
# KYR_PLAIN_HEAP=1 gives every object of a document a heap block of its own, so that
# memcheck sees their leaks and misuse.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build/release}" && pwd)
if ! command -v valgrind > /dev/null; then
  echo "valgrind is not installed; memcheck skipped"
  exit 0
fi

# test executable : gtest filter
suites=(
  "kyr_test_lmx_reader:-W3c*:*Truncation*"
  "kyr_test_lmx_values:*"
  "kyr_test_lmx_datetime:*"
  "kyr_test_lmx_binary:*"
  "kyr_test_lmx_pattern:*"
  "kyr_test_lmx_writer:*"
  "kyr_test_schema_core:*"
  "kyr_test_io_document:*"
)
# One program under memcheck per core at a time: each is single-threaded, and memcheck
# makes them minutes long.
check() { # NAME FILTER
  local start=$SECONDS
  if (cd "$build/tests" && KYR_SMALL_CASES=1 KYR_PLAIN_HEAP=1 valgrind --quiet --error-exitcode=1 --leak-check=full \
        --errors-for-leak-kinds=definite,indirect --suppressions="$here/memcheck.supp" \
        "$build/tests/$1" --gtest_filter="$2" --gtest_brief=1 > "$1.memcheck.log" 2>&1); then
    echo "memcheck clean: $1 ($((SECONDS - start)) s)"
  else
    echo "memcheck FAILED: $1"
    tail -n 40 "$build/tests/$1.memcheck.log"
    return 1
  fi
}
failed=0
running=0
for entry in "${suites[@]}"; do
  name=${entry%%:*} filter=${entry#*:}
  [[ -x $build/tests/$name ]] || { echo "missing $build/tests/$name"; failed=1; continue; }
  if ((running >= $(nproc))); then
    wait -n || failed=1
    running=$((running - 1))
  fi
  check "$name" "$filter" &
  running=$((running + 1))
done
while ((running > 0)); do
  wait -n || failed=1
  running=$((running - 1))
done
exit $failed
