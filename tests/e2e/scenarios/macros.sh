# The "Macro settings" page and the library pane of the button page, driven
# with the pointer and the keyboard: recording, editing, storing, macro files,
# giving a macro to a button, removing entries. Files are read back with the
# companion tool; the simulator's log shows what the mouse received. Clicks
# on controls, file choices and answers use operations.sh's helpers.

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

# macro_last_mask_a LOG: the last button mask A that the simulated mouse was
# sent, in hex: its low nibble (76, then 60 + n), the high one when not 0 (77,
# then 60 + n), the index read (250), then "set mask A" (108).
macro_last_mask_a() {
  awk '
    $1 == 0 && $2 == "str" { s[n++] = $3 }
    END {
      last = -1
      for (i = 0; i < n; i++) {
        if (s[i] != 108 || i < 3 || s[i - 1] != 250) continue
        j = i - 2; high = 0
        if (j >= 3 && s[j - 1] == 77) { high = s[j] - 60; j -= 2 }
        if (s[j - 1] == 76) last = high * 16 + s[j] - 60
      }
      if (last >= 0) printf "%02X\n", last
    }' "$1"
}

# macro_write_library NAME...: a library of one-key macros (key A, B ...) in
# the given names, before the program starts.
macro_write_library() {
  local id=1 name entries="" key=4
  for name in "$@"; do
    [ -n "$entries" ] && entries="$entries,"
    entries="$entries{\"id\": $id, \"name\": \"$name\", \"commands\": [{\"bytes\": \"04\"},
      {\"bytes\": \"83 0$key\"}, {\"bytes\": \"88 0A\"}, {\"bytes\": \"84 0$key\"}]}"
    id=$((id + 1))
    key=$((key + 1))
  done
  echo "{\"file\": \"library\", \"entries\": [$entries], \"devices\": []}" > "$LOGS/library.json"
  "$NATIVE_TOOL" build "$LOGS/library.json" "$(dirname "$EXE")/macro.dat"
}

# The editor's first row, dropped on an empty spot of the library.
macro_store_editor() { macro_drag 548 156 160 456; }

scenario_recorded_keys_go_into_the_library_by_dragging_the_editor() {
  skin_start
  skin_click_tab 2
  click_operation 1022
  wait_log "$LOGS/program.log" "recording started"
  xdotool key a
  sleep 0.3
  xdotool key b
  click_operation 1022
  wait_log "$LOGS/program.log" "recording stopped"
  skin_shot recorded
  macro_store_editor
  wait_log "$LOGS/program.log" "editor stored as library row 0"
  end_program "$LOGS/program.log" "$PID"
  macro_bytes "New macro 0" > "$LOGS/bytes.txt"
  # The keys and their releases, nothing for the click on Stop, and the
  # pause between the keys as one wait of about 300 ms.
  expect_equal "mode and keys" "$(grep -v '^8[89] ' "$LOGS/bytes.txt" | tr '\n' ' ')" "04 83 04 84 04 83 05 84 05 "
  local pause
  pause=$(sed -n '/^84 04$/{n;p}' "$LOGS/bytes.txt" | awk '$1 == "89" { print $3 $2 }')
  [ -n "$pause" ] || { e2e_log "no long wait after the release of A"; return 1; }
  pause=$((16#$pause))
  e2e_log "pause recorded: $pause ms"
  [ "$pause" -ge 250 ] && [ "$pause" -le 700 ]

  # After a restart the library is there: its macro goes into the editor
  # and back into the library as a second copy.
  start_program "$LOGS/program-2.log" /simulate
  PID=$PROGRAM_PID
  wait_log "$LOGS/program-2.log" "button lists filled"
  skin_window_origin
  skin_click_tab 2
  macro_drag 160 156 548 156
  wait_log "$LOGS/program-2.log" "library row 0 loaded"
  macro_store_editor
  wait_log "$LOGS/program-2.log" "editor stored as library row 1"
  end_program "$LOGS/program-2.log" "$PID"
  expect_equal "copy after the restart" "$(macro_bytes "New macro 1" | md5sum)" "$(md5sum < "$LOGS/bytes.txt")"
}

scenario_a_wait_dropped_and_edited_is_stored_exported_and_imported_as_it_stands() {
  cd "$LOGS"
  skin_start
  skin_click_tab 2
  # Without intervals: the mode command, then A and B pressed and released.
  skin_point 353 515
  xdotool click 1
  click_operation 1022
  wait_log "$LOGS/program.log" "recording started"
  xdotool key a b
  click_operation 1022
  wait_log "$LOGS/program.log" "recording stopped"
  # The wait template goes in after the press of A, then becomes 300 ms.
  macro_drag 314 160 548 196
  skin_point 548 236
  xdotool click 1
  sleep 0.3
  xdotool type 300
  xdotool key Return
  sleep 0.3
  skin_shot wait_edited
  macro_store_editor
  wait_log "$LOGS/program.log" "editor stored as library row 0"

  click_operation 1024
  choose_file "Save As" "$LOGS/edited.mf"
  wait_log "$LOGS/program.log" "macro exported: 0"
  click_operation 1001
  click_operation 1025
  choose_file "Open" "$LOGS/edited.mf"
  wait_log "$LOGS/program.log" "macro imported: 0"
  macro_store_editor
  wait_log "$LOGS/program.log" "editor stored as library row 1"
  end_program "$LOGS/program.log" "$PID"

  expect_equal "edited macro" "$(macro_bytes "New macro 0" | tr '\n' ' ')" "04 83 04 89 2C 01 84 04 83 05 84 05 "
  # The release of A moved from address 5 to 6 with the longer wait.
  macro_library_json | python3 -c '
import json, sys
commands = [e for e in json.load(sys.stdin)["entries"] if e["name"] == "New macro 0"][0]["commands"]
assert [c["address"] for c in commands] == [0, 1, 3, 6, 8, 10], commands
'
  "$NATIVE_TOOL" check "$LOGS/edited.mf"
  expect_equal "imported macro" "$(macro_bytes "New macro 1" | tr '\n' ' ')" "04 83 04 89 2C 01 84 04 83 05 84 05 "
}

scenario_a_library_macro_dropped_on_a_button_plays_there_until_it_is_taken_back() {
  macro_write_library "type A"
  VANTOR_SIM_LOG="$LOGS/simulator.log" skin_start
  # The macro onto the badge of button 3 (the fourth list).
  macro_drag 160 156 321 248
  wait_log "$LOGS/program.log" "button 3 given macro 1: saved"
  sleep 0.5
  # The mouse reports button 3 held and let go (bit 4: buttons 3 and 4 trade
  # places on the wire): the program plays the macro.
  post_to_program 32770 2 16
  sleep 0.1
  post_to_program 32770 2 0
  sleep 0.5
  # Pressed on the badge and let go outside it: the button is the mouse's again.
  macro_drag 321 248 200 560
  wait_log "$LOGS/program.log" "button 3 given macro 0: saved"
  sleep 0.5
  end_program "$LOGS/program.log" "$PID"
  # The mouse's live input pressed A (0D 01, usage 04).
  grep -q '^0 set 0D 01 04 ' "$LOGS/simulator.log" || { e2e_log "A never pressed"; return 1; }
  expect_equal "last mask A" "$(macro_last_mask_a "$LOGS/simulator.log")" FF
  grep -q "button 3 given macro 1" "$LOGS/program.log"
  # Mask A 0xEF was sent between the two drops.
  awk '$1 == 0 && $2 == "str" { printf "%s ", $3 }' "$LOGS/simulator.log" | grep -q "76 75 77 74 250 108"
  macro_library_json | python3 -c '
import json, sys
devices = json.load(sys.stdin)["devices"]
rows = [p.get("row", []) for d in devices for p in d.get("profiles", []) if p.get("slot") == 0]
assert rows and all(len(r) < 4 or r[3] == 0 for r in rows), rows
'
}

scenario_delete_removes_a_library_entry_only_when_answered_yes() {
  macro_write_library "first" "second"
  skin_start
  skin_click_tab 2
  skin_point 160 156
  xdotool click 1
  sleep 0.3
  press_in "$TITLE" Delete
  press_in "Remove" n
  wait_log "$LOGS/program.log" "macro question answered no"
  press_in "$TITLE" Delete
  press_in "Remove" y
  wait_log "$LOGS/program.log" "library row 0 removed"
  end_program "$LOGS/program.log" "$PID"
  expect_equal "entries left" "$(macro_library_json | python3 -c '
import json, sys
print(" ".join(e["name"] for e in json.load(sys.stdin)["entries"]))')" "second"
}
