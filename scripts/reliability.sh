#!/usr/bin/env bash
# The reliability campaign, beyond the test command: every fuzz target for
# RUNS executions (10,000,000 unless given) from its checked-in corpus with
# ASan and UBSan aborting, printing per target the executions, the crashes
# and the covered features; then a library save killed at 1000 points, and
# damaged library, backup and language files at every byte offset.
# Crashes are kept in build/fuzz/campaign/<target>/ for the corpus.
# Usage: scripts/reliability.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-10000000}
scripts/deps.sh test >&2
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target kill_during_save damaged_files >/dev/null

failed=0
for source in tests/fuzz/fuzz_*.cpp; do
  name=$(basename "$source" .cpp)
  work="build/fuzz/campaign/$name"
  rm -rf "$work"
  mkdir -p "$work/corpus"
  log="$work/fuzz.log"
  code=0
  "build/fuzz/tests/fuzz/$name" -runs="$RUNS" -artifact_prefix="$work/" "$work/corpus" "tests/fuzz/corpus/$name" \
    >"$log" 2>&1 || code=$?
  runs=$(sed -nE 's/^Done ([0-9]+) runs in .*/\1/p' "$log" | tail -n 1)
  features=$(sed -nE 's/.* ft: ([0-9]+) .*/\1/p' "$log" | tail -n 1)
  crashes=$(find "$work" -maxdepth 1 -name 'crash-*' -o -maxdepth 1 -name 'leak-*' -o -maxdepth 1 -name 'timeout-*' | wc -l)
  printf '%-24s executions: %s, crashes: %s, features: %s\n' "$name" "${runs:-0}" "$crashes" "${features:-0}"
  if [ "$code" -ne 0 ] || [ "$crashes" -gt 0 ]; then failed=1; fi
done

rm -rf build/native/work/kill-campaign
build/native/tests/kill_during_save build/native/work/kill-campaign 1000 || failed=1
mkdir -p build/native/work
damaged_log=build/native/work/damaged-campaign.log
build/native/tests/damaged_files build/native/work/damaged-campaign full 2>"$damaged_log" ||
  { failed=1; echo "damaged files: the failed cases are listed in $damaged_log"; }
exit "$failed"
