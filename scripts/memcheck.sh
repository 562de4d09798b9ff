#!/usr/bin/env bash
# Runs a representative part of the test suite of BUILD_DIR under Valgrind's memcheck: any
# invalid access, use of an uninitialised value or leak fails it. Tests that fork with an
# address-space limit, sweep whole corpora or read tens of megabytes stay out: memcheck
# makes them minutes long, and the sanitizer build runs them (KYR_SMALL_CASES=1 leaves the
# case files' inputs of more than 64 KiB out). The archive tests stay out too:
# one of them replaces the global operator new to count allocations, which memcheck's own
# allocator cannot share; the container paths run under memcheck through io_document.
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
failed=0
for entry in "${suites[@]}"; do
  name=${entry%%:*} filter=${entry#*:}
  binary=$build/tests/$name
  [[ -x $binary ]] || { echo "missing $binary"; failed=1; continue; }
  start=$SECONDS
  if (cd "$build/tests" && KYR_SMALL_CASES=1 valgrind --quiet --error-exitcode=1 --leak-check=full \
        --errors-for-leak-kinds=definite,indirect --suppressions="$here/memcheck.supp" \
        "$binary" --gtest_filter="$filter" --gtest_brief=1 > "$name.memcheck.log" 2>&1); then
    echo "memcheck clean: $name ($((SECONDS - start)) s)"
  else
    echo "memcheck FAILED: $name"
    tail -n 40 "$build/tests/$name.memcheck.log"
    failed=1
  fi
done
exit $failed
