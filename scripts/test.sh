#!/usr/bin/env bash
# Runs every test: native unit tests, library saves killed part way, device
# operations with the mouse failing at sampled requests, damaged library,
# backup and language files, the same unit tests under ASan+UBSan and under
# TSan, the unit tests cross-built for Windows and run under Wine, the
# end-to-end scenarios against the real program under Wine, a short run of
# every fuzz target, and checks of this
# harness itself (its counting, planted end-to-end failures, a sanitizer
# canary, and scripts/run.sh from an empty home folder). Ends with one line "total: N passed, N failed, N skipped".
# BUILD_LOCK may name a file that each build holds locked while it runs.
set -u
cd "$(dirname "$0")/.."
ROOT=$(pwd)
scripts/deps.sh test || { echo "total: 0 passed, 1 failed, 0 skipped"; exit 1; }
source scripts/counts.sh

FUZZ_SECONDS=${FUZZ_SECONDS:-15}
LOGS="$ROOT/build/test-logs"
mkdir -p "$LOGS"
total_passed=0
total_failed=0
total_skipped=0
summary=()

record() {  # record SUITE PASSED FAILED [SKIPPED]
  local skipped=${4:-0}
  total_passed=$((total_passed + $2))
  total_failed=$((total_failed + $3))
  total_skipped=$((total_skipped + skipped))
  summary+=("$(printf '  %-28s %4d passed %4d failed %4d skipped' "$1" "$2" "$3" "$skipped")")
  echo "== $1: $2 passed / $3 failed / $skipped skipped"
}

show_log() { echo "---- $1 (last lines) ----"; tail -n "${2:-60}" "$1"; echo "----"; }

# build PRESET: configures and builds one preset, under BUILD_LOCK when set.
build() {
  cmake --preset "$1" && ${BUILD_LOCK:+flock "$BUILD_LOCK"} cmake --build --preset "$1" -j2
}

harness_counts() {
  local log="$LOGS/harness-counts.log"
  if scripts/check-counts.sh >"$log" 2>&1; then
    record "harness: counting" 1 0
  else
    show_log "$log"; record "harness: counting" 0 1
  fi
}

ctest_suite() {  # ctest_suite NAME PRESET
  local name=$1 preset=$2 log="$LOGS/$1.log"
  if ! build "$preset" >"$log" 2>&1; then
    show_log "$log"; record "$name" 0 1; return
  fi
  ctest --test-dir "build/$preset" --output-on-failure -j2 >>"$log" 2>&1
  local passed failed skipped
  read -r passed failed skipped < <(ctest_counts "$log")
  [ "$failed" -gt 0 ] && show_log "$log" 120
  record "$name" "$passed" "$failed" "$skipped"
}

windows_suite() {
  local log="$LOGS/windows-unit.log"
  if ! build windows >"$log" 2>&1; then
    show_log "$log"; record "windows build" 0 1; return 1
  fi
  local prefix="$ROOT/build/windows/wine-unit"
  WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    xvfb-run -a /usr/lib/wine/wine64 build/windows/tests/core_tests.exe >>"$log" 2>&1
  local code=$? passed failed skipped
  read -r passed failed skipped < <(gtest_counts "$log")
  if [ "$code" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
  [ "$failed" -gt 0 ] && show_log "$log" 120
  record "windows unit (Wine)" "$passed" "$failed" "$skipped"
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

# Every planted scenario must be reported as FAIL after it reached its planted
# check; one that passes, or fails before that, means the harness is unsound.
harness_planted() {
  local log="$LOGS/e2e-planted.log" names name passed=0 failed=0
  tests/e2e/run.sh --planted build/windows >"$log" 2>&1
  mapfile -t names < <(sed -nE 's/^(PASS|FAIL) ([A-Za-z0-9_]+) \(.*/\2/p' "$log")
  if [ ${#names[@]} -eq 0 ]; then
    show_log "$log"; record "harness: planted failures" 0 1; return
  fi
  for name in "${names[@]}"; do
    if grep -q "^FAIL $name " "$log" && grep -qxF "[e2e] planted check reached: $name" "$log"; then
      passed=$((passed + 1))
    else
      echo "planted scenario $name was not caught at its planted check"
      failed=$((failed + 1))
    fi
  done
  # A harness helper that can never fail is reported on a line of its own.
  if grep -E '^FAIL [A-Za-z0-9_]+: ' "$log"; then failed=$((failed + 1)); fi
  [ "$failed" -gt 0 ] && show_log "$log" 80
  record "harness: planted failures" "$passed" "$failed"
}

# The README's run command as a new user meets it: no display, no Wine
# prefix, an empty home folder.
harness_run_script() {
  local log="$LOGS/run-script.log" home code shot=build/windows/screenshot.png
  home=$(mktemp -d)
  rm -f "$shot"
  env -u DISPLAY -u WINEPREFIX -u VANTOR_LOG HOME="$home" RUN_SECONDS=3 scripts/run.sh >"$log" 2>&1
  code=$?
  rm -rf "$home"
  if [ "$code" -eq 0 ] && [ -s "$shot" ] && identify "$shot" >>"$log" 2>&1; then
    record "harness: run.sh, empty home" 1 0
  else
    echo "scripts/run.sh exited with $code; screenshot: $(ls "$shot" 2>&1)"
    show_log "$log"; record "harness: run.sh, empty home" 0 1
  fi
}

fuzz_suite() {
  local log="$LOGS/fuzz.log"
  if ! build fuzz >"$log" 2>&1; then
    show_log "$log"; record "fuzz" 0 1; return
  fi
  local passed=0 failed=0 sources source name target work runs code dict options
  sources=(tests/fuzz/fuzz_*.cpp)
  [ -e "${sources[0]}" ] || { echo "no fuzz target in tests/fuzz"; failed=1; sources=(); }
  for source in "${sources[@]}"; do
    name=$(basename "$source" .cpp)
    target="build/fuzz/tests/fuzz/$name"
    if [ ! -x "$target" ]; then
      echo "fuzz target $name was not built"
      failed=$((failed + 1))
      continue
    fi
    work="build/fuzz/work/$name"
    rm -rf "$work"
    mkdir -p "$work" "tests/fuzz/corpus/$name"
    dict=()
    if [ -f "tests/fuzz/dict/$name.dict" ]; then dict=(-dict="tests/fuzz/dict/$name.dict"); fi
    options=()
    if [ -f "tests/fuzz/options/$name.options" ]; then mapfile -t options < <(grep -v -e "^#" -e "^$" "tests/fuzz/options/$name.options"); fi
    "$target" -max_total_time="$FUZZ_SECONDS" "${dict[@]}" "${options[@]}" -artifact_prefix="$work/" "$work" \
      "tests/fuzz/corpus/$name" >"$LOGS/fuzz-$name.log" 2>&1
    code=$?
    runs=$(libfuzzer_runs "$LOGS/fuzz-$name.log")
    if [ "$code" -eq 0 ] && [ "$runs" -gt 0 ]; then
      passed=$((passed + 1))
    else
      echo "fuzz target $name: exit code $code after $runs runs"
      failed=$((failed + 1))
      show_log "$LOGS/fuzz-$name.log" 40
    fi
  done
  record "fuzz ($FUZZ_SECONDS s each)" "$passed" "$failed"

  # The canary overflows an int on input "U": the run must abort, not go on.
  local canary="$LOGS/fuzz-ub_canary.log" input="build/fuzz/work/ub_canary.input"
  mkdir -p build/fuzz/work
  printf U > "$input"
  if build/fuzz/tests/fuzz/ub_canary "$input" >"$canary" 2>&1; then
    echo "undefined behaviour did not stop the fuzz build"
    show_log "$canary" 20; record "harness: fuzz aborts on UB" 0 1
  elif grep -q "runtime error: signed integer overflow" "$canary"; then
    record "harness: fuzz aborts on UB" 1 0
  else
    show_log "$canary" 20; record "harness: fuzz aborts on UB" 0 1
  fi
}

# Saves of the library killed at points spread over them (the native build's harness).
kill_suite() {
  local log="$LOGS/kill-during-save.log" work="$ROOT/build/native/work/kill-during-save"
  rm -rf "$work"
  if build/native/tests/kill_during_save "$work" "${KILL_POINTS:-200}" >"$log" 2>&1; then
    cat "$log"; record "reliability: kills in a save" 1 0
  else
    show_log "$log"; record "reliability: kills in a save" 0 1
  fi
}

# Every device operation with the mouse lost, busy, silent or garbling from
# sampled requests on (the native build's harness).
fault_suite() {
  local log="$LOGS/request-fault-sweep.log"
  if build/native/tests/request_fault_sweep sample >"$log" 2>&1; then
    cat "$log"; record "reliability: request faults" 1 0
  else
    show_log "$log"; record "reliability: request faults" 0 1
  fi
}

# Damaged library, backup and language files, a sample of the offsets (the native build's harness).
damaged_suite() {
  local log="$LOGS/damaged-files.log" work="$ROOT/build/native/work/damaged-files"
  if build/native/tests/damaged_files "$work" sample >"$log" 2>&1; then
    cat "$log"; record "reliability: damaged files" 1 0
  else
    show_log "$log"; record "reliability: damaged files" 0 1
  fi
}

started=$(date +%s)
harness_counts
ctest_suite "native unit" native
kill_suite
fault_suite
damaged_suite
ctest_suite "asan+ubsan unit" asan
ctest_suite "tsan unit" tsan
if windows_suite; then
  e2e_suite
  harness_planted
  harness_run_script
fi
fuzz_suite

echo
echo "Summary ($(( $(date +%s) - started )) s):"
printf '%s\n' "${summary[@]}"
echo "total: $total_passed passed, $total_failed failed, $total_skipped skipped"
[ "$total_failed" -eq 0 ]
