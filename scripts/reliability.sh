#!/usr/bin/env bash
# The reliability campaign, beyond the test command:
# - every fuzz target for RUNS executions (10,000,000 unless given), two at a
#   time, from its checked-in corpus with ASan and UBSan aborting, with its
#   dictionary tests/fuzz/dict/<target>.dict and its libFuzzer options
#   tests/fuzz/options/<target>.options (one a line) where given, printing per
#   target the executions, the crashes and the covered features, then
#   "fuzz_execs_min: N" (the fewest executions of any target) and
#   "fuzz_crashes: N" (all targets); crashes are kept in
#   build/fuzz/campaign/<target>/ for the corpus;
# - the library and a backup file saved and killed at 1000 points each
#   ("kill_save_cases", "kill_save_lost");
# - the simulated mouse lost, busy for ever, never ready or answering garbage
#   at every request of each operation ("fault_matrix_cases",
#   "fault_matrix_failures");
# - damaged library, backup and language files at every byte offset
#   ("damaged_file_cases", "damaged_file_failures");
# - a soak of the running window under Wine for SOAK_SECONDS (600 unless set),
#   printing the growth and the noise of its private memory, handles, GDI
#   objects and windows ("soak_..._growth", "soak_..._noise").
# Given target names after RUNS, only those targets are fuzzed and the other
# parts are left out, so that a long campaign can be run in pieces.
# Usage: scripts/reliability.sh [RUNS [TARGET...]]
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-10000000}
shift || true
scripts/deps.sh test >&2
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target kill_during_save request_fault_sweep damaged_files >/dev/null

# piece_runs LOG: the executions a libFuzzer log reports: its final count,
# which it also prints when interrupted, else the last count it logged.
piece_runs() {
  local runs
  runs=$(sed -nE 's/^stat::number_of_executed_units: ([0-9]+)$/\1/p' "$1" | tail -n 1)
  [ -n "$runs" ] || runs=$(sed -nE 's/^Done ([0-9]+) runs in .*/\1/p; s/^#([0-9]+)\t.*/\1/p' "$1" | tail -n 1)
  echo "${runs:-0}"
}

# target_runs WORK: the executions of every piece and process of a target.
target_runs() {
  local log runs=0
  for log in "$1"/fuzz-*.log; do
    [ -f "$log" ] || continue
    runs=$((runs + $(piece_runs "$log")))
  done
  echo "$runs"
}

# fuzz_target NAME: one target's campaign; its summary line goes to
# build/fuzz/campaign/NAME/summary, its exit status to .../status. With
# FUZZ_CONTINUE=1 a campaign that was stopped goes on from its corpus and
# counts the executions of its earlier pieces (see piece_runs), so the long
# targets can run over several sittings; FUZZ_PIECE_SECONDS bounds each piece
# so that it ends with its count. FUZZ_WORKERS=N runs N processes of the
# target at once, sharing its corpus, each with its share of the executions
# and a log of its own, so that a last long target can have every core.
fuzz_target() {
  local name=$1 work="build/fuzz/campaign/$1" code=0 dict=() options=() scratch runs=0 features crashes pieces log
  local workers=${FUZZ_WORKERS:-1} worker pids=() pid
  if [ "${FUZZ_CONTINUE:-0}" != 1 ]; then rm -rf "$work"; fi
  mkdir -p "$work/corpus"
  runs=$(target_runs "$work")
  pieces=$(find "$work" -maxdepth 1 -name 'fuzz-*.log' | wc -l)
  if [ "$runs" -lt "$RUNS" ]; then
    if [ -f "tests/fuzz/dict/$name.dict" ]; then dict=(-dict="tests/fuzz/dict/$name.dict"); fi
    if [ -f "tests/fuzz/options/$name.options" ]; then mapfile -t options < <(grep -v -e "^#" -e "^$" "tests/fuzz/options/$name.options"); fi
    scratch=$(mktemp -d "$FUZZ_TMPDIR/vantor-fuzz.XXXXXX")
    for ((worker = 0; worker < workers; worker++)); do
      mkdir "$scratch/$worker"
      TMPDIR="$scratch/$worker" "build/fuzz/tests/fuzz/$name" -runs=$(((RUNS - runs + workers - 1) / workers)) \
        -max_total_time="${FUZZ_PIECE_SECONDS:-0}" -print_final_stats=1 "${dict[@]}" "${options[@]}" \
        -artifact_prefix="$work/" "$work/corpus" "tests/fuzz/corpus/$name" >"$work/fuzz-$((pieces + worker)).log" 2>&1 &
      pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid" || code=$?; done
    rm -rf "$scratch"
    runs=$(target_runs "$work")
    pieces=$((pieces + workers))
  fi
  features=$(cat "$work"/fuzz-*.log 2>/dev/null | sed -nE 's/.* ft: ([0-9]+) .*/\1/p' | sort -n | tail -n 1)
  crashes=$(find "$work" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \) | wc -l)
  echo "$name $runs $crashes ${features:-0} $pieces" >"$work/summary"
  echo "$code" >"$work/status"
}
export -f piece_runs target_runs fuzz_target
# The targets that write their input to a file do so in memory where it can:
# on a disk, replacing a file each run costs more than the run itself.
FUZZ_TMPDIR=${TMPDIR:-/tmp}
if [ -d /dev/shm ] && [ -w /dev/shm ]; then FUZZ_TMPDIR=/dev/shm; fi
export RUNS FUZZ_TMPDIR

names=()
if [ $# -gt 0 ]; then
  for name in "$@"; do
    [ -f "tests/fuzz/$name.cpp" ] || { echo "no fuzz target $name in tests/fuzz" >&2; exit 2; }
    names+=("$name")
  done
else
  for source in tests/fuzz/fuzz_*.cpp; do names+=("$(basename "$source" .cpp)"); done
fi
printf '%s\n' "${names[@]}" | xargs -P 2 -I{} bash -c 'fuzz_target {}'

failed=0
execs_min=
crashes_all=0
for name in "${names[@]}"; do
  work="build/fuzz/campaign/$name"
  read -r _ runs crashes features pieces <"$work/summary"
  printf '%-24s executions: %s, crashes: %s, features: %s, pieces: %s\n' "$name" "$runs" "$crashes" "$features" "$pieces"
  if [ -z "$execs_min" ] || [ "$runs" -lt "$execs_min" ]; then execs_min=$runs; fi
  crashes_all=$((crashes_all + crashes))
  if [ "$(cat "$work/status")" -ne 0 ] || [ "$crashes" -gt 0 ]; then failed=1; fi
done
echo "fuzz_execs_min: ${execs_min:-0}"
echo "fuzz_crashes: $crashes_all"
if [ $# -gt 0 ]; then exit "$failed"; fi

rm -rf build/native/work/kill-campaign
build/native/tests/kill_during_save build/native/work/kill-campaign 1000 || failed=1

build/native/tests/request_fault_sweep full || failed=1

mkdir -p build/native/work
damaged_log=build/native/work/damaged-campaign.log
build/native/tests/damaged_files build/native/work/damaged-campaign full 2>"$damaged_log" ||
  { failed=1; echo "damaged files: the failed cases are listed in $damaged_log"; }

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 >/dev/null
cmake --build --preset native -j2 --target vantor-tool >/dev/null
soak_log=build/windows/soak.log
SOAK_SECONDS=${SOAK_SECONDS:-600} tests/e2e/run.sh build/windows \
  soak_the_running_window_holds_no_more_after_the_first_minute >"$soak_log" 2>&1 || failed=1
grep -E '^soak_|^(PASS|FAIL) ' "$soak_log"
exit "$failed"
