#!/usr/bin/env bash
# Measures how many planted faults the unit tests find.
#
# Usage: scripts/mutants.sh [BUILD_DIR]     (default: build/mutants)
# FIRST/LAST pick a slice of the list; KYR_SHARED_DIR points the W3C sweep at its archive.
#
# The faults are the fixed list in scripts/mutants.txt. For each one the script puts the fault
# into the source, relinks only libkyr.so (the test programs and the tool load it at run time,
# so they are built once), runs every optimised test program, two at a time, stopping at the
# first failing one, then puts the source back. A fault is killed when a program fails or runs
# past its time limit. It prints `killed N of M` and the faults that survived.
#
# SAVE_LIBS=DIR keeps each mutant's libkyr.so as DIR/N.so; USE_LIBS=DIR runs a later suite
# against those libraries instead of building them again (the product sources must be the same).
#
# Left out, as they add nothing here: the package consumer (it builds a program against the
# installed package, not behaviour), the fuzz targets, the sanitizer build and the memcheck run.
# Faults in the schema generator are judged by the generator's golden test alone: the library's
# classes are not regenerated for them.
set -euo pipefail
cd "$(dirname "$0")/.."
source_root=$PWD
build=$(realpath -m "${1:-build/mutants}")
list=scripts/mutants.txt
first=${FIRST:-1}
last=${LAST:-100000}
per_program_timeout=${PROGRAM_TIMEOUT:-120}
jobs=${JOBS:-2}

options=(-DCMAKE_BUILD_TYPE=Release -DKYR_BUILD_TESTS=ON -DKYR_BUILD_FUZZ=OFF -DCMAKE_LINK_DEPENDS_NO_SHARED=ON)
if command -v ccache > /dev/null; then
  options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [[ -n ${KYR_SHARED_DIR:-} ]]; then
  options+=(-DKYR_SHARED_DIR="$KYR_SHARED_DIR")  # where the W3C suite's archive lives
fi
cmake -S . -B "$build" "${options[@]}" > /dev/null
nice -n 5 cmake --build "$build" -j "$jobs" > /dev/null
mapfile -t programs < <(find "$build/tests" -maxdepth 1 -type f -name 'kyr_test_*' -perm -u+x | sort)
if [[ ${#programs[@]} -eq 0 ]]; then
  echo "no test programs under $build/tests" >&2
  exit 2
fi

# Runs every test program, `jobs` at a time, and stops at the first that fails or runs too long.
run_programs() {
  (cd "$build/tests" && printf '%s\n' "${programs[@]}" | xargs -P "$jobs" -I{} \
    sh -c 'timeout '"$per_program_timeout"' "$1" --gtest_brief=1 > /dev/null 2>&1 || exit 255' _ {} 2> /dev/null)
}

# A fault can only be found by a suite that passes without it. Timed one by one, the programs
# then run quickest first, so that a killed fault costs little.
timed=()
for program in "${programs[@]}"; do
  started=$SECONDS
  if ! (cd "$build/tests" && timeout "$per_program_timeout" "$program" --gtest_brief=1 > /dev/null 2>&1); then
    echo "$program fails without any fault; fix it first" >&2
    exit 2
  fi
  timed+=("$((SECONDS - started)) $program")
done
mapfile -t programs < <(printf '%s\n' "${timed[@]}" | sort -n | cut -d' ' -f2-)
echo "unchanged suite passes; seconds per program: $(printf '%s\n' "${timed[@]}" | sort -n | sed 's|[^ ]*/kyr_test_||' | tr '\n' ' ')"

# Puts mutant number $1 into its file (printing the file name) or puts the file back.
edit() {
  python3 - "$@" <<'EOF'
import os, shutil, sys
action, number, listing, backup = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
rows = [l.rstrip("\n") for l in open(listing) if l.strip() and not l.startswith("#")]
path, original, replacement = [part.strip() for part in rows[number - 1].split("|||")]
if action == "restore":
    shutil.copyfile(backup, path)
    if path.endswith(".py"):
        shutil.copystat(backup, path)  # untouched time: the classes are not regenerated
    else:
        os.utime(path)  # newer than the mutant's object: the next build takes the original
    sys.exit(0)
text = open(path).read()
if text.count(original) != 1:
    sys.exit("mutant %d: %r occurs %d times in %s" % (number, original, text.count(original), path))
shutil.copy2(path, backup)
open(path, "w").write(text.replace(original, replacement))
print(path)
EOF
}

library=$(readlink -f "$build/libkyr.so")
original_library=$(mktemp)
cp "$library" "$original_library"
count=$(grep -v '^#' "$list" | grep -c '|||')
[[ $last -gt $count ]] && last=$count
backup=$(mktemp)
trap 'cp "$original_library" "$library"; rm -f "$backup" "$original_library"' EXIT
killed=0
total=0
survivors=()
for ((n = first; n <= last; ++n)); do
  file=$(grep -v '^#' "$list" | grep '|||' | sed -n "${n}p" | sed 's/ |||.*//')
  built=1
  if [[ -n ${USE_LIBS:-} && $file != *.py ]]; then
    if [[ -f $USE_LIBS/$n.so ]]; then cp "$USE_LIBS/$n.so" "$library"; else built=0; fi
  else
    edit apply "$n" "$list" "$backup" > /dev/null
    if [[ $file != *.py ]]; then
      nice -n 5 cmake --build "$build" --target kyr -j 1 > /dev/null 2>&1 || built=0
      if [[ $built -eq 1 && -n ${SAVE_LIBS:-} ]]; then mkdir -p "$SAVE_LIBS" && cp "$library" "$SAVE_LIBS/$n.so"; fi
    fi
  fi
  started=$SECONDS
  if [[ $built -eq 0 ]]; then
    verdict="killed (does not build)"
  elif run_programs; then
    verdict="SURVIVED"
  else
    verdict="killed"
  fi
  if [[ -z ${USE_LIBS:-} || $file == *.py ]]; then
    edit restore "$n" "$list" "$backup"
  fi
  total=$((total + 1))
  if [[ $verdict == SURVIVED ]]; then
    survivors+=("$n: $(grep -v '^#' "$list" | grep '|||' | sed -n "${n}p")")
  else
    killed=$((killed + 1))
  fi
  printf 'mutant %2d %-36s %s (%ds)\n' "$n" "$file" "$verdict" $((SECONDS - started))
done
if [[ -z ${USE_LIBS:-} ]]; then
  nice -n 5 cmake --build "$build" --target kyr -j "$jobs" > /dev/null
  cp "$library" "$original_library"
fi
echo "killed $killed of $total"
for line in "${survivors[@]}"; do
  echo "survived $line"
done
