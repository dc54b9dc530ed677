# One copy per desktop: later launches hand "show" or "close" to it.

scenario_second_launch_shows_running_copy() {
  start_program "$LOGS/first.log"
  local first=$PROGRAM_PID
  wait_log "$LOGS/first.log" "fade-in complete"
  expect_windows "windows=1 visible=1"
  post_to_program 273 1015  # WM_COMMAND from the hide button
  wait_log "$LOGS/first.log" "window hidden to the tray"
  expect_windows "windows=1 visible=0"
  start_program "$LOGS/second.log"
  expect_exit "$PROGRAM_PID"
  grep -q "show signal sent" "$LOGS/second.log"
  expect_absent "main window initialising" "$LOGS/second.log"
  wait_log "$LOGS/first.log" "show signal 1 answered"
  expect_windows "windows=1 visible=1"
  screenshot second_launch_shows_running_copy
  end_program "$LOGS/first.log" "$first"
}

scenario_close_ends_running_copy() {
  start_program "$LOGS/first.log"
  local first=$PROGRAM_PID
  wait_log "$LOGS/first.log" "main window ready"
  start_program "$LOGS/second.log" /close
  local second=$PROGRAM_PID
  expect_exit "$first"
  expect_exit "$second"
  grep -q "close signal sent" "$LOGS/second.log"
  grep -q "close signal$" "$LOGS/first.log"
  grep -q "main window ended" "$LOGS/first.log"
  expect_absent "main window initialising" "$LOGS/second.log"
}

scenario_close_without_running_copy_broadcasts() {
  "$WINE" "$TOOL" probe "$LOGS/probe.log" 60 >/dev/null 2>&1 &
  local probe=$!
  wait_log "$LOGS/probe.log" "ready"
  start_program "$LOGS/close.log" /close
  expect_exit "$PROGRAM_PID"
  wait_log "$LOGS/probe.log" "probe receiver received 11889" 10
  grep -q "no running copy to close" "$LOGS/close.log"
  expect_absent "main window initialising" "$LOGS/close.log"
  expect_windows "windows=0 visible=0"
  kill "$probe" 2>/dev/null || true
}

scenario_hide_starts_invisible_until_second_launch() {
  start_program "$LOGS/first.log" /hide
  local first=$PROGRAM_PID
  wait_log "$LOGS/first.log" "hidden at start"
  expect_windows "windows=1 visible=0"
  expect_absent "fade-in complete" "$LOGS/first.log"
  screenshot hide_starts_invisible
  start_program "$LOGS/second.log"
  expect_exit "$PROGRAM_PID"
  wait_log "$LOGS/first.log" "show signal 1 answered"
  expect_windows "windows=1 visible=1"
  screenshot hidden_copy_shown_by_second_launch
  end_program "$LOGS/first.log" "$first"
}

scenario_hide_switch_ignores_case() {
  # Wine opens files without regard to case, so the logs are numbered.
  local spelling run=0
  for spelling in /HIDE /Hide; do
    run=$((run + 1))
    start_program "$LOGS/run$run.log" "$spelling"
    local pid=$PROGRAM_PID
    wait_log "$LOGS/run$run.log" "hidden at start"
    expect_windows "windows=1 visible=0"
    end_program "$LOGS/run$run.log" "$pid"
  done
}

scenario_eleventh_show_signal_is_ignored_but_broadcast_works() {
  start_program "$LOGS/first.log" /hide
  local first=$PROGRAM_PID
  wait_log "$LOGS/first.log" "hidden at start"
  local n
  for n in $(seq 1 10); do
    start_program "$LOGS/launch$n.log"
    expect_exit "$PROGRAM_PID"
    wait_log "$LOGS/first.log" "show signal $n answered"
    expect_windows "windows=1 visible=1"
    post_to_program 273 1015
    expect_windows "windows=1 visible=0"
  done
  grep -q "show signals exhausted" "$LOGS/first.log"
  start_program "$LOGS/launch11.log"
  expect_exit "$PROGRAM_PID"
  grep -q "show signal sent" "$LOGS/launch11.log"
  expect_windows "windows=1 visible=0"
  # The show message is posted after the eleventh signal was pulsed, so once it
  # is answered an answer to that signal would be in the log too.
  post_to_program 11880
  wait_log "$LOGS/first.log" "show message received"
  expect_absent "show signal 11" "$LOGS/first.log"
  expect_windows "windows=1 visible=1"
  end_program "$LOGS/first.log" "$first"
}
