#!/usr/bin/env bash
# Runs every end-to-end scenario against the real program under Wine in a
# virtual display. Usage: tests/e2e/run.sh BUILD_DIR [SCENARIO...]
# Prints one PASS or FAIL line per scenario and ends with "N passed, N failed".
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=$(cd "${1:?usage: run.sh BUILD_DIR [SCENARIO...]}" && pwd)
shift
OUT="$BUILD/e2e"
rm -rf "$OUT"
mkdir -p "$OUT/logs"
source "$HERE/lib.sh"
for file in "$HERE"/scenarios/*.sh; do source "$file"; done

wanted=("$@")
if [ ${#wanted[@]} -eq 0 ]; then
  mapfile -t wanted < <(declare -F | awk '{print $3}' | grep '^scenario_' | sed 's/^scenario_//')
fi

trap 'stop_display; "$WINESERVER" -k 2>/dev/null' EXIT
start_display || { echo "0 passed, ${#wanted[@]} failed"; exit 1; }
make_template_prefix

passed=0
failed=0
for name in "${wanted[@]}"; do
  new_prefix "$name"
  LOGS="$OUT/logs/$name"
  mkdir -p "$LOGS"
  started=$(date +%s)
  ( set -e; "scenario_$name" )
  result=$?
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
