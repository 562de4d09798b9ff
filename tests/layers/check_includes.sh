#!/usr/bin/env bash
# Every layer includes only its own headers and those of the layers below it; the build
# enforces the same for the hand-written folders, this also covers the generated code.
# Usage: check_includes.sh SOURCE_DIR GENERATED_DIR
set -euo pipefail
source_dir=$1 generated=$2
declare -A allowed=(
  [lmx]='lmx' [schema]='lmx schema' [io]='lmx schema io' [interop]='lmx schema io'
  [cgats]='lmx schema cgats' [colour]='lmx schema colour' [api]='lmx schema io api')
declare -A folders=(
  [lmx]="$source_dir/lmx" [schema]="$source_dir/schema $generated/src $generated/include/kyr/schema"
  [io]="$source_dir/io" [interop]="$source_dir/interop $generated/interop" [cgats]="$source_dir/cgats"
  [colour]="$source_dir/colour" [api]="$source_dir/api $generated/include/kyr/api")
status=0
for layer in "${!folders[@]}"; do
  pattern="#include <kyr/(version\.hpp|export\.hpp|($(tr ' ' '|' <<< "${allowed[$layer]}"))/)"
  # shellcheck disable=SC2086
  found=$(grep -rnE '^#include <kyr/' ${folders[$layer]} --include='*.hpp' --include='*.cpp' | grep -vE ":[0-9]+:$pattern" || true)
  [ -z "$found" ] || { echo "$layer reaches outside ${allowed[$layer]}:"; echo "$found"; status=1; }
done
[ -d "$generated/include/kyr/schema" ] || { echo "no generated headers in $generated"; status=1; }
exit $status
