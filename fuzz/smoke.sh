#!/usr/bin/env bash
# Smoke run of fuzz target NAME built in BUILD_DIR: every recorded regression input and every
# seed, then a short burst of fuzzing. A crash, leak, timeout or sanitizer report fails it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1 name=$2 burst=${3:-4000}
bin=$build/fuzz/kyr_fuzz_$name
[[ -x $bin ]] || { echo "fuzz target not built: $bin"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$here/options.sh"
fuzz_options "$name" "$work"
bash "$here/seeds.sh" "$name" "$work/seeds"
mkdir -p "$work/new"
cd "$work"
if compgen -G "$here/regressions/$name/*" > /dev/null; then
  "$bin" "${options[@]}" "$here/regressions/$name"/* 2>&1 | tail -n 3
  [[ ${PIPESTATUS[0]} == 0 ]] || exit 1
fi
"$bin" "${options[@]}" -runs="$burst" -max_total_time=60 "$work/new" "$work/seeds" > "$work/log" 2>&1 ||
  { tail -n 60 "$work/log"; exit 1; }
grep -E '^(#[0-9]+[[:space:]]+(INITED|DONE)|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/log"
