#!/usr/bin/env bash
# Prints non-blank, non-comment C++ lines of the tests (everything under
# tests/ but the benchmarks), of the benchmarks (tests/bench: they print
# figures and assert nothing) and of the product (everything else), and the
# tests' share of all C++ lines.
# Usage: scripts/count-lines.sh   (needs cloc: scripts/deps.sh test)
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
  cloc --quiet --csv --include-lang='C++,C/C++ Header' "$@" | awk -F, '$2 == "SUM" { print $5 }'
}

tests=$(count --exclude-dir=bench tests)
benches=$(count tests/bench)
product=$(count --exclude-dir=build,tests,.git .)
awk -v t="$tests" -v b="$benches" -v p="$product" 'BEGIN {
  printf "tests   %6d\nbenches %6d\nproduct %6d\ntotal   %6d\nshare   %5.1f %%\n", t, b, p, t + b + p, 100 * t / (t + b + p)
}'
