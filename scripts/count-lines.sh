#!/usr/bin/env bash
# Prints non-blank, non-comment C++ lines of the tests (everything under tests/)
# against the product (everything else), and the tests' share of the total.
# Usage: scripts/count-lines.sh   (needs cloc: scripts/deps.sh test)
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
  cloc --quiet --csv --include-lang='C++,C/C++ Header' "$@" | awk -F, '$2 == "SUM" { print $5 }'
}

tests=$(count tests)
product=$(count --exclude-dir=build,tests,.git .)
awk -v t="$tests" -v p="$product" 'BEGIN {
  printf "tests   %6d\nproduct %6d\ntotal   %6d\nshare   %5.1f %%\n", t, p, t + p, 100 * t / (t + p)
}'
