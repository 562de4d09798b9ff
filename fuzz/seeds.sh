#!/usr/bin/env bash
# Fills DIR with the seed corpus of fuzz target NAME: the test documents and samples, the
# container sample and every sample packed as a container, values of each simple type,
# and with --w3c the XML conformance suite, unpacked from the shared corpora.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=$1 dir=$2 w3c=${3:-}
mkdir -p "$dir"

documents() {
  find "$root/tests/data" "$root/examples" -type f \( -name '*.kyr' -o -name '*.xml' \) -size -256k
}

case $name in
  reader | document | round_trip)
    documents | while read -r file; do cp "$file" "$dir/$(echo "$file" | md5sum | cut -c1-16)"; done
    cp "$root"/fuzz/seeds/reader/* "$dir/" 2> /dev/null || true
    if [[ $w3c == --w3c && $name == reader ]]; then
      suite="$root/../shared/corpora/xmlts20130923.zip"
      tmp=$(mktemp -d)
      unzip -qq -o "$suite" -d "$tmp"
      find "$tmp" -type f \( -name '*.xml' -o -name '*.ent' -o -name '*.dtd' \) -size -64k |
        while read -r file; do cp "$file" "$dir/w3c-$(echo "$file" | md5sum | cut -c1-16)"; done
      rm -rf "$tmp"
    fi
    ;;
  container)
    cp "$root/examples/swatches.kyrz" "$dir/"
    documents | python3 -c '
import io, sys, zipfile, pathlib, hashlib
out = pathlib.Path(sys.argv[1])
for line in sys.stdin.read().splitlines()[:40]:
    path = pathlib.Path(line.strip())
    for method in (zipfile.ZIP_DEFLATED, zipfile.ZIP_STORED):
        data = io.BytesIO()
        with zipfile.ZipFile(data, "w", method) as archive:
            archive.writestr(path.stem + ".kyr", path.read_bytes())
        digest = hashlib.md5((str(path) + str(method)).encode()).hexdigest()[:16]
        (out / digest).write_bytes(data.getvalue())
' "$dir"
    ;;
  values)
    cp "$root"/fuzz/seeds/values/* "$dir/"
    ;;
  *)
    echo "unknown target $name" >&2
    exit 2
    ;;
esac
