#!/usr/bin/env bash
# Counts hand-written product lines and hand-written test lines and checks their ratio.
#
# What counts (every line of a file, blank and comment lines included, as `wc -l` counts them):
#   Product: the source, header, generator (.py), XML Schema (.xsd), CMake and shell files of
#            every product folder present at the top of the tree: lmx/ schema/ io/ interop/
#            tools/ include/, and colour/ cgats/ python/ once they exist.
#   Tests:   every file under tests/ except tests/data/ (case files, sample documents and the
#            generator's golden output live there) and Markdown notes such as tests/MUTANTS.md.
#   Neither: generated code (it is written to the build directory), test data, golden files,
#            documentation (*.md), and the folders fuzz/ bench/ examples/ scripts/ cmake/.
# Prints the three figures and exits with 1 when tests exceed MAX_RATIO (0.40) of the product.
set -euo pipefail
cd "$(dirname "$0")/.."

max_ratio=${MAX_RATIO:-0.40}
product_folders=(lmx schema io interop tools include colour cgats python)

count_lines() {
  # Reads NUL-separated file names, prints their total line count.
  xargs -0 -r cat -- | wc -l
}

product_files() {
  local present=()
  for folder in "${product_folders[@]}"; do
    [[ -d $folder ]] && present+=("$folder")
  done
  find "${present[@]}" -type f \
    \( -name '*.cpp' -o -name '*.hpp' -o -name '*.h' -o -name '*.c' -o -name '*.py' -o -name '*.xsd' \
       -o -name '*.cs' -o -name '*.sh' -o -name '*.cmake' -o -name 'CMakeLists.txt' \) \
    -not -path '*/__pycache__/*' -print0
}

test_files() {
  find tests -type f -not -path 'tests/data/*' -not -name '*.md' -not -path '*/__pycache__/*' -print0
}

product=$(product_files | count_lines)
tests=$(test_files | count_lines)
data=$(find tests/data -type f -print0 | count_lines)

ratio=$(awk -v t="$tests" -v p="$product" 'BEGIN { printf "%.3f", (p > 0 ? t / p : 0) }')
echo "product lines: $product"
echo "test lines:    $tests"
echo "ratio:         $ratio (at most $max_ratio)"
echo "(not counted: $data lines of test data under tests/data)"
awk -v r="$ratio" -v m="$max_ratio" 'BEGIN { exit (r > m) ? 1 : 0 }'
