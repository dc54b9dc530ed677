#!/usr/bin/env bash
# Runs every test: native unit tests, the same under ASan+UBSan and under
# TSan, the unit tests cross-built for Windows and run under Wine, the
# end-to-end scenarios against the real program under Wine, and a short run
# of every fuzz target. Ends with one line "total: N passed, N failed".
set -u
cd "$(dirname "$0")/.."
ROOT=$(pwd)
scripts/deps.sh test || { echo "total: 0 passed, 1 failed"; exit 1; }

FUZZ_SECONDS=${FUZZ_SECONDS:-15}
LOGS="$ROOT/build/test-logs"
mkdir -p "$LOGS"
total_passed=0
total_failed=0
summary=()

record() {  # record SUITE PASSED FAILED
  total_passed=$((total_passed + $2))
  total_failed=$((total_failed + $3))
  summary+=("$(printf '  %-22s %4d passed %4d failed' "$1" "$2" "$3")")
  echo "== $1: $2 passed, $3 failed" | sed 's/, / \/ /'
}

show_log() { echo "---- $1 (last lines) ----"; tail -n "${2:-60}" "$1"; echo "----"; }

# ctest's closing line: "NN% tests passed, F tests failed out of T".
ctest_suite() {  # ctest_suite NAME PRESET
  local name=$1 preset=$2 log="$LOGS/$1.log"
  if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j2; } >"$log" 2>&1; then
    show_log "$log"; record "$name" 0 1; return
  fi
  ctest --test-dir "build/$preset" --output-on-failure -j2 >>"$log" 2>&1
  local line failed all
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then show_log "$log"; record "$name" 0 1; return; fi
  failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  all=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  [ "$failed" -gt 0 ] && show_log "$log" 120
  record "$name" $((all - failed)) "$failed"
}

windows_suite() {
  local log="$LOGS/windows-unit.log"
  if ! { cmake --preset windows && cmake --build --preset windows -j2; } >"$log" 2>&1; then
    show_log "$log"; record "windows build" 0 1; return 1
  fi
  local prefix="$ROOT/build/windows/wine-unit"
  WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    xvfb-run -a /usr/lib/wine/wine64 build/windows/tests/core_tests.exe >>"$log" 2>&1
  local code=$? passed failed
  passed=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$log" | tail -n 1 | grep -oE '[0-9]+' | head -n 1)
  failed=$(grep -E '^\[  FAILED  \] [0-9]+ test' "$log" | tail -n 1 | grep -oE '[0-9]+' | head -n 1)
  passed=${passed:-0}
  failed=${failed:-0}
  if [ "$code" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
  [ "$failed" -gt 0 ] && show_log "$log" 120
  record "windows unit (Wine)" "$passed" "$failed"
}

e2e_suite() {
  local log="$LOGS/e2e.log"
  # The installer scenarios need the installer; without it they fail.
  scripts/installer.sh >"$LOGS/installer.log" 2>&1 || show_log "$LOGS/installer.log"
  tests/e2e/run.sh build/windows >"$log" 2>&1
  local code=$? line passed failed
  grep -E '^(PASS|FAIL) ' "$log"
  line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1)
  passed=$(sed -E 's/([0-9]+) passed.*/\1/' <<<"${line:-0 passed, 1 failed}")
  failed=$(sed -E 's/.* ([0-9]+) failed/\1/' <<<"${line:-0 passed, 1 failed}")
  if [ "$code" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
  [ "$failed" -gt 0 ] && show_log "$log" 120
  record "end-to-end (Wine)" "$passed" "$failed"
}

fuzz_suite() {
  local log="$LOGS/fuzz.log"
  if ! { cmake --preset fuzz && cmake --build --preset fuzz -j2; } >"$log" 2>&1; then
    show_log "$log"; record "fuzz" 0 1; return
  fi
  local passed=0 failed=0 target name work
  for target in build/fuzz/tests/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    work="build/fuzz/work/$name"
    rm -rf "$work"
    mkdir -p "$work" "tests/fuzz/corpus/$name"
    if "$target" -max_total_time="$FUZZ_SECONDS" -artifact_prefix="$work/" "$work" "tests/fuzz/corpus/$name" \
        >"$LOGS/fuzz-$name.log" 2>&1; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
      show_log "$LOGS/fuzz-$name.log" 40
    fi
  done
  record "fuzz ($FUZZ_SECONDS s each)" "$passed" "$failed"
}

started=$(date +%s)
ctest_suite "native unit" native
ctest_suite "asan+ubsan unit" asan
ctest_suite "tsan unit" tsan
if windows_suite; then e2e_suite; fi
fuzz_suite

echo
echo "Summary ($(( $(date +%s) - started )) s):"
printf '%s\n' "${summary[@]}"
echo "total: $total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
