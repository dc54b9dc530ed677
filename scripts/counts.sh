# Reads how many tests passed, failed and were skipped from the closing lines
# of the runners that scripts/test.sh uses; each prints "PASSED FAILED SKIPPED".
# Sourced by scripts/test.sh and scripts/check-counts.sh.

# GoogleTest: "[  PASSED  ] N tests." counts neither failed nor skipped tests;
# "[  FAILED  ] N tests, listed below:" and "[  SKIPPED ] N tests, listed below:"
# follow when there are any.
gtest_counts() {  # gtest_counts LOG
  local kind counts=()
  for kind in 'PASSED  ' 'FAILED  ' 'SKIPPED '; do
    counts+=("$(grep -E "^\[  $kind\] [0-9]+ tests?[.,]" "$1" | tail -n 1 | grep -oE '[0-9]+' | head -n 1)")
  done
  echo "${counts[0]:-0} ${counts[1]:-0} ${counts[2]:-0}"
}

# ctest: "NN% tests passed, F tests failed out of T" counts skipped tests as
# passed; they are listed after "The following tests did not run:" with
# "(Skipped)". No closing line: "0 1 0", one failure.
ctest_counts() {  # ctest_counts LOG
  local line all failed skipped
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then echo "0 1 0"; return; fi
  failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  all=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  skipped=$(grep -cE '^\s+[0-9]+ - .* \(Skipped\)$' "$1")
  echo "$((all - failed - skipped)) $failed $skipped"
}

# libFuzzer: "Done N runs in S second(s)" closes a run that ended by its time
# limit; prints N, or 0 when the line is missing.
libfuzzer_runs() {  # libfuzzer_runs LOG
  local runs
  runs=$(sed -nE 's/^Done ([0-9]+) runs in .*/\1/p' "$1" | tail -n 1)
  echo "${runs:-0}"
}
