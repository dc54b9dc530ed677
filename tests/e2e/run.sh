#!/usr/bin/env bash
# Runs every end-to-end scenario against the real program under Wine in a
# virtual display. Usage: tests/e2e/run.sh [--planted] BUILD_DIR [SCENARIO...]
# Prints one PASS or FAIL line per scenario and ends with "N passed, N failed".
# With --planted it runs the scenarios of planted/ instead, each of which
# carries a wrong expectation: a sound harness reports every one as FAIL.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
scenarios="$HERE/scenarios"
results=e2e
if [ "${1:-}" = --planted ]; then
  scenarios="$HERE/planted"
  results=e2e-planted
  shift
fi
BUILD=$(cd "${1:?usage: run.sh [--planted] BUILD_DIR [SCENARIO...]}" && pwd)
shift
OUT="$BUILD/$results"
rm -rf "$OUT"
mkdir -p "$OUT/logs"
source "$HERE/lib.sh"
for file in "$scenarios"/*.sh; do source "$file"; done

wanted=("$@")
if [ ${#wanted[@]} -eq 0 ]; then
  # A soak runs for minutes: only when named.
  mapfile -t wanted < <(declare -F | awk '{print $3}' | grep '^scenario_' | grep -v '^scenario_soak_' | sed 's/^scenario_//')
fi

# Bash ignores `set -e` for a command that starts with "!", so such a line
# can never fail a scenario: the scenario or helper that has one fails.
negated_lines() { declare -f "$1" | grep -E '(^|&&|;)\s*!\s'; }
passed=0
failed=0
for helper in $(declare -F | awk '{print $3}' | grep -v '^scenario_'); do
  if negated_lines "$helper"; then
    echo "FAIL $helper: a negated command never fails; use expect_absent or if ...; then ... fi"
    failed=$((failed + 1))
  fi
done

trap 'stop_display; "$WINESERVER" -k 2>/dev/null' EXIT
start_display || { echo "0 passed, $((failed + ${#wanted[@]})) failed"; exit 1; }
make_template_prefix

for name in "${wanted[@]}"; do
  new_prefix "$name"
  SCENARIO=$name
  LOGS="$OUT/logs/$name"
  mkdir -p "$LOGS"
  started=$(date +%s)
  ( set -e; "scenario_$name" )
  result=$?
  if [ "$result" -eq 0 ] && negated_lines "scenario_$name"; then
    e2e_log "a negated command never fails; use expect_absent or if ...; then ... fi"
    result=1
  fi
  if [ "$result" -eq 0 ]; then
    echo "PASS $name ($(( $(date +%s) - started )) s)"
    passed=$((passed + 1))
  else
    echo "FAIL $name ($(( $(date +%s) - started )) s); logs in $LOGS"
    for log in "$LOGS"/*.log; do [ -f "$log" ] && sed "s|^|    $(basename "$log"): |" "$log" | tail -n 15; done
    failed=$((failed + 1))
  fi
  stop_prefix
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
