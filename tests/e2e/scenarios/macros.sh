# The "Macro settings" page and the library pane of the button page, driven
# with the pointer and the keyboard: recording, editing, storing, macro files,
# giving a macro to a button, removing entries. Files are read back with the
# companion tool; the simulator's log shows what the mouse received.

# macro_drag FROM_X FROM_Y TO_X TO_Y: presses at one point of the window,
# moves in steps as a hand would, and releases at the other.
macro_drag() {
  local step
  skin_point "$1" "$2"
  xdotool mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    skin_point $(($1 + ($3 - $1) * step / 8)) $(($2 + ($4 - $2) * step / 8))
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.3
}

# macro_click_control ID: a real click on one of the window's controls.
macro_click_control() {
  local at="" i
  for i in $(seq 1 30); do
    at=$("$WINE" "$TOOL" control "$TITLE" "$1" 2>/dev/null | tr -d '\r')
    [ -n "$at" ] && break
    sleep 0.1
  done
  [ -n "$at" ] || { e2e_log "control $1 not found"; return 1; }
  # shellcheck disable=SC2086
  xdotool mousemove $at click 1
}

# macro_library_json: the library file as the companion tool reads it.
macro_library_json() { "$NATIVE_TOOL" show "$(dirname "$EXE")/macro.dat"; }

# macro_bytes NAME: the bytes of library macro NAME, one command a line.
macro_bytes() {
  macro_library_json | python3 -c '
import json, sys
for entry in json.load(sys.stdin)["entries"]:
    if entry["name"] == sys.argv[1]:
        for command in entry["commands"]:
            print(command["bytes"])
' "$1"
}

scenario_recorded_keys_go_into_the_library_by_dragging_the_editor() {
  skin_start
  skin_click_tab 2
  macro_click_control 1022
  wait_log "$LOGS/program.log" "recording started"
  xdotool key a
  sleep 0.3
  xdotool key b
  macro_click_control 1022
  wait_log "$LOGS/program.log" "recording stopped"
  skin_shot recorded
  # The editor's first row, dropped on an empty spot of the library.
  macro_drag 548 156 160 356
  wait_log "$LOGS/program.log" "editor stored as library row 0"
  end_program "$LOGS/program.log" "$PID"
  macro_bytes "New macro 0" > "$LOGS/bytes.txt"
  cat "$LOGS/bytes.txt"
  expect_equal "mode and keys" "$(grep -v '^8[89] ' "$LOGS/bytes.txt" | tr '\n' ' ')" "04 83 04 84 04 83 05 84 05 "
}
