#!/usr/bin/env bash
# Runs the kyr tool on the bundled samples: validates them, summarises each,
# then packs the swatch book into a .kyrz container and unpacks it again,
# showing that the round trip gives back the very same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/demo.sh BUILD_DIR}
kyr="$build/tools/kyr"

shopt -s nullglob
samples=(examples/*.kyr examples/*.kyrz)

echo "== kyr validate ${samples[*]}"
"$kyr" validate "${samples[@]}"

for sample in examples/*.kyr; do
  echo
  echo "== kyr info $sample"
  "$kyr" info "$sample"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo
echo "== kyr convert examples/swatches.kyr swatches.kyrz; kyr convert swatches.kyrz swatches.kyr"
"$kyr" convert examples/swatches.kyr "$work/swatches.kyrz"
"$kyr" convert "$work/swatches.kyrz" "$work/swatches.kyr"
ls -l "$work"
cmp examples/swatches.kyr "$work/swatches.kyr"
echo "identical: examples/swatches.kyr and its round trip through swatches.kyrz"
