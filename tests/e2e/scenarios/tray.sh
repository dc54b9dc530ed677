# The tray icon brings the window back, opens its menu and ends the program;
# hiding the window leaves the program running in the tray.

# Wine's notification area: an X window of explorer.exe, its first icon at (10, 10).
tray_window() { xdotool search --onlyvisible --name "Wine System Tray" 2>/dev/null | head -n1; }

# tray_click BUTTON [REPEAT]: real clicks on our icon. The main window may
# cover the tray, so it is raised first.
tray_click() {
  local tray
  tray=$(tray_window)
  [ -n "$tray" ] || { e2e_log "no tray window"; return 1; }
  xdotool windowraise "$tray"
  xdotool mousemove --window "$tray" 10 10 click --repeat "${2:-1}" --delay 80 "$1"
}

# The open menu: an unnamed visible window of the program's X class.
tray_menu() {
  local window
  for window in $(xdotool search --onlyvisible --class "vantor3.exe" 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$window")" ] && { echo "$window"; return 0; }
  done
  return 0
}

wait_tray_menu() {
  local i
  for i in $(seq 1 50); do
    MENU=$(tray_menu)
    [ -n "$MENU" ] && return 0
    sleep 0.1
  done
  e2e_log "the tray menu did not open"
  return 1
}

# choose_menu_item first|last: clicks the menu's first item or its last one.
choose_menu_item() {
  local WIDTH HEIGHT X Y SCREEN y=10
  eval "$(xdotool getwindowgeometry --shell "$MENU")"
  [ "$1" = last ] && y=$((HEIGHT - 10))
  xdotool mousemove --window "$MENU" 30 "$y" click 1
}

# click_control ID: a real click on one of the main window's controls.
click_control() {
  local at
  at=$("$WINE" "$TOOL" control "$TITLE" "$1" 2>/dev/null | tr -d '\r')
  [ -n "$at" ] || { e2e_log "control $1 not found"; return 1; }
  xdotool mousemove $at click 1
}

still_running() {
  if ! kill -0 "$1" 2>/dev/null; then
    e2e_log "the program ended"
    return 1
  fi
}

# wait_count FILE PATTERN N: polls until PATTERN matches N lines.
wait_count() {
  local i
  for i in $(seq 1 100); do
    [ "$(grep -c -- "$2" "$1")" -ge "$3" ] && return 0
    sleep 0.1
  done
  e2e_log "'$2' seen fewer than $3 times"
  return 1
}

# How many times the simulated mouse was asked for the steps of a level.
level_reads() { grep -c '^0 set 01 03 00 0[0-3] ' "$LOGS/simulator.log"; }

scenario_tray_restores_hidden_window_and_exit_ends_program() {
  VANTOR_SIM_LOG="$LOGS/simulator.log" start_program "$LOGS/program.log" /simulate
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "fade-in complete"
  wait_log "$LOGS/program.log" "level steps shown"
  [ -n "$(tray_window)" ]

  # Button 1015 hides the window; the program keeps running.
  click_control 1015
  expect_windows "windows=1 visible=0"
  still_running "$pid"

  # A double click shows it again (the levels are read: it was hidden) and
  # opens no menu, not even after the single-click pause.
  tray_click 1 2
  expect_windows "windows=1 visible=1"
  sleep 1
  if [ -n "$(tray_menu)" ]; then e2e_log "a double click opened the menu"; return 1; fi
  # On a visible window a double click reads nothing.
  tray_click 1 2
  wait_count "$LOGS/program.log" "tray double click: restore" 2
  sleep 1
  if [ -n "$(tray_menu)" ]; then e2e_log "a double click opened the menu"; return 1; fi
  screenshot tray_restored

  # The close message hides too; the menu's first item shows the window
  # without reading the levels.
  post_to_program 16
  expect_windows "windows=1 visible=0"
  still_running "$pid"
  tray_click 3
  wait_tray_menu
  screenshot tray_menu
  choose_menu_item first
  expect_windows "windows=1 visible=1"

  # A second launch shows the hidden window and reads the levels.
  click_control 1015
  expect_windows "windows=1 visible=0"
  start_program "$LOGS/second.log"
  wait_exit "$PROGRAM_PID" 30
  expect_windows "windows=1 visible=1"
  wait_log "$LOGS/program.log" "show signal 1 answered"

  # A single left click opens the menu too; "Exit" ends the program with
  # exit code 0, and the icon is gone by then (Wine drops the icons of a
  # program that ended without removing them only seconds later).
  tray_click 1
  wait_tray_menu
  choose_menu_item last
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { e2e_log "exit code $status"; return 1; }
  if [ -n "$(tray_window)" ]; then e2e_log "the tray icon outlived the program"; return 1; fi
  expect_windows "windows=0 visible=0"

  # At arrival, after the hidden double click and after the show signal.
  local reads
  reads=$(level_reads)
  [ "$reads" -eq 12 ] || { e2e_log "level steps read $reads times, expected 12"; return 1; }
}

wait_tray_shown() {
  local want=$1 i shown
  for i in $(seq 1 50); do
    shown=no
    [ -n "$(tray_window)" ] && shown=yes
    [ "$shown" = "$want" ] && return 0
    sleep 0.1
  done
  e2e_log "tray shown: expected $want"
  return 1
}

scenario_tray_icon_returns_when_the_shell_restarts() {
  start_program "$LOGS/program.log" /hide
  local pid=$PROGRAM_PID
  wait_log "$LOGS/program.log" "hidden at start"
  wait_tray_shown yes
  # The shell forgets the icon, then announces that the taskbar is back.
  "$WINE" "$TOOL" trayforget "$TITLE" 1219
  wait_tray_shown no
  "$WINE" "$TOOL" taskbarcreated "$TITLE"
  wait_tray_shown yes
  tray_click 1 2
  expect_windows "windows=1 visible=1"
  end_program "$LOGS/program.log" "$pid"
}
