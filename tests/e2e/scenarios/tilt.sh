# Tilting the simulated mouse's wheel scrolls the focused window sideways.

# tilt_probe KIND: starts the program on a simulated mouse and a probe window
# of KIND that takes the focus after it.
tilt_probe() {
  start_program "$LOGS/program.log" /simulate /hide
  PROGRAM=$PROGRAM_PID
  wait_log "$LOGS/program.log" "level steps shown"
  "$WINE" "$TOOL" scrollprobe "$LOGS/probe.log" "$1" 60 >/dev/null 2>&1 &
  PROBE=$!
  wait_log "$LOGS/probe.log" "ready focus"
}

# tilt MOUSE STEPS: the simulated mouse reports a tilt (message WM_APP+2, kind 4).
tilt() { post_to_program 32770 4 $(( ($1 << 24) | ($2 & 0xFFFFFF) )); }

finish_tilt_probe() {
  kill "$PROBE" 2>/dev/null || true
  end_program "$LOGS/program.log" "$PROGRAM"
}

scenario_tilt_right_scrolls_mozilla_window_with_horizontal_wheel() {
  tilt_probe mozilla
  tilt 0 1
  wait_log "$LOGS/probe.log" "MozillaWindowClass got 0x020E wParam 0x780000 lParam"
  expect_absent "got 0x0114" "$LOGS/probe.log"
  finish_tilt_probe
}

scenario_tilt_scrolls_plain_window_through_its_scroll_bar() {
  tilt_probe plain
  local bar
  bar=$(sed -n 's/^bar \(0x[0-9A-F]*\).*/\1/p' "$LOGS/probe.log" | tr -d '\r')
  tilt 0 -1
  wait_log "$LOGS/probe.log" "ProbePlain got 0x0114 wParam 0x8 lParam $bar"
  grep -q "ProbePlain got 0x0114 wParam 0x0 lParam $bar" "$LOGS/probe.log"
  tilt 0 1
  wait_log "$LOGS/probe.log" "ProbePlain got 0x0114 wParam 0x1 lParam $bar"
  finish_tilt_probe
}

scenario_tilt_left_in_itunes_sends_shifted_wheel_under_cursor() {
  tilt_probe itunes
  xdotool mousemove 250 250
  tilt 0 -1
  wait_log "$LOGS/probe.log" "ProbeList got 0x020A wParam 0x780004 lParam"
  finish_tilt_probe
}
