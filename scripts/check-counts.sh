#!/usr/bin/env bash
# Checks scripts/counts.sh on closing lines as the runners print them (taken
# from real runs with a passing, a skipped and a failing test), so that a
# skipped test is never counted as passed nor a silent fuzzer as a pass.
# Prints one line per wrong count; exits non-zero if there was any.
set -u
cd "$(dirname "$0")/.."
source scripts/counts.sh
sample=$(mktemp -d)
trap 'rm -rf "$sample"' EXIT
wrong=0

expect_counts() {  # expect_counts WHAT GOT WANT
  if [ "$2" != "$3" ]; then
    echo "$1: read '$2', expected '$3'"
    wrong=$((wrong + 1))
  fi
}

cat > "$sample/gtest.log" <<'LOG'
[ RUN      ] S.Skipped
[  SKIPPED ] S.Skipped (0 ms)
[==========] 4 tests from 1 test suite ran. (0 ms total)
[  PASSED  ] 2 tests.
[  SKIPPED ] 1 test, listed below:
[  SKIPPED ] S.Skipped
[  FAILED  ] 1 test, listed below:
[  FAILED  ] S.Fails

 1 FAILED TEST
LOG
expect_counts "GoogleTest" "$(gtest_counts "$sample/gtest.log")" "2 1 1"
printf '[==========] 340 tests from 108 test suites ran. (8315 ms total)\r\n[  PASSED  ] 340 tests.\r\n' > "$sample/wine.log"
expect_counts "GoogleTest under Wine" "$(gtest_counts "$sample/wine.log")" "340 0 0"

cat > "$sample/ctest.log" <<'LOG'
2/4 Test #2: S.Skipped ........................***Skipped   0.00 sec
75% tests passed, 1 tests failed out of 4

Total Test time (real) =   0.02 sec

The following tests did not run:
	  2 - S.Skipped (Skipped)

The following tests FAILED:
	  3 - S.Fails (Failed)
LOG
expect_counts "ctest" "$(ctest_counts "$sample/ctest.log")" "2 1 1"
echo "No tests were found!!!" > "$sample/ctest-none.log"
expect_counts "ctest without tests" "$(ctest_counts "$sample/ctest-none.log")" "0 1 0"

printf '#1048576\tpulse  cov: 120 ft: 310 corp: 40/1Kb\nDone 1234567 runs in 16 second(s)\n' > "$sample/fuzz.log"
expect_counts "libFuzzer" "$(libfuzzer_runs "$sample/fuzz.log")" 1234567
echo "INFO: Seed: 1" > "$sample/fuzz-silent.log"
expect_counts "libFuzzer without a run" "$(libfuzzer_runs "$sample/fuzz-silent.log")" 0

[ "$wrong" -eq 0 ]
