#!/usr/bin/env bash
# The main window's figures, measured on the Windows build under Wine in a
# virtual display: one full paint of the composition surface per page, and
# the timer messages the running window receives per second while hidden in
# the tray and while shown with nothing to do, beside the written design's
# count. Prints "name: value" lines; scripts/bench.sh runs it after the
# native figures.
# Usage: scripts/bench-window.sh [FIGURE...]
set -euo pipefail
cd "$(dirname "$0")/.."

paint_figures=(anim_frame_ms_p50 anim_frame_ms_p99 palette_frame_ms_p50 palette_frame_ms_p99 paint_ms_p50 paint_ms_p99 paint_ms_p50_page_0 paint_ms_p99_page_0 paint_ms_p50_page_1
  paint_ms_p99_page_1 paint_ms_p50_page_2 paint_ms_p99_page_2)
wakeup_figures=(hidden_wakeups_per_s idle_wakeups_per_s written_design_window_wakeups_per_s)
# wanted NAME [FIGURE...]: NAME is asked for (all are when none is named).
wanted() {
  local figure
  [ $# -gt 1 ] || return 0
  for figure in "${@:2}"; do [ "$figure" = "$1" ] && return 0; done
  return 1
}
want_paint=0
want_wakeups=0
for figure in "${paint_figures[@]}"; do wanted "$figure" "$@" && want_paint=1; done
for figure in "${wakeup_figures[@]}"; do wanted "$figure" "$@" && want_wakeups=1; done
[ $((want_paint + want_wakeups)) -gt 0 ] || exit 0

scripts/deps.sh test >&2
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target Vantor3 paint_bench e2e_tool >/dev/null

BUILD=$PWD/build/windows
OUT=$BUILD/bench-window
rm -rf "$OUT"
mkdir -p "$OUT"
# shellcheck source=../tests/e2e/lib.sh
source tests/e2e/lib.sh
trap 'stop_display; "$WINESERVER" -k 2>/dev/null' EXIT
start_display >&2
make_template_prefix
new_prefix bench

print_wanted() {
  local name value
  while IFS=': ' read -r name value; do
    wanted "$name" "$@" && echo "$name: $value"
  done
  return 0
}

if [ "$want_paint" = 1 ]; then
  "$WINE" "$BUILD/tests/paint_bench.exe" | tr -d '\r' | print_wanted "$@"
fi
[ "$want_wakeups" = 1 ] || exit 0

log="$OUT/program.log"
# report: "COUNT MS", the window's count of timer messages and its clock.
report() {
  local before
  before=$(grep -c 'timer messages:' "$log" || true)
  post_to_program 32778
  for _ in $(seq 1 50); do
    [ "$(grep -c 'timer messages:' "$log" || true)" -gt "$before" ] && break
    sleep 0.1
  done
  grep 'timer messages:' "$log" | tail -n 1 | sed 's/.*timer messages: \([0-9]*\) at \([0-9]*\) ms.*/\1 \2/'
}
# rate SECONDS: timer messages per second over the next SECONDS.
rate() {
  local n1 t1 n2 t2
  read -r n1 t1 < <(report)
  sleep "$1"
  read -r n2 t2 < <(report)
  awk -v n=$((n2 - n1)) -v t=$((t2 - t1)) 'BEGIN { printf "%.3f\n", n * 1000 / t }'
}

start_program "$log" /simulate /hide
wait_log "$log" "hidden at start" >&2
wait_log "$log" "device controls enabled" >&2
sleep 1
hidden=$(rate 10)
post_to_program 11880
xdotool mousemove 1270 1010
# Showing gives a list the focus, which redraws the highlighted button for
# 40 ticks of 250 ms; idle starts after that.
sleep 11
idle=$(rate 10)
end_program "$log" "$PROGRAM_PID" >&2 || true

# The written design keeps every window timer running for the window's
# whole life: 1000 (1 s), 1001 (10 ms), 10 (250 ms), 102 (50 ms), 103 (100 ms).
design=$(awk 'BEGIN { printf "%.3f\n", 1000 / 1000 + 1000 / 10 + 1000 / 250 + 1000 / 50 + 1000 / 100 }')
{
  echo "hidden_wakeups_per_s: $hidden"
  echo "idle_wakeups_per_s: $idle"
  echo "written_design_window_wakeups_per_s: $design"
} | print_wanted "$@"
