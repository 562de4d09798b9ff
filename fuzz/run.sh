#!/usr/bin/env bash
# Builds every fuzz target and runs each for SECONDS (default 60) on one core, keeping its
# corpus in build/fuzz-corpus/NAME between runs. Crash inputs land in build/fuzz-crashes/;
# copy them to fuzz/regressions/NAME/ once understood. Usage: fuzz/run.sh [SECONDS] [NAME...]
# KYR_FUZZ_BUILD_DIR chooses the build; KYR_FUZZ_NO_BUILD=1 runs what is built there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
seconds=${1:-60}
shift || true
names=("$@")
[[ ${#names[@]} -gt 0 ]] || names=(reader document container values round_trip)
build=${KYR_FUZZ_BUILD_DIR:-$root/build/fuzz}
[[ ${KYR_FUZZ_NO_BUILD:-} == 1 ]] || KYR_FUZZ_JOBS=1 bash "$here/build.sh" "$build"
source "$here/options.sh"
for name in "${names[@]}"; do
  work=$(mktemp -d)
  corpus=$root/build/fuzz-corpus/$name
  crashes=$root/build/fuzz-crashes/$name/
  mkdir -p "$corpus" "$crashes"
  fuzz_options "$name" "$work"
  bash "$here/seeds.sh" "$name" "$work/seeds" --w3c
  echo "== $name: $seconds s"
  status=0
  "$build/fuzz/kyr_fuzz_$name" "${options[@]}" -max_total_time="$seconds" -artifact_prefix="$crashes" \
    "$corpus" "$work/seeds" > "$work/log" 2>&1 || status=$?
  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^stat::|ERROR|SUMMARY' "$work/log" | tail -n 12
  cp "$work/log" "$root/build/fuzz-corpus/$name.log"
  rm -rf "$work"
  [[ $status == 0 ]] || echo "!! $name stopped with status $status; inputs in $crashes"
done
